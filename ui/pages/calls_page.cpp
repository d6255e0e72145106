#include "ui/pages/calls_page.h"

#include "engine/session/phone_engine.h"
#include "exchange/formats/exports.h"
#include "ui/artwork/small_images.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/list_sort.h"
#include "ui/controls/message_dialog.h"
#include "ui/controls/row_record.h"
#include "ui/dialogs/call_windows.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>

#include <utility>

namespace parlenko::ui {
namespace {

constexpr int kGroupHeight = 132;
constexpr int kNameColumnWidth = 155;
constexpr int kNumberColumnWidth = 120;

QTreeWidget* MakeList(QWidget* parent, const char* name) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setColumnCount(2);
    list->setHeaderLabels({U("Naziv osobe"), U("Telefonski broj")});
    list->setColumnWidth(0, kNameColumnWidth);
    list->setColumnWidth(1, kNumberColumnWidth);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setIconSize(QSize(artwork::kSmallImageSize, artwork::kSmallImageSize));
    list->header()->setSectionsMovable(false);
    list->header()->setSectionsClickable(true);
    list->header()->setStretchLastSection(false);
    // The selection stays visible while another control has the focus.
    QPalette pal = list->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    list->setPalette(pal);
    return list;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& geometry,
                  const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    if (name != nullptr) {
        l->setObjectName(name);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

// One group of the page; its labels are Calls<2g+1>Lab and Calls<2g+2>Lab, its
// buttons SB<3g+1> to SB<3g+3>.
struct GroupRow {
    const char* caption;
    const char* list;
    const char* firstCaption;  // then "Dodaj u imenik" and "Pozovi broj"
};
constexpr std::array<GroupRow, 3> kGroupRows = {{
    {" Odlazni pozivi:", "CallsOutList", "Izbriši pozive"},
    {" Primljeni pozivi:", "CallsInList", "Snimi na disk"},
    {" Propušteni pozivi:", "CallsMissList", "Snimi na disk"},
}};

QByteArray NumberedName(const char* prefix, std::size_t n, const char* suffix) {
    return prefix + QByteArray::number(static_cast<qulonglong>(n)) + suffix;
}

}  // namespace

TCallsPage::TCallsPage(PhoneEngine& engine, TCallWindows& calls, QString exeDir, QWidget* parent)
    : QWidget(parent), engine_(engine), calls_(calls), exeDir_(std::move(exeDir)) {
    setObjectName("PoziviPage");

    for (std::size_t g = 0; g < groups_.size(); ++g) groups_[g] = BuildGroup(g);
    for (Group& g : groups_) {
        connect(g.list, &QTreeWidget::itemSelectionChanged, this, [this, &g] { ListChange(g); });
        // A header click sorts as the phonebook's list does, with its sort state.
        connect(g.list->header(), &QHeaderView::sectionClicked, this,
                [list = g.list](int column) { ListColumnClick(list, column, SharedListSort()); });
    }
    connect(SB[0], &QPushButton::clicked, this, [this] { SB1Click(); });
    for (const Group& g : groups_) {
        const int tag = g.add->property("Tag").toInt();
        connect(g.add, &QPushButton::clicked, this, [this, tag] { SB2Click(tag); });
        connect(g.call, &QPushButton::clicked, this, [this, tag] { SB3Click(tag + 10); });
    }
    for (QPushButton* b : {SB[3], SB[6]})
        connect(b, &QPushButton::clicked, this, [this, b] { SB4Click(b); });
}

TCallsPage::Group TCallsPage::BuildGroup(std::size_t g) {
    const GroupRow& row = kGroupRows[g];
    auto* box = new QGroupBox(U(row.caption), this);
    box->setGeometry(6, 4 + static_cast<int>(g) * (kGroupHeight + 4), 508, kGroupHeight);
    QTreeWidget* list = MakeList(box, row.list);
    list->setGeometry(10, 20, 298, kGroupHeight - 30);
    MakeLabel(box, U("Poziva:"), QRect(318, 24, 58, 19));
    QLabel* count = MakeLabel(box, "0", QRect(378, 24, 30, 19),
                              NumberedName("Calls", 2 * g + 1, "Lab").constData());
    MakeLabel(box, U("Kapacitet:"), QRect(318, 48, 58, 19));
    QLabel* capacity = MakeLabel(box, "0", QRect(378, 48, 30, 19),
                                 NumberedName("Calls", 2 * g + 2, "Lab").constData());
    const std::array<const char*, 3> captions = {row.firstCaption, "Dodaj u imenik", "Pozovi broj"};
    std::array<QPushButton*, 3> buttons{};
    for (std::size_t b = 0; b < buttons.size(); ++b) {
        auto* button = new QPushButton(U(captions[b]), box);
        const std::size_t n = 3 * g + b;  // SB1 .. SB9 as 0 .. 8
        button->setObjectName(NumberedName("SB", n + 1, ""));
        button->setProperty("Tag", 10 * static_cast<int>(n + 1));
        button->setGeometry(412, 20 + static_cast<int>(b) * 35, 88, 28);
        button->setEnabled(false);
        SB[n] = button;
        buttons[b] = button;
    }
    return {list, count, capacity, buttons[0], buttons[1], buttons[2]};
}

TCallsPage::Group& TCallsPage::GroupOf(CallListView list) {
    switch (list) {
        case CallListView::Dialled: return groups_[0];
        case CallListView::Received: return groups_[1];
        case CallListView::Missed: return groups_[2];
    }
    return groups_[0];
}

TCallsPage::Group* TCallsPage::GroupByTag(int tag) {
    const int g = (tag / 10 - 1) / 3;
    return g >= 0 && g < 3 ? &groups_[static_cast<std::size_t>(g)] : nullptr;
}

// --- list changes ---------------------------------------------------------------

void TCallsPage::ListChange(Group& g) {
    const bool filled = g.list->topLevelItemCount() > 0;
    const auto selected = g.list->selectedItems();
    const QTreeWidgetItem* row = selected.isEmpty() ? nullptr : selected.front();
    g.first->setEnabled(filled);
    g.add->setEnabled(filled && row != nullptr && CallRecordOf(*row).Caption.empty());
    g.call->setEnabled(filled && row != nullptr);
    g.count->setText(QString::number(g.list->topLevelItemCount()));
}

void TCallsPage::CallsOutListChange() { ListChange(groups_[0]); }
void TCallsPage::CallsInListChange() { ListChange(groups_[1]); }
void TCallsPage::CallsMissListChange() { ListChange(groups_[2]); }

// --- buttons --------------------------------------------------------------------

void TCallsPage::SB1Click() {
    if (!engine_.Connected()) return;
    const int answer = Ask(this, U("Delete dialled calls"), U("Delete dialled calls from mobile?"));
    if (answer == DialogResult::No) return;
    engine_.DeleteDialledCalls();
}

void TCallsPage::SB2Click(int tag) {
    Group* g = GroupByTag(tag);
    if (g == nullptr || !engine_.Connected()) return;
    if (!engine_.PhonebookLoaded()) {
        Inform(this, U("Save person to phonebook"), U("First, you must refresh mobile phonebook!"));
        return;
    }
    const auto selected = g->list->selectedItems();
    if (selected.isEmpty()) return;
    emit AddToPhonebookRequested(FromAnsi(CallRecordOf(*selected.front()).Number));
}

void TCallsPage::SB3Click(int tag) {
    Group* g = GroupByTag(tag);
    if (g == nullptr || !engine_.Connected()) return;
    const auto selected = g->list->selectedItems();
    if (selected.isEmpty()) calls_.DialSequence({}, {});
    else {
        const CallListRow call = CallRecordOf(*selected.front());
        calls_.DialSequence(FromAnsi(call.Caption), FromAnsi(call.Number));
    }
}

void TCallsPage::SB4Click(QPushButton* sender) {
    const bool received = sender == SB[3];
    QTreeWidget* list = (received ? groups_[1] : groups_[2]).list;
    const QString file = FileChoice().ListFile(
        this, received ? U("Save received calls to . . .") : U("Save missed calls to . . ."),
        exeDir_, CsvFiles());
    if (file.isEmpty()) return;
    std::vector<exchange::CallListRow> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        CallListRow call = CallRecordOf(*list->topLevelItem(i));
        rows.push_back({std::move(call.Caption), std::move(call.Number)});
    }
    const std::string path = file.toStdString();
    const exchange::WriteResult written = received ? exchange::ExportReceivedCallsCsv(path, rows)
                                                   : exchange::ExportMissedCallsCsv(path, rows);
    WrittenOrReported(this, written);
    if (list->topLevelItemCount() > 0) list->topLevelItem(0)->setSelected(true);
}

// --- the call-list read ---------------------------------------------------------

void TCallsPage::ClearCallLists() {
    for (Group& g : groups_) {
        g.list->clear();
        g.capacity->setText("0");
        ListChange(g);
    }
}

void TCallsPage::AddCallListRow(CallListView list, const CallListRow& call) {
    Group& g = GroupOf(list);
    auto* row = new QTreeWidgetItem(g.list, {FromAnsi(call.Caption), FromAnsi(call.Number)});
    row->setIcon(0, controls::SmallIcon(call.Image));
    KeepCallRecord(*row, call);
    ListChange(g);
}

void TCallsPage::SetCallListCapacity(CallListView list, int capacity) {
    GroupOf(list).capacity->setText(QString::number(capacity));
}

void TCallsPage::DialledCallsDeleted() {
    Group& g = groups_[0];
    g.list->clear();
    ListChange(g);
}

void TCallsPage::FocusFirstCallRows() {
    if (isVisible()) groups_[0].list->setFocus();
    for (Group& g : groups_) {
        if (g.list->topLevelItemCount() == 0) continue;
        QTreeWidgetItem* first = g.list->topLevelItem(0);
        if (&g == &groups_[0]) {
            g.list->setCurrentItem(first);
            g.list->scrollToItem(first);
        }
        first->setSelected(true);
    }
}

void TCallsPage::SetNameInListView(CallListView list, const std::string& name,
                                   const std::string& number) {
    if (name.empty()) return;
    Group& g = GroupOf(list);
    const QString shown = FromAnsi(name);
    for (int i = g.list->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* row = g.list->topLevelItem(i);
        CallListRow call = CallRecordOf(*row);
        if (call.Number != number) continue;
        call.Caption = name;
        KeepCallRecord(*row, call);
        row->setText(0, shown);
    }
    ListChange(g);
}

}  // namespace parlenko::ui

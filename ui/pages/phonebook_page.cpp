#include "ui/pages/phonebook_page.h"

#include "components/widgets/menu_painter.h"
#include "engine/session/phone_engine.h"
#include "exchange/formats/exports.h"
#include "ui/artwork/small_images.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/list_sort.h"
#include "ui/controls/message_dialog.h"
#include "ui/controls/row_record.h"
#include "ui/dialogs/upis_imenik.h"

#include <QAction>
#include <QActionGroup>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <utility>

namespace parlenko::ui {

namespace {

using controls::SmallIcon;

constexpr int kImageRole = Qt::UserRole;
// The row shows its entry's name as stored, VIP "!" included (the service
// numbers' own view); other rows show it without the "!".
constexpr int kNameWholeRole = Qt::UserRole + 3;
constexpr const char* kFirstRefresh = "First, you must refresh mobile phonebook!";

struct ViewRow {
    const char* name;
    int image;
    const char* hint;
    const char* shown;  // the summary's view text
};
constexpr std::array<ViewRow, 5> kViews = {{
    {"AllNumTB", 9, "Prikaži sve telefonske brojeve . . .", "All numbers"},
    {"SimNumTB", 10, "Prikaži samo telefonske brojeve iz SIM kartice . . .", "SIM card"},
    {"MobNumTB", 11, "Prikaži samo telefonske brojeve iz memorije mobitela . . .", "Mobile memory"},
    {"OwnNumTB", 12, "Prikaži samo vlastite telefonske brojeve . . .", "Own numbers"},
    {"SerNumTB", 13, "Prikaži samo mrežne telefonske brojeve . . .", "Service numbers"},
}};

// A tool button whose Tag is the command's.
QAction* Tool(QToolBar* bar, const char* name, int image, const char* hint, int tag = 0) {
    QAction* a = controls::Tool(bar, name, image, U(hint));
    a->setData(tag);
    return a;
}

// "007" -> "7".
std::string PlainPosition(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::to_string(n) : ToAnsi(text.trimmed());
}

}  // namespace

TImenikPage::TImenikPage(PhoneEngine& engine, const QString& countriesDir, QWidget* parent)
    : QWidget(parent), engine_(engine) {
    setObjectName("ImenikPage");
    BuildToolBar();
    BuildExportButton();
    BuildList();
    BuildPopup();
    BuildSummary();
    upis_ = new TUpisImenik(engine_, countriesDir, this);
    execDialog_ = [](QWidget& w) {
        auto* d = qobject_cast<QDialog*>(&w);
        return d != nullptr ? d->exec() : 0;
    };
    ShowSummary();
}

// The entry commands, the view buttons, the commands other windows carry
// out and the refresh; the export button among them.
void TImenikPage::BuildToolBar() {
    ToolBar2 = controls::Placed(new QToolBar(this), "ToolBar2", QRect(0, 0, 520, 28));
    ToolBar2->setIconSize(QSize(16, 16));
    UpisImeTB = Tool(ToolBar2, "UpisImeTB", 6, "Upiši novu osobu u telefonski imenik . . .");
    IzmjenaImeTB =
        Tool(ToolBar2, "IzmjenaImeTB", 7, "Izmjeni podatake o osobi u telefonskom imeniku . . .");
    BrisanjeImeTB =
        Tool(ToolBar2, "BrisanjeImeTB", 8, "Izbriši osobu iz telefonskog imenika . . .");
    PrebaciImeTB =
        Tool(ToolBar2, "PrebaciImeTB", 36, "Prebaci osobu na drugu memorijsku lokaciju . . .");
    ToolBar2->addSeparator();
    auto* group = new QActionGroup(this);
    for (int tag = 0; tag < static_cast<int>(kViews.size()); ++tag) {
        const ViewRow& v = kViews[static_cast<std::size_t>(tag)];
        QAction* a = Tool(ToolBar2, v.name, v.image, v.hint, tag);
        a->setCheckable(true);
        a->setEnabled(tag == 0);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, tag] { AllNumTBClick(tag); });
        ViewTB[static_cast<std::size_t>(tag)] = a;
    }
    ViewTB[0]->setChecked(true);
    ToolBar2->addSeparator();
    PozoviBrojTB = Tool(ToolBar2, "PozoviBrojTB", 28, "Pozovi telefonski broj . . .", 4);
    NewSmsIme1TB =
        Tool(ToolBar2, "NewSmsIme1TB", 21, "Pošalji novu SMS poruku izabranoj osobi . . .", 5);
    NewSmsIme2TB = Tool(ToolBar2, "NewSmsIme2TB", 35,
                        "Pošalji SMS poruku sa podacima o izabranoj osobi . . .", 6);
    // The export has no picture of its own: its button shows a word.
    ExpImeTB = ToolBar2->addAction(U("Izvoz"));
    ExpImeTB->setObjectName("ExpImeTB");
    ExpImeTB->setToolTip(U("Izvoz telefonskog imenika u . . ."));
    ExpImeTB->setData(60);
    BackupTB = Tool(ToolBar2, "BackupTB", 57, "Pohrana i povrat telefonskog imenika . . .", 70);
    OutlookCTB = Tool(ToolBar2, "OutlookCTB", 55, "Razmjena podataka:  Mapa kontakata", 80);
    ToolBar2->addSeparator();
    OsvjeziTB = Tool(ToolBar2, "OsvjeziTB", 20, "Osvježi telefonski imenik . . .");
    for (QAction* a : {IzmjenaImeTB, BrisanjeImeTB, PrebaciImeTB, PozoviBrojTB, NewSmsIme1TB,
                       NewSmsIme2TB, BackupTB})
        a->setEnabled(false);

    connect(UpisImeTB, &QAction::triggered, this, [this] { UpisImeTBClick(); });
    connect(IzmjenaImeTB, &QAction::triggered, this, [this] { IzmjenaImeTBClick(); });
    connect(BrisanjeImeTB, &QAction::triggered, this, [this] { BrisanjeImeTBClick(); });
    connect(PrebaciImeTB, &QAction::triggered, this, [this] { PrebaciImeTBClick(); });
    connect(PozoviBrojTB, &QAction::triggered, this, [this] { PozoviBrojTBClick(); });
    connect(OsvjeziTB, &QAction::triggered, this, [this] { OsvjeziTBClick(); });
    for (QAction* a : {NewSmsIme1TB, NewSmsIme2TB, BackupTB, OutlookCTB})
        connect(a, &QAction::triggered, this, [this, a] { RequestFromOthers(a->data().toInt()); });
}

// The export button: its menu on the arrow, the CSV export on a click.
void TImenikPage::BuildExportButton() {
    ExpImePopup = new widgets::TPaintedMenu(this);
    ExpImePopup->setObjectName("ExpImePopup");
    auto exportItem = [this](const char* name, const char* caption, void (TImenikPage::*run)()) {
        QAction* a = controls::MenuItem(ExpImePopup, name, U(caption));
        connect(a, &QAction::triggered, this, run);
        return a;
    };
    CommaSeparatedValuesCSV1 =
        exportItem("CommaSeparatedValuesCSV1", "&Comma Separated Values   (*.csv)",
                   &TImenikPage::CommaSeparatedValuesCSV1Click);
    ExtendedMarkupLanguageXML1 =
        exportItem("ExtendedMarkupLanguageXML1", "&Extended Markup Language   (*.xml)",
                   &TImenikPage::ExtendedMarkupLanguageXML1Click);
    vCardVCF1 = exportItem("vCardVCF1", "&Business Card   (*.vcf)", &TImenikPage::vCardVCF1Click);
    QFont bold = CommaSeparatedValuesCSV1->font();
    bold.setBold(true);
    CommaSeparatedValuesCSV1->setFont(bold);
    ExpImePopup->setDefaultAction(CommaSeparatedValuesCSV1);
    ExpImeTB->setMenu(ExpImePopup);
    if (auto* button = qobject_cast<QToolButton*>(ToolBar2->widgetForAction(ExpImeTB)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    connect(ExpImeTB, &QAction::triggered, this, [this] { CommaSeparatedValuesCSV1Click(); });
}

void TImenikPage::BuildList() {
    ImenikList = controls::ReportList(
        this, "ImenikList", {U("Naziv osobe"), U("Telefonski broj"), U("Lokacija"), U("Pozicija")});
    ImenikList->setGeometry(4, 30, 512, 356);
    ImenikList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ImenikList->setSelectionMode(QAbstractItemView::SingleSelection);
    ImenikList->setIconSize(QSize(16, 16));
    ImenikList->headerItem()->setTextAlignment(3, Qt::AlignCenter);
    ImenikList->header()->setSectionsClickable(true);
    ImenikList->header()->setStretchLastSection(false);
    for (auto [col, width] : {std::pair{0, 190}, {1, 139}, {2, 112}, {3, 58}})
        ImenikList->setColumnWidth(col, width);
    ImenikList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ImenikList, &QTreeWidget::itemSelectionChanged, this, [this] { ImenikListChange(); });
    connect(ImenikList, &QTreeWidget::itemDoubleClicked, this, [this] { ImenikListDblClick(); });
    connect(ImenikList->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { ImenikListColumnClick(column); });
    ImenikList->installEventFilter(this);
    ImenikList->viewport()->installEventFilter(this);
}

QAction* TImenikPage::EntryItem(QMenu* menu, const char* name, const char* caption, int tag,
                                int image) {
    QAction* a = controls::MenuItem(menu, name, U(caption), image);
    a->setData(tag);
    connect(a, &QAction::triggered, this, [this, tag] { Izmjenapodataka1Click(tag); });
    return a;
}

// The list's right-click menu: the commands on the entry, by Tag.
void TImenikPage::BuildPopup() {
    ImenikPopup = new widgets::TPaintedMenu(this);
    ImenikPopup->setObjectName("ImenikPopup");
    EntryItem(ImenikPopup, "Izmjenapodataka1", "Izmjeni podatake o osobi . . .", 1, 7);
    EntryItem(ImenikPopup, "Izbrisiosobu1", "Izbriši osobu . . .", 2, 8);
    EntryItem(ImenikPopup, "Promjenilokaciju1", "Promjeni lokaciju . . .", 3, 36);
    ImenikPopup->addSeparator();
    EntryItem(ImenikPopup, "Pozoviosobu1", "Pozovi osobu . . .", 4, 28);
    QMenu* sms = ImenikPopup->addMenu(SmallIcon(21), U("Pošalji SMS poruku"));
    sms->menuAction()->setObjectName("PosaljiSMSporuku1");
    EntryItem(sms, "izabranojosobi1", ". . . izabranoj osobi", 5);
    EntryItem(sms, "sapodacimaoizabranojosobi1", ". . . sa podacima o izabranoj osobi", 6);
    ImenikPopup->addSeparator();
    EntryItem(ImenikPopup, "SnimikaoBusinessCard1", "Snimi kao \"Business Card\" . . .", 7);
    QMenu* outlook = ImenikPopup->addMenu(SmallIcon(55), U("Snimi u mapu kontakata"));
    outlook->menuAction()->setObjectName("SnimiuOutlookContacts1");
    AddContactFields(outlook, {"Kuca1", "Mobitel1", "Posao11", "Posao21", "Firma1"});
    connect(ImenikList, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        ImenikPopup->popup(ImenikList->viewport()->mapToGlobal(p));
    });
}

// The contacts folder's fields, Tag 10 to 50, each item by its name.
void TImenikPage::AddContactFields(QMenu* menu, const std::array<const char*, 5>& names) {
    const char* captions[] = {"Kuća", "Mobitel", "Posao 1", "Posao 2", "Firma"};
    for (std::size_t k = 0; k < names.size(); ++k)
        EntryItem(menu, names[k], captions[k], 10 * static_cast<int>(k + 1));
}

// The summary line under the list: the view, the capacity, the entries and
// the free places.
void TImenikPage::BuildSummary() {
    int x = 4;
    for (auto [label, name, w] : {std::tuple{&SBTPrikazLab, "SBTPrikazLab", 200},
                                  {&SBTKapacitetLab, "SBTKapacitetLab", 104},
                                  {&SBTUpisanoLab, "SBTUpisanoLab", 104},
                                  {&SBTSlobodnoLab, "SBTSlobodnoLab", 100}}) {
        *label = controls::Label(this, name, {}, QRect(x, 390, w - 2, 20));
        (*label)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        x += w;
    }
}

TImenikPage::~TImenikPage() = default;

void TImenikPage::FillMenu(QMenu* menu) {
    if (menu == nullptr) return;
    auto sub = [menu](QMenu* parent, const char* name, const char* caption) {
        auto* m = new widgets::TPaintedMenu(U(caption), menu);
        m->menuAction()->setObjectName(name);
        parent->addMenu(m);
        return m;
    };
    QAction* refresh = controls::MenuItem(menu, "Osvjezipodatke1", U("Osvježi podatke"));
    connect(refresh, &QAction::triggered, this, [this] { OsvjeziTBClick(); });
    menu->addSeparator();
    QAction* add = controls::MenuItem(menu, "Upisnoveosobe1", U("Upiši novu osobu . . ."));
    connect(add, &QAction::triggered, this, [this] { UpisImeTBClick(); });
    Izmjenipodatke2 = EntryItem(menu, "Izmjenipodatke2", "Izmjeni podatake o osobi . . .", 1);
    Izbrisiosobu2 = EntryItem(menu, "Izbrisiosobu2", "Izbriši osobu . . .", 2);
    Promjenilokaciju2 = EntryItem(menu, "Promjenilokaciju2", "Promjeni lokaciju . . .", 3);
    menu->addSeparator();
    Pozoviosobu2 = EntryItem(menu, "Pozoviosobu2", "Pozovi osobu . . .", 4);
    QMenu* sms = sub(menu, "PosaljiSMSporuku2", "Pošalji SMS poruku");
    PosaljiSMSporuku2 = sms->menuAction();
    EntryItem(sms, "izabranojosobi2", ". . . izabranoj osobi", 5);
    EntryItem(sms, "sapodacimaoizabranojosobi2", ". . . sa podacima o izabranoj osobi", 6);
    menu->addSeparator();
    QMenu* save = sub(menu, "Snimi1", "Snimi osobu");
    kaoBusinessCard1 = EntryItem(save, "kaoBusinessCard1", ". . . kao \"Business Card\"", 7);
    QMenu* outlook = sub(save, "uOutlookContacts1", ". . . u \"Mapa kontakata\"");
    uOutlookContacts1 = outlook->menuAction();
    AddContactFields(outlook, {"Kua2", "Mobitel3", "Posao13", "Posao23", "Firma3"});
    menu->addSeparator();
    Pohranaipovratpodataka1 =
        controls::MenuItem(menu, "Pohranaipovratpodataka1", U("Pohrana i povrat podataka . . ."));
    connect(Pohranaipovratpodataka1, &QAction::triggered, this, [this] { RequestFromOthers(70); });
    RazmjenapodatakaOutlookContacts1 = controls::MenuItem(
        menu, "RazmjenapodatakaOutlookContacts1", U("Razmjena podataka:  Mapa kontakata"), 55);
    connect(RazmjenapodatakaOutlookContacts1, &QAction::triggered, this,
            [this] { RequestFromOthers(80); });
    ImenikListChange();
}

std::vector<QAction*> TImenikPage::RowMenuItems() const {
    if (Izmjenipodatke2 == nullptr) return {};
    return {Izmjenipodatke2,   Izbrisiosobu2,    Promjenilokaciju2, Pozoviosobu2,
            PosaljiSMSporuku2, kaoBusinessCard1, uOutlookContacts1};
}

// --- the engine's view ------------------------------------------------------

void TImenikPage::ClearPhonebookRows() {
    ViewTB[0]->setChecked(true);
    viewTag_ = 0;
    const bool blocked = ImenikList->blockSignals(true);
    ImenikList->clear();
    ImenikList->blockSignals(blocked);
    phonebookIndex_ = -1;
}

void TImenikPage::AddPhonebookRow(const PhonebookRow& row) {
    auto* item = new QTreeWidgetItem(QStringList{FromAnsi(row.Caption), FromAnsi(row.Number),
                                                 FromAnsi(row.Memory), FromAnsi(row.Position)});
    item->setIcon(0, SmallIcon(row.Image));
    item->setData(0, kImageRole, row.Image);
    KeepRecordKey(*item, row.Memory, row.Position);
    item->setData(0, kNameWholeRole, filling_ && viewTag_ == 4);
    item->setTextAlignment(3, Qt::AlignCenter);
    ImenikList->addTopLevelItem(item);
    // A row of a read: the summary counts it at once.
    if (!filling_) ShowSummary();
}

void TImenikPage::SortPhonebookRows() {
    // The end of a read: the rows are all there.
    SortListRows(ImenikList, SharedListSort());
    const bool rows = ImenikList->topLevelItemCount() > 0;
    for (QAction* a : {IzmjenaImeTB, BrisanjeImeTB, PrebaciImeTB, PozoviBrojTB})
        a->setEnabled(rows);
    ShowSummary();
}

void TImenikPage::SetPhonebookViewEnabled(PhonebookMemory memory, bool enabled) {
    const int index = MemoryIndex(memory);
    if (index >= 1 && index <= 4) ViewTB[static_cast<std::size_t>(index)]->setEnabled(enabled);
}

void TImenikPage::ShowPhonebookSummary(const PhonebookCapacities& c) {
    const int capacity = viewTag_ == 1   ? c.Sim
                         : viewTag_ == 2 ? c.Phone
                         : viewTag_ == 3 ? c.Own
                         : viewTag_ == 4 ? c.Service
                                         : c.Sim + c.Phone + c.Own + c.Service;
    const int n = ImenikList->topLevelItemCount();
    SBTPrikazLab->setText(U(" Applied view:  ") +
                          U(kViews[static_cast<std::size_t>(viewTag_)].shown));
    SBTUpisanoLab->setText(U(" Entries:  ") + QString::number(n));
    // The capacities are known from a read's start: unknown only while the
    // list is the cache's or a read stopped short.
    if (engine_.PhonebookLoaded() || engine_.PhonebookReadRunning()) {
        SBTKapacitetLab->setText(U(" Capacity:  ") + QString::number(capacity));
        SBTSlobodnoLab->setText(U(" Free:  ") + QString::number(capacity - n));
    } else {
        SBTKapacitetLab->setText(U(" Capacity:  ???"));
        SBTSlobodnoLab->setText(U(" Free:  ???"));
    }
}

void TImenikPage::ShowSummary() {
    ShowPhonebookSummary({engine_.PhonebookCapacity(PhoneMemory::Sim),
                          engine_.PhonebookCapacity(PhoneMemory::Phone),
                          engine_.PhonebookCapacity(PhoneMemory::Own),
                          engine_.PhonebookCapacity(PhoneMemory::Service)});
}

void TImenikPage::ReapplyPhonebookFilter() { AllNumTBClick(viewTag_); }

void TImenikPage::FocusFirstPhonebookRow(bool onlyWhenActive) {
    // The page shown gets its first row; the focus only when the window may take it.
    if (!isVisible()) return;
    if (!onlyWhenActive || window()->isActiveWindow()) ImenikList->setFocus();
    if (ImenikList->topLevelItemCount() == 0) return;
    QTreeWidgetItem* first = ImenikList->topLevelItem(0);
    ImenikList->setCurrentItem(first);
    first->setSelected(true);
    ImenikList->scrollToItem(first);
    phonebookIndex_ = 0;
}

void TImenikPage::PhonebookEntrySaved(const std::string& name, const std::string& number,
                                      const std::string& position) {
    (void)name;
    emit EntrySaved();
    for (int i = 0; i < ImenikList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = ImenikList->topLevelItem(i);
        const auto entry = EntryOf(row);
        if (entry && entry->record->Phone == number && entry->record->Position == position) {
            ImenikList->setCurrentItem(row);
            row->setSelected(true);
            ImenikList->scrollToItem(row);
            phonebookIndex_ = i;
            return;
        }
    }
}

// --- view filter, selection, sorting ----------------------------------------

void TImenikPage::AllNumTBClick(int tag) {
    if (tag < 0 || tag > 4) return;
    filling_ = true;
    viewTag_ = tag;
    ViewTB[static_cast<std::size_t>(tag)]->setChecked(true);
    const bool blocked = ImenikList->blockSignals(true);
    ImenikList->clear();
    const QString memory = tag == 0 ? QString() : U(kViews[static_cast<std::size_t>(tag)].shown);
    for (const AListIme& e : engine_.PhonebookList()) {
        const QString location = FromAnsi(e.Location);
        if (tag != 0 && location != memory) continue;
        PhonebookRow row{e.Name, e.Phone, e.Location, e.Position, kImageEntry};
        if (tag == 4) {
            row.Image = kImageService;
        } else if (!e.Name.empty() && e.Name.back() == '!') {
            row.Caption.pop_back();
            row.Image = kImageVip;
        }
        AddPhonebookRow(row);
    }
    SortListRows(ImenikList, SharedListSort());
    ImenikList->blockSignals(blocked);
    const bool rows = ImenikList->topLevelItemCount() > 0;
    for (QAction* a : {IzmjenaImeTB, BrisanjeImeTB, PrebaciImeTB, PozoviBrojTB})
        a->setEnabled(rows);
    ShowSummary();
    filling_ = false;
    phonebookIndex_ = -1;
    if (isVisible()) {
        ImenikList->setFocus();
        if (rows) {
            QTreeWidgetItem* first = ImenikList->topLevelItem(0);
            ImenikList->setCurrentItem(first);
            first->setSelected(true);
            ImenikList->scrollToItem(first);
            phonebookIndex_ = 0;
        }
    }
}

void TImenikPage::ImenikListChange() {
    QTreeWidgetItem* current = ImenikList->currentItem();
    if (current != nullptr && current->isSelected())
        phonebookIndex_ = ImenikList->indexOfTopLevelItem(current);
    const bool sel = ImenikList->topLevelItemCount() > 0 && !ImenikList->selectedItems().isEmpty();
    for (QAction* a :
         {IzmjenaImeTB, BrisanjeImeTB, PrebaciImeTB, NewSmsIme1TB, NewSmsIme2TB, BackupTB})
        a->setEnabled(sel);
    PozoviBrojTB->setEnabled(sel && !engine_.InCall());
    for (QAction* a : ImenikPopup->actions()) {
        const QString name = a->objectName();
        if (name == "Pozoviosobu1") a->setEnabled(PozoviBrojTB->isEnabled());
        else if (name == "SnimiuOutlookContacts1") a->setEnabled(sel && OutlookCTB->isEnabled());
        else if (!name.isEmpty()) a->setEnabled(sel);
    }
    QAction* outlookItem = nullptr;
    for (QAction* a : ImenikPopup->actions())
        if (a->objectName() == "SnimiuOutlookContacts1") outlookItem = a;
    if (Izmjenipodatke2 != nullptr) {
        // The main menu's items on an entry are the page's only while it is
        // shown (a row chosen by a save from another page leaves them off).
        const bool shown = controls::IsPageShown(this);
        for (QAction* a : {Izmjenipodatke2, Izbrisiosobu2, Promjenilokaciju2, PosaljiSMSporuku2,
                           kaoBusinessCard1})
            a->setEnabled(sel && shown);
        Pozoviosobu2->setEnabled(PozoviBrojTB->isEnabled() && shown);
        uOutlookContacts1->setEnabled(outlookItem != nullptr && outlookItem->isEnabled() && shown);
        Pohranaipovratpodataka1->setEnabled(BackupTB->isEnabled());
        RazmjenapodatakaOutlookContacts1->setEnabled(OutlookCTB->isEnabled());
    }
    ShowSummary();
}

QTreeWidgetItem* TImenikPage::SelectIndexRow() {
    if (phonebookIndex_ < 0 || phonebookIndex_ >= ImenikList->topLevelItemCount()) return nullptr;
    QTreeWidgetItem* row = ImenikList->topLevelItem(phonebookIndex_);
    if (!row->isSelected() || ImenikList->currentItem() != row) {
        ImenikList->setCurrentItem(row);
        row->setSelected(true);
    }
    return row;
}

void TImenikPage::ImenikListClick() { SelectIndexRow(); }

void TImenikPage::ImenikListDblClick() {
    SelectIndexRow();
    if (IzmjenaImeTB->isEnabled()) IzmjenaImeTBClick();
}

void TImenikPage::ImenikListColumnClick(int column) {
    if (ListColumnClick(ImenikList, column, SharedListSort())) {
        QTreeWidgetItem* current = ImenikList->currentItem();
        if (current != nullptr && current->isSelected())
            phonebookIndex_ = ImenikList->indexOfTopLevelItem(current);
    }
}

bool TImenikPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ImenikList && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        BrisanjeImeTBClick();
        return true;
    }
    // After the list has handled the click (which on empty space drops the
    // selection).
    if (watched == ImenikList->viewport() && event->type() == QEvent::MouseButtonRelease)
        QMetaObject::invokeMethod(
            this, [this] { ImenikListClick(); }, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

// --- commands -----------------------------------------------------------------

bool TImenikPage::RefuseUnloaded(const char* caption) {
    if (engine_.PhonebookLoaded()) return false;
    Inform(window(), U(caption), U(kFirstRefresh));
    return true;
}

void TImenikPage::NewEntryWithNumber(const QString& number) {
    upis_->FillIn({}, number);
    numberPreset_ = true;
    UpisImeTBClick();
}

void TImenikPage::NewEntryFromContact(const QString& name, const QString& number) {
    upis_->FillIn(name, number);
    fromOutlookContact_ = true;
    UpisImeTBClick();
}

void TImenikPage::UpisImeTBClick() {
    // A contact's pre-fill is for this command only, even when it refuses.
    const bool fromOutlook = std::exchange(fromOutlookContact_, false);
    if (!engine_.Connected() || RefuseUnloaded("New entry")) return;
    upis_->setWindowTitle(U("New entry - Phonebook"));
    QString name;
    if (fromOutlook) {
        numberPreset_ = true;
        name = upis_->Name();
    }
    const QString number = numberPreset_ ? upis_->Number() : QString();
    upis_->PrepareNew(name, number);
    execDialog_(*upis_);
    // A number filled in by another page is used once: cancelled or saved,
    // the next new entry starts empty.
    numberPreset_ = false;
}

void TImenikPage::EditEntry(bool move) {
    if (!engine_.Connected() || RefuseUnloaded(move ? "Change location" : "Edit entry")) return;
    const auto entry = EntryOf(SelectIndexRow());
    if (!entry) return;
    if (entry->record->Location == MemoryCaption(PhoneMemory::Service)) {
        Inform(window(), U("Information"),
               U(move ? "Cannot change location for service numbers"
                      : "Cannot edit service numbers!"));
        return;
    }
    upis_->setWindowTitle(U(move ? "Change location - Phonebook" : "Edit entry - Phonebook"));
    upis_->PrepareEdit(*entry->record, entry->caption, entry->image == kImageVip, move);
    execDialog_(*upis_);
}

void TImenikPage::IzmjenaImeTBClick() { EditEntry(false); }

void TImenikPage::PrebaciImeTBClick() { EditEntry(true); }

void TImenikPage::BrisanjeImeTBClick() {
    if (!engine_.Connected() || RefuseUnloaded("Delete entry")) return;
    const auto entry = EntryOf(SelectIndexRow());
    if (!entry) return;
    const auto memory = PhonebookMemoryFromCaption(entry->record->Location);
    if (!memory || !IsWritable(*memory)) {
        Inform(window(), U("Information"), U("Cannot delete service numbers!"));
        return;
    }
    const QString text = U("Name:  ") + entry->caption + "\r" + U("Phone number:   ") +
                         FromAnsi(entry->record->Phone) + "\r\r" +
                         U("Delete entry from mobile phonebook?");
    if (Ask(window(), U("Delete entry"), text) != DialogResult::Yes) return;
    engine_.DeletePhonebookEntry(*memory, PlainPosition(FromAnsi(entry->record->Position)));
}

void TImenikPage::PozoviBrojTBClick() {
    if (!engine_.Connected()) return;
    SelectIndexRow();
    const auto entry = SelectedEntry();
    if (entry) emit DialRequested(entry->caption, FromAnsi(entry->record->Phone));
    else emit DialRequested({}, {});
}

void TImenikPage::OsvjeziTBClick() {
    if (!engine_.Connected() || engine_.PhonebookEmpty()) return;
    if (Ask(window(), U("Refresh phonebook"), U("Read entries from mobile phonebook again?")) ==
        DialogResult::Yes)
        engine_.RefreshPhonebook();
}

void TImenikPage::Izmjenapodataka1Click(int tag) {
    if (!engine_.Connected()) return;
    switch (tag) {
        case 1: IzmjenaImeTBClick(); break;
        case 2: BrisanjeImeTBClick(); break;
        case 3: PrebaciImeTBClick(); break;
        case 4: PozoviBrojTBClick(); break;
        case 7: SnimikaoBusinessCard1Click(); break;
        case 5:
        case 6:
        case 10:
        case 20:
        case 30:
        case 40:
        case 50: RequestFromOthers(tag); break;
        default: break;
    }
}

void TImenikPage::RequestFromOthers(int tag) {
    if (tag == 70) {
        emit BackupRequested();
        return;
    }
    if (tag == 80) {
        emit ContactsExchangeRequested();
        return;
    }
    if (tag == 5 || tag == 6) {
        const auto entry = SelectedEntry();
        if (!entry) return;
        const QString number = FromAnsi(entry->record->Phone);
        if (tag == 5) emit NewSmsRequested(entry->caption, number, entry->image);
        else emit NewSmsWithEntryRequested(entry->caption, number);
        return;
    }
    // The contacts folder's fields: the current row, selected or not.
    if (tag >= 10 && tag <= 50 && tag % 10 == 0) {
        if (const auto entry = EntryOf(ImenikList->currentItem()))
            emit SaveToContactsRequested(entry->caption, FromAnsi(entry->record->Phone), tag);
    }
}

std::optional<TImenikPage::ShownEntry> TImenikPage::EntryOf(const QTreeWidgetItem* row) const {
    if (row == nullptr) return std::nullopt;
    for (const AListIme& e : engine_.PhonebookList()) {
        if (!HoldsRecord(*row, e.Location, e.Position)) continue;
        std::string caption = e.Name;
        if (!row->data(0, kNameWholeRole).toBool() && !caption.empty() && caption.back() == '!')
            caption.pop_back();
        return ShownEntry{&e, FromAnsi(caption), row->data(0, kImageRole).toInt()};
    }
    return std::nullopt;
}

std::optional<TImenikPage::ShownEntry> TImenikPage::SelectedEntry() const {
    const auto rows = ImenikList->selectedItems();
    if (rows.isEmpty()) return std::nullopt;
    return EntryOf(rows.front());
}

// --- exports ----------------------------------------------------------------------

std::vector<exchange::PhonebookFileEntry> TImenikPage::ExportEntries() const {
    std::vector<exchange::PhonebookFileEntry> entries;
    for (const AListIme& e : engine_.PhonebookList())
        entries.push_back({e.Name, e.Phone, e.Location, e.Position});
    return entries;
}

void TImenikPage::CommaSeparatedValuesCSV1Click() {
    const QString file =
        FileChoice().ListFile(window(), U("Export phonebook to . . ."), dataDir_, CsvFiles());
    if (file.isEmpty()) return;
    WrittenOrReported(window(), exchange::ExportPhonebookCsv(file.toStdString(), ExportEntries()));
}

void TImenikPage::ExtendedMarkupLanguageXML1Click() {
    const QString file =
        FileChoice().ListFile(window(), U("Export phonebook to . . ."), dataDir_, XmlFiles());
    if (file.isEmpty()) return;
    WrittenOrReported(window(), exchange::ExportPhonebookXml(file.toStdString(), ExportEntries()));
}

void TImenikPage::vCardVCF1Click() {
    MakeExportFolder(dataDir_);
    const QString folder =
        FileChoice().Folder(window(), U("Choose folder where you want to export phonebook . . ."));
    if (folder.isEmpty()) return;
    WrittenOrReported(window(),
                      exchange::ExportPhonebookVCards(folder.toStdString(), ExportEntries()));
}

void TImenikPage::SnimikaoBusinessCard1Click() {
    const auto entry = EntryOf(SelectIndexRow());
    if (!entry) return;
    // The name as the row shows it: without the VIP "!".
    const std::string name = ToAnsi(entry->caption);
    const QString file =
        FileChoice().ItemFile(window(), U("Save as \"Business Card\" to . . ."), dataDir_,
                              FromAnsi(exchange::ExportFileStem(name)), BusinessCardFiles());
    if (file.isEmpty()) return;
    if (WrittenOrReported(
            window(), exchange::SaveEntryAsVCard(file.toStdString(), name, entry->record->Phone)))
        emit StatusMessage("Phonebook entry succesfully saved as \"Business Card\"!");
}

// --- what other windows set ------------------------------------------------------

void TImenikPage::SetDialEnabled(bool enabled) { PozoviBrojTB->setEnabled(enabled); }

void TImenikPage::SetContactsExchangeAvailable(bool available) {
    OutlookCTB->setEnabled(available);
    if (RazmjenapodatakaOutlookContacts1 != nullptr)
        RazmjenapodatakaOutlookContacts1->setEnabled(OutlookCTB->isEnabled());
}

bool TImenikPage::ContactsExchangeAvailable() const { return OutlookCTB->isEnabled(); }

}  // namespace parlenko::ui

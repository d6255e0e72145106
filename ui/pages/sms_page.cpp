#include "ui/pages/sms_page.h"

#include "components/widgets/elided_label.h"
#include "components/widgets/flat_panel.h"
#include "components/widgets/menu_painter.h"
#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/text/sms_counts.h"
#include "ui/artwork/small_images.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/message_dialog.h"
#include "ui/controls/row_record.h"
#include "ui/dialogs/new_sms_form.h"
#include "ui/dialogs/sms_form.h"
#include "ui/dialogs/sms_mem_form.h"

#include <QAction>
#include <QDateTime>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <span>
#include <vector>

namespace parlenko::ui {
namespace {

using controls::SmallIcon;

constexpr int kImageRole = Qt::UserRole;
// An inbox row's date and time as the inbox sorts them, converted once when
// the row comes; none when they do not convert.
constexpr int kInboxKeyRole = Qt::UserRole + 3;
constexpr int kImageReply = 22;
constexpr int kImageNew = 21;
constexpr int kImageEdit = 7;
constexpr int kImageDelete = 8;
constexpr int kImageSend = 23;
constexpr int kImageAdd = 6;
constexpr int kImageDial = 28;
constexpr int kImageRefresh = 20;

struct Answer {
    int tag;
    const char* caption;
    const char* text;
};
constexpr std::array<Answer, 4> kQuickAnswers = {{
    {1, "Odgovor je &DA!", "Answer is YES!"},
    {2, "Odgovor je &NE!", "Answer is NO!"},
    {3, "Molim te, nazovi &ponovo!", "Please, call again!"},
    {4, "&Zakasnit ću!", "I'll be late!"},
}};
constexpr std::array<Answer, 3> kTemplates = {{
    {1, "&Kašnjenje", "Sorry,\r\ni'll be late\r\n-- minutes\r\non --!"},
    {2, "&Sastanak", "Can we meet?\r\nPlace: --\r\nTime: --"},
    {3, "&Godišnjica", "Dear --\r\ncongratulations\r\nfor your --\r\nfrom --!"},
}};

// A tool button, off until a message is chosen. A press must not take the
// focus from the list: leaving the list disables these buttons.
QAction* Tool(QToolBar* bar, const char* name, int image, const char* hint) {
    QAction* a = controls::Tool(bar, name, image, U(hint));
    a->setEnabled(false);
    if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(a)))
        b->setFocusPolicy(Qt::NoFocus);
    return a;
}

QTreeWidget* MakeList(QWidget* parent, const char* name, const QStringList& captions,
                      const QRect& r) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setGeometry(r);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setIconSize(QSize(16, 16));
    list->setUniformRowHeights(true);
    list->setHeaderLabels(captions);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->header()->setSectionResizeMode(QHeaderView::Fixed);
    list->setColumnWidth(0, 168);
    list->setColumnWidth(1, 70);
    // The other columns hold the message's fields as text, hidden.
    for (int c = 2; c < captions.size(); ++c) list->setColumnHidden(c, true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

std::optional<QDateTime> InboxKey(const AListSMS& m) {
    const QDateTime key =
        QDateTime::fromString(FromAnsi(m.Date) + " " + FromAnsi(m.Time), "dd.MM.yyyy hh:mm:ss");
    if (!key.isValid()) return std::nullopt;
    return key;
}

std::optional<QDateTime> InboxKey(const QTreeWidgetItem& row) {
    const QVariant key = row.data(0, kInboxKeyRole);
    if (!key.isValid()) return std::nullopt;
    return key.toDateTime();
}

// The inbox's order: 1 when a sorts after b, -1 when before, 0 when equal.
int CompareInboxKeys(const std::optional<QDateTime>& a, const std::optional<QDateTime>& b) {
    if (!a && !b) return 0;
    if (!a) return 1;
    if (!b) return -1;
    if (*a < *b) return 1;
    if (*b < *a) return -1;
    return 0;
}

std::optional<PhoneMemory> MessageMemory(const QString& caption) {
    for (PhoneMemory m : {PhoneMemory::Sim, PhoneMemory::Phone})
        if (caption == FromAnsi(MemoryCaption(m))) return m;
    return std::nullopt;
}

// A list's header: its picture and caption on a flat panel, the count of
// its messages on the right.
std::pair<widgets::TFlatPanel*, QLabel*> ListHeader(QWidget* page, const char* name,
                                                    const char* countName, const char* caption,
                                                    int image, int y) {
    auto* panel = controls::Placed(new widgets::TFlatPanel(page), name, QRect(4, y, 258, 22));
    panel->SetCaption(QString(12, ' ') + U(caption));
    panel->SetAlignment(widgets::TAlignment::taLeftJustify);
    panel->SetColor(widgets::RGBColor(0xEE, 0xE6, 0xD2));
    controls::SmallPicture(panel, image, QPoint(6, 3));
    QLabel* count = controls::Label(panel, countName, "(0/0 novih)", QRect(120, 1, 132, 20));
    count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return {panel, count};
}

QToolBar* ListToolBar(QWidget* page, const char* name, int y) {
    auto* bar = controls::Placed(new QToolBar(page), name, QRect(4, y, 258, 26));
    bar->setIconSize(QSize(16, 16));
    return bar;
}

// A drop-down of a tool button: the default item, a separator, then the
// items by Tag.
struct DropDownItems {
    const char* name;
    const char* defaultItem;
    int image;
    const char* caption;
    void (TSmsPage::*onDefault)();
    std::span<const Answer> tagged;
    void (TSmsPage::*onTagged)(int tag);
};
QMenu* DropDown(TSmsPage* page, QToolBar* bar, QAction* tool, const DropDownItems& items) {
    QMenu* menu = new widgets::TPaintedMenu(page);
    menu->setObjectName(items.name);
    QAction* first = menu->addAction(SmallIcon(items.image), U(items.caption));
    first->setObjectName(items.defaultItem);
    menu->setDefaultAction(first);
    QObject::connect(first, &QAction::triggered, page, items.onDefault);
    menu->addSeparator();
    for (const Answer& a : items.tagged) {
        QAction* item = menu->addAction(U(a.caption));
        item->setData(a.tag);
        QObject::connect(item, &QAction::triggered, page,
                         [page, tag = a.tag, run = items.onTagged] { (page->*run)(tag); });
    }
    tool->setMenu(menu);
    if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(tool)))
        b->setPopupMode(QToolButton::MenuButtonPopup);
    return menu;
}

}  // namespace

TSmsPage::TSmsPage(PhoneEngine& engine, QWidget* mainWindow, QWidget* parent)
    : QWidget(parent), engine_(engine) {
    setObjectName("SmsPage");
    BuildHeaders();
    BuildInboxTools();
    BuildOutboxTools();
    BuildDropDowns();
    ConnectTools();
    BuildLists();
    BuildPanel();
    SmsForm = new TSmsForm(engine_, mainWindow);
    SmsMemForm = new TSmsMemForm(engine_, mainWindow);
    NewSmsForm = new TNewSmsForm(engine_, mainWindow);
    connect(NewSmsForm, &TNewSmsForm::ReplyRequested, this,
            [this](const QString& name, const QString& number) {
                SmsForm->PrepareReply(name, number);
                ExecCompose();
            });
}

// The two lists' headers.
void TSmsPage::BuildHeaders() {
    std::tie(inbox_.header, inbox_.count) =
        ListHeader(this, "FlatPanel3", "CountSmsInLab", "Dolazne poruke", 26, 2);
    std::tie(outbox_.header, outbox_.count) =
        ListHeader(this, "FlatPanel4", "CountSmsOutLab", "Odlazne poruke", 27, 206);
}

// The inbox's tool bar.
void TSmsPage::BuildInboxTools() {
    QToolBar* bar = inbox_.tools = ListToolBar(this, "ToolBarIn", 25);
    ReplySmsTB = Tool(bar, "ReplySmsTB", kImageReply, "Odgovori na poruku . . .");
    IzmjenaSmsInTB = Tool(bar, "IzmjenaSmsInTB", kImageEdit, "Izmjeni sadržaj poruke . . .");
    BrisanjeSmsInTB = Tool(bar, "BrisanjeSmsInTB", kImageDelete, "Izbriši poruku . . .");
    bar->addSeparator();
    AddPhoneSmsInTB =
        Tool(bar, "AddPhoneSmsInTB", kImageAdd, "Dodaj pošiljatelja u telefonski imenik . . .");
    DialPhoneSmsInTB = Tool(bar, "DialPhoneSmsInTB", kImageDial, "Pozovi telefonski broj . . .");
    bar->addSeparator();
    OsvjeziSmsInTB = Tool(bar, "OsvjeziSmsInTB", kImageRefresh, "Osvježi popis poruka . . .");
    OsvjeziSmsInTB->setEnabled(true);
}

// The outbox's tool bar.
void TSmsPage::BuildOutboxTools() {
    QToolBar* bar = outbox_.tools = ListToolBar(this, "ToolBarOut", 229);
    NovaSmsTB = Tool(bar, "NovaSmsTB", kImageNew, "Napiši novu poruku . . .");
    NovaSmsTB->setEnabled(true);
    IzmjenaSmsOutTB = Tool(bar, "IzmjenaSmsOutTB", kImageEdit, "Izmjeni sadržaj poruke . . .");
    BrisanjeSmsOutTB = Tool(bar, "BrisanjeSmsOutTB", kImageDelete, "Izbriši poruku . . .");
    SlanjeSmsOutTB = Tool(bar, "SlanjeSmsOutTB", kImageSend, "Pošalji poruku . . .");
    bar->addSeparator();
    AddPhoneSmsOutTB =
        Tool(bar, "AddPhoneSmsOutTB", kImageAdd, "Dodaj primatelja u telefonski imenik . . .");
    DialPhoneSmsOutTB = Tool(bar, "DialPhoneSmsOutTB", kImageDial, "Pozovi telefonski broj . . .");
    bar->addSeparator();
    OsvjeziSmsOutTB = Tool(bar, "OsvjeziSmsOutTB", kImageRefresh, "Osvježi popis poruka . . .");
    OsvjeziSmsOutTB->setEnabled(true);
}

void TSmsPage::BuildDropDowns() {
    ReplySmsPopup =
        DropDown(this, inbox_.tools, ReplySmsTB,
                 {"ReplySmsPopup", "Odgovorinaporuku1", kImageReply, "&Odgovori na poruku",
                  &TSmsPage::Odgovorinaporuku1Click, kQuickAnswers, &TSmsPage::OdgovorjeDA1Click});
    NewSmsPopup = DropDown(this, outbox_.tools, NovaSmsTB,
                           {"NewSmsPopup", "Novaporuka1", kImageNew, "&Nova poruka",
                            &TSmsPage::Novaporuka1Click, kTemplates, &TSmsPage::Zakasnjenje1Click});
}

void TSmsPage::ConnectTools() {
    connect(ReplySmsTB, &QAction::triggered, this, [this] { Odgovorinaporuku1Click(); });
    connect(NovaSmsTB, &QAction::triggered, this, [this] { Novaporuka1Click(); });
    for (QAction* a : {IzmjenaSmsInTB, IzmjenaSmsOutTB})
        connect(a, &QAction::triggered, this, [this] { IzmjenaSmsInTBClick(); });
    for (QAction* a : {BrisanjeSmsInTB, BrisanjeSmsOutTB})
        connect(a, &QAction::triggered, this, [this] { BrisanjeSmsInTBClick(); });
    connect(SlanjeSmsOutTB, &QAction::triggered, this, [this] { SlanjeSmsOutTBClick(); });
    for (QAction* a : {AddPhoneSmsInTB, AddPhoneSmsOutTB})
        connect(a, &QAction::triggered, this, [this] { AddPhoneSmsInTBClick(); });
    for (QAction* a : {DialPhoneSmsInTB, DialPhoneSmsOutTB})
        connect(a, &QAction::triggered, this, [this] { DialPhoneSmsInTBClick(); });
    for (QAction* a : {OsvjeziSmsInTB, OsvjeziSmsOutTB})
        connect(a, &QAction::triggered, this, [this] { OsvjeziSmsInTBClick(); });
}

void TSmsPage::BuildLists() {
    inbox_.list = MakeList(this, "SMSListIn",
                           {U("Pošiljatelj"), U("Datum"), U("Pozicija"), U("SMS centar"),
                            U("Telefon"), U("Vrijeme"), U("Poruka"), U("Lokacija")},
                           QRect(4, 52, 258, 150));
    outbox_.list = MakeList(this, "SMSListOut",
                            {U("Primatelj"), U("Trajanje"), U("Pozicija"), U("SMS centar"),
                             U("Telefon"), U("Poruka"), U("Lokacija")},
                            QRect(4, 256, 258, 151));
    connect(inbox_.list, &QTreeWidget::itemSelectionChanged, this, [this] { SMSListInChange(); });
    connect(outbox_.list, &QTreeWidget::itemSelectionChanged, this, [this] { SMSListOutChange(); });
    for (QTreeWidget* list : {inbox_.list, outbox_.list}) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
}

// The detail panel: the message's particulars, its text and its length.
void TSmsPage::BuildPanel() {
    using namespace controls;
    QGroupBox* basics = Group(this, "GroupBox1", " Osnovni podaci:", QRect(266, 2, 250, 158));
    // Captions as wide as "Datum i vrijeme:", values as a date and a time.
    struct RowNames {
        const char* caption;
        const char* text;
        const char* value;
    };
    constexpr std::array<RowNames, kPanelRows> kRows{{
        {"Label16", "Pošiljatelj:", "Label24"},
        {"Label17", "Telefonski broj:", "Label25"},
        {"Label18", "Datum i vrijeme:", "Label26"},
        {"Label12", "SMS centar:", "Label23"},
        {"Label22", "Lokacija:", "Label27"},
        {"Label11", "Pozicija:", "Label21"},
    }};
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const int y = 20 + 22 * static_cast<int>(i);
        panelCaptions_[i] =
            ElidedLabel(basics, kRows[i].caption, kRows[i].text, QRect(6, y, 95, 19));
        panelValues_[i] = ElidedValue(basics, kRows[i].value, QRect(102, y, 144, 19));
    }

    QGroupBox* text = Group(this, "GroupBox2", " Tekst poruke:", QRect(266, 164, 250, 243));
    SMSMemo = Placed(new QPlainTextEdit(text), "SMSMemo", QRect(8, 20, 234, 192));
    SMSMemo->setReadOnly(true);
    SMSMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label28 = ElidedLabel(text, "Label28", "Dužina poruke:  0", QRect(8, 217, 234, 19));
    connect(SMSMemo, &QPlainTextEdit::textChanged, this, [this] { SMSMemoChange(); });
}

TSmsPage::~TSmsPage() {
    delete NewSmsForm;
    delete SmsMemForm;
    delete SmsForm;
}

void TSmsPage::BuildMenu(QMenu* smsMenu) {
    smsMenu->addSeparator();
    auto item = [this](QMenu* m, QAction*& field, const char* name, const char* caption, int image,
                       void (TSmsPage::*handler)()) {
        field = controls::MenuItem(m, name, U(caption), image);
        field->setEnabled(false);
        connect(field, &QAction::triggered, this, handler);
    };
    QMenu* in = smsMenu->addMenu(SmallIcon(26), U("Dolazne poruke"));
    in->menuAction()->setObjectName("Dolazneporuke1");
    item(in, Odgovorinaporuku2, "Odgovorinaporuku2", "Odgovori na poruku", kImageReply,
         &TSmsPage::Odgovorinaporuku1Click);
    item(in, Izmjenisadrzajporuke2, "Izmjenisadrzajporuke2", "Izmjeni sadržaj poruke", kImageEdit,
         &TSmsPage::IzmjenaSmsInTBClick);
    item(in, Izbrisiporuku2, "Izbrisiporuku2", "Izbriši poruku", kImageDelete,
         &TSmsPage::BrisanjeSmsInTBClick);
    in->addSeparator();
    item(in, Dodajosobuuimenik2, "Dodajosobuuimenik2", "Dodaj osobu u imenik", kImageAdd,
         &TSmsPage::AddPhoneSmsInTBClick);
    item(in, Pozoviosobu4, "Pozoviosobu4", "Pozovi osobu", kImageDial,
         &TSmsPage::DialPhoneSmsInTBClick);
    QMenu* out = smsMenu->addMenu(SmallIcon(27), U("Odlazne poruke"));
    out->menuAction()->setObjectName("Odlazneporuke1");
    item(out, Novaporuka2, "Novaporuka2", "Nova poruka", kImageNew, &TSmsPage::Novaporuka1Click);
    Novaporuka2->setEnabled(true);
    item(out, Izmjenisadrzajporuke1, "Izmjenisadrzajporuke1", "Izmjeni sadržaj poruke", kImageEdit,
         &TSmsPage::IzmjenaSmsInTBClick);
    item(out, Izbrisiporuku1, "Izbrisiporuku1", "Izbriši poruku", kImageDelete,
         &TSmsPage::BrisanjeSmsInTBClick);
    item(out, Posaljiporuku1, "Posaljiporuku1", "Pošalji poruku", kImageSend,
         &TSmsPage::SlanjeSmsOutTBClick);
    out->addSeparator();
    item(out, Dodajosobuuimenik1, "Dodajosobuuimenik1", "Dodaj osobu u imenik", kImageAdd,
         &TSmsPage::AddPhoneSmsInTBClick);
    item(out, Pozoviosobu3, "Pozoviosobu3", "Pozovi osobu", kImageDial,
         &TSmsPage::DialPhoneSmsInTBClick);
    smsMenu->addSeparator();
    item(smsMenu, Osvjezipodatke2, "Osvjezipodatke2", "Osvježi podatke", kImageRefresh,
         &TSmsPage::OsvjeziSmsInTBClick);
    Osvjezipodatke2->setEnabled(true);
}

std::vector<QAction*> TSmsPage::RowMenuItems() const {
    if (Izmjenisadrzajporuke1 == nullptr) return {};
    return {Izmjenisadrzajporuke1, Izbrisiporuku1,    Posaljiporuku1,        Dodajosobuuimenik1,
            Pozoviosobu3,          Odgovorinaporuku2, Izmjenisadrzajporuke2, Izbrisiporuku2,
            Dodajosobuuimenik2,    Pozoviosobu4};
}

TSmsPage::ListSide& TSmsPage::Side(SmsFolder folder) {
    return folder == SmsFolder::Incoming ? inbox_ : outbox_;
}

QTreeWidget* TSmsPage::List(SmsFolder folder) const {
    return (folder == SmsFolder::Incoming ? inbox_ : outbox_).list;
}

// --- ISmsView -----------------------------------------------------------------------

void TSmsPage::ClearSmsLists() {
    filling_ = true;
    inbox_.list->clear();
    outbox_.list->clear();
    filling_ = false;
    inbox_.index = 0;
    outbox_.index = 0;
    ClearPanel();
    inbox_.count->setText("(0/0 new)");
    outbox_.count->setText("(0/0 new)");
    SetEnabled(SmsFolder::Incoming, false);
    SetEnabled(SmsFolder::Outgoing, false);
}

void TSmsPage::SetNameInSmsLists(const std::string& name, const std::string& number) {
    const QString n = FromAnsi(number);
    for (QTreeWidget* list : {inbox_.list, outbox_.list})
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (QTreeWidgetItem* item = list->topLevelItem(i); item->text(0) == n)
                item->setText(0, FromAnsi(name));
    // The panel follows when it shows one of them.
    if (ShownNumber() == n && ShownName().isEmpty()) {
        if (panelFolder_ == SmsFolder::Outgoing) SMSListOutChange();
        else SMSListInChange();
    }
}

void TSmsPage::InsertSmsRow(SmsFolder folder, const SmsRow& row) {
    const AListSMS& m = row.Message;
    auto* item = new QTreeWidgetItem;
    item->setText(0, FromAnsi(row.Caption));
    if (folder == SmsFolder::Incoming) {
        item->setText(sms_in::kDate, FromAnsi(m.Date));
        item->setText(sms_in::kPosition, FromAnsi(m.Position));
        item->setText(sms_in::kSmsc, FromAnsi(m.Smsc));
        item->setText(sms_in::kNumber, FromAnsi(m.Number));
        item->setText(sms_in::kTime, FromAnsi(m.Time));
        item->setText(sms_in::kText, FromUtf8(m.Text));
        item->setText(sms_in::kLocation, FromAnsi(m.Location));
    } else {
        item->setText(sms_out::kValidity, FromAnsi(m.Validity));
        item->setText(sms_out::kPosition, FromAnsi(m.Position));
        item->setText(sms_out::kSmsc, FromAnsi(m.Smsc));
        item->setText(sms_out::kNumber, FromAnsi(m.Number));
        item->setText(sms_out::kText, FromUtf8(m.Text));
        item->setText(sms_out::kLocation, FromAnsi(m.Location));
    }
    item->setIcon(0, SmallIcon(row.Image));
    item->setData(0, kImageRole, row.Image);
    KeepRecordKey(*item, m.Location, m.Position);
    if (folder == SmsFolder::Incoming)
        if (const auto key = InboxKey(m)) item->setData(0, kInboxKeyRole, *key);
    filling_ = true;
    List(folder)->insertTopLevelItem(folder == SmsFolder::Incoming ? InboxPlace(*item) : 0, item);
    filling_ = false;
}

std::vector<QTreeWidgetItem*> TSmsPage::RowsAt(SmsFolder folder, const std::string& position,
                                               const std::string& location) const {
    QTreeWidget* list = List(folder);
    std::vector<QTreeWidgetItem*> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (HoldsRecord(*list->topLevelItem(i), location, position))
            rows.push_back(list->topLevelItem(i));
    return rows;
}

void TSmsPage::RemoveSmsRows(SmsFolder folder, const std::string& position,
                             const std::string& location) {
    QTreeWidget* list = List(folder);
    const auto rows = RowsAt(folder, position, location);
    filling_ = true;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        delete list->takeTopLevelItem(list->indexOfTopLevelItem(*row));
    filling_ = false;
}

void TSmsPage::SetSmsRowImage(SmsFolder folder, const std::string& position,
                              const std::string& location, int image) {
    for (QTreeWidgetItem* item : RowsAt(folder, position, location)) {
        item->setIcon(0, SmallIcon(image));
        item->setData(0, kImageRole, image);
    }
}

void TSmsPage::SetSmsFolderCount(SmsFolder folder, const std::string& text) {
    Side(folder).count->setText(FromAnsi(text));
}

void TSmsPage::ShowFirstSmsRows(SmsFolder current) {
    QTreeWidget* list = List(current);
    if (isVisible()) list->setFocus(Qt::OtherFocusReason);
    for (SmsFolder f : {SmsFolder::Incoming, SmsFolder::Outgoing}) {
        QTreeWidget* l = List(f);
        if (l->topLevelItemCount() == 0) continue;
        Side(f).index = 0;
        l->setCurrentItem(l->topLevelItem(0));
        l->scrollToItem(l->topLevelItem(0));
    }
    ListEnter(current);
    if (current == SmsFolder::Incoming) SMSListOutExit();
    else SMSListInExit();
}

void TSmsPage::ShowNewSmsNotice(const NewSmsNotice& notice) {
    // No reply while the compose window is open already.
    NewSmsForm->ShowNotice(notice, !SmsForm->isVisible());
}
void TSmsPage::ComposedMessageDone(bool accepted) { SmsForm->MessageDone(accepted); }

// --- lists ----------------------------------------------------------------------------

// The inbox is always in its order: a new row goes before the first row it
// does not sort after, so of equal dates the row that came last is first.
// A binary search over the rows, each key read, never converted again.
int TSmsPage::InboxPlace(const QTreeWidgetItem& row) const {
    const auto key = InboxKey(row);
    int low = 0;
    int high = inbox_.list->topLevelItemCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (CompareInboxKeys(InboxKey(*inbox_.list->topLevelItem(middle)), key) < 0)
            low = middle + 1;
        else high = middle;
    }
    return low;
}

int TSmsPage::SMSListInCompare(const AListSMS& a, const AListSMS& b) {
    return CompareInboxKeys(InboxKey(a), InboxKey(b));
}

void TSmsPage::SetMenuItem(QAction* item, bool enabled) {
    // The main menu's items are the page's only while it is shown (a message
    // arriving while another page is shown leaves them off).
    if (item != nullptr) item->setEnabled(enabled && controls::IsPageShown(this));
}

void TSmsPage::SetEnabled(SmsFolder folder, bool any) {
    if (folder == SmsFolder::Incoming) {
        for (QAction* a : {ReplySmsTB, IzmjenaSmsInTB, BrisanjeSmsInTB, DialPhoneSmsInTB})
            a->setEnabled(any);
        for (QAction* a : {Odgovorinaporuku2, Izmjenisadrzajporuke2, Izbrisiporuku2, Pozoviosobu4})
            SetMenuItem(a, any);
        if (!any) {
            AddPhoneSmsInTB->setEnabled(false);
            SetMenuItem(Dodajosobuuimenik2, false);
        }
    } else {
        for (QAction* a : {IzmjenaSmsOutTB, BrisanjeSmsOutTB, SlanjeSmsOutTB, DialPhoneSmsOutTB})
            a->setEnabled(any);
        for (QAction* a : {Izmjenisadrzajporuke1, Izbrisiporuku1, Posaljiporuku1, Pozoviosobu3})
            SetMenuItem(a, any);
        if (!any) {
            AddPhoneSmsOutTB->setEnabled(false);
            SetMenuItem(Dodajosobuuimenik1, false);
        }
    }
}

std::pair<QTreeWidgetItem*, const AListSMS*> TSmsPage::ChosenRow(SmsFolder folder) {
    const bool in = folder == SmsFolder::Incoming;
    QTreeWidget* list = List(folder);
    QTreeWidgetItem* item = list->currentItem();
    if (item != nullptr) Side(folder).index = list->indexOfTopLevelItem(item);
    SetEnabled(folder, list->topLevelItemCount() > 0);
    panelFolder_ = folder;
    panelCaptions_[Party]->setText(in ? "Sender:" : "Receiver:");
    panelCaptions_[When]->setText(in ? "Date and time:" : "Validity:");
    if (filling_ || item == nullptr || !item->isSelected()) return {};
    const AListSMS* m = RecordOf(item);
    if (m == nullptr) return {};
    return {item, m};
}

bool TSmsPage::ShowInPanel(SmsFolder folder, const QTreeWidgetItem& row, const AListSMS& m,
                           const QString& centre, const QString& dateOrValidity) {
    const QString number = FromAnsi(m.Number);
    // The caption is the phonebook name of the number (maybe empty), else
    // the number.
    const bool named = row.text(0) != number;
    shown_ = ShownMessage{folder, m.Location, m.Position, named ? row.text(0) : QString()};
    const std::array<QString, kPanelRows> values{
        shown_->name, number, dateOrValidity, centre, FromAnsi(m.Location), FromAnsi(m.Position)};
    for (std::size_t i = 0; i < values.size(); ++i) panelValues_[i]->setText(values[i]);
    SMSMemo->setPlainText(WithLineFeeds(FromUtf8(m.Text)));
    return named;
}

void TSmsPage::SMSListInChange() {
    const auto [item, m] = ChosenRow(SmsFolder::Incoming);
    if (m == nullptr) return;
    const bool named = ShowInPanel(SmsFolder::Incoming, *item, *m, FromAnsi(m->Smsc),
                                   FromAnsi(m->Date) + "     " + FromAnsi(m->Time));
    AddPhoneSmsInTB->setEnabled(!named);
    // A sender with letters in its number (or a status report) gets no answer.
    ReplySmsTB->setEnabled(IsValidNumber(ToAnsi(FromAnsi(m->Number))));
    if (!ReplySmsTB->isEnabled()) AddPhoneSmsInTB->setEnabled(false);
    SetMenuItem(Dodajosobuuimenik2, AddPhoneSmsInTB->isEnabled());
    SetMenuItem(Odgovorinaporuku2, ReplySmsTB->isEnabled());
}

void TSmsPage::SMSListOutChange() {
    const auto [item, m] = ChosenRow(SmsFolder::Outgoing);
    if (m == nullptr) return;
    // A message without its own centre shows the phone's.
    const QString centre = FromAnsi(m->Smsc);
    const bool named = ShowInPanel(
        SmsFolder::Outgoing, *item, *m,
        centre.size() >= 3 ? centre : FromAnsi(engine_.Settings().SmscLab), FromAnsi(m->Validity));
    AddPhoneSmsOutTB->setEnabled(!named);
    SetMenuItem(Dodajosobuuimenik1, !named);
}

void TSmsPage::BlankPanel(SmsFolder folder) {
    panelCaptions_[When]->setText(folder == SmsFolder::Incoming ? "Date and time:" : "Validity:");
    ClearPanel();
}

void TSmsPage::ClearPanel() {
    for (QLabel* l : panelValues_) l->clear();
    SMSMemo->clear();
    Label28->setText("Message length:  0");
    shown_.reset();
}

// The list entered shows its current message (kept within the list) in the
// panel; an empty list blanks the panel.
void TSmsPage::ListEnter(SmsFolder folder) {
    QTreeWidget* list = List(folder);
    if (list->topLevelItemCount() == 0) {
        BlankPanel(folder);
        return;
    }
    int& index = Side(folder).index;
    index = std::clamp(index, 0, list->topLevelItemCount() - 1);
    QTreeWidgetItem* item = list->topLevelItem(index);
    list->setCurrentItem(item);
    item->setSelected(true);
    if (folder == SmsFolder::Incoming) SMSListInChange();
    else SMSListOutChange();
}

void TSmsPage::SMSListInExit() {
    for (QAction* a : {ReplySmsTB, IzmjenaSmsInTB, BrisanjeSmsInTB, AddPhoneSmsInTB,
                       DialPhoneSmsInTB, Odgovorinaporuku2, Izmjenisadrzajporuke2, Izbrisiporuku2,
                       Dodajosobuuimenik2, Pozoviosobu4})
        if (a != nullptr) a->setEnabled(false);
}

void TSmsPage::SMSListOutExit() {
    for (QAction* a :
         {IzmjenaSmsOutTB, BrisanjeSmsOutTB, SlanjeSmsOutTB, AddPhoneSmsOutTB, DialPhoneSmsOutTB,
          Izmjenisadrzajporuke1, Izbrisiporuku1, Posaljiporuku1, Dodajosobuuimenik1, Pozoviosobu3})
        if (a != nullptr) a->setEnabled(false);
}

// A click on the list's empty space goes back to its current message.
void TSmsPage::ListClick(SmsFolder folder) {
    QTreeWidget* list = List(folder);
    const int index = Side(folder).index;
    if (list->topLevelItemCount() > 0 && index < list->topLevelItemCount())
        list->setCurrentItem(list->topLevelItem(index));
}

void TSmsPage::SMSMemoChange() {
    Label28->setText("Message length:  " +
                     QString::number(CountCharsExceptCR(ToAnsi(SMSMemo->toPlainText()))));
}

void TSmsPage::ListFocusChanged(SmsFolder folder, const QFocusEvent& event) {
    const bool in = folder == SmsFolder::Incoming;
    // However the list gets the focus (a click, a key, the window's own
    // activation), its commands follow its message, and the other list's
    // are off.
    if (event.type() == QEvent::FocusIn) {
        ListEnter(folder);
        if (in) SMSListOutExit();
        else SMSListInExit();
        return;
    }
    // Another window or a menu taking the focus does not leave the list.
    if (event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason)
        return;
    if (in) SMSListInExit();
    else SMSListOutExit();
}

void TSmsPage::ListViewportClicked(SmsFolder folder, const QMouseEvent& event) {
    // A click on empty space keeps the current message.
    if (List(folder)->itemAt(event.position().toPoint()) != nullptr) return;
    ListClick(folder);
}

bool TSmsPage::eventFilter(QObject* watched, QEvent* event) {
    for (SmsFolder folder : {SmsFolder::Incoming, SmsFolder::Outgoing}) {
        QTreeWidget* list = List(folder);
        if (watched == list) {
            if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
                ListFocusChanged(folder, *static_cast<QFocusEvent*>(event));
            else if (event->type() == QEvent::KeyRelease &&
                     static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete)
                BrisanjeSmsInTBClick();
        } else if (watched == list->viewport() && (event->type() == QEvent::MouseButtonRelease ||
                                                   event->type() == QEvent::MouseButtonDblClick)) {
            ListViewportClicked(folder, *static_cast<QMouseEvent*>(event));
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- commands ---------------------------------------------------------------------------

const AListSMS* TSmsPage::RecordOf(const QTreeWidgetItem* row) const {
    if (row == nullptr) return nullptr;
    for (const AListSMS& m : engine_.SmsList())
        if (HoldsRecord(*row, m.Location, m.Position)) return &m;
    return nullptr;
}

const AListSMS* TSmsPage::ShownRecord() const {
    if (!shown_) return nullptr;
    for (const AListSMS& m : engine_.SmsList())
        if (m.Position == shown_->position && m.Location == shown_->location) return &m;
    return nullptr;
}

QString TSmsPage::ShownName() const { return shown_ ? shown_->name : QString(); }

QString TSmsPage::ShownNumber() const {
    const AListSMS* m = ShownRecord();
    return m != nullptr ? FromAnsi(m->Number) : QString();
}

std::optional<TSmsPage::PanelMessage> TSmsPage::CurrentMessage() const {
    if (!shown_) return std::nullopt;
    const auto memory = MessageMemory(FromAnsi(shown_->location));
    if (!memory) return std::nullopt;
    const std::string position = ToAnsi(FromAnsi(shown_->position).trimmed());
    if (position.empty()) return std::nullopt;
    return PanelMessage{*memory, position};
}

void TSmsPage::ExecCompose() { SmsForm->exec(); }

void TSmsPage::Odgovorinaporuku1Click() {
    if (!engine_.Connected() || !Shows(SmsFolder::Incoming)) return;
    SmsForm->PrepareReply(ShownName(), ShownNumber());
    ExecCompose();
}

void TSmsPage::OdgovorjeDA1Click(int tag) {
    if (!engine_.Connected() || !Shows(SmsFolder::Incoming)) return;
    const auto* a = std::find_if(kQuickAnswers.begin(), kQuickAnswers.end(),
                                 [tag](const Answer& x) { return x.tag == tag; });
    if (a == kQuickAnswers.end()) return;
    SmsForm->PrepareReply(ShownName(), ShownNumber());
    // The message shown, and the answer under it.
    SmsForm->SetText(SMSMemo->toPlainText());
    SmsForm->InsertTemplate(U(a->text), true);
    ExecCompose();
}

void TSmsPage::Novaporuka1Click() {
    if (!engine_.Connected()) return;
    SmsForm->PrepareNew();
    ExecCompose();
}

void TSmsPage::Zakasnjenje1Click(int tag) {
    if (!engine_.Connected()) return;
    const auto* t = std::find_if(kTemplates.begin(), kTemplates.end(),
                                 [tag](const Answer& x) { return x.tag == tag; });
    if (t == kTemplates.end()) return;
    SmsForm->PrepareNew();
    SmsForm->InsertTemplate(U(t->text), false);
    ExecCompose();
}

void TSmsPage::IzmjenaSmsInTBClick() {
    if (!engine_.Connected()) return;
    const auto message = CurrentMessage();
    if (!message) return;
    SmsForm->PrepareEdit(message->memory, message->position, ShownName(), ShownNumber(),
                         SMSMemo->toPlainText());
    ExecCompose();
}

void TSmsPage::BrisanjeSmsInTBClick() {
    if (!engine_.Connected()) return;
    // The message shown now is the one deleted, whatever arrives meanwhile.
    const auto message = CurrentMessage();
    if (!message) return;
    if (!confirmDelete_ || confirmDelete_()) {
        const QString text = panelCaptions_[Party]->text() + "  " + ShownName() + "\r" +
                             panelCaptions_[Number]->text() + "  " + ShownNumber() +
                             "\r\rDelete SMS message from mobile?";
        if (Ask(window(), QStringLiteral("Delete message"), text) == DialogResult::No) return;
    }
    engine_.DeleteSms(message->memory, message->position);
}

void TSmsPage::SlanjeSmsOutTBClick() {
    if (!engine_.Connected() || !Shows(SmsFolder::Outgoing)) return;
    const auto message = CurrentMessage();
    if (!message) return;
    const QString number = ShownNumber();
    if (Ask(window(), QStringLiteral("Send message"), QStringLiteral("Send SMS message?")) ==
        DialogResult::No)
        return;
    std::string to;
    if (number.isEmpty()) {
        if (SmsMemForm->exec() != QDialog::Accepted) return;
        to = ToAnsi(SmsMemForm->Number().trimmed());
    }
    engine_.SendStoredSms(message->memory, message->position, to);
}

void TSmsPage::AddPhoneSmsInTBClick() {
    if (!engine_.Connected()) return;
    if (!engine_.PhonebookLoaded()) {
        Inform(window(), QStringLiteral("Save person to phonebook"),
               QStringLiteral("First, you must refresh mobile phonebook!"));
        return;
    }
    emit AddToPhonebookRequested(ShownNumber());
}

void TSmsPage::DialPhoneSmsInTBClick() {
    if (!engine_.Connected()) return;
    emit DialRequested(ShownName(), ShownNumber());
}

void TSmsPage::OsvjeziSmsInTBClick() {
    if (!engine_.Connected() || engine_.SmsListEmpty()) return;
    if (Ask(window(), QStringLiteral("Refresh SMS messages"),
            QStringLiteral("Read SMS messages from mobile again?")) == DialogResult::No)
        return;
    engine_.RefreshSms();
}

void TSmsPage::NewSmsIme1TBClick(const QString& caption, const QString& number, int image) {
    if (!engine_.Connected()) return;
    SmsForm->PrepareNew();
    if (image == 3) SmsForm->SetRecipient(caption, number);
    else if (image == 4) SmsForm->SetRecipient(caption + "!", number);
    ExecCompose();
}

void TSmsPage::NewSmsIme2TBClick(const QString& caption, const QString& number) {
    if (!engine_.Connected()) return;
    SmsForm->PrepareNew();
    SmsForm->SetText(caption + "\n" + number);
    ExecCompose();
}

}  // namespace parlenko::ui

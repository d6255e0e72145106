#include "ui/pages/appointments_page.h"

#include "components/widgets/elided_label.h"
#include "components/widgets/menu_painter.h"
#include "engine/session/phone_engine.h"
#include "engine/text/next_occurrence.h"
#include "engine/text/vcalendar.h"
#include "exchange/formats/exports.h"
#include "ui/artwork/artwork.h"
#include "ui/artwork/small_images.h"
#include "ui/base/name_order.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/message_dialog.h"
#include "ui/dialogs/appointment_editor.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <array>

namespace parlenko::ui {
namespace {

constexpr int kPageWidth = 520;
constexpr int kPageHeight = 411;
constexpr int kRowRole = Qt::UserRole;  // the row's AppointmentRow

constexpr std::array<const char*, 4> kCategories = {"Memo", "Phone call", "Meeting", "Anniversary"};
constexpr std::array<const char*, 5> kRepeats = {"Once", "Daily", "Weekly", "Monthly", "Annualy"};

// The index of text in a fixed order; 0 when it is not there.
template <std::size_t N>
int IndexOf(const std::array<const char*, N>& order, const QString& text) {
    for (std::size_t i = 0; i < N; ++i)
        if (text == QLatin1String(order[i])) return static_cast<int>(i);
    return 0;
}

QDate ReadDate(const QString& text) { return QDate::fromString(text, "dd.MM.yyyy"); }
QTime ReadTime(const QString& text) { return QTime::fromString(text, "HH:mm:ss"); }

std::chrono::local_seconds LocalSeconds(const QDateTime& t) {
    const QDate d = t.date();
    const std::chrono::local_days day{std::chrono::year(d.year()) /
                                      std::chrono::month(static_cast<unsigned>(d.month())) /
                                      std::chrono::day(static_cast<unsigned>(d.day()))};
    return day + std::chrono::seconds(t.time().msecsSinceStartOfDay() / 1000);
}

std::chrono::year_month_day Ymd(const QDate& d) {
    return std::chrono::year_month_day{std::chrono::year(d.year()),
                                       std::chrono::month(static_cast<unsigned>(d.month())),
                                       std::chrono::day(static_cast<unsigned>(d.day()))};
}

AppointmentRow RowData(const QTreeWidgetItem& item) {
    return item.data(kAppCaption, kRowRole).value<AppointmentRow>();
}

// The details' captions as wide as their texts, and their values: bold, 16
// pixels high.
QLabel* Caption(QWidget* parent, const char* text, int x, int y) {
    return controls::FittedCaption(parent, text, QPoint(x, y));
}
QLabel* Value(QWidget* parent, const char* name, int x, int y, int width) {
    return controls::ElidedValue(parent, name, QRect(x, y, width, 16));
}
// A caption and its value on a row.
QLabel* ValueAt(QWidget* parent, const char* caption, int x, int y, const char* name, int valueX,
                int width) {
    Caption(parent, caption, x, y);
    return Value(parent, name, valueX, y, width);
}

// The commands on an appointment on while one is chosen; the saving into
// the calendar folder (Tag 4) also needs the calendar exchange. Commands not
// made yet (null) are passed over.
void EnableCommands(const std::array<QAction*, 4>& commands, bool chosen, bool exchange) {
    constexpr std::size_t kIntoCalendar = 3;
    for (std::size_t i = 0; i < commands.size(); ++i)
        if (commands[i] != nullptr)
            commands[i]->setEnabled(chosen && (i != kIntoCalendar || exchange));
}

}  // namespace

PodsjetnikPage::PodsjetnikPage(PhoneEngine& engine, QWidget* mainWindow, QWidget* parent)
    : QWidget(parent), engine_(engine), mainWindow_(mainWindow) {
    setObjectName("PodsjetnikPage");
    resize(kPageWidth, kPageHeight);

    BuildToolBar();
    BuildList();
    BuildPopup();
    BuildDetails();
    form_ = new TAppointmentForm(engine_, mainWindow_);
    if (mainWindow_ == nullptr) form_->setParent(this, form_->windowFlags());
    SetSelected(false);
    ShowAppointmentsSummary();
}

// The tool buttons, each with its picture and its greyed picture.
void PodsjetnikPage::BuildToolBar() {
    struct Tool {
        QToolButton** button;
        const char* name;
        artwork::AppointmentTool picture;
        const char* hint;
    };
    const Tool tools[] = {
        {&NewAppTB, "NewAppTB", artwork::AppointmentTool::New, "Upiši novi podsjetnik . . ."},
        {&EditAppTB, "EditAppTB", artwork::AppointmentTool::Edit,
         "Izmjeni podatke podsjetnika . . ."},
        {&DeleteAppTB, "DeleteAppTB", artwork::AppointmentTool::Delete, "Izbriši podsjetnik . . ."},
        {&OutlookATB, "OutlookATB", artwork::AppointmentTool::Outlook,
         "Razmjena podataka:  Mapa kalendara"},
        {&RefreshAppTB, "RefreshAppTB", artwork::AppointmentTool::Refresh,
         "Osvježi popis podsjetnika . . ."},
    };
    int left = 6;
    for (const Tool& t : tools) {
        auto* b = controls::Placed(new QToolButton(this), t.name, QRect(left, 3, 30, 30));
        QIcon icon;
        icon.addPixmap(QPixmap::fromImage(artwork::AppointmentToolPicture(t.picture, true)),
                       QIcon::Normal);
        icon.addPixmap(QPixmap::fromImage(artwork::AppointmentToolPicture(t.picture, false)),
                       QIcon::Disabled);
        b->setIcon(icon);
        b->setIconSize(QSize(24, 24));
        b->setAutoRaise(true);
        b->setToolTip(U(t.hint));
        left += t.picture == artwork::AppointmentTool::Delete ||
                        t.picture == artwork::AppointmentTool::Outlook
                    ? 40
                    : 32;
        *t.button = b;
    }
    EditAppTB->setEnabled(false);
    DeleteAppTB->setEnabled(false);
    // Until the calendar exchange is set.
    OutlookATB->setEnabled(false);
    connect(OutlookATB, &QToolButton::clicked, this, [this] {
        if (calendarExchange_ != nullptr) calendarExchange_->Open();
    });
    connect(NewAppTB, &QToolButton::clicked, this, [this] { NewAppTBClick(); });
    connect(EditAppTB, &QToolButton::clicked, this, [this] { EditAppTBClick(); });
    connect(DeleteAppTB, &QToolButton::clicked, this, [this] { DeleteAppTBClick(); });
    connect(RefreshAppTB, &QToolButton::clicked, this, [this] { RefreshAppTBClick(); });
}

void PodsjetnikPage::BuildList() {
    AppointmentsList = controls::ReportList(
        this, "AppointmentsList",
        {"Naziv podsjetnika", "Kategorija", "Ponavljanje", "Datum", "Vrijeme", "Pozicija"});
    AppointmentsList->setGeometry(6, 36, kPageWidth - 12, 206);
    AppointmentsList->setUniformRowHeights(true);
    AppointmentsList->setSelectionMode(QAbstractItemView::SingleSelection);
    AppointmentsList->setIconSize(QSize(16, 16));
    const int widths[] = {163, 100, 85, 75, 75, 0};
    for (int i = 0; i < 6; ++i) AppointmentsList->setColumnWidth(i, widths[i]);
    AppointmentsList->setColumnHidden(kAppPosition, true);
    AppointmentsList->header()->setSectionsClickable(true);
    AppointmentsList->header()->setSortIndicatorShown(false);
    AppointmentsList->setContextMenuPolicy(Qt::CustomContextMenu);
    AppointmentsList->installEventFilter(this);
    connect(AppointmentsList, &QTreeWidget::currentItemChanged, this,
            [this] { AppointmentsListChange(); });
    connect(AppointmentsList, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (EditAppTB->isEnabled()) EditAppTBClick();
    });
    connect(AppointmentsList->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { ColumnClick(column); });
}

// The commands on an appointment (Tag 1..4), in the list's right-click menu
// (Izmjenipodatke1 ..) and in the main menu (Izmjenipodatkepodsjetnika1 ..).
void PodsjetnikPage::ConnectCommands(const std::array<QAction*, 4>& items) {
    for (int tag = 1; tag <= 4; ++tag)
        connect(items[static_cast<std::size_t>(tag - 1)], &QAction::triggered, this,
                [this, tag] { Izmjenipodatke1Click(tag); });
}

void PodsjetnikPage::BuildPopup() {
    using controls::MenuItem;
    AppointmentsPopup = new widgets::TPaintedMenu(this);
    AppointmentsPopup->setObjectName("AppointmentsPopup");
    QAction* edit =
        MenuItem(AppointmentsPopup, "Izmjenipodatke1", "Izmjeni podatke podsjetnika . . .");
    AppointmentsPopup->setDefaultAction(edit);
    QAction* remove = MenuItem(AppointmentsPopup, "Izbrisipodsjetnik1", "Izbriši podsjetnik . . .");
    AppointmentsPopup->addSeparator();
    popupCommands_ = {
        edit, remove,
        MenuItem(AppointmentsPopup, "SnimikaovCalendar1", "Snimi kao \"vCalendar\" . . ."),
        MenuItem(AppointmentsPopup, "SnimiuOutlookCalendar1", "Snimi u \"Mapa kalendara\" . . .")};
    ConnectCommands(popupCommands_);
    connect(AppointmentsList, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        AppointmentsPopup->popup(AppointmentsList->viewport()->mapToGlobal(p));
    });
}

// The chosen appointment, its next activation, and the memory's figures.
void PodsjetnikPage::BuildDetails() {
    const int groupsTop = 248;
    const int groupsHeight = kPageHeight - groupsTop - 6;
    QGroupBox* basic =
        controls::Group(this, " Osnovni podaci:", QRect(6, groupsTop, 236, groupsHeight));
    const char* basicCaptions[] = {
        "Naziv:", "Kategorija:", "Aktivacija:", "Ponavljanje:", "Pozicija:"};
    QLabel** basicValues[] = {&AppNameLab, &AppCatLab, &AppDateLab, &AppPerLab, &AppPosLab};
    const char* basicNames[] = {"AppNameLab", "AppCatLab", "AppDateLab", "AppPerLab", "AppPosLab"};
    for (int i = 0; i < 5; ++i)
        *basicValues[i] = ValueAt(basic, basicCaptions[i], 10, 24 + i * 24, basicNames[i], 82, 148);

    QGroupBox* next =
        controls::Group(this, " Slijedeća aktivacija:", QRect(248, groupsTop, 164, groupsHeight));
    AppActPB = controls::Label(next, "AppActPB", {}, QRect(10, 22, 16, 17));
    // Whole, on two lines where one is too short ("Appointment deactivated!").
    AppActLab = controls::Label(next, "AppActLab", {}, QRect(28, 24, 134, 30));
    AppActLab->setWordWrap(true);
    AppActLab->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    AppActDateLab = ValueAt(next, "Datum:", 10, 56, "AppActDateLab", 66, 94);
    AppActTimeLab = ValueAt(next, "Vrijeme:", 10, 80, "AppActTimeLab", 66, 94);
    AppActDayLab = ValueAt(next, "Dan:", 10, 104, "AppActDayLab", 66, 94);
    AppActDayLab->setStyleSheet(
        QStringLiteral("QLabel { color: #D00000; }"
                       "QLabel:disabled { color: #A0A0A0; }"));

    QGroupBox* memory =
        controls::Group(this, " Memorija:", QRect(418, groupsTop, 96, groupsHeight));
    AppCapLab = ValueAt(memory, "Kapacitet:", 8, 32, "AppCapLab", 66, 28);
    AppCntLab = ValueAt(memory, "Upisano:", 8, 60, "AppCntLab", 66, 28);
    AppFreeLab = ValueAt(memory, "Slobodno:", 8, 88, "AppFreeLab", 66, 28);
}

PodsjetnikPage::~PodsjetnikPage() = default;

void PodsjetnikPage::SetClock(const std::function<QDateTime()>& now) {
    now_ = now;
    form_->SetClock(now);
}

void PodsjetnikPage::FillMenu(QMenu* menu) {
    using controls::MenuItem;
    Osvjeipodatke2 = MenuItem(menu, "Osvjeipodatke2", "Osvježi podatke");
    menu->addSeparator();
    Novipodsjetnik1 = MenuItem(menu, "Novipodsjetnik1", "Novi podsjetnik");
    QAction* edit = MenuItem(menu, "Izmjenipodatkepodsjetnika1", "Izmjeni podatke podsjetnika");
    QAction* remove = MenuItem(menu, "Izbrisipodsjetnik2", "Izbriši podsjetnik");
    menu->addSeparator();
    QMenu* save = new widgets::TPaintedMenu(U("Snimi podsjetnik"), menu);
    save->setObjectName("Snimi2");
    menu->addMenu(save);
    menuCommands_ = {edit, remove, MenuItem(save, "kaovCalendar1", ". . . kao \"vCalendar\""),
                     MenuItem(save, "uOutlookCalendar1", ". . . u \"Mapa kalendara\"")};
    menu->addSeparator();
    RazmjenapodatakaOutlookCalendar1 =
        MenuItem(menu, "RazmjenapodatakaOutlookCalendar1", "Razmjena podataka:  Mapa kalendara");
    RazmjenapodatakaOutlookCalendar1->setEnabled(OutlookATB->isEnabled());
    connect(RazmjenapodatakaOutlookCalendar1, &QAction::triggered, this, [this] {
        if (calendarExchange_ != nullptr) calendarExchange_->Open();
    });
    connect(Osvjeipodatke2, &QAction::triggered, this, [this] { RefreshAppTBClick(); });
    connect(Novipodsjetnik1, &QAction::triggered, this, [this] { NewAppTBClick(); });
    ConnectCommands(menuCommands_);
    SetSelected(AppointmentsList->currentItem() != nullptr);
}

std::vector<QAction*> PodsjetnikPage::RowMenuItems() const {
    if (menuCommands_[0] == nullptr) return {};
    return {menuCommands_.begin(), menuCommands_.end()};
}

void PodsjetnikPage::SetCalendarExchange(ICalendarExchange* exchange) {
    calendarExchange_ = exchange;
    const bool available = exchange != nullptr && exchange->Available();
    OutlookATB->setEnabled(available);
    if (RazmjenapodatakaOutlookCalendar1 != nullptr)
        RazmjenapodatakaOutlookCalendar1->setEnabled(available);
    SetSelected(AppointmentsList->currentItem() != nullptr);
}

// --- view ----------------------------------------------------------------------

void PodsjetnikPage::ObjectCapabilitiesChanged(const ObjectCapabilitiesView& view) {
    AppCapLab->setText(FromAnsi(view.AppCapLab));
    ShowAppointmentsSummary();
}

void PodsjetnikPage::ClearAppointmentRows() {
    fillingList_ = true;
    AppointmentsList->clear();
    fillingList_ = false;
    BlankDetails();
    AppointmentsListChange();
    ShowAppointmentsSummary();
}

void PodsjetnikPage::SetRow(QTreeWidgetItem* item, const AppointmentRow& row) {
    item->setText(kAppCaption, FromAnsi(row.Caption));
    item->setText(kAppCategory, FromAnsi(row.Category));
    item->setText(kAppRepeat, FromAnsi(row.Repetition));
    item->setText(kAppDate, FromAnsi(row.Date));
    item->setText(kAppTime, FromAnsi(row.Time));
    item->setText(kAppPosition, FromAnsi(row.Position));
    item->setData(kAppCaption, kRowRole, QVariant::fromValue(row));
    item->setIcon(kAppCaption, controls::SmallIcon(row.Image));
}

void PodsjetnikPage::AddAppointmentRow(const AppointmentRow& row) {
    fillingList_ = true;
    SetRow(new QTreeWidgetItem(AppointmentsList), row);
    fillingList_ = false;
    ShowAppointmentsSummary();
}

std::vector<AppointmentRow> PodsjetnikPage::AppointmentRows() const {
    std::vector<AppointmentRow> rows;
    for (int i = 0; i < AppointmentsList->topLevelItemCount(); ++i)
        rows.push_back(RowData(*AppointmentsList->topLevelItem(i)));
    return rows;
}

int PodsjetnikPage::AppointmentCount() const { return AppointmentsList->topLevelItemCount(); }

QTreeWidgetItem* PodsjetnikPage::RowOf(const std::string& position) const {
    const QString p = FromAnsi(position);
    for (int i = 0; i < AppointmentsList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = AppointmentsList->topLevelItem(i);
        if (item->text(kAppPosition) == p) return item;
    }
    return nullptr;
}

void PodsjetnikPage::UpdateAppointmentRow(const AppointmentRow& row) {
    QTreeWidgetItem* item = RowOf(row.Position);
    if (item == nullptr) {
        AddAppointmentRow(row);
        return;
    }
    fillingList_ = true;
    SetRow(item, row);
    fillingList_ = false;
}

void PodsjetnikPage::RemoveAppointmentRows(const std::string& position) {
    fillingList_ = true;
    while (QTreeWidgetItem* item = RowOf(position)) delete item;
    fillingList_ = false;
    AppointmentsListChange();
    ShowAppointmentsSummary();
}

void PodsjetnikPage::FocusAppointmentRow(const std::string& position) {
    QTreeWidgetItem* item = position.empty() ? AppointmentsList->topLevelItem(0) : RowOf(position);
    if (isVisible()) AppointmentsList->setFocus();
    if (item != nullptr) {
        AppointmentsList->setCurrentItem(item);
        item->setSelected(true);
        AppointmentsList->scrollToItem(item);
    }
    AppointmentsListChange();
    ShowAppointmentsSummary();
    emit AppointmentRowsChanged();
}

// --- page ------------------------------------------------------------------------

void PodsjetnikPage::BlankDetails() {
    for (QLabel* l : {AppNameLab, AppCatLab, AppDateLab, AppPerLab, AppPosLab, AppActLab,
                      AppActDateLab, AppActTimeLab, AppActDayLab})
        l->clear();
}

void PodsjetnikPage::SetAppActPB(int tag) {
    appActTag_ = tag == 0 ? -1 : tag;
    const QImage image = artwork::SmallImage(appActTag_);
    if (image.isNull()) AppActPB->clear();
    else AppActPB->setPixmap(QPixmap::fromImage(image));
}

void PodsjetnikPage::ShowAppointmentsSummary() {
    const int rows = AppointmentsList->topLevelItemCount();
    if (rows == 0) {
        BlankDetails();
        SetAppActPB(-1);
    }
    AppCntLab->setText(QString::number(rows));
    AppFreeLab->setText(QString::number(engine_.Capabilities().AppointmentSlots - rows));
}

void PodsjetnikPage::SetSelected(bool selected) {
    for (QToolButton* b : {EditAppTB, DeleteAppTB}) b->setEnabled(selected);
    const bool exchange = OutlookATB->isEnabled();
    EnableCommands(popupCommands_, selected, exchange);
    // The main menu's items are the page's only while it is shown (a row the
    // calendar exchange wrote while another page is shown leaves them off).
    EnableCommands(menuCommands_, selected && controls::IsPageShown(this), exchange);
}

void PodsjetnikPage::AppointmentsListChange() {
    QTreeWidgetItem* item = AppointmentsList->currentItem();
    appointmentIndex_ = item != nullptr ? AppointmentsList->indexOfTopLevelItem(item) : -1;
    const bool selected = AppointmentsList->topLevelItemCount() > 0 && item != nullptr;
    SetSelected(selected);
    if (!selected) {
        BlankDetails();
        return;
    }
    if (fillingList_) return;
    ShowDetails(RowData(*item));
}

void PodsjetnikPage::ShowDetails(const AppointmentRow& row) {
    AppNameLab->setText(FromAnsi(row.Caption));
    AppCatLab->setText(FromAnsi(row.Category));
    AppDateLab->setText(FromAnsi(row.Date) + "   " + FromAnsi(row.Time));
    QString repeat = FromAnsi(row.Repetition);
    const QDate date = ReadDate(FromAnsi(row.Date));
    if (repeat == "Weekly" && date.isValid())
        repeat += "   [ " + FromAnsi(std::string(DayNameOf(Ymd(date)))) + " ]";
    AppPerLab->setText(repeat);
    AppPosLab->setText(FromAnsi(row.Position));
    const std::string next =
        NextOccurrence(row.Date, row.Time, row.Repetition, LocalSeconds(now_()));
    AppActDateLab->setText(FromAnsi(next));
    AppActTimeLab->setText(FromAnsi(row.Time));
    const QDate nextDate = ReadDate(FromAnsi(next));
    AppActDayLab->setText(nextDate.isValid() ? FromAnsi(std::string(DayNameOf(Ymd(nextDate))))
                                             : QString());
    const bool active = row.Image % 2 == 0;
    SetAppActPB(row.Image);
    AppActLab->setText(active ? "Appointment activated!" : "Appointment deactivated!");
    for (QLabel* l : {AppActDateLab, AppActTimeLab, AppActDayLab}) l->setEnabled(active);
    ShowAppointmentsSummary();
}

void PodsjetnikPage::RefreshAppointments() {
    if (!engine_.Connected()) return;
    // The engine clears the rows through the view and starts the read.
    engine_.RefreshAppointments();
}

void PodsjetnikPage::RefreshAppTBClick() {
    if (!engine_.Connected()) return;
    if (AppointmentsList->topLevelItemCount() > 0 &&
        Ask(mainWindow_, QStringLiteral("Refresh appointments"),
            QStringLiteral("Read appointments from mobile again?")) != DialogResult::Yes)
        return;
    RefreshAppointments();
}

void PodsjetnikPage::NewAppTBClick() { OpenNewAppointment(nullptr); }

void PodsjetnikPage::NewAppointmentFromStore(const AppointmentFields& fields) {
    OpenNewAppointment(&fields);
}

void PodsjetnikPage::OpenNewAppointment(const AppointmentFields* storeItem) {
    if (!engine_.Connected()) return;
    const AppointmentSlotChoice choice = engine_.NewAppointmentSlot();
    if (choice.Status == AppointmentSlotStatus::NotRead) {
        Inform(mainWindow_, QStringLiteral("New appointment"),
               QStringLiteral("First, you must read appointments from mobile!"));
        return;
    }
    if (choice.Status == AppointmentSlotStatus::Full) {
        ShowError(mainWindow_, QStringLiteral("Memory full"),
                  QStringLiteral("Appointments memory is full!"));
        return;
    }
    if (storeItem != nullptr) form_->OpenForStoreItem(*storeItem, choice.Slot);
    else form_->OpenNew(choice.Slot);
}

void PodsjetnikPage::EditAppTBClick() {
    if (!engine_.Connected()) return;
    QTreeWidgetItem* item = AppointmentsList->currentItem();
    if (item == nullptr) return;
    const AppointmentRow row = RowData(*item);
    AppointmentFields fields;
    fields.Date = ReadDate(FromAnsi(row.Date));
    fields.Time = ReadTime(FromAnsi(row.Time));
    fields.Category = IndexOf(kCategories, FromAnsi(row.Category));
    fields.Text = FromAnsi(row.Caption);
    // The number the phone keeps, not a phonebook number of the name shown
    // (two entries may share it).
    fields.Number = FromAnsi(row.Text.empty() ? row.Caption : row.Text);
    fields.Repeat = IndexOf(kRepeats, FromAnsi(row.Repetition));
    fields.Alarm = row.Image % 2 == 0;
    form_->OpenForEdit(fields, FromAnsi(row.Position).toInt());
}

void PodsjetnikPage::DeleteAppTBClick() {
    if (!engine_.Connected()) return;
    // Only a shown entry: without one there is no slot to name.
    bool ok = false;
    const int slot = AppPosLab->text().toInt(&ok);
    if (!DeleteAppTB->isEnabled() || !ok) return;
    if (confirmDelete_() && Ask(mainWindow_, QStringLiteral("Delete appointment"),
                                "Name:  " + AppNameLab->text() +
                                    "\n\nDelete appointment from mobile?") == DialogResult::No)
        return;
    engine_.DeleteAppointment(slot);
}

void PodsjetnikPage::Izmjenipodatke1Click(int tag) {
    if (tag == 1) EditAppTBClick();
    if (tag == 2) DeleteAppTBClick();
    if (tag != 3 && tag != 4) return;
    QTreeWidgetItem* item = AppointmentsList->currentItem();
    if (item == nullptr) return;
    const AppointmentRow row = RowData(*item);
    if (tag == 3) SaveAsVCalendar(row);
    else if (calendarExchange_ != nullptr && calendarExchange_->SaveAppointment(row))
        emit StatusMessage("Appointment succesfully saved in the calendar folder!");
}

void PodsjetnikPage::SaveAsVCalendar(const AppointmentRow& row) {
    const QString file = FileChoice().ItemFile(
        mainWindow_, QStringLiteral("Save as \"vCalendar\" to . . ."), dataDir_,
        FromAnsi(exchange::ExportFileStem(row.Caption)), VCalendarFiles());
    if (file.isEmpty()) return;
    VCalendarEntry entry;
    entry.Category = static_cast<AppointmentCategory>(IndexOf(kCategories, FromAnsi(row.Category)));
    entry.Repeat = static_cast<AppointmentRepeat>(IndexOf(kRepeats, FromAnsi(row.Repetition)));
    entry.Text = row.Caption;
    entry.Alarm = row.Image % 2 == 0;
    const QDate date = ReadDate(FromAnsi(row.Date));
    entry.Date = Ymd(date.isValid() ? date : QDate(1997, 1, 1));
    entry.Time = std::chrono::seconds(ReadTime(FromAnsi(row.Time)).msecsSinceStartOfDay() / 1000);
    if (!WrittenOrReported(mainWindow_,
                           exchange::SaveAppointmentAsVCalendar(
                               file.toStdString(), BuildVCalendar(entry, VCalendarForm::File))))
        return;
    emit StatusMessage("Appointment succesfully saved as \"vCalendar\"!");
}

// --- sorting ---------------------------------------------------------------------

int PodsjetnikPage::AppointmentsListCompare(const QTreeWidgetItem& a,
                                            const QTreeWidgetItem& b) const {
    if (SortColumn < 0) return 0;
    if (SortColumn <= kAppRepeat) {
        const int c = NameCollator().compare(a.text(SortColumn), b.text(SortColumn));
        const int sign = c < 0 ? -1 : c > 0 ? 1 : 0;
        return SortDescending ? -sign : sign;
    }
    if (SortColumn == kAppDate || SortColumn == kAppTime) {
        const qint64 va = SortColumn == kAppDate
                              ? ReadDate(a.text(kAppDate)).toJulianDay()
                              : ReadTime(a.text(kAppTime)).msecsSinceStartOfDay();
        const qint64 vb = SortColumn == kAppDate
                              ? ReadDate(b.text(kAppDate)).toJulianDay()
                              : ReadTime(b.text(kAppTime)).msecsSinceStartOfDay();
        if (va == vb) return 0;
        // Later first unless SortDescending.
        const int sign = va > vb ? -1 : 1;
        return SortDescending ? -sign : sign;
    }
    return 0;
}

void PodsjetnikPage::SortRows() {
    QList<QTreeWidgetItem*> items;
    while (AppointmentsList->topLevelItemCount() > 0)
        items << AppointmentsList->takeTopLevelItem(0);
    std::stable_sort(items.begin(), items.end(), [this](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return AppointmentsListCompare(*a, *b) < 0;
    });
    AppointmentsList->addTopLevelItems(items);
}

void PodsjetnikPage::ColumnClick(int column) {
    if (AppointmentsList->topLevelItemCount() < 2) return;
    if (column == SortColumn) SortDescending = !SortDescending;
    SortColumn = column;
    QTreeWidgetItem* current = AppointmentsList->currentItem();
    fillingList_ = true;
    SortRows();
    fillingList_ = false;
    if (current != nullptr) {
        AppointmentsList->setCurrentItem(current);
        current->setSelected(true);
    }
    AppointmentsListChange();
}

bool PodsjetnikPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == AppointmentsList && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        if (DeleteAppTB->isEnabled()) DeleteAppTBClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace parlenko::ui

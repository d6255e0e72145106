#include "ui/exchange/outlook_app_form.h"

#include "components/widgets/elided_label.h"
#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "ui/artwork/artwork.h"
#include "ui/artwork/small_images.h"
#include "ui/base/text_codec.h"
#include "ui/controls/activity_picture.h"
#include "ui/controls/controls.h"
#include "ui/controls/message_dialog.h"
#include "ui/controls/phone_text_question.h"
#include "ui/dialogs/appointment_editor.h"
#include "ui/dialogs/citam_form.h"
#include "ui/exchange/store_session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QTreeWidget>

#include <array>
#include <cmath>

namespace parlenko::ui {
namespace {

constexpr int kWidth = 531;
constexpr int kHeight = 483;
constexpr int kRowRole = Qt::UserRole;   // a lower row's AppointmentRow
constexpr int kBodyRole = Qt::UserRole;  // an upper row's description
constexpr char kPhoneCall[] = "Phone call";
constexpr int kOutlookPicture = 44;
constexpr std::size_t kPhoneTextLength = 16;

// Columns of both lists; the upper one has "Aktivan" as well.
enum { kCaption, kCategory, kRepeat, kDate, kTime, kActive };

constexpr std::array<const char*, 5> kRepeats = {"Once", "Daily", "Weekly", "Monthly", "Annualy"};

QDate ReadDate(const QString& text) { return QDate::fromString(text, "dd.MM.yyyy"); }
QTime ReadTime(const QString& text) { return QTime::fromString(text, "HH:mm:ss"); }

QLabel* Caption(QWidget* parent, const char* text, int x, int y, bool bold = false) {
    auto* l = new QLabel(U(text), parent);
    if (bold) l->setFont(artwork::UiFont(8.5, true));
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLabel* Value(QWidget* parent, const char* name, int x, int y, int width) {
    auto* l = new widgets::TElidedLabel(parent);
    l->setObjectName(name);
    l->setGeometry(x, y, width, 16);
    l->setStyleSheet(QStringLiteral("QLabel { color: #006400; }"));
    l->setFont(artwork::UiFont(8.5, true));
    return l;
}

QPushButton* Button(QWidget* parent, const char* name, const char* text, int x, int y, int w) {
    return controls::Button(parent, name, text, QRect(x, y, w, 25));
}

// Rows of a caption and its value from y down, 20 pixels apart; the values.
template <std::size_t N>
std::array<QLabel*, N> Details(QWidget* parent, int y,
                               const std::array<std::pair<const char*, const char*>, N>& rows) {
    std::array<QLabel*, N> values{};
    for (std::size_t i = 0; i < N; ++i) {
        const auto [caption, name] = rows[i];
        Caption(parent, caption, 256, y);
        values[i] = Value(parent, name, 336, y, 168);
        y += 20;
    }
    return values;
}

QTreeWidget* List(QWidget* parent, const char* name, const QStringList& columns,
                  QAbstractItemView::SelectionMode mode, int x, int y, int w, int h) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setGeometry(x, y, w, h);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(mode);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setIconSize(QSize(16, 16));
    list->setHeaderLabels(columns);
    list->header()->setSectionsClickable(false);
    list->header()->setStretchLastSection(false);
    list->setColumnWidth(0, 204);
    for (int c = 1; c < columns.size(); ++c) list->setColumnHidden(c, true);
    return list;
}

QString RecurrenceText(exchange::store::AppointmentItem& item) {
    if (!item.IsRecurring()) return "Once";
    switch (item.GetRecurrencePattern().RecurrenceType()) {
        case exchange::store::olRecursWeekly: return "Weekly";
        case exchange::store::olRecursMonthly:
        case exchange::store::olRecursMonthNth: return "Monthly";
        case exchange::store::olRecursYearly:
        case exchange::store::olRecursYearNth: return "Annualy";
        default: return "Daily";
    }
}

// The number of a phone call brought from the store: its description's when
// that is a number, else its subject's; empty when neither is one.
QString CallNumber(const QString& body, const QString& subject) {
    for (const QString& text : {body.trimmed(), subject}) {
        const std::string ansi = ui::ToAnsi(text);
        if (!ansi.empty() && IsValidNumber(ansi)) return text;
    }
    return {};
}

const QString kInitError =
    QStringLiteral("Error occurred while trying to initialize the calendar folder!");

}  // namespace

PhoneText ToPhoneAppointmentText(const std::string& utf8Text) {
    return ToPhoneText(utf8Text, kPhoneTextLength, PhoneChars::TextSet);
}

TOutlookAppForm::TOutlookAppForm(QWidget* mainWindow, PhoneEngine& engine, ui::PodsjetnikPage& page,
                                 TStoreSession& session, ui::TCitamForm* citam)
    : TStoreExchangeForm(mainWindow, engine, session, citam), page_(page), mainWindow_(mainWindow) {
    setObjectName("OutlookAppForm");
    setWindowTitle(U("Razmjena podataka:  Parlenko  <>  Mapa kalendara"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(true);
    setFont(artwork::UiFont(8.5));
    setFixedSize(kWidth, kHeight);

    // The store's appointments.
    auto* upper = new QGroupBox(U(" Podsjetnici u mapi kalendara:"), this);
    upper->setGeometry(8, 6, kWidth - 16, 206);
    OutAppointList =
        List(upper, "OutAppointList",
             {"Naziv podsjetnika", "Kategorija", "Ponavljanje", "Datum", "Vrijeme", "Aktivan"},
             QAbstractItemView::SingleSelection, 10, 20, 226, 176);
    Caption(upper, "Osnovni podaci:", 250, 22, true);
    outDetails_ = Details<5>(upper, 44,
                             {{{"Kategorija:", "OutCatLab"},
                               {"Ponavljanje:", "OutRecLab"},
                               {"Datum:", "OutDateLab"},
                               {"Vrijeme:", "OutTimeLab"},
                               {"Aktivanost:", "OutActLab"}}});
    controls::ActivityPicture(upper, "AppointmentsPB", 6, QPoint(kWidth - 16 - 46, 18));
    AddStoreButtons(upper, QPoint(256, 170), 10, 120);

    // The phone's appointments.
    auto* lower = new QGroupBox(U(" Podsjetnici u mobitelu:"), this);
    lower->setGeometry(8, 218, kWidth - 16, 224);
    MobAppointList = List(lower, "MobAppointList",
                          {"Naziv podsjetnika", "Kategorija", "Ponavljanje", "Datum", "Vrijeme"},
                          QAbstractItemView::ExtendedSelection, 10, 20, 226, 194);
    Caption(lower, "Podsjetnici za snimanje:", 250, 22, true);
    Caption(lower, "Označeno za snimanje:", 256, 44);
    AppointSelLab = Value(lower, "AppointSelLab", 390, 44, 110);
    Caption(lower, "Osnovni podaci:", 250, 74, true);
    mobDetails_ = Details<3>(
        lower, 96,
        {{{"Kategorija:", "MobCatLab"}, {"Ponavljanje:", "MobRecLab"}, {"Datum:", "MobDateLab"}}});
    controls::ActivityPicture(lower, "PhonebookPB", 3, QPoint(kWidth - 16 - 46, 18));
    AddPhoneButtons(lower, QPoint(256, 188), 10, 120, "Snimi u kalendar", MobAppointList);

    Button2 = Button(this, "Button2", "Zatvori", kWidth - 8 - 90, kHeight - 33, 90);

    connect(OutAppointList, &QTreeWidget::itemSelectionChanged, this,
            [this] { OutAppointListChange(); });
    connect(MobAppointList, &QTreeWidget::itemSelectionChanged, this,
            [this] { MobAppointListChange(); });
    connect(Button2, &QPushButton::clicked, this, [this] { reject(); });

    // The lower list follows the phone's rows while the window is open.
    connect(&page_, &ui::PodsjetnikPage::AppointmentRowsChanged, this, [this] {
        if (isVisible()) FillPhoneAppointments();
    });
}

TOutlookAppForm::~TOutlookAppForm() = default;

bool TOutlookAppForm::Available() const { return session_.Available(); }

// --- mappings ------------------------------------------------------------------

int TOutlookAppForm::CategoryIndexFromOutlook(const QString& categories) {
    const QString c = categories.toLower();
    if (c == "phone call" || c == "phone calls") return 1;
    if (c == "meeting") return 2;
    if (c == "anniversary") return 3;
    return 0;
}

QString TOutlookAppForm::OutlookCategoryFromPhone(const QString& category) {
    if (category == "Phone call") return "Phone Call";
    if (category == "Meeting") return "Meeting";
    if (category == "Anniversary") return "Anniversary";
    return "Miscellaneous";
}

int TOutlookAppForm::RecurrenceTypeFromText(const QString& repetition) {
    if (repetition == "Weekly") return exchange::store::olRecursWeekly;
    if (repetition == "Monthly") return exchange::store::olRecursMonthly;
    if (repetition == "Annualy") return exchange::store::olRecursYearly;
    return exchange::store::olRecursDaily;
}

// --- opening and reading -------------------------------------------------------

void TOutlookAppForm::Open() { OpenModally(); }

bool TOutlookAppForm::OpenStore() {
    try {
        exchange::store::NameSpace& ns = session_.LogonNameSpace();
        session_.CalendarFolder.reset();
        session_.CalendarFolder.emplace(ns.GetDefaultFolder(exchange::store::olFolderCalendar));
    } catch (const std::exception&) {
        // A failed opening opens nothing.
        if (citam_ != nullptr && citam_->isVisible()) citam_->done(QDialog::Rejected);
        ShowError(mainWindow_, "Calendar folder", kInitError);
        return false;
    }
    ReadOutlookAppointments();
    if (!session_.CalendarFolder) return false;  // the read failed and said so
    FillPhoneAppointments();
    return true;
}

QLabel* TOutlookAppForm::OutDetail(int column) const {
    return outDetails_[static_cast<std::size_t>(column - kCategory)];
}

void TOutlookAppForm::ClearOutlookDetails() {
    for (QLabel* l : outDetails_) l->clear();
    SaveBtn->setEnabled(false);
}

void TOutlookAppForm::ReadOutlookAppointments() {
    OutAppointList->setUpdatesEnabled(false);
    OutAppointList->clear();
    OutAppointList->setUpdatesEnabled(true);
    ClearOutlookDetails();
    if (!session_.CalendarFolder) return;
    engine_.SetMode(ActivityMode::OutlookCalendar);
    auto closeProgress = [this] {
        if (citam_ != nullptr && citam_->isVisible()) citam_->done(QDialog::Rejected);
    };
    ProgressWindowView view;
    view.Caption = "Reading appointments from the calendar . . .";
    view.LokacijaLab = "Calendar folder";
    view.Label1Visible = true;
    view.ProgresLab = "0%";
    try {
        const exchange::store::Items items = session_.CalendarFolder->GetItems();
        const long count = items.Count();
        view.UpisanoLab = std::to_string(count);
        if (citam_ != nullptr) {
            citam_->Render(view);
            citam_->ShowProgress();
        }
        for (long i = 1; i <= count; ++i) {
            view.PozicijaLab = "Reading appointment from position no. " + std::to_string(i);
            view.ProgressBar1 = static_cast<int>(
                std::nearbyint(static_cast<double>(i) * 100.0 / static_cast<double>(count)));
            view.ProgresLab = std::to_string(view.ProgressBar1) + "%";
            if (citam_ != nullptr) citam_->Render(view);
            QCoreApplication::processEvents();
            fillingList_ = true;
            try {
                AddOutlookRow(items, i);
            } catch (const std::exception&) {
                // Not an appointment, or unreadable: left out.
            }
            fillingList_ = false;
        }
    } catch (const std::exception& e) {
        // The folder itself could not be listed: the operation ends here.
        fillingList_ = false;
        closeProgress();
        session_.CalendarFolder.reset();
        ShowError(isVisible() ? static_cast<QWidget*>(this) : mainWindow_, "Error",
                  QString::fromUtf8(e.what()));
        return;
    }
    closeProgress();
    if (OutAppointList->topLevelItemCount() > 0) {
        QTreeWidgetItem* first = OutAppointList->topLevelItem(0);
        OutAppointList->setCurrentItem(first);
        first->setSelected(true);
        OutAppointListChange();
    }
}

void TOutlookAppForm::AddOutlookRow(const exchange::store::Items& items, long index) {
    exchange::store::AppointmentItem a = items.Item(index).AsAppointmentItem();
    const exchange::store::LocalDateTime& s = a.Start();
    const QDateTime start(QDate(s.Year, s.Month, s.Day), QTime(s.Hour, s.Minute, s.Second));
    auto* row = new QTreeWidgetItem;
    row->setText(kCaption, FromUtf8(a.Subject()));
    row->setText(kCategory, FromUtf8(a.Categories()));
    row->setText(kRepeat, RecurrenceText(a));
    row->setText(kDate, start.date().toString("dd.MM.yyyy"));
    row->setText(kTime, start.time().toString("HH:mm:ss"));
    row->setText(kActive, a.ReminderSet() ? "Active" : "Not active");
    row->setData(kCaption, kBodyRole, FromUtf8(a.Body()));
    row->setIcon(kCaption, controls::SmallIcon(kOutlookPicture));
    OutAppointList->addTopLevelItem(row);
}

void TOutlookAppForm::FillPhoneAppointments() {
    fillingList_ = true;
    MobAppointList->clear();
    fillingList_ = false;
    for (QLabel* l : mobDetails_) l->clear();
    OutSaveBtn->setEnabled(false);
    for (const AppointmentRow& from : page_.AppointmentRows()) {
        fillingList_ = true;
        auto* row = new QTreeWidgetItem;
        row->setText(kCaption, ui::FromAnsi(from.Caption));
        row->setText(kCategory, ui::FromAnsi(from.Category));
        row->setText(kRepeat, ui::FromAnsi(from.Repetition));
        row->setText(kDate, ui::FromAnsi(from.Date));
        row->setText(kTime, ui::FromAnsi(from.Time));
        row->setData(kCaption, kRowRole, QVariant::fromValue(from));
        row->setIcon(kCaption, controls::SmallIcon(from.Image));
        MobAppointList->addTopLevelItem(row);
        fillingList_ = false;
    }
    if (MobAppointList->topLevelItemCount() > 0) {
        QTreeWidgetItem* first = MobAppointList->topLevelItem(0);
        MobAppointList->setCurrentItem(first);
        first->setSelected(true);
    }
    MobAppointListChange();
}

// --- list handlers --------------------------------------------------------------

void TOutlookAppForm::OutAppointListChange() {
    if (fillingList_) return;
    QTreeWidgetItem* item = OutAppointList->currentItem();
    if (OutAppointList->topLevelItemCount() == 0 || item == nullptr || !item->isSelected()) {
        ClearOutlookDetails();
        return;
    }
    // The details are the row's columns after its caption, in their order.
    for (std::size_t i = 0; i < outDetails_.size(); ++i)
        outDetails_[i]->setText(item->text(kCategory + static_cast<int>(i)));
    SaveBtn->setEnabled(true);
    selectedSubject_ = item->text(kCaption);
    selectedBody_ = item->data(kCaption, kBodyRole).toString();
}

void TOutlookAppForm::MobAppointListChange() {
    if (fillingList_) return;
    const int rows = MobAppointList->topLevelItemCount();
    const auto selected = MobAppointList->selectedItems();
    OutSelectAllBtn->setEnabled(rows > 0);
    AppointSelLab->setText(QString::number(selected.size()) + " of " + QString::number(rows));
    QTreeWidgetItem* item = MobAppointList->currentItem();
    if (rows == 0 || item == nullptr || !item->isSelected()) {
        for (QLabel* l : mobDetails_) l->clear();
        OutSaveBtn->setEnabled(false);
        return;
    }
    OutSaveBtn->setEnabled(!selected.isEmpty());
    mobDetails_[0]->setText(item->text(kCategory));
    mobDetails_[1]->setText(item->text(kRepeat));
    mobDetails_[2]->setText(item->text(kDate) + "   " + item->text(kTime));
}

void TOutlookAppForm::RefreshBtnClick() {
    ReadOutlookAppointments();
    OutAppointList->setFocus();
}

// --- store to phone -------------------------------------------------------------

void TOutlookAppForm::SaveBtnClick() {
    OutAppointList->setFocus();
    const int category = CategoryIndexFromOutlook(OutDetail(kCategory)->text());
    // A phone call takes the number its description keeps, else the subject
    // when that is a number, or nothing. Closed, the phone takes nothing: the
    // new-appointment command refuses.
    const PhoneText text = ToPhoneAppointmentText(ui::ToUtf8(selectedSubject_));
    if (category != 1 && engine_.Connected() &&
        !ui::WriteChangedTexts(this, {{selectedSubject_, text}}))
        return;
    page_.NewAppointmentFromStore(ChosenItemFields(category, text));
}

AppointmentFields TOutlookAppForm::ChosenItemFields(int category, const PhoneText& text) const {
    AppointmentFields fields;
    fields.Date = ReadDate(OutDetail(kDate)->text());
    fields.Time = ReadTime(OutDetail(kTime)->text());
    fields.Category = category;
    if (category != 1) fields.Text = ui::FromAnsi(text.Text);
    else fields.Number = CallNumber(selectedBody_, selectedSubject_);
    for (std::size_t i = 0; i < kRepeats.size(); ++i)
        if (OutDetail(kRepeat)->text() == QLatin1String(kRepeats[i]))
            fields.Repeat = static_cast<int>(i);
    fields.Alarm = OutDetail(kActive)->text() == "Active";
    return fields;
}

// --- phone to store -------------------------------------------------------------

void TOutlookAppForm::SaveRow(const exchange::store::Application& app, const AppointmentRow& row) {
    exchange::store::AppointmentItem item =
        app.CreateItem(exchange::store::olAppointmentItem).AsAppointmentItem();
    item.SetSubject(ui::FromAnsi(row.Caption).toStdString());
    item.SetCategories(OutlookCategoryFromPhone(ui::FromAnsi(row.Category)).toStdString());
    // A phone call's title is the phonebook's name for its number: the number
    // itself is kept in the description, where the way back finds it.
    if (row.Category == kPhoneCall) item.SetBody(ui::FromAnsi(row.Text).toStdString());
    const QDate d = ReadDate(ui::FromAnsi(row.Date));
    const QTime t = ReadTime(ui::FromAnsi(row.Time));
    if (!d.isValid() || !t.isValid())
        throw exchange::store::StoreError("The appointment has no valid start");
    item.SetStart({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()});
    const QString repetition = ui::FromAnsi(row.Repetition);
    if (repetition == "Once") {
        item.ClearRecurrencePattern();
    } else {
        item.GetRecurrencePattern().SetRecurrenceType(RecurrenceTypeFromText(repetition));
    }
    const int picture = row.Image;
    item.SetReminderSet(picture == 58 || picture == 60 || picture == 62 || picture == 64);
    item.Save();
}

void TOutlookAppForm::OutSaveBtnClick() {
    try {
        if (!session_.OutlookApp) session_.ConnectOutlookApp();
        for (int i = 0; i < MobAppointList->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = MobAppointList->topLevelItem(i);
            if (row->isSelected())
                SaveRow(*session_.OutlookApp,
                        row->data(kCaption, kRowRole).value<AppointmentRow>());
        }
    } catch (const std::exception&) {
        ReadOutlookAppointments();  // the appointments saved before the error are there
        ShowError(
            this, "Error",
            QStringLiteral(
                "Error occurred while trying to save appointment(s) in the calendar folder!"));
        return;
    }
    // The store's list shows what was written.
    ReadOutlookAppointments();
    MobAppointList->setFocus();
    Inform(this, QStringLiteral("Information"),
           QStringLiteral("Appointment(s) succesfully saved in the calendar folder!"));
}

bool TOutlookAppForm::SaveAppointment(const AppointmentRow& row) {
    try {
        exchange::store::NameSpace& ns = session_.LogonNameSpace();
        ns.GetDefaultFolder(exchange::store::olFolderCalendar);
        SaveRow(*session_.OutlookApp, row);
    } catch (const std::exception&) {
        ShowError(mainWindow_, "Calendar folder", kInitError);
        return false;
    }
    return true;
}

// --- life cycle -------------------------------------------------------------------

void TOutlookAppForm::showEvent(QShowEvent* event) {
    TStoreExchangeForm::showEvent(event);
    OutAppointList->setFocus();
}

void TOutlookAppForm::FormClose() {
    OutAppointList->setUpdatesEnabled(false);
    fillingList_ = true;
    OutAppointList->clear();
    fillingList_ = false;
    OutAppointList->setUpdatesEnabled(true);
}

}  // namespace parlenko::ui

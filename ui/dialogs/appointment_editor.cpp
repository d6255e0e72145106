#include "ui/dialogs/appointment_editor.h"

#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "ui/artwork/artwork.h"
#include "ui/artwork/small_images.h"
#include "ui/base/name_order.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/dialog_frame.h"
#include "ui/controls/window_owner.h"
#include "ui/controls/window_placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QStackedWidget>
#include <QTimeEdit>

#include <algorithm>

namespace parlenko::ui {
namespace {

constexpr int kWidth = 434;
constexpr int kHeight = 338;
constexpr int kTextLength = 16;
constexpr int kNumberLength = 38;
const QString kRule = QStringLiteral("--------------------------------");

// A caption as wide as its text.
QLabel* Caption(QWidget* parent, const char* text, int x, int y) {
    return controls::FittedCaption(parent, text, QPoint(x, y));
}

// The characters of text the phone cannot keep, each followed by a blank.
QString UnsupportedChars(const QString& text) {
    QString bad;
    for (const std::string& c : parlenko::UnsupportedChars(ToUtf8(text), PhoneChars::TextSet))
        bad += FromUtf8(c) + ' ';
    return bad;
}

bool ValidText(const QString& text) { return UnsupportedChars(text).isEmpty(); }

// A character outside Windows-1252 becomes "?", which no number holds.
bool ValidNumber(const QString& text) { return IsValidNumber(ToAnsi(text)); }

// Typing stops at max characters; a longer text set by the program (read
// from the phone) stays whole and may still be shortened.
class TypingLimit final : public QValidator {
public:
    TypingLimit(QLineEdit* edit, int max) : QValidator(edit), max_(max) {
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { previous_ = static_cast<int>(text.size()); });
    }
    State validate(QString& input, int& pos) const override {
        (void)pos;
        const auto size = input.size();
        return size <= max_ || size < previous_ ? Acceptable : Invalid;
    }

private:
    int max_;
    int previous_ = 0;
};

// The editor's weekday item of a date: Monday 0 .. Sunday 6.
int WeekdayItem(const QDate& date) { return date.dayOfWeek() - 1; }

}  // namespace

TAppointmentForm::TAppointmentForm(PhoneEngine& engine, QWidget* mainWindow)
    : QDialog(mainWindow), engine_(engine), mainWindow_(mainWindow), balloon_(this) {
    FrameDialog(this, "AppointmentForm", "Podsjetnik", kClosableDialog | Qt::WindowStaysOnTopHint,
                {kWidth, kHeight});
    setFont(artwork::UiFont(8.5));

    BuildDateAndName();
    BuildRepeatAndActivation();
    SnimiBtn = controls::Button(this, "SnimiBtn", "Snimi", QRect(262, 306, 78, 25));
    SnimiBtn->setEnabled(false);
    OdustaniBtn = controls::Button(this, "OdustaniBtn", "Odustani", QRect(348, 306, 78, 25));
    ConnectHandlers();
}

// The date and time, the category, and the text or the number to call.
void TAppointmentForm::BuildDateAndName() {
    using controls::Combo;
    using controls::Edit;
    QGroupBox* date = controls::Group(this, " Datum i vrijeme:", QRect(8, 4, 418, 54));
    Caption(date, "Datum:", 12, 25);
    AppDatePicker = new QDateEdit(date);
    AppDatePicker->setObjectName("AppDatePicker");
    AppDatePicker->setCalendarPopup(true);
    AppDatePicker->setDisplayFormat("dd.MM.yyyy");
    AppDatePicker->setGeometry(70, 21, 120, 22);
    Caption(date, "Vrijeme:", 220, 25);
    AppTimePicker = new QTimeEdit(date);
    AppTimePicker->setObjectName("AppTimePicker");
    AppTimePicker->setDisplayFormat("HH:mm:ss");
    AppTimePicker->setGeometry(282, 21, 100, 22);

    QGroupBox* name = controls::Group(this, " Naziv i kategorija:", QRect(8, 62, 418, 86));
    Caption(name, "Kategorija:", 12, 25);
    AppCatCB = Combo(name, "AppCatCB", QRect(90, 21, 180, 22));
    const int catPictures[] = {60, 64, 62, 58};
    const char* catTexts[] = {"Memorandum", "Telefonski poziv", "Sastanak", "Godišnjica"};
    for (int i = 0; i < 4; ++i)
        AppCatCB->addItem(controls::SmallIcon(catPictures[i]), U(catTexts[i]));
    Notebook1 = new QStackedWidget(name);
    Notebook1->setObjectName("Notebook1");
    Notebook1->setGeometry(2, 50, 414, 30);
    auto* pageDefault = new QWidget;
    pageDefault->setObjectName("Default");
    Caption(pageDefault, "Naziv:", 10, 5);
    NazivEdit = Edit(pageDefault, "NazivEdit", QRect(88, 1, 180, 22));
    auto* pagePhone = new QWidget;
    pagePhone->setObjectName("Phone Call");
    Caption(pagePhone, "Broj:", 10, 5);
    TelEdit = Edit(pagePhone, "TelEdit", QRect(88, 1, 130, 22));
    NazivCB = Combo(pagePhone, "NazivCB", QRect(226, 1, 180, 22));
    Notebook1->addWidget(pageDefault);
    Notebook1->addWidget(pagePhone);
    // Only typing is limited: a longer text read from the phone is kept whole.
    NazivEdit->setValidator(new TypingLimit(NazivEdit, kTextLength));
    TelEdit->setValidator(new TypingLimit(TelEdit, kNumberLength));
}

// The repetition with its weekday, and the activation told in words.
void TAppointmentForm::BuildRepeatAndActivation() {
    using controls::Combo;
    QGroupBox* repeat = controls::Group(this, " Ponavljanje:", QRect(8, 152, 418, 54));
    Caption(repeat, "Ponavljanje:", 12, 25);
    AppPerCB = Combo(repeat, "AppPerCB", QRect(90, 21, 110, 22));
    for (const char* t : {"Samo jednom", "Svakodnevno", "Tjedno", "Mjesečno", "Godišnje"})
        AppPerCB->addItem(U(t));
    Caption(repeat, "Dan u tjednu:", 212, 25);
    AppDayCB = Combo(repeat, "AppDayCB", QRect(296, 21, 112, 22));
    for (const char* t :
         {"Ponedjeljak", "Utorak", "Srijeda", "Četvrtak", "Petak", "Subota", "Nedjelja"})
        AppDayCB->addItem(U(t));
    AppDayCB->setEnabled(false);

    QGroupBox* act = controls::Group(this, " Aktivacija podsjetnika:", QRect(8, 210, 418, 88));
    AppActivationLab = controls::Label(act, "AppActivationLab", {}, QRect(10, 18, 220, 64));
    AppActivationLab->setAlignment(Qt::AlignCenter);
    AppActivationLab->setStyleSheet(
        QStringLiteral("QLabel { color: #D00000; }"
                       "QLabel:disabled { color: #A0A0A0; }"));
    AppActivationLab->setEnabled(false);
    ActivateCheck =
        controls::Check(act, "ActivateCheck", "Aktiviraj podsjetnik", QRect(250, 38, 160, 22));
}

void TAppointmentForm::ConnectHandlers() {
    // Combo changes of the user only: the page's own settings must not empty
    // the edits or move the date.
    connect(AppCatCB, &QComboBox::activated, this, [this] { AppCatCBChange(); });
    connect(AppDayCB, &QComboBox::activated, this, [this] { AppDayCBChange(); });
    connect(NazivCB, &QComboBox::activated, this, [this] { NazivCBChange(); });
    connect(AppPerCB, &QComboBox::currentIndexChanged, this, [this] { UpdateActivation(); });
    connect(AppDatePicker, &QDateEdit::dateChanged, this, [this] { UpdateActivation(); });
    connect(AppTimePicker, &QTimeEdit::timeChanged, this, [this] { UpdateActivation(); });
    connect(ActivateCheck, &QCheckBox::toggled, this, [this] { UpdateActivation(); });
    connect(NazivEdit, &QLineEdit::textChanged, this, [this] { NazivEditChange(); });
    connect(TelEdit, &QLineEdit::textChanged, this, [this] { TelEditChange(); });
    connect(SnimiBtn, &QPushButton::clicked, this, [this] { SnimiBtnClick(); });
    connect(OdustaniBtn, &QPushButton::clicked, this, [this] { reject(); });
    NazivEdit->installEventFilter(this);
    TelEdit->installEventFilter(this);
}

void TAppointmentForm::OpenNew(int slot) {
    const QDateTime now = Now();
    AppointmentFields empty;
    empty.Date = now.date();
    empty.Time = now.time();
    FillForNew(empty);
    ShowModal("New appointment . . .", slot, true);
}

void TAppointmentForm::OpenForStoreItem(const AppointmentFields& fields, int slot) {
    FillForNew(fields);
    ShowModal("New appointment . . .", slot, true);
}

void TAppointmentForm::FillForNew(const AppointmentFields& fields) {
    FillNameList();
    AppDatePicker->setDate(fields.Date);
    AppTimePicker->setTime(fields.Time);
    // Set by code: the combos' user handlers (which empty the edits or move
    // the date) do not run.
    AppCatCB->setCurrentIndex(fields.Category);
    if (fields.Category != 1) {
        Notebook1->setCurrentIndex(0);
        NazivEdit->setText(fields.Text);
        NazivCB->setEnabled(NazivCB->count() > 0);
        NazivCB->setCurrentIndex(-1);
        TelEdit->clear();
    } else {
        Notebook1->setCurrentIndex(1);
        NazivCB->setEnabled(NazivCB->count() > 0);
        NazivCB->setCurrentIndex(-1);
        TelEdit->setText(fields.Number);
        NazivEdit->clear();
    }
    AppPerCB->setCurrentIndex(fields.Repeat);
    ActivateCheck->setChecked(fields.Alarm);
}

void TAppointmentForm::OpenForEdit(const AppointmentFields& fields, int slot) {
    NazivCB->setCurrentIndex(-1);
    NazivEdit->clear();
    TelEdit->clear();
    AppDatePicker->setDate(fields.Date);
    AppTimePicker->setTime(fields.Time);
    AppCatCB->setCurrentIndex(fields.Category);
    FillNameList();
    if (fields.Category != 1) {
        NazivEdit->setText(fields.Text);
        Notebook1->setCurrentIndex(0);
    } else {
        TelEdit->setText(fields.Number);
        Notebook1->setCurrentIndex(1);
    }
    NazivCB->setEnabled(NazivCB->count() > 0);
    AppPerCB->setCurrentIndex(fields.Repeat);
    ActivateCheck->setChecked(fields.Alarm);
    ShowModal("Edit appointment . . .", slot, false);
}

void TAppointmentForm::ShowModal(const char* title, int slot, bool isNew) {
    setWindowTitle(QString::fromLatin1(title));
    appointmentLocation_ = slot;
    newAppointment_ = isNew;
    exec();
}

void TAppointmentForm::FillNameList() {
    std::vector<QString> names;
    for (const AListIme& e : engine_.PhonebookList()) names.push_back(FromAnsi(e.Name));
    SortNames(names);
    NazivCB->clear();
    for (const QString& stored : names) {
        QString shown = stored;
        const bool vip = shown.endsWith('!');
        if (vip) shown.chop(1);
        NazivCB->addItem(controls::SmallIcon(vip ? 4 : 3), shown, stored);
    }
    NazivCB->setCurrentIndex(-1);
}

void TAppointmentForm::UpdateSaveButton() {
    const QString text = NazivEdit->text();
    const QString number = TelEdit->text();
    SnimiBtn->setEnabled((!text.isEmpty() || !number.isEmpty()) && ValidText(text) &&
                         ValidNumber(number));
}

void TAppointmentForm::UpdateActivation() {
    if (updating_) return;
    updating_ = true;
    AppDatePicker->setEnabled(true);
    AppDayCB->setEnabled(false);
    ActivateCheck->setEnabled(true);
    QDate date = AppDatePicker->date();
    const QDate floor(1997, 1, 1);
    if (date < floor) {
        date = floor;
        AppDatePicker->setDate(floor);
    }
    const QString dateText = date.toString("dd.MM.yyyy");
    const QTime time = AppTimePicker->time();
    const QString timeText = time.toString("HH:mm:ss");
    // The weekday list follows the date before the weekly text reads it.
    AppDayCB->setCurrentIndex(WeekdayItem(date));
    QString text;
    switch (AppPerCB->currentIndex()) {
        case 0:
            text = "Once\n\n" + dateText + "\n\n" + timeText;
            if (QDateTime(date, QTime(time.hour(), time.minute(), time.second())) <= Now())
                ActivateCheck->setEnabled(false);
            break;
        case 1: text = "Daily\n\n" + timeText; break;
        case 2:
            text = "Weekly\n\n" + AppDayCB->currentText() + "\n\n" + timeText;
            AppDatePicker->setEnabled(false);
            AppDayCB->setEnabled(true);
            break;
        case 3: text = "Monthly\n\n" + date.toString("dd.") + "\n\n" + timeText; break;
        case 4: text = "Annualy\n\n" + date.toString("dd.MM") + "\n\n" + timeText; break;
        default: break;
    }
    AppActivationLab->setText(text);
    if (!ActivateCheck->isEnabled()) ActivateCheck->setChecked(false);
    AppActivationLab->setEnabled(ActivateCheck->isChecked());
    updating_ = false;
}

void TAppointmentForm::AppDayCBChange() {
    QDate date = Now().date();
    for (int step = 0; step < 6 && WeekdayItem(date) != AppDayCB->currentIndex(); ++step)
        date = date.addDays(1);
    AppDatePicker->setDate(date);
    UpdateActivation();
    if (AppDayCB->isEnabled()) AppDayCB->setFocus();
}

void TAppointmentForm::AppCatCBChange() {
    NazivEdit->clear();
    NazivCB->setCurrentIndex(-1);
    TelEdit->clear();
    Notebook1->setCurrentIndex(AppCatCB->currentIndex() == 1 ? 1 : 0);
}

void TAppointmentForm::NazivEditChange() {
    const QString bad = UnsupportedChars(NazivEdit->text());
    if (bad.isEmpty()) {
        balloon_.Free();
    } else {
        ShowHint(
            "You entered following\nunsupported characters:\n" + kRule + "\n" + bad + "\n" + kRule,
            31, 281);
    }
    UpdateSaveButton();
}

void TAppointmentForm::TelEditChange() {
    const auto& phonebook = engine_.PhonebookList();
    if (telEditActive_ && !phonebook.empty()) {
        const std::string number = ToAnsi(TelEdit->text());
        const auto it = std::find_if(phonebook.begin(), phonebook.end(),
                                     [&](const AListIme& e) { return e.Phone == number; });
        NazivCB->setCurrentIndex(it == phonebook.end() ? -1
                                                       : NazivCB->findData(FromAnsi(it->Name)));
    }
    if (ValidNumber(TelEdit->text())) {
        balloon_.Free();
    } else {
        ShowHint("Invalid phone number!\n\nValid characters are:\n" + kRule +
                     "\n   Numbers:   '0 - 9'\n   Other:  '+', '*' and '#'\n" + kRule,
                 31, 305);
    }
    UpdateSaveButton();
}

void TAppointmentForm::TelEditExit() { balloon_.Free(); }

void TAppointmentForm::NazivCBChange() {
    const std::string name = ToAnsi(NazivCB->currentData().toString());
    QString number;
    for (const AListIme& e : engine_.PhonebookList()) {
        if (e.Name == name) {
            number = FromAnsi(e.Phone);
            break;
        }
    }
    TelEdit->setText(number);
}

void TAppointmentForm::SnimiBtnClick() {
    const QString text = TelEdit->text().isEmpty() ? NazivEdit->text() : TelEdit->text();
    VCalendarEntry entry;
    entry.Category = static_cast<AppointmentCategory>(std::clamp(AppCatCB->currentIndex(), 0, 3));
    entry.Repeat = static_cast<AppointmentRepeat>(std::clamp(AppPerCB->currentIndex(), 0, 4));
    entry.Text = ToAnsi(text);
    entry.Alarm = ActivateCheck->isChecked();
    const QDate d = AppDatePicker->date();
    entry.Date = std::chrono::year_month_day{std::chrono::year(d.year()),
                                             std::chrono::month(static_cast<unsigned>(d.month())),
                                             std::chrono::day(static_cast<unsigned>(d.day()))};
    entry.Time = std::chrono::seconds(AppTimePicker->time().msecsSinceStartOfDay() / 1000);
    engine_.SaveAppointment(entry, appointmentLocation_, newAppointment_);
    accept();
}

void TAppointmentForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The appointments page opens it, and the calendar exchange.
    OwnByOpeningWindow(this, mainWindow_);
    FormShow();
}

void TAppointmentForm::FormShow() {
    CenterOnWindow(this, mainWindow_);
    if (Notebook1->currentIndex() == 1) {
        TelEdit->setFocus();
        telEditActive_ = true;
        TelEditChange();
        telEditActive_ = false;
        AppDatePicker->setFocus();
    }
    UpdateActivation();
}

bool TAppointmentForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == TelEdit) {
            telEditActive_ = true;
            TelEditChange();
        } else if (watched == NazivEdit) {
            NazivEditChange();
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == TelEdit) telEditActive_ = false;
        if (watched == TelEdit || watched == NazivEdit) TelEditExit();
    }
    return QDialog::eventFilter(watched, event);
}

void TAppointmentForm::ShowHint(const QString& text, int dx, int dy) {
    balloon_.Show(text, x() + dx, y() + dy);
}

}  // namespace parlenko::ui

#include "ui/dialogs/call_forms.h"

#include "engine/session/phone_engine.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/dialog_frame.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace parlenko::ui {
namespace {

constexpr int kDtmfStringLength = 29;
constexpr int kNoticeCloseMs = 10000;

using controls::Button;
using controls::Caption;
using controls::Group;
using controls::Value;

// The other side of a call: its name and number, each on a line of width.
TPartyLabels PartyIn(QWidget* group, int width, int numberY) {
    return {Value(group, "OsobaLab", QRect(14, 22, width, 19)),
            Value(group, "TelefonLab", QRect(14, numberY, width, 19))};
}

constexpr Qt::WindowFlags kDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint;

// The tone buttons in Tag order: caption and name.
struct ToneKey {
    const char* tone;
    const char* name;
};
constexpr std::array<ToneKey, 16> kTones = {{
    {"0", "btnTone0"},
    {"1", "btnTone1"},
    {"2", "btnTone2"},
    {"3", "btnTone3"},
    {"4", "btnTone4"},
    {"5", "btnTone5"},
    {"6", "btnTone6"},
    {"7", "btnTone7"},
    {"8", "btnTone8"},
    {"9", "btnTone9"},
    {"*", "btnToneZvj"},
    {"#", "btnToneLjest"},
    {"A", "btnToneA"},
    {"B", "btnToneB"},
    {"C", "btnToneC"},
    {"D", "btnToneD"},
}};
// Where each Tag sits on the keypad: row and column, as a phone's keys.
constexpr std::array<std::pair<int, int>, 16> kKeypad = {{
    {3, 1},
    {0, 0},
    {0, 1},
    {0, 2},
    {1, 0},
    {1, 1},
    {1, 2},
    {2, 0},
    {2, 1},
    {2, 2},
    {3, 0},
    {3, 2},
    {0, 3},
    {1, 3},
    {2, 3},
    {3, 3},
}};

}  // namespace

// --- TDialForm ---------------------------------------------------------------------

TDialForm::TDialForm(QWidget* mainWindow, PhoneEngine& engine)
    : TSmallWindow(mainWindow), engine_(engine) {
    FrameDialog(this, "DialForm", U("Pozovi telefonski broj . . ."),
                kDialogFlags | Qt::WindowCloseButtonHint, {300, 178});
    QGroupBox* group = Group(this, " Pozivanje:", QRect(8, 6, 284, 124));
    Caption(group, "Telefonski broj:", QRect(14, 24, 96, 19));
    TelEdit = controls::Edit(group, "TelEdit", QRect(112, 22, 158, 22));
    Caption(group, "Naziv osobe:", QRect(14, 54, 96, 19));
    OsobaLab = Value(group, "OsobaLab", QRect(112, 54, 158, 19));
    BlockNumberCheck =
        controls::Check(group, "BlockNumberCheck", " Sakrij svoj broj  (Conceal ID, Incognito)",
                        QRect(14, 88, 262, 20));
    DialBtn = Button(this, "DialBtn", "Pozovi", QRect(68, 140, 78, 27));
    DialBtn->setEnabled(false);
    DialBtn->setDefault(true);
    Button1 = Button(this, "Button1", "Odustani", QRect(154, 140, 78, 27));
    connect(TelEdit, &QLineEdit::textChanged, this, [this] { TelEditChange(); });
    connect(DialBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
}

void TDialForm::Preset(const QString& name, const QString& number) {
    BlockNumberCheck->setChecked(false);
    OsobaLab->setText(name);
    TelEdit->setText(number);
    TelEditChange();
    TelEdit->setFocus();
}

QString TDialForm::Number() const { return TelEdit->text().trimmed(); }

QString TDialForm::Name() const { return OsobaLab->text(); }

bool TDialForm::HidesOwnNumber() const { return BlockNumberCheck->isChecked(); }

void TDialForm::TelEditChange() {
    // Only what the phone can dial: a blank, a name or a command line
    // ("12;+CPWD") never reaches the dial command.
    const std::string number = ToAnsi(Number());
    DialBtn->setEnabled(!number.empty() && PhoneEngine::IsValidNumber(number));
    // The name follows only what the user types, not the number preset.
    if (!TelEdit->hasFocus() || engine_.PhonebookEmpty()) return;
    OsobaLab->setText(FromAnsi(engine_.PhonebookNameOf(ToAnsi(TelEdit->text()))));
}

// --- TTalkingToForm ----------------------------------------------------------------

TTalkingToForm::TTalkingToForm(QWidget* mainWindow, PhoneEngine& engine)
    : TSmallWindow(mainWindow), engine_(engine) {
    // No close box: the call ends by the hang-up button or by the other side.
    FrameDialog(this, "TalkingToForm", U("Telefonski poziv . . ."), kDialogFlags, {330, 338});
    Party = PartyIn(Group(this, " Sugovornik:", QRect(8, 6, 314, 68)), 286, 42);
    HangUpBtn = Button(this, "HangUpBtn", "Prekini vezu", QRect(110, 82, 110, 28));

    QGroupBox* dtmf = Group(this, " Slanje DTMF tonova:", QRect(8, 118, 314, 212));
    for (std::size_t k = 0; k < kTones.size(); ++k) {
        const int tag = static_cast<int>(k);
        const auto [row, column] = kKeypad[k];
        QPushButton* b = Button(dtmf, kTones[k].name, kTones[k].tone,
                                QRect(14 + column * 38, 22 + row * 30, 34, 26));
        b->setProperty("Tag", tag);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, tag] { btnTone1Click(tag); });
        ToneButtons[k] = b;
    }
    Caption(dtmf, "Dužina tona:", QRect(180, 24, 120, 19));
    DurationUD = controls::SpinBox(dtmf, "DurationUD", QRect(180, 46, 60, 22), 1, 255);
    Caption(dtmf, "( 1 - 255 )", QRect(246, 48, 62, 19));
    DtmfStrEdit = controls::Edit(dtmf, "DtmfStrEdit", QRect(14, 148, 208, 22));
    DtmfStrEdit->setMaxLength(kDtmfStringLength);
    DtmfStrEdit->setText(U("0123456789ABCD*#"));
    SendStrBtn = Button(dtmf, "SendStrBtn", "Pošalji", QRect(230, 146, 70, 26));
    SendStrBtn->setEnabled(false);
    SendStrBtn->setAutoDefault(false);
    auto* note = Caption(dtmf, "Dužina tona  ne vrijedi kod slanja niza DTMF tonova!",
                         QRect(14, 178, 290, 28));
    note->setWordWrap(true);
    connect(HangUpBtn, &QPushButton::clicked, this, [this] { HangUpBtnClick(); });
    connect(DtmfStrEdit, &QLineEdit::textChanged, this, [this] { DtmfStrEditChange(); });
    connect(SendStrBtn, &QPushButton::clicked, this, [this] { SendStrBtnClick(); });
}

void TTalkingToForm::ShowParty(const std::string& name, const std::string& number) {
    Party.Show(name, number);
}

std::string TTalkingToForm::Tones() const {
    const std::string tones = ToAnsi(DtmfStrEdit->text().trimmed().toUpper());
    return PhoneEngine::AreDtmfTones(tones) ? tones : std::string();
}

void TTalkingToForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);
    DtmfStrEdit->clear();
    HangUpBtn->setFocus();
}

void TTalkingToForm::done(int result) {
    TSmallWindow::done(result);
    Party.Clear();
}

void TTalkingToForm::reject() {}

void TTalkingToForm::HangUpBtnClick() {
    engine_.HangUp();
    done(QDialog::Accepted);
}

void TTalkingToForm::DtmfStrEditChange() {
    // Only tones go between the quotes: a '"' or ';' would end the string
    // and chain another command.
    SendStrBtn->setEnabled(!Tones().empty());
}

void TTalkingToForm::SendStrBtnClick() {
    const std::string tones = Tones();
    if (!tones.empty()) engine_.SendDtmfTones(tones);
}

void TTalkingToForm::btnTone1Click(int tag) {
    if (tag < 0 || tag >= static_cast<int>(kTones.size())) return;
    engine_.SendDtmfTone(kTones[static_cast<std::size_t>(tag)].tone, DurationUD->value());
}

// --- TNewCallForm ------------------------------------------------------------------

TNewCallForm::TNewCallForm(QWidget* mainWindow, PhoneEngine& engine)
    : TSmallWindow(mainWindow), engine_(engine) {
    FrameDialog(this, "NewCallForm", U("Dolazni poziv!"), kDialogFlags | Qt::WindowCloseButtonHint,
                {290, 128}, Modality::Modeless);
    Party = PartyIn(Group(this, " Podaci o pozivatelju:", QRect(8, 6, 274, 70)), 250, 44);
    Button1 = Button(this, "Button1", "Javi se na poziv", QRect(14, 88, 126, 28));
    Button2 = Button(this, "Button2", "Odbij poziv", QRect(150, 88, 126, 28));
    CloseTimer = controls::Timer(this, "CloseTimer", kNoticeCloseMs);
    connect(CloseTimer, &QTimer::timeout, this, [this] { done(QDialog::Rejected); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TNewCallForm::Present(const std::string& name, const std::string& number) {
    name_ = name;
    number_ = number;
    Party.Show(name, number);
    // A window opened after a modal one is blocked by it unless it is that
    // window's child: the notice goes with the modal window, as a message
    // box does.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == this) modal = nullptr;
    if (modal != modalParent_) {
        LeaveModalParent();
        if (modal != nullptr) {
            setParent(modal, windowFlags());
            modalParent_ = modal;
            modal->installEventFilter(this);
        }
    }
    CloseTimer->start();
    if (isVisible()) {
        raise();
    } else {
        show();
    }
}

void TNewCallForm::LeaveModalParent() {
    if (modalParent_ == nullptr) return;
    modalParent_->removeEventFilter(this);
    modalParent_ = nullptr;
    const bool shown = isVisible();
    setParent(nullptr, windowFlags());
    if (shown) show();
}

bool TNewCallForm::eventFilter(QObject* watched, QEvent* event) {
    // The modal window goes away (and may be destroyed next): the notice
    // stays, a window of its own again.
    if (watched == modalParent_ &&
        (event->type() == QEvent::Hide || event->type() == QEvent::Close))
        LeaveModalParent();
    return TSmallWindow::eventFilter(watched, event);
}

void TNewCallForm::done(int result) {
    TSmallWindow::done(result);
    CloseTimer->stop();
    Party.Clear();
    name_.clear();
    number_.clear();
    LeaveModalParent();
    engine_.NewCallNoticeClosed();
}

void TNewCallForm::Button1Click() {
    const std::string name = name_;
    const std::string number = number_;
    engine_.AnswerCall(name, number);
    done(QDialog::Accepted);
}

void TNewCallForm::Button2Click() {
    engine_.RejectCall();
    done(QDialog::Rejected);
}

// --- TKreditForm -------------------------------------------------------------------

TKreditForm::TKreditForm(QWidget* mainWindow) : TSmallWindow(mainWindow) {
    FrameDialog(this, "KreditForm", U("Stanje na računu"),
                kDialogFlags | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint,
                {270, 136});
    QGroupBox* group = Group(this, " Stanje na računu:", QRect(8, 6, 254, 84));
    auto* line = Caption(group, "Trenutno stanje Vašeg računa je:", QRect(8, 22, 238, 19));
    line->setAlignment(Qt::AlignCenter);
    SaldoLab = Value(group, "SaldoLab", QRect(8, 46, 238, 26));
    SaldoLab->setAlignment(Qt::AlignCenter);
    QFont big = SaldoLab->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    SaldoLab->setFont(big);
    Button1 = Button(this, "Button1", "Zatvori", QRect(95, 100, 80, 27));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TKreditForm::ShowBalance(const std::string& caption, const std::string& balance) {
    setWindowTitle(FromAnsi(caption));
    SaldoLab->setText(FromAnsi(balance));
}

}  // namespace parlenko::ui

#include "ui/pages/settings_page.h"

#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "ui/base/text_codec.h"

#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>

#include <array>
#include <chrono>

namespace parlenko::ui {
namespace {

QGroupBox* AddGroup(QWidget* parent, const char* name, const char* caption, const QRect& r) {
    auto* g = new QGroupBox(U(caption), parent);
    g->setObjectName(name);
    g->setGeometry(r);
    return g;
}

QRadioButton* AddRadio(QWidget* parent, const char* name, const char* caption, const QRect& r) {
    auto* b = new QRadioButton(U(caption), parent);
    b->setObjectName(name);
    b->setGeometry(r);
    return b;
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, const QRect& r) {
    auto* b = new QPushButton(U(caption), parent);
    b->setObjectName(name);
    b->setGeometry(r);
    return b;
}

QLabel* AddLabel(QWidget* parent, const char* caption, const QRect& r) {
    auto* l = new QLabel(U(caption), parent);
    l->setGeometry(r);
    return l;
}

QLineEdit* AddEdit(QWidget* parent, const char* name, const QRect& r) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(r);
    return e;
}

// Characters the phone's alphabet stores (Windows-1252 bytes), without the
// double quote, which would end the command's quoted argument.
class PhoneTextValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        if (input.contains('"') || !UnsupportedChars(ToUtf8(input)).empty()) return Invalid;
        return Acceptable;
    }
};

QValidator* Pattern(const char* regex, QObject* parent) {
    return new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(regex)), parent);
}

bool Filled(const QLineEdit* e) { return !e->text().trimmed().isEmpty(); }

// The computer's local date and time now, to the second.
std::chrono::local_seconds LocalNow() {
    using namespace std::chrono;
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return local_days{year{d.year()} / month{static_cast<unsigned>(d.month())} /
                      day{static_cast<unsigned>(d.day())}} +
           hours{t.hour()} + minutes{t.minute()} + seconds{t.second()};
}

}  // namespace

TSettingsPage::TSettingsPage(PhoneEngine& engine, QWidget* parent)
    : QWidget(parent), engine_(engine) {
    setObjectName("OstaloSettingsPage");
    resize(520, 330);

    // Left column: clock, SMS centre, price.
    auto* clock = AddGroup(this, "ClockGB", " Sinkronizacija datuma i sata:", {8, 6, 250, 92});
    Clock1RB = AddRadio(clock, "Clock1RB", " Vrijeme iz računala u mobitel", {12, 20, 230, 20});
    Clock2RB = AddRadio(clock, "Clock2RB", " Vrijeme iz mobitela u računalo", {12, 40, 230, 20});
    Button1 = AddButton(clock, "Button1", "Snimi", {160, 62, 80, 24});
    Clock1RB->setChecked(true);

    auto* smsc = AddGroup(this, "SmscGB", " Broj SMS centra:", {8, 104, 250, 82});
    AddLabel(smsc, "Telefonski broj:", {12, 22, 120, 16});
    SmscEdit = AddEdit(smsc, "SmscEdit", {12, 40, 140, 22});
    SmscEdit->setValidator(Pattern("\\+?[0-9]*", SmscEdit));
    SmscBtn = AddButton(smsc, "SmscBtn", "Snimi", {160, 50, 80, 24});
    SmscBtn->setEnabled(false);

    auto* price = AddGroup(this, "PriceGB", " Cijena poziva po minuti:", {8, 192, 250, 128});
    AddLabel(price, "Valuta:", {12, 24, 90, 16});
    ValutaEdit = AddEdit(price, "ValutaEdit", {110, 21, 50, 22});
    ValutaEdit->setMaxLength(3);
    ValutaEdit->setValidator(new PhoneTextValidator(ValutaEdit));
    AddLabel(price, "Cijena:", {12, 52, 90, 16});
    CijenaEdit = AddEdit(price, "CijenaEdit", {110, 49, 80, 22});
    CijenaEdit->setValidator(Pattern("[0-9]*\\.?[0-9]*", CijenaEdit));
    AddLabel(price, "Upiši PIN 2:", {12, 80, 90, 16});
    PricePinEdit = AddEdit(price, "PricePinEdit", {110, 77, 80, 22});
    PricePinEdit->setMaxLength(8);
    PricePinEdit->setValidator(Pattern("[0-9]*", PricePinEdit));
    PriceBtn = AddButton(price, "PriceBtn", "Snimi", {160, 98, 80, 24});
    PriceBtn->setEnabled(false);

    // Right column: alert, vibration, ringer level; the refresh below.
    auto* alert =
        AddGroup(this, "AlertGB", " Vrsta zvučnog upozorenja kod poziva:", {266, 6, 246, 104});
    Alert1RB = AddRadio(alert, "Alert1RB", " Normalno", {12, 20, 140, 20});
    Alert2RB = AddRadio(alert, "Alert2RB", " Kratki ton", {12, 40, 140, 20});
    Alert3RB = AddRadio(alert, "Alert3RB", " Bez zvuka", {12, 60, 140, 20});
    AlertBtn = AddButton(alert, "AlertBtn", "Snimi", {156, 74, 80, 24});
    Alert1RB->setChecked(true);

    auto* vibra =
        AddGroup(this, "VibraGB", " Vibracijsko upozorenje kod poziva:", {266, 116, 246, 82});
    Vibra1RB = AddRadio(vibra, "Vibra1RB", " Isključeno", {12, 20, 140, 20});
    Vibra2RB = AddRadio(vibra, "Vibra2RB", " Uključeno", {12, 40, 140, 20});
    VibraBtn = AddButton(vibra, "VibraBtn", "Snimi", {156, 52, 80, 24});
    Vibra1RB->setChecked(true);

    auto* ringer = AddGroup(this, "RingerGB", " Nivo zvuka kod poziva:", {266, 204, 246, 82});
    AddLabel(ringer, "Glasnoća:", {12, 22, 80, 16});
    RingerTB = new QSlider(Qt::Horizontal, ringer);
    RingerTB->setObjectName("RingerTB");
    RingerTB->setGeometry(12, 40, 130, 26);
    RingerTB->setRange(1, 5);
    RingerTB->setPageStep(1);
    RingerTB->setTickPosition(QSlider::TicksBelow);
    RingerTB->setTickInterval(1);
    RingerTB->setValue(1);
    RingerBtn = AddButton(ringer, "RingerBtn", "Snimi", {156, 52, 80, 24});

    RefreshOstaloBtn = AddButton(this, "RefreshOstaloBtn", "Osvježi", {432, 296, 80, 24});

    connect(RefreshOstaloBtn, &QPushButton::clicked, this, &TSettingsPage::RefreshOstaloBtnClick);
    connect(SmscEdit, &QLineEdit::textChanged, this, &TSettingsPage::SmscEditChange);
    connect(SmscBtn, &QPushButton::clicked, this, &TSettingsPage::SmscBtnClick);
    connect(AlertBtn, &QPushButton::clicked, this, &TSettingsPage::AlertBtnClick);
    connect(VibraBtn, &QPushButton::clicked, this, &TSettingsPage::VibraBtnClick);
    connect(RingerBtn, &QPushButton::clicked, this, &TSettingsPage::RingerBtnClick);
    for (QLineEdit* e : {ValutaEdit, CijenaEdit, PricePinEdit})
        connect(e, &QLineEdit::textChanged, this, &TSettingsPage::ValutaEditChange);
    connect(PriceBtn, &QPushButton::clicked, this, &TSettingsPage::PriceBtnClick);
    connect(Button1, &QPushButton::clicked, this, &TSettingsPage::Button1Click);
}

void TSettingsPage::PhoneSettingsChanged(const PhoneSettingsView& v) {
    SmscEdit->setText(FromAnsi(v.SmscEdit));
    const std::array<QRadioButton*, 3> alerts{Alert1RB, Alert2RB, Alert3RB};
    if (v.AlertRB >= 1 && v.AlertRB <= 3)
        alerts[static_cast<std::size_t>(v.AlertRB - 1)]->setChecked(true);
    if (v.VibraRB == 1) Vibra1RB->setChecked(true);
    if (v.VibraRB == 2) Vibra2RB->setChecked(true);
    if (v.RingerTB >= RingerTB->minimum() && v.RingerTB <= RingerTB->maximum())
        RingerTB->setValue(v.RingerTB);
    ValutaEdit->setText(FromAnsi(v.ValutaEdit));
    CijenaEdit->setText(FromAnsi(v.CijenaEdit));
}

void TSettingsPage::RefreshOstaloBtnClick() { engine_.ReadOtherSettings(); }

void TSettingsPage::SmscEditChange() { SmscBtn->setEnabled(Filled(SmscEdit)); }

void TSettingsPage::SmscBtnClick() {
    if (!engine_.Connected()) return;
    engine_.SetSmsCentre(ToAnsi(SmscEdit->text()));
}

void TSettingsPage::AlertBtnClick() {
    if (!engine_.Connected()) return;
    // " Normalno" 0, " Kratki ton" 2, " Bez zvuka" 1.
    engine_.SetAlertSound(Alert2RB->isChecked()   ? AlertSound::ShortTone
                          : Alert3RB->isChecked() ? AlertSound::Silent
                                                  : AlertSound::Normal);
}

void TSettingsPage::VibraBtnClick() {
    if (!engine_.Connected()) return;
    engine_.SetVibration(!Vibra1RB->isChecked());
}

void TSettingsPage::RingerBtnClick() {
    if (!engine_.Connected()) return;
    engine_.SetSpeakerVolume(RingerTB->value());
}

void TSettingsPage::ValutaEditChange() {
    PriceBtn->setEnabled(Filled(ValutaEdit) && Filled(CijenaEdit) && Filled(PricePinEdit));
}

void TSettingsPage::PriceBtnClick() {
    if (!engine_.Connected()) return;
    engine_.SetPricePerUnit(ToAnsi(ValutaEdit->text()), ToAnsi(CijenaEdit->text()),
                            ToAnsi(PricePinEdit->text()));
    // The PIN 2 is never kept.
    PricePinEdit->clear();
}

void TSettingsPage::Button1Click() {
    if (!engine_.Connected()) return;
    if (Clock1RB->isChecked()) engine_.SetPhoneClock(LocalNow());
    else engine_.SetPcClockFromPhone();
}

}  // namespace parlenko::ui

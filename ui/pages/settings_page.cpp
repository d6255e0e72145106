#include "ui/pages/settings_page.h"

#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "ui/base/text_codec.h"
#include "ui/controls/click_handlers.h"
#include "ui/controls/controls.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/radio_choice.h"

#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>

#include <algorithm>
#include <array>
#include <chrono>

namespace parlenko::ui {
namespace {

using controls::Button;
using controls::Caption;
using controls::Edit;
using controls::Group;

// The price group's edits, in their order.
enum PriceEdit : std::size_t { Valuta, Cijena, Pin };

// Characters of the text set, which the phone takes as they stand, without
// the double quote, which would end the command's quoted argument.
class PhoneTextValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        if (input.contains('"') || !UnsupportedChars(ToUtf8(input), PhoneChars::TextSet).empty())
            return Invalid;
        return Acceptable;
    }
};

QValidator* Pattern(const char* regex, QObject* parent) {
    return new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(regex)), parent);
}

// True when each edit holds more than spaces.
template <std::size_t N>
bool AllFilled(const std::array<QLineEdit*, N>& edits) {
    return std::ranges::all_of(edits,
                               [](const QLineEdit* e) { return !e->text().trimmed().isEmpty(); });
}

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
    auto* clock = Group(this, "ClockGB", " Sinkronizacija datuma i sata:", {8, 6, 250, 92});
    clock_.fields = controls::RadioChoice<2>(
        clock, "Clock", {" Vrijeme iz računala u mobitel", " Vrijeme iz mobitela u računalo"}, 12,
        20, 230);
    clock_.save = Button(clock, "Button1", "Snimi", {160, 62, 80, 24});

    auto* smsc = Group(this, "SmscGB", " Broj SMS centra:", {8, 104, 250, 82});
    Caption(smsc, "Telefonski broj:", {12, 22, 120, 16});
    QLineEdit* number = Edit(smsc, "SmscEdit", {12, 40, 140, 22});
    number->setValidator(Pattern("\\+?[0-9]*", number));
    smsc_.fields = {number};
    smsc_.save = Button(smsc, "SmscBtn", "Snimi", {160, 50, 80, 24});
    smsc_.save->setEnabled(false);

    auto* price = Group(this, "PriceGB", " Cijena poziva po minuti:", {8, 192, 250, 128});
    Caption(price, "Valuta:", {12, 24, 90, 16});
    QLineEdit* valuta = Edit(price, "ValutaEdit", {110, 21, 50, 22});
    valuta->setMaxLength(3);
    valuta->setValidator(new PhoneTextValidator(valuta));
    Caption(price, "Cijena:", {12, 52, 90, 16});
    QLineEdit* cijena = Edit(price, "CijenaEdit", {110, 49, 80, 22});
    cijena->setValidator(Pattern("[0-9]*\\.?[0-9]*", cijena));
    Caption(price, "Upiši PIN 2:", {12, 80, 90, 16});
    QLineEdit* pin = Edit(price, "PricePinEdit", {110, 77, 80, 22});
    pin->setMaxLength(8);
    pin->setValidator(Pattern("[0-9]*", pin));
    price_.fields = {valuta, cijena, pin};
    price_.save = Button(price, "PriceBtn", "Snimi", {160, 98, 80, 24});
    price_.save->setEnabled(false);

    // Right column: alert, vibration, ringer level; the refresh below.
    auto* alert =
        Group(this, "AlertGB", " Vrsta zvučnog upozorenja kod poziva:", {266, 6, 246, 104});
    alert_.fields = controls::RadioChoice<3>(
        alert, "Alert", {" Normalno", " Kratki ton", " Bez zvuka"}, 12, 20, 140);
    alert_.save = Button(alert, "AlertBtn", "Snimi", {156, 74, 80, 24});

    auto* vibra =
        Group(this, "VibraGB", " Vibracijsko upozorenje kod poziva:", {266, 116, 246, 82});
    vibra_.fields =
        controls::RadioChoice<2>(vibra, "Vibra", {" Isključeno", " Uključeno"}, 12, 20, 140);
    vibra_.save = Button(vibra, "VibraBtn", "Snimi", {156, 52, 80, 24});

    auto* ringer = Group(this, "RingerGB", " Nivo zvuka kod poziva:", {266, 204, 246, 82});
    Caption(ringer, "Glasnoća:", {12, 22, 80, 16});
    ringer_.fields = {controls::LevelSlider(ringer, "RingerTB", {12, 40, 130, 26}, 1, 5)};
    ringer_.save = Button(ringer, "RingerBtn", "Snimi", {156, 52, 80, 24});

    RefreshOstaloBtn = Button(this, "RefreshOstaloBtn", "Osvježi", {432, 296, 80, 24});

    for (QLineEdit* e : smsc_.fields)
        connect(e, &QLineEdit::textChanged, this, &TSettingsPage::SmscEditChange);
    for (QLineEdit* e : price_.fields)
        connect(e, &QLineEdit::textChanged, this, &TSettingsPage::ValutaEditChange);
    // Each group's "Snimi" sends what the group holds.
    controls::OnClicked(this, {
                                  {clock_.save, &TSettingsPage::Button1Click},
                                  {smsc_.save, &TSettingsPage::SmscBtnClick},
                                  {price_.save, &TSettingsPage::PriceBtnClick},
                                  {alert_.save, &TSettingsPage::AlertBtnClick},
                                  {vibra_.save, &TSettingsPage::VibraBtnClick},
                                  {ringer_.save, &TSettingsPage::RingerBtnClick},
                                  {RefreshOstaloBtn, &TSettingsPage::RefreshOstaloBtnClick},
                              });
}

void TSettingsPage::PhoneSettingsChanged(const PhoneSettingsView& v) {
    smsc_.fields[0]->setText(FromAnsi(v.SmscEdit));
    controls::CheckNumbered(alert_.fields, v.AlertRB);
    controls::CheckNumbered(vibra_.fields, v.VibraRB);
    QSlider* level = ringer_.fields[0];
    if (v.RingerTB >= level->minimum() && v.RingerTB <= level->maximum())
        level->setValue(v.RingerTB);
    price_.fields[Valuta]->setText(FromAnsi(v.ValutaEdit));
    price_.fields[Cijena]->setText(FromAnsi(v.CijenaEdit));
}

void TSettingsPage::RefreshOstaloBtnClick() { engine_.ReadOtherSettings(); }

void TSettingsPage::SmscEditChange() { smsc_.save->setEnabled(AllFilled(smsc_.fields)); }

void TSettingsPage::SmscBtnClick() {
    if (!engine_.Connected()) return;
    engine_.SetSmsCentre(ToAnsi(smsc_.fields[0]->text()));
}

void TSettingsPage::AlertBtnClick() {
    if (!engine_.Connected()) return;
    // " Normalno", " Kratki ton", " Bez zvuka", in the buttons' order.
    constexpr std::array kSounds{AlertSound::Normal, AlertSound::ShortTone, AlertSound::Silent};
    engine_.SetAlertSound(kSounds[controls::CheckedPlace(alert_.fields)]);
}

void TSettingsPage::VibraBtnClick() {
    if (!engine_.Connected()) return;
    engine_.SetVibration(controls::CheckedPlace(vibra_.fields) != 0);
}

void TSettingsPage::RingerBtnClick() {
    if (!engine_.Connected()) return;
    engine_.SetSpeakerVolume(ringer_.fields[0]->value());
}

void TSettingsPage::ValutaEditChange() { price_.save->setEnabled(AllFilled(price_.fields)); }

void TSettingsPage::PriceBtnClick() {
    if (!engine_.Connected()) return;
    engine_.SetPricePerUnit(ToAnsi(price_.fields[Valuta]->text()),
                            ToAnsi(price_.fields[Cijena]->text()),
                            ToAnsi(price_.fields[Pin]->text()));
    // The PIN 2 is never kept.
    price_.fields[Pin]->clear();
}

void TSettingsPage::Button1Click() {
    if (!engine_.Connected()) return;
    if (controls::CheckedPlace(clock_.fields) == 0) engine_.SetPhoneClock(LocalNow());
    else engine_.SetPcClockFromPhone();
}

}  // namespace parlenko::ui

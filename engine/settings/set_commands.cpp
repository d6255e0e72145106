#include "engine/settings/set_commands.h"

#include "engine/conversation/outcome_actions.h"
#include "engine/conversation/phone_errors.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/text/clock_format.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/settings/settings_commands.h"
#include "engine/general/general_commands.h"
#include "engine/conversation/command_lines.h"

#include <array>
#include <string>

namespace parlenko {

namespace {

constexpr char kInvalidNumber[] =
    "Invalid phone number!\r\rValid characters are:\r--------------------------------\r"
    "   Numbers:   '0 - 9'\r   Other:  '+', '*' and '#'\r--------------------------------";
constexpr char kInvalidPriceFields[] =
    "Currency, price and PIN 2 must not contain\rdouble quotes or unsupported characters!";

// "OK" of "AT+CSCA=": the number is read back ("AT+CSCA?", whose answer goes
// on as the connect chain does).
ScanStep SmsCentreSet(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    SendAtCsca(ctx, 1);
    ctx.host.ShowStatusMessage("Phone number of SMS center succesfully saved!");
    return ScanStep::Continue;
}

ScanStep SmsCentreFailed(EngineContext& ctx, const EchoHit& hit) {
    // The number is read back, unless the phone has stopped answering.
    if (!hit.silent) SendAtCsca(ctx, 1);
    ShowRefusal(ctx, hit,
                "Error occurred while trying to set\rphone number of SMS center in mobile!");
    return ScanStep::Continue;
}

void SwitchOffAgain(EngineContext& ctx) { SendAtSmso(ctx); }

constexpr char kClockSaved[] = "Date and time succesfully saved in mobile!";
constexpr char kClockFailed[] = "Error occured while trying to\rsave date and time in mobile!";
constexpr char kTurnOff[] = "Mobile turn off";
constexpr char kTurnOffFailed[] = "Error occurred while trying\rto turn off mobile!\r\rTry again?";
constexpr char kAlertSet[] = "Alert sound succesfully set!";
constexpr char kAlertFailed[] = "Error occured while trying to\rset alert sound mode in mobile!";
constexpr char kVibraSet[] = "Vibration alert succesfully set!";
constexpr char kVibraFailed[] = "Error occured while trying to\rset vibration alert!";
constexpr char kVolumeSet[] = "Speaker volume succesfully set!";
constexpr char kVolumeFailed[] = "Error occured while trying to\rset speaker level in mobile!";
constexpr char kPriceSet[] = "Price per unit succesfully set!";
constexpr char kPriceFailed[] = "Error occured while trying to\rset price per unit in mobile!";

const std::array kClockSet = {
    EchoAction{.echo = "AT+CCLK=",
               .compare = kPrefix,
               .onOk = {At(2, Reports<kClockSaved>)},
               .onError = FailsWith<kClockFailed>},
};

// Switching off: the menu command disconnects by itself; an "OK" that still
// arrives ends the exchange.
const std::array kSwitchOff = {
    EchoAction{.echo = "AT^SMSO",
               .onOk = {At(2, EndsQuietly)},
               .onError = AsksToRetry<kTurnOff, kTurnOffFailed, SwitchOffAgain>},
};

const std::array kSetCommands = {
    EchoAction{.echo = "AT+CSCA=",
               .compare = kPrefix,
               .onOk = {At(2, SmsCentreSet)},
               .onError = SmsCentreFailed},
    EchoAction{.echo = "AT+CALM=",
               .compare = kPrefix,
               .onOk = {At(2, Reports<kAlertSet>)},
               .onError = FailsWith<kAlertFailed>},
    EchoAction{.echo = "AT+CVIB=",
               .compare = kPrefix,
               .onOk = {At(2, Reports<kVibraSet>)},
               .onError = FailsWith<kVibraFailed>},
    EchoAction{.echo = "AT+CRSL=",
               .compare = kPrefix,
               .onOk = {At(2, Reports<kVolumeSet>)},
               .onError = FailsWith<kVolumeFailed>},
    EchoAction{.echo = "AT+CPUC=",
               .compare = kPrefix,
               .onOk = {At(2, Reports<kPriceSet>)},
               .onError = FailsWith<kPriceFailed>},
};

}  // namespace

void SetPhoneClock(EngineContext& ctx, std::chrono::local_seconds now) {
    if (!ctx.port.Connected()) return;
    SendAtCclk(ctx, 0, FormatPcClockForPhone(now));
}

void SetPcClockFromPhone(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    ctx.state.Chain.SettingClock = true;
    SendAtCclk(ctx, 1);
}

void SetSmsCentre(EngineContext& ctx, std::string_view number) {
    if (!ctx.port.Connected()) return;
    if (number.empty() || !IsValidNumber(number)) {
        ShowError(ctx, kInvalidNumber);
        return;
    }
    SendAtCsca(ctx, 0, number);
}

void SetAlertSound(EngineContext& ctx, AlertSound sound) {
    if (!ctx.port.Connected()) return;
    SendAtCalm(ctx, 0, static_cast<int>(sound));
}

void SetVibration(EngineContext& ctx, bool on) {
    if (!ctx.port.Connected()) return;
    SendAtCvib(ctx, 0, on ? 1 : 0);
}

void SetSpeakerVolume(EngineContext& ctx, int volume) {
    if (!ctx.port.Connected() || volume < 1 || volume > 5) return;
    SendAtCrsl(ctx, 0, volume);
}

void SetPricePerUnit(EngineContext& ctx, std::string_view currency, std::string_view price,
                     std::string_view pin2) {
    if (!ctx.port.Connected()) return;
    if (!at::IsQuotedText(currency) || !at::IsQuotedText(price) || !at::IsQuotedText(pin2)) {
        ShowError(ctx, kInvalidPriceFields);
        return;
    }
    SendAtCpuc(ctx, 0, currency, price, pin2);
}

std::span<const EchoAction> ClockSetActions() { return kClockSet; }
std::span<const EchoAction> SwitchOffActions() { return kSwitchOff; }
std::span<const EchoAction> SetCommandActions() { return kSetCommands; }

}  // namespace parlenko

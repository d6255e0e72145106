#include "engine/receive/setting_actions.h"

#include "engine/at/at_commands.h"
#include "engine/session/busy_state.h"

#include <array>

namespace parlenko {

namespace {

using W = EchoCompare;

template <const char* Text>
ScanStep Succeeded(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    ctx.host.ShowStatusMessage(Text);
    return ScanStep::Continue;
}

template <const char* Text>
ScanStep Failed(EngineContext& ctx, const EchoHit&) {
    ctx.host.ShowMessageDialog("Error", Text, DialogKind::Error, DialogButtons::Ok);
    return ScanStep::Continue;
}

constexpr char kClockSaved[] = "Date and time succesfully saved in mobile!";
constexpr char kClockFailed[] = "Error occured while trying to\rsave date and time in mobile!";
constexpr char kSmscSaved[] = "Phone number of SMS center succesfully saved!";
constexpr char kSmscFailed[] =
    "Error occurred while trying to set\rphone number of SMS center in mobile!";
constexpr char kAlertSaved[] = "Alert sound succesfully set!";
constexpr char kAlertFailed[] = "Error occured while trying to\rset alert sound mode in mobile!";
constexpr char kVibraSaved[] = "Vibration alert succesfully set!";
constexpr char kVibraFailed[] = "Error occured while trying to\rset vibration alert!";
constexpr char kRingerSaved[] = "Speaker volume succesfully set!";
constexpr char kRingerFailed[] = "Error occured while trying to\rset speaker level in mobile!";
constexpr char kPriceSaved[] = "Price per unit succesfully set!";
constexpr char kPriceFailed[] = "Error occured while trying to\rset price per unit in mobile!";

// A new SMS centre is read back: after the busy state ends on "OK", before
// the message box on "ERROR".
ScanStep SmscSaved(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    SendAtCsca(ctx, 1);
    ctx.host.ShowStatusMessage(kSmscSaved);
    return ScanStep::Continue;
}

ScanStep SmscFailed(EngineContext& ctx, const EchoHit& hit) {
    SendAtCsca(ctx, 1);
    return Failed<kSmscFailed>(ctx, hit);
}

constexpr std::array kClock = {
    //         echo         compare    at  on "OK"                on "ERROR"
    EchoAction{"AT+CCLK=", W::Prefix, 2, Succeeded<kClockSaved>, Failed<kClockFailed>},
};

constexpr std::array kSettings = {
    EchoAction{"AT+CSCA=", W::Prefix, 2, SmscSaved, SmscFailed},
    EchoAction{"AT+CALM=", W::Prefix, 2, Succeeded<kAlertSaved>, Failed<kAlertFailed>},
    EchoAction{"AT+CVIB=", W::Prefix, 2, Succeeded<kVibraSaved>, Failed<kVibraFailed>},
    EchoAction{"AT+CRSL=", W::Prefix, 2, Succeeded<kRingerSaved>, Failed<kRingerFailed>},
    EchoAction{"AT+CPUC=", W::Prefix, 2, Succeeded<kPriceSaved>, Failed<kPriceFailed>},
};

}  // namespace

std::span<const EchoAction> ClockSetActions() { return kClock; }
std::span<const EchoAction> SettingSetActions() { return kSettings; }

}  // namespace parlenko

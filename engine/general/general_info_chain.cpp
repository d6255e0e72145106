#include "engine/general/general_info_chain.h"

#include "engine/core/strings.h"
#include "engine/general/network_view.h"
#include "engine/parse/answer_reader.h"
#include "engine/general/general_answers.h"
#include "engine/core/busy_state.h"
#include "engine/conversation/quiet_starts.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/text/clock_format.h"
#include "engine/general/general_view.h"
#include "engine/general/general_state.h"
#include "engine/general/general_commands.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace parlenko {

namespace {

GeneralInfoView& View(EngineContext& ctx) { return GeneralInfo(ctx); }
void Changed(EngineContext& ctx) { ViewOf<IGeneralView>(ctx).GeneralInfoChanged(GeneralInfo(ctx)); }

// An answer that fills one label: the label takes Parse(answer), the general
// view is told, and the chain goes on with `Next`. (A refused query keeps its
// label: `Then<Next>`.)
template <std::string GeneralInfoView::*Label, std::string (*Parse)(std::string_view),
          void (*Next)(EngineContext&)>
ScanStep Fill(EngineContext& ctx, const EchoHit& hit) {
    View(ctx).*Label = Parse(hit.answer);
    Changed(ctx);
    Next(ctx);
    return ScanStep::Continue;
}

std::string AsIs(std::string_view answer) { return std::string(answer); }
// The revision: what stands before the first comma.
std::string UpToComma(std::string_view answer) {
    AnswerReader r(answer);
    return std::string(r.NextField());
}
// The SIM identity: the answer from its 8th character, after "^SCID: ".
std::string AfterScidPrefix(std::string_view answer) {
    AnswerReader r(answer);
    r.Skip(std::string_view("^SCID: ").size());
    return std::string(r.Rest());
}

void QueryClock(EngineContext& ctx) { SendAtCclk(ctx, 1); }
void SetRegistration2(EngineContext& ctx) { SendAtCregSet(ctx, 2); }
void SetRegistration1(EngineContext& ctx) { SendAtCregSet(ctx, 1); }

constexpr auto MakerRead = Fill<&GeneralInfoView::ProLab, AsIs, SendAtCgmm>;

ScanStep ModelRead(EngineContext& ctx, const EchoHit& hit) {
    auto& v = View(ctx);
    v.ModLab = hit.answer;
    if (v.ModLab != ctx.state.Chain.PhoneModel)
        ViewOf<IGeneralView>(ctx).ShowPhonePicture(v.ModLab);
    ctx.state.Chain.PhoneModel = v.ModLab;
    v.ProModLab = v.ProLab + " " + v.ModLab;
    v.ProModHint = v.ProModLab;
    Changed(ctx);
    SendAtCgmr(ctx);
    return ScanStep::Continue;
}

constexpr auto RevisionRead = Fill<&GeneralInfoView::SoftLab, UpToComma, SendAtCpas>;
constexpr auto ActivityRead = Fill<&GeneralInfoView::StatMobLab, ParseCpas, SendAtCgsn>;

ScanStep ImeiRead(EngineContext& ctx, const EchoHit& hit) {
    auto& v = View(ctx);
    v.ImeiLab = hit.answer;
    const std::string rule(35, '-');
    v.ProModHint = v.ProModLab + "\r" + rule + "\r" + "IMEI:  " + v.ImeiLab + "\r" +
                   "Software:  " + v.SoftLab + "\r" + rule;
    Changed(ctx);
    SendAtCimi(ctx);
    return ScanStep::Continue;
}

constexpr auto ImsiRead = Fill<&GeneralInfoView::ImsiLab, AsIs, SendAtScid>;
constexpr auto SimIdRead = Fill<&GeneralInfoView::SimIdLab, AfterScidPrefix, QueryClock>;

// "Phone to PC" on the settings page asked for the clock: set the machine's
// clock from it; the chain stops here. A clock left unset says why.
ScanStep SetPcClock(EngineContext& ctx, const std::string& answer) {
    ctx.state.Chain.SettingClock = false;
    const ClockSetResult result = ctx.systemClock != nullptr
                                      ? SetPcClockFromPhone(answer, *ctx.systemClock)
                                      : ClockSetResult::Refused;
    EndBusy(ctx);
    if (result != ClockSetResult::Set) ShowError(ctx, PcClockFailureText(result));
    return ScanStep::EndScan;
}

ScanStep ClockRead(EngineContext& ctx, const EchoHit& hit) {
    if (ctx.state.Chain.SettingClock) return SetPcClock(ctx, hit.answer);
    View(ctx).DatMobLab = ParseCclk(hit.answer);
    Changed(ctx);
    SendAtCbc(ctx);
    return ScanStep::Continue;
}

// The clock the user asked for cannot be read, whatever the refusal: the
// request is dropped, so a later refresh does not set the machine's clock
// unasked.
ScanStep ClockRequestDropped(EngineContext& ctx, const EchoHit&) {
    ctx.state.Chain.SettingClock = false;
    return ScanStep::Continue;
}

ScanStep BatteryRead(EngineContext& ctx, const EchoHit& hit) {
    auto& v = View(ctx);
    v.NapLab = ParseCbc(hit.answer);
    const BatteryLevel level = BatteryFromCbc(hit.answer);
    v.NapBatLab = level.text;
    v.NapStatBars = level.bars;
    Changed(ctx);
    SendAtCopsAuto(ctx);
    return ScanStep::Continue;
}

ScanStep OperatorRead(EngineContext& ctx, const EchoHit& hit) {
    auto& v = View(ctx);
    // "+COPS: 0,0,"<name>"": the name between the quotes; empty for "+COPS: 0".
    AnswerReader r(hit.answer);
    r.SkipPrefix();
    r.NextField();  // mode
    r.NextField();  // format
    v.OperLab = std::string(r.NextString().value_or(std::string_view()));
    UpdateNetLocCaption(v, NetLocVariant::Registration);
    Changed(ctx);
    SendAtCregSet(ctx, 2);
    return ScanStep::Continue;
}

// A registration setting refused with a code while the chain sets it:
// "AT+CREG=2" (notices with area and cell) falls back to "AT+CREG=1" (status
// only), and a refused "AT+CREG=1" goes on with the query, so the chain
// never repeats a setting without end. No message.
std::optional<ScanStep> RegistrationFallBack(EngineContext& ctx, const EchoHit& hit) {
    if (!ctx.state.Chain.CregSetSent) return std::nullopt;
    if (hit.echo == "AT+CREG=1") SendAtCregQuery(ctx);
    else SendAtCregSet(ctx, 1);
    return ScanStep::EndScan;
}

ScanStep RegistrationRead(EngineContext& ctx, const EchoHit& hit) {
    ApplyRegistration(ctx, hit.answer);  // labels, location, caption; tells the view
    SendAtCsq(ctx);
    return ScanStep::Continue;
}

ScanStep ReceptionRead(EngineContext& ctx, const EchoHit& hit) {
    auto& v = View(ctx);
    const Reception r = ReceptionFromCsq(hit.answer);
    v.PrijemLab = r.text;
    v.PrijemStatBars = r.bars;
    UpdateNetLocHint(v);
    Changed(ctx);
    if (ctx.state.Options.CellInfoCheck) SendAtCscb(ctx);  // its "OK" ends the exchange
    else EndBusy(ctx);
    return ScanStep::Continue;
}

ScanStep ReceptionRefused(EngineContext& ctx, const EchoHit&) {
    if (ctx.state.Options.CellInfoCheck) SendAtCscb(ctx);
    return ScanStep::Continue;
}

// Each step answers one line (echo four entries above the "OK") and asks
// the next; a refused step keeps its label and asks the next all the same.
constexpr std::array kToClock = {
    EchoAction{.echo = "AT+CGMI", .onOk = {At(4, MakerRead)}, .onError = Then<SendAtCgmm>},
    EchoAction{.echo = "AT+CGMM", .onOk = {At(4, ModelRead)}, .onError = Then<SendAtCgmr>},
    EchoAction{.echo = "AT+CGMR", .onOk = {At(4, RevisionRead)}, .onError = Then<SendAtCpas>},
    EchoAction{.echo = "AT+CPAS", .onOk = {At(4, ActivityRead)}, .onError = Then<SendAtCgsn>},
    EchoAction{.echo = "AT+CGSN", .onOk = {At(4, ImeiRead)}, .onError = Then<SendAtCimi>},
    EchoAction{.echo = "AT+CIMI", .onOk = {At(4, ImsiRead)}, .onError = Then<SendAtScid>},
    EchoAction{.echo = "AT^SCID", .onOk = {At(4, SimIdRead)}, .onError = Then<QueryClock>},
    EchoAction{.echo = "AT+CCLK?",
               .onOk = {At(4, ClockRead)},
               .onError = Then<SendAtCbc>,
               .onRefused = ClockRequestDropped},
};

constexpr std::array kAfterClock = {
    EchoAction{.echo = "AT+CBC", .onOk = {At(4, BatteryRead)}, .onError = Then<SendAtCopsAuto>},
    EchoAction{.echo = "AT+COPS=0,0",
               .onOk = {At(2, Then<SendAtCopsQuery>)},
               .onError = Then<SendAtCopsQuery>},
    EchoAction{
        .echo = "AT+COPS?", .onOk = {At(4, OperatorRead)}, .onError = Then<SetRegistration2>},
    // A phone without area and cell in its notices refuses "=2": ask for "=1".
    EchoAction{.echo = "AT+CREG=2",
               .onOk = {At(2, Then<SendAtCregQuery>)},
               .onError = Then<SetRegistration1>},
    EchoAction{.echo = "AT+CREG=1",
               .onOk = {At(2, Then<SendAtCregQuery>)},
               .onError = Then<SendAtCregQuery>},
    EchoAction{.echo = "AT+CREG?", .onOk = {At(4, RegistrationRead)}, .onError = Then<SendAtCsq>},
    // A phone error to any registration setting the chain sent.
    EchoAction{.echo = "AT+CREG=", .compare = kPrefix, .onPhoneError = RegistrationFallBack},
    EchoAction{.echo = "AT+CSQ", .onOk = {At(4, ReceptionRead)}, .onError = ReceptionRefused},
};

// A whole decimal number, possibly with a fraction ("80", "80.5").
std::optional<double> ParseDecimal(std::string_view text) {
    const std::string t = Trim(text);
    double value = 0;
    const auto [end, ec] =
        std::from_chars(t.data(), t.data() + t.size(), value, std::chars_format::fixed);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    // Far beyond any level: not a reading (and no integer could hold it).
    if (!std::isfinite(value) || std::fabs(value) > 1e6) return std::nullopt;
    return value;
}

}  // namespace

void RefreshGeneralInfo(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    static constexpr char kRefresh = 0;
    StartWhenQuiet(ctx, &kRefresh, [&ctx] {
        EmptyPortBuffers(ctx);
        SendAtCgmi(ctx);
    });
}

std::span<const EchoAction> GeneralInfoActionsToClock() { return kToClock; }
std::span<const EchoAction> GeneralInfoActionsAfterClock() { return kAfterClock; }

Reception ReceptionFromCsq(std::string_view answer) {
    // "+CSQ: 7,99" or "+CSQ: 20,99": rssi, then the bit error rate.
    AnswerReader reader(answer);
    const auto rssi = reader.SkipPrefix() ? reader.NextNumber() : std::nullopt;
    Reception r;
    if (!rssi || *rssi < 0 || *rssi > 31) {
        r.text = "Unknown.";
        return r;
    }
    const long long dbm = 113 - 2 * *rssi;
    const long long percent = RoundHalfEven(static_cast<double>(*rssi) / 31.0 * 100.0);
    r.text = IntToStr(percent) + "%     [ " + IntToStr(-dbm) + " dBm ]";
    r.bars = static_cast<int>(RoundHalfEven(static_cast<double>(percent) / 10.0));
    return r;
}

BatteryLevel BatteryFromCbc(std::string_view answer) {
    BatteryLevel b;
    // "+CBC: 0,80": the level after the connection status.
    AnswerReader r(answer);
    r.SkipPrefix();
    r.NextField();
    const auto value = ParseDecimal(r.Rest());
    if (!value) return b;
    const long long level = RoundHalfEven(*value);
    b.text = IntToStr(level) + "%";
    b.bars = std::clamp(static_cast<int>(RoundHalfEven(static_cast<double>(level) / 10.0)), 0, 10);
    return b;
}

}  // namespace parlenko

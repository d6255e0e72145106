#include "engine/settings/settings_chain.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/core/busy_state.h"
#include "engine/settings/settings_view.h"
#include "engine/settings/settings_state.h"
#include "engine/settings/settings_commands.h"

#include <array>

namespace parlenko {

namespace {

// The value of a settings answer: the text after its prefix ("+CALM: 2"
// gives "2").
std::string_view ValueOf(std::string_view answer) {
    AnswerReader r(answer);
    r.SkipPrefix();
    return r.Rest();
}

void Changed(EngineContext& ctx) { ViewOf<ISettingsView>(ctx).PhoneSettingsChanged(Settings(ctx)); }

// A value and the radio button it checks.
struct RadioChoice {
    std::string_view value;
    int button;
};

// Alert: "0" Alert1RB, "1" Alert3RB, "2" Alert2RB. Vibration: "0" Vibra1RB,
// "1" Vibra2RB.
constexpr std::array<RadioChoice, 3> kAlertChoices = {{{"0", 1}, {"1", 3}, {"2", 2}}};
constexpr std::array<RadioChoice, 2> kVibraChoices = {{{"0", 1}, {"1", 2}}};

// A settings answer that checks one radio button of a group (a value
// outside the table leaves the group as it is), then the next query of the
// chain.
template <int PhoneSettingsView::*Radio, const auto& Choices,
          void (*Next)(EngineContext&, int, int)>
ScanStep RadioRead(EngineContext& ctx, const EchoHit& hit) {
    const std::string_view v = ValueOf(hit.answer);
    for (const auto& choice : Choices)
        if (choice.value == v) Settings(ctx).*Radio = choice.button;
    Changed(ctx);
    Next(ctx, 1, 0);
    EndBusy(ctx);
    return ScanStep::Continue;
}

constexpr auto AlertRead = RadioRead<&PhoneSettingsView::AlertRB, kAlertChoices, SendAtCvib>;
constexpr auto VibrationRead = RadioRead<&PhoneSettingsView::VibraRB, kVibraChoices, SendAtCrsl>;

ScanStep RingerRead(EngineContext& ctx, const EchoHit& hit) {
    if (const auto level = ParseInt(ValueOf(hit.answer)))
        Settings(ctx).RingerTB = static_cast<int>(*level);
    Changed(ctx);
    SendAtCpuc(ctx, 1);
    EndBusy(ctx);
    return ScanStep::Continue;
}

ScanStep PriceRead(EngineContext& ctx, const EchoHit& hit) {
    // +CPUC: "<currency>","<price per unit>"
    auto& s = Settings(ctx);
    AnswerReader r(hit.answer);
    r.SkipPrefix();
    s.ValutaEdit = std::string(r.NextString().value_or(std::string_view()));
    s.CijenaEdit = std::string(r.NextString().value_or(std::string_view()));
    Changed(ctx);
    EndBusy(ctx);
    return ScanStep::Continue;
}

template <void (*Next)(EngineContext&, int, int)>
ScanStep Query(EngineContext& ctx, const EchoHit&) {
    Next(ctx, 1, 0);
    return ScanStep::Continue;
}

void QueryPrice(EngineContext& ctx, int, int) { SendAtCpuc(ctx, 1); }

constexpr std::array kSettings = {
    EchoAction{.echo = "AT+CALM?", .onOk = {At(4, AlertRead)}, .onError = Query<SendAtCvib>},
    EchoAction{.echo = "AT+CVIB?", .onOk = {At(4, VibrationRead)}, .onError = Query<SendAtCrsl>},
    EchoAction{.echo = "AT+CRSL?", .onOk = {At(4, RingerRead)}, .onError = Query<QueryPrice>},
    EchoAction{.echo = "AT+CPUC?", .onOk = {At(4, PriceRead)}, .onError = ChainStops},
};

}  // namespace

std::span<const EchoAction> SettingsChainActions() { return kSettings; }

void ReadOtherSettings(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    ctx.state.Chain.ReadingOtherSettings = true;
    SendAtCsca(ctx, 1);
}

}  // namespace parlenko

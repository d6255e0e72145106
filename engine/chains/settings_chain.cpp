#include "engine/chains/settings_chain.h"

#include "engine/at/at_commands.h"
#include "engine/core/strings.h"
#include "engine/session/busy_state.h"

#include <array>

namespace parlenko {

namespace {

using W = EchoCompare;

// The value of a settings answer: the text after its first blank
// ("+CALM: 2" gives "2").
std::string ValueOf(const std::string& answer) {
    const long blank = Pos(" ", answer);
    return blank > 0 ? CopyFrom(answer, blank + 1) : std::string();
}

// The text between the first pair of double quotes at or after `from`
// (1-based); empty when there is no such pair.
std::string QuotedFrom(const std::string& s, long from) {
    const long open = PosFrom("\"", s, from);
    if (open == 0) return {};
    const long close = PosFrom("\"", s, open + 1);
    if (close == 0) return {};
    return Copy(s, open + 1, close - open - 1);
}

void Changed(EngineContext& ctx) { ctx.views.settings->PhoneSettingsChanged(ctx.state.Settings); }

ScanStep AlertRead(EngineContext& ctx, const EchoHit& hit) {
    const std::string v = ValueOf(hit.answer);
    auto& s = ctx.state.Settings;
    if (v == "0") s.AlertRB = 1;
    else if (v == "1") s.AlertRB = 3;
    else if (v == "2") s.AlertRB = 2;
    Changed(ctx);
    SendAtCvib(ctx, 1);
    EndBusy(ctx);
    return ScanStep::Continue;
}

ScanStep VibrationRead(EngineContext& ctx, const EchoHit& hit) {
    const std::string v = ValueOf(hit.answer);
    auto& s = ctx.state.Settings;
    if (v == "0") s.VibraRB = 1;
    else if (v == "1") s.VibraRB = 2;
    Changed(ctx);
    SendAtCrsl(ctx, 1);
    EndBusy(ctx);
    return ScanStep::Continue;
}

ScanStep RingerRead(EngineContext& ctx, const EchoHit& hit) {
    if (const auto level = ParseInt(ValueOf(hit.answer)))
        ctx.state.Settings.RingerTB = static_cast<int>(*level);
    Changed(ctx);
    SendAtCpuc(ctx, 1);
    EndBusy(ctx);
    return ScanStep::Continue;
}

ScanStep PriceRead(EngineContext& ctx, const EchoHit& hit) {
    // +CPUC: "<currency>","<price per unit>"
    auto& s = ctx.state.Settings;
    s.ValutaEdit = QuotedFrom(hit.answer, 1);
    const long comma = Pos(",", hit.answer);
    s.CijenaEdit = comma > 0 ? QuotedFrom(hit.answer, comma + 1) : std::string();
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
    //         echo         compare    at  on "OK"         on "ERROR"
    EchoAction{"AT+CALM?", W::Whole, 4, AlertRead, Query<SendAtCvib>},
    EchoAction{"AT+CVIB?", W::Whole, 4, VibrationRead, Query<SendAtCrsl>},
    EchoAction{"AT+CRSL?", W::Whole, 4, RingerRead, Query<QueryPrice>},
    EchoAction{"AT+CPUC?", W::Whole, 4, PriceRead, ChainStops},
};

}  // namespace

std::span<const EchoAction> SettingsChainActions() { return kSettings; }

}  // namespace parlenko

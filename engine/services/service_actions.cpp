#include "engine/services/service_actions.h"

#include "engine/conversation/outcome_actions.h"
#include "engine/services/service_answers.h"
#include "engine/core/busy_state.h"
#include "engine/services/services_state.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace parlenko {

namespace {

constexpr char kDivertFailed[] = "Error occured while trying to set divert!";
constexpr char kDivertCheckFailed[] = "Error occured while trying to check divert!";
constexpr char kLockFailed[] = "Error occured while trying to set barring or lock!";
constexpr char kLockCheckFailed[] = "Error occured while trying to check barring or lock!";
constexpr char kCodeFailed[] = "Error occured while trying to change security code!";

// The success text of a single change, by the value its set line recorded.
void ShowChangeResult(EngineContext& ctx, int step, const char* on, const char* off) {
    if (step == kSwitchedOn) ctx.host.ShowStatusMessage(on);
    else if (step == kSwitchedOff) ctx.host.ShowStatusMessage(off);
}

// The answer lines between the echo and the "OK" (copies), or nullopt
// unless every one of them begins with prefix.
std::optional<std::vector<std::string>> AnswerLines(const RxLineList& lines, const EchoHit& hit,
                                                    std::string_view prefix) {
    std::vector<std::string> out;
    const int last = lines.Above(hit.result, 2);
    for (int k = lines.Below(hit.echoEntry, 2); k <= last; k = lines.Below(k, 1)) {
        if (!lines.StartsWith(k, prefix)) return std::nullopt;
        out.push_back(lines.At(k));
    }
    return out;
}

void BlankAnswer(RxLineList& lines, const EchoHit& hit) {
    for (int k = hit.echoEntry; k < hit.result; k = lines.Below(k, 1)) lines.Blank(k);
}

// A query's "OK" with its answer lines: when every line has the prefix, the
// echo and lines are blanked and the lines handed to answered with the echo.
ScanStep QueryAnswerOk(EngineContext& ctx, const EchoHit& hit, std::string_view prefix,
                       void (*answered)(EngineContext&, const std::string&,
                                        const std::vector<std::string>&)) {
    const auto answer = AnswerLines(Lines(ctx), hit, prefix);
    if (!answer) return ScanStep::Continue;
    BlankAnswer(Lines(ctx), hit);
    answered(ctx, hit.echo, *answer);
    return ScanStep::Continue;
}

// Feeds a query's answer lines to handle (line, last), the last line (an
// empty one when there are none) marked; step counts the answered query
// before the last line moves the check on.
template <class Handle>
void FeedQueryAnswer(const std::vector<std::string>& lines, int& step, Handle handle) {
    for (std::size_t k = 0; k + 1 < lines.size(); ++k) handle(lines[k], false);
    if (step >= 0) ++step;
    handle(lines.empty() ? std::string() : lines.back(), true);
}

// A refusal names what failed: a query (mode 2) the check, any other line
// the setting.
template <const char* SetText, const char* CheckText, auto Parse>
ScanStep SetOrCheckFailed(EngineContext& ctx, const EchoHit& hit) {
    ShowRefusal(ctx, hit, Parse(hit.echo).mode == 2 ? CheckText : SetText);
    return ScanStep::Continue;
}

// ---------------------------------------------------------------- diverts

// A divert query answered (lines may be empty): every line lights its
// indicator, the step counts the answered query, the last line moves the
// check on.
void DivertQueryAnswered(EngineContext& ctx, const std::string& echo,
                         const std::vector<std::string>& lines) {
    const DivertEcho e = ParseCcfcEcho(echo);
    const int reason =
        e.reason && *e.reason >= 0 && *e.reason <= 3 ? static_cast<int>(*e.reason) : -1;
    FeedQueryAnswer(lines, Services(ctx).DivertStep, [&](const std::string& line, bool last) {
        HandleCcfcAnswer(ctx, reason, line, last);
    });
    EndBusy(ctx);
    ShowChangeResult(ctx, Services(ctx).DivertStep, "Divert succesfully activated!",
                     "Divert succesfully deactivated!");
}

ScanStep DivertAnswerOk(EngineContext& ctx, const EchoHit& hit) {
    return QueryAnswerOk(ctx, hit, "+CCFC:", DivertQueryAnswered);
}

// The echo right above the "OK" (blanked by the runner): a change, or a
// query the phone answered without a line.
ScanStep DivertChangeOk(EngineContext& ctx, const EchoHit& hit) {
    EndBusy(ctx);
    if (ParseCcfcEcho(hit.echo).mode == 2) DivertQueryAnswered(ctx, hit.echo, {});
    else HandleCcfcChangeEcho(ctx, hit.echo);
    return ScanStep::Continue;
}

// A refused query or change ends the check whose window is open (the mode
// names the window's owner): the window closes, and the time-out then has
// nothing to report.
template <ActivityMode Check>
ScanStep CheckRefused(EngineContext& ctx, const EchoHit&) {
    if (ctx.state.Mode == Check && ctx.host.IsProgressWindowVisible())
        ctx.host.CloseProgressWindow();
    return ScanStep::Continue;
}

// ---------------------------------------------------------------- locks and barrings

void LockQueryAnswered(EngineContext& ctx, const std::string& echo,
                       const std::vector<std::string>& lines) {
    const LockEcho e = ParseClckEcho(echo);
    const int facility = e.facility.value_or(-1);
    FeedQueryAnswer(lines, Services(ctx).BarringStep, [&](const std::string& line, bool last) {
        HandleClckAnswer(ctx, facility, line, last);
    });
    EndBusy(ctx);
    const int after = Services(ctx).BarringStep;
    if (facility >= 1 && facility <= 4)
        ShowChangeResult(ctx, after, "Lock succesfully activated!",
                         "Lock succesfully deactivated!");
    else if (facility >= 5)
        ShowChangeResult(ctx, after, "Barring succesfully activated!",
                         "Barring succesfully deactivated!");
}

ScanStep LockAnswerOk(EngineContext& ctx, const EchoHit& hit) {
    return QueryAnswerOk(ctx, hit, "+CLCK:", LockQueryAnswered);
}

ScanStep LockChangeOk(EngineContext& ctx, const EchoHit& hit) {
    EndBusy(ctx);
    if (ParseClckEcho(hit.echo).mode == 2) LockQueryAnswered(ctx, hit.echo, {});
    else HandleClckChangeEcho(ctx, hit.echo);
    return ScanStep::Continue;
}

// ---------------------------------------------------------------- security codes

ScanStep CodeChangedOk(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    ctx.host.ShowStatusMessage("Security code succesfully changed!");
    return ScanStep::Continue;
}

// A change's echo stands right above its "OK" (or with one blank line
// more); a query's 3 + the number of its answer lines above it, up to eight
// lines (one per class).
constexpr std::array kServicesActions = {
    EchoAction{.echo = "AT+CCFC=",
               .compare = kPrefix,
               .onOk = {FromTo(2, 3, DivertChangeOk), FromTo(4, 11, DivertAnswerOk, kByAction)},
               .onError = SetOrCheckFailed<kDivertFailed, kDivertCheckFailed, ParseCcfcEcho>,
               .onRefused = CheckRefused<ActivityMode::Diverts>},
    EchoAction{.echo = "AT+CLCK=",
               .compare = kPrefix,
               .onOk = {FromTo(2, 3, LockChangeOk), FromTo(4, 11, LockAnswerOk, kByAction)},
               .onError = SetOrCheckFailed<kLockFailed, kLockCheckFailed, ParseClckEcho>,
               .onRefused = CheckRefused<ActivityMode::Barrings>},
    EchoAction{.echo = "AT+CPWD=",
               .compare = kPrefix,
               .onOk = {At(2, CodeChangedOk)},
               .onError = FailsWith<kCodeFailed>},
};

}  // namespace

std::span<const EchoAction> ServicesActions() { return kServicesActions; }

}  // namespace parlenko

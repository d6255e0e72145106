#include "engine/calls/call_notices.h"

#include "engine/parse/answer_reader.h"
#include "engine/core/result_codes.h"
#include "engine/core/busy_state.h"
#include "engine/core/indicators.h"
#include "engine/text/phonebook_lookup.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/calls/calls_view.h"
#include "engine/calls/calls_state.h"

#include <string>

namespace parlenko {

namespace {

// Shows the incoming-call notice with the engine's texts.
void PresentCallNotice(EngineContext& ctx) {
    const auto& n = NewCallNotice(ctx);
    ViewOf<ICallsView>(ctx).ShowNewCallNotice(n.OsobaLab, n.TelefonLab);
}

void CallEnded(EngineContext& ctx, int i) {
    Call(ctx).InCall = false;
    ViewOf<ICallsView>(ctx).SetDialButtonEnabled(true);
    EndBusy(ctx);
    ctx.state.Receive.RxLines.Blank(i);
}

}  // namespace

std::string ClipNumber(std::string_view line) {
    AnswerReader r(line);
    r.Skip(std::string_view(codes::kClip).size());
    std::string number(r.NextField());
    std::erase(number, '"');
    return number;
}

ScanStep HandleRing(EngineContext& ctx, int i) {
    EndBusy(ctx);
    ShowNewCall(ctx);
    ctx.state.Receive.RxLines.Blank(i);
    auto& notice = NewCallNotice(ctx);
    // This call's notice is up: a repeated RING leaves it as it is. The
    // lines above are handled in this walk as after any notice (a flood of
    // RINGs costs the same per line however long it goes on).
    if (!notice.TelefonLab.empty()) return ScanStep::Continue;
    notice.OsobaLab = "Unknown";
    notice.TelefonLab = "Hidden";
    PresentCallNotice(ctx);
    return ScanStep::Continue;
}

ScanStep HandleNoCarrier(EngineContext& ctx, int i) {
    CallEnded(ctx, i);
    ViewOf<ICallsView>(ctx).CloseNewCallNotice();
    NewCallNotice(ctx) = {};
    ViewOf<ICallsView>(ctx).CloseTalkingWindow();
    ctx.host.ShowStatusMessage("Disconnected!");
    return ScanStep::Continue;
}

ScanStep HandleBusy(EngineContext& ctx, int i) {
    CallEnded(ctx, i);
    ctx.host.ShowMessageDialog("Information", "Phone number you dialed is busy!",
                               DialogKind::Information, DialogButtons::Ok);
    return ScanStep::Continue;
}

ScanStep HandleNoDialtone(EngineContext& ctx, int i) {
    CallEnded(ctx, i);
    ctx.host.ShowMessageDialog("Information", "No dialtone!", DialogKind::Information,
                               DialogButtons::Ok);
    return ScanStep::Continue;
}

ScanStep HandleClip(EngineContext& ctx, int i) {
    EndBusy(ctx);
    auto& lines = ctx.state.Receive.RxLines;
    const std::string number = ClipNumber(lines.At(i));
    lines.Blank(i);
    auto& notice = NewCallNotice(ctx);
    notice.OsobaLab = FindNameByNumber(number, Phonebook(ctx).PhonebookList);
    notice.TelefonLab = number;
    PresentCallNotice(ctx);
    return ScanStep::Continue;
}

}  // namespace parlenko

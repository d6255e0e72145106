#include "engine/calls/call_notices.h"

#include "engine/parse/answer_reader.h"
#include "engine/receive/result_codes.h"
#include "engine/session/busy_state.h"
#include "engine/session/indicators.h"
#include "engine/text/phonebook_lookup.h"

#include <string>

namespace parlenko {

namespace {

// Shows the incoming-call notice with the engine's texts.
void PresentCallNotice(EngineContext& ctx) {
    const auto& n = ctx.state.NewCallNotice;
    ctx.views.calls->ShowNewCallNotice(n.OsobaLab, n.TelefonLab);
}

void CallEnded(EngineContext& ctx, int i) {
    ctx.state.Call.InCall = false;
    ctx.views.calls->SetDialButtonEnabled(true);
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
    auto& notice = ctx.state.NewCallNotice;
    // This call's notice is up: the other codes above wait for the next
    // chunk, but a final result that came with the call is still handled.
    if (!notice.TelefonLab.empty()) return ScanStep::FinalResultsOnly;
    notice.OsobaLab = "Unknown";
    notice.TelefonLab = "Hidden";
    PresentCallNotice(ctx);
    return ScanStep::Continue;
}

ScanStep HandleNoCarrier(EngineContext& ctx, int i) {
    CallEnded(ctx, i);
    ctx.views.calls->CloseNewCallNotice();
    ctx.state.NewCallNotice = {};
    ctx.views.calls->CloseTalkingWindow();
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
    auto& notice = ctx.state.NewCallNotice;
    notice.OsobaLab = FindNameByNumber(number, ctx.state.Phonebook.PhonebookList);
    notice.TelefonLab = number;
    PresentCallNotice(ctx);
    return ScanStep::Continue;
}

}  // namespace parlenko

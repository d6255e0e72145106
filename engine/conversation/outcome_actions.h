#pragma once
// Echo actions of the commands that end in one fixed text: a success shown
// in the status notice, a failure in a message box ("Error", OK), or a
// failure that asks "Try again?" and sends the command again on Yes.
//
//   constexpr char kSaved[] = "Date and time succesfully saved in mobile!";
//   EchoAction{"AT+CCLK=", EchoCompare::Prefix, 2, Reports<kSaved>, FailsWith<kFailed>}

#include "engine/conversation/echo_actions.h"
#include "engine/conversation/phone_errors.h"
#include "engine/core/busy_state.h"

namespace parlenko {

// "OK": the exchange ends with this success text.
template <const char* Text>
ScanStep Reports(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    ctx.host.ShowStatusMessage(Text);
    return ScanStep::Continue;
}

// "OK" without a text.
inline ScanStep EndsQuietly(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    return ScanStep::Continue;
}

// A refusal (which has ended the busy state): the failure text, or the
// phone's reason when it gave one.
template <const char* Text>
ScanStep FailsWith(EngineContext& ctx, const EchoHit& hit) {
    ShowRefusal(ctx, hit, Text);
    return ScanStep::Continue;
}

// "ERROR": the question under Caption; any answer but No sends the command
// again (as every confirmation, only No stops).
template <const char* Caption, const char* Text, void (*Again)(EngineContext&)>
ScanStep AsksToRetry(EngineContext& ctx, const EchoHit&) {
    if (ctx.host.ShowMessageDialog(Caption, Text, DialogKind::Confirmation, DialogButtons::YesNo) !=
        DialogResult::No)
        Again(ctx);
    return ScanStep::Continue;
}

}  // namespace parlenko

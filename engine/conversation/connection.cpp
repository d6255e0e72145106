#include "engine/conversation/connection.h"

#include "engine/conversation/command_lines.h"
#include "engine/conversation/command_send.h"
#include "engine/conversation/quiet_starts.h"
#include "engine/conversation/running_reads.h"
#include "engine/conversation/topic_registry.h"
#include "engine/core/busy_state.h"
#include "engine/core/result_codes.h"
#include "engine/serial/port_error.h"
#include "engine/serial/serial_port_driver.h"

#include <algorithm>
#include <string_view>

namespace parlenko {

namespace {
constexpr int kBeforeResetMs = 500;
constexpr int kAfterWriteMs = 100;
// How long closing waits for the answer to the command in flight, and how
// often it looks: the answer of a read position takes well under it.
constexpr int kInFlightWaitMs = 1000;
constexpr int kInFlightPollMs = 10;

// The command in flight gets its answer (its result, or silence for up to
// kInFlightWaitMs after it was written) before anything else is written:
// the closing command would otherwise reach the phone in the middle of that
// exchange, and its "OK" might be taken for that command's. A command the
// closing writes meanwhile (switching off again) is waited for the same way.
void AwaitCommandInFlight(EngineContext& ctx) {
    const auto& rx = ctx.state.Receive;
    while (ctx.port.Connected() && !rx.CommandInFlight.empty() &&
           ctx.scheduler.NowMs() < rx.CommandWrittenMs + kInFlightWaitMs) {
        ctx.scheduler.Sleep(kInFlightPollMs);
        ctx.scheduler.ProcessPendingEvents();
    }
}

// The command in flight asks for a body at a "> " prompt (a message, an
// object's packet).
bool AsksForBody(EngineContext& ctx, std::string_view command) {
    for (const PromptBody& prompt : Registry(ctx).prompts)
        for (std::string_view c : prompt.commands)
            if (command.starts_with(c)) return true;
    return false;
}

// The phone waits for a body: its prompt is the last line, or the command
// in flight asked for one and no prompt has come yet (it is late).
bool AwaitsBody(EngineContext& ctx) {
    const auto& rx = ctx.state.Receive;
    const auto& lines = rx.RxLines;
    if (lines.Is(lines.Size() - 1, codes::kPrompt)) return true;
    if (rx.CommandInFlight.empty() || !AsksForBody(ctx, rx.CommandInFlight)) return false;
    for (int k = std::max(rx.CommandEntry, 0); k < lines.Size(); ++k)
        if (lines.StartsWith(k, codes::kPrompt)) return false;
    return true;
}
}  // namespace

void ResetModem(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    // A new conversation: a failed write is worth telling again.
    ctx.state.Chain.CommunicationErrorReported = false;
    ctx.state.Chain.Closing = false;
    ctx.state.Chain.AwaitingFirstAnswer = true;
    ctx.state.Chain.ResultSinceReset = false;
    DropQuietStarts(ctx);
    const HoldNotices hold(ctx.state.Receive);
    ctx.scheduler.Sleep(kBeforeResetMs);
    for (int k = 0; k < 2; ++k) {
        CommandWritten(ctx, "ATZ\r");
        ctx.port.SendString("ATZ\r");
        ctx.scheduler.Sleep(kAfterWriteMs);
        ctx.scheduler.ProcessPendingEvents();
        // The pending work may have closed the port (a failed write elsewhere).
        if (!ctx.port.Connected()) return;
    }
    SendAtEchoOn(ctx);
}

void ClosePort(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    // A device that went away takes nothing more: the port just closes.
    if (ctx.port.GoneError().fault == PortFault::Gone) {
        ctx.state.Chain.Closing = true;
        ctx.port.Disconnect();
        return;
    }
    const HoldNotices hold(ctx.state.Receive);
    // The running operation ends first: from here none of its commands is
    // written, and the one in flight is given its answer.
    ctx.state.Chain.Closing = true;
    AwaitCommandInFlight(ctx);
    if (!ctx.port.Connected()) return;
    // A phone that waits for a body that will not come (prompted or not
    // yet) would take the closing command for the body: ESC ends the wait.
    if (AwaitsBody(ctx)) {
        ctx.port.SendString(at::Escape());
        ctx.scheduler.Sleep(kAfterWriteMs);
    }
    CommandWritten(ctx, "AT+CNMI=0,0,0,0\r");
    ctx.port.SendString("AT+CNMI=0,0,0,0\r");
    ctx.scheduler.Sleep(kAfterWriteMs);
    ctx.scheduler.ProcessPendingEvents();
    ctx.port.Disconnect();
}

void DisconnectMobile(EngineContext& ctx) {
    ctx.state.Chain.ResetRepeated = false;
    ctx.timers.RefreshTimer->Stop();
    ClosePort(ctx);
    ctx.host.ConnectionChanged(false);
    EndBusy(ctx);
    // What waited for an answer gets none now, as at the time-out (a message
    // the compose window handed over is given back to it, a restore run
    // ends, an upload's guard and a melody request are dropped); what waited
    // to be sent goes.
    for (auto end : Registry(ctx).ended) end(ctx);
    for (auto end : Registry(ctx).disconnected) end(ctx);
    DropQuietStarts(ctx);
    // Nothing more can be read or written: the reads end here, their lists
    // as they were before them. The exchange has nothing left to time out.
    StopRunningReads(ctx);
    ctx.state.Receive.CommandInFlight.clear();
    ctx.timers.TimeOutTimer->Stop();
}

}  // namespace parlenko

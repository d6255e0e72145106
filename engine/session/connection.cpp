#include "engine/session/connection.h"

#include "engine/at/at_commands.h"
#include "engine/at/at_send.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/phonebook/restore_step.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/busy_state.h"
#include "engine/session/running_reads.h"
#include "engine/sms/sms_operations.h"

namespace parlenko {

namespace {
constexpr int kBeforeResetMs = 500;
constexpr int kAfterWriteMs = 100;
}  // namespace

void ResetModem(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    // A new conversation: a failed write is worth telling again.
    ctx.state.Chain.CommunicationErrorReported = false;
    ctx.state.Chain.AwaitingFirstAnswer = true;
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

void RefreshGeneralInfo(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    ctx.port.FlushBuffers(true, true);
    SendAtCgmi(ctx);
}

void ClosePort(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    const HoldNotices hold(ctx.state.Receive);
    CommandWritten(ctx, "AT+CNMI=0,0,0,0\r");
    ctx.port.SendString("AT+CNMI=0,0,0,0\r");
    ctx.scheduler.Sleep(kAfterWriteMs);
    ctx.scheduler.ProcessPendingEvents();
    ctx.port.Disconnect();
}

void DisconnectMobile(EngineContext& ctx) {
    ctx.timers.RefreshTimer->Stop();
    ClosePort(ctx);
    ctx.host.ConnectionChanged(false);
    EndBusy(ctx);
    // What waited for an answer gets none now (a message the compose window
    // handed over is given back to it).
    ClearPhonebookOp(ctx.state.Phonebook.Op);
    EndSmsOperation(ctx);
    ctx.state.Sms.NewMessagesWaiting.clear();
    // Nothing more can be read or written: the reads end here, their lists
    // as they were before them, and so do the wizard's runs. The exchange
    // has nothing left to time out.
    StopRunningReads(ctx);
    if (IsRestoring(ctx.state.Phonebook.Op)) AbortRestore(ctx);
    ctx.state.Receive.CommandInFlight.clear();
    ctx.timers.TimeOutTimer->Stop();
}

}  // namespace parlenko

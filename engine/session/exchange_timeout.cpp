#include "engine/session/exchange_timeout.h"

#include "engine/at/at_commands.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/phonebook/restore_step.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/busy_state.h"
#include "engine/session/communication_error.h"
#include "engine/receive/final_results.h"
#include "engine/sms/sms_operations.h"

#include <utility>

namespace parlenko {

namespace {

constexpr char kUnknownError[] =
    "Unknown error occurred while trying\rto read data from mobile!\r\rPlease, try againg!!!";

// Every operation that waits for an answer is given up: a flag left set
// would otherwise make a later, unrelated memory selection write, delete or
// read something. A restore run only loses its step here; it is ended
// (stopped) once the time-out is done with the port.
void EndPendingOperations(EngineContext& ctx) {
    auto& s = ctx.state;
    s.Upload.SendingAppointment = false;
    s.Upload.SendingMelody = false;
    s.Upload.SendingLogo = false;
    s.Upload.UploadPackets.clear();
    s.Upload.PacketIndex = 0;
    s.Upload.PacketCount = 0;

    ClearPhonebookOp(s.Phonebook.Op);
    EndSmsOperation(ctx);

    // A melody sent to be played or kept and never confirmed: a later
    // accepted melody setting (the ringer restored) must not start playing.
    s.Services.MelodyPlayPending = false;
    s.Services.MelodySetPending = false;
}

// The phone was reset at connect and never answered: nothing is on the
// port. Say so once and close it rather than show a connection that does
// not exist. True when it did.
bool NoPhoneAtConnect(EngineContext& ctx) {
    if (!ctx.state.Chain.AwaitingFirstAnswer) return false;
    ctx.state.Chain.AwaitingFirstAnswer = false;
    if (!ctx.port.Connected()) return false;
    ReportCommunicationError(ctx);
    ctx.state.Receive.RxLines.Reset();
    return true;
}

// A phone read stopped halfway: the user is told (not during the store
// exchanges, whose window stays).
void ReportStalledRead(EngineContext& ctx) {
    const ActivityMode mode = ctx.state.Mode;
    if (mode != ActivityMode::OutlookContacts && mode != ActivityMode::OutlookCalendar &&
        ctx.host.IsProgressWindowVisible()) {
        ctx.host.HideProgressWindow();
        ShowError(ctx, kUnknownError);
        ctx.host.CloseProgressWindow();
        EndBusy(ctx);
    } else if (ctx.state.PhonebookRead.BackupRefreshing) {
        // The wizard's re-read shows no progress window; it is told all the same.
        ShowError(ctx, kUnknownError);
    }
}

}  // namespace

void RestartTimeOut(EngineContext& ctx) { ctx.timers.TimeOutTimer->Start(); }

void ExchangeTimeOut(EngineContext& ctx) {
    ctx.timers.TimeOutTimer->Stop();
    auto& rx = ctx.state.Receive;
    const std::string unanswered = std::exchange(rx.CommandInFlight, {});
    // Both port buffers are purged around the ESC: what waits to go out is
    // dropped before it (a purge of the output after it could drop the ESC
    // itself), what came in is dropped after it.
    if (ctx.port.Connected()) ctx.port.FlushBuffers(false, true);
    if (ctx.port.Connected()) SendAtEscape(ctx);
    if (ctx.port.Connected()) ctx.port.FlushBuffers(true, false);
    EndBusy(ctx);
    rx.RxLines.BlankAll();

    if (NoPhoneAtConnect(ctx)) {
        EndPendingOperations(ctx);
        return;
    }
    // A write that got no answer ends as its refusal would, with its text:
    // one box, and the read's box does not follow it.
    const bool told = !unanswered.empty() && EndUnansweredWrite(ctx, unanswered);
    EndPendingOperations(ctx);
    if (!told) ReportStalledRead(ctx);
    BackupRefreshStopped(ctx);
    if (IsRestoring(ctx.state.Phonebook.Op)) AbortRestore(ctx);
    // Nothing is in flight any more: messages that waited are read now.
    if (rx.Depth == 0 && rx.CommandInFlight.empty()) ServeWaitingNewMessages(ctx);
}

}  // namespace parlenko

#include "engine/session/exchange_timeout.h"

#include "engine/at/at_commands.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/phonebook/restore_step.h"
#include "engine/receive/echo_actions.h"
#include "engine/receive/final_results.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/core/busy_state.h"
#include "engine/session/communication_error.h"
#include "engine/session/running_reads.h"
#include "engine/sms/sms_operations.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/objects/objects_state.h"
#include "engine/services/services_state.h"

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
    Upload(ctx).SendingAppointment = false;
    Upload(ctx).SendingMelody = false;
    Upload(ctx).SendingLogo = false;
    Upload(ctx).UploadPackets.clear();
    Upload(ctx).PacketIndex = 0;
    Upload(ctx).PacketCount = 0;

    ClearPhonebookOp(Phonebook(ctx).Op);
    EndSmsOperation(ctx);

    // A melody sent to be played or kept and never confirmed: a later
    // accepted melody setting (the ringer restored) must not start playing.
    Services(ctx).MelodyPlayPending = false;
    Services(ctx).MelodySetPending = false;
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

bool UploadRuns(const UploadState& up) {
    return up.SendingAppointment || up.SendingMelody || up.SendingLogo;
}

// A read stopped halfway: the user is told (not during the store
// exchanges, whose window stays). True when there was one.
bool ReportStalledRead(EngineContext& ctx) {
    const bool backupReRead = PhonebookRead(ctx).BackupRefreshing;
    if (!StopRunningReads(ctx) && !backupReRead) return false;
    ShowError(ctx, kUnknownError);
    return true;
}

// The command got no answer: it is refused as the phone would have, its
// failure text said. False for a command no table knows.
bool RefuseUnanswered(EngineContext& ctx, const std::string& command) {
    if (!IsKnownCommand(command)) return false;
    EchoHit hit;
    hit.result = -1;
    hit.echoEntry = -1;
    hit.echo = command;
    hit.silent = true;
    RefuseCommand(ctx, hit);
    return true;
}

// Ends what the unanswered command belonged to, with one message.
void EndUnansweredExchange(EngineContext& ctx, const std::string& unanswered) {
    if (!unanswered.empty() && IsChainCommand(unanswered)) {
        ReportNoAnswer(ctx, unanswered);
        return;
    }
    // A restore run tells its outcome on the wizard's page (AbortRestore).
    if (IsRestoring(Phonebook(ctx).Op)) return;
    // An entry or message write in flight says what it could not write.
    if (!unanswered.empty() && EndUnansweredWrite(ctx)) return;
    // An upload the phone never prompted for (or never confirmed) could not
    // send its packet.
    if (!unanswered.empty() && UploadRuns(Upload(ctx)) && RefuseUnanswered(ctx, unanswered)) return;
    if (ReportStalledRead(ctx)) return;
    // A setting, a call command, a query of its own: its failure text.
    if (!unanswered.empty()) RefuseUnanswered(ctx, unanswered);
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
    EndUnansweredExchange(ctx, unanswered);
    EndPendingOperations(ctx);
    StopRunningReads(ctx);
    if (IsRestoring(Phonebook(ctx).Op)) AbortRestore(ctx);
    // Nothing is in flight any more: messages that waited are read now.
    if (rx.Depth == 0) ServeWaitingNewMessages(ctx);
}

}  // namespace parlenko

#include "engine/receive/phone_errors.h"

#include "engine/at/at_commands.h"
#include "engine/receive/echo_actions.h"
#include "engine/core/strings.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/phonebook/restore_step.h"
#include "engine/receive/final_results.h"
#include "engine/session/busy_state.h"
#include "engine/sms/sms_operations.h"
#include "engine/sms/sms_steps.h"
#include "engine/text/error_texts.h"

#include <optional>

namespace parlenko {

namespace {

// Codes the phone gives when a message memory cannot be selected.
bool IsMemoryAbsent(int code) { return code == 303 || code == 30 || code == 3; }
// Codes of a read position without a message (invalid memory index).
bool IsEmptyPosition(int code) { return code == 321 || code == 32; }
constexpr int kMemoryFull = 322;

bool IsSmsCommand(const std::string& echo) {
    for (const char* prefix :
         {"AT+CPMS=\"", "AT+CMGR=", "AT+CMGW=", "AT+CMGS=", "AT+CMSS=", "AT+CMGD="})
        if (StartsWith(echo, prefix)) return true;
    return false;
}

// A store (or an edit's store) is what a full memory interrupted.
bool StoreWaitsForRetry(const SmsOp& op) {
    if (std::holds_alternative<SmsStore>(op)) return true;
    const auto* edit = std::get_if<SmsEdit>(&op);
    return edit && edit->Now == SmsEdit::Step::Store;
}

// A refused "AT+CREG=<n>". "AT+CREG=2" (notices with area and cell) falls
// back to "AT+CREG=1" (status only); a refused "AT+CREG=1" goes on with the
// query, so the chain never repeats a setting without end.
ScanStep RegistrationFallBack(EngineContext& ctx, const std::string& echo) {
    if (echo == "AT+CREG=1") SendAtCregQuery(ctx);
    else SendAtCregSet(ctx, 1);
    return ScanStep::EndScan;
}

void ShowErrorMessage(EngineContext& ctx, std::optional<int> code, const std::string& verbose) {
    auto& chain = ctx.state.Chain;
    EndBusy(ctx);
    if (code) {
        chain.LastErrorCode = *code;
        chain.LastErrorText = PhoneErrorText(*code);
        ShowError(ctx, PhoneErrorMessage(*code, chain.LastErrorText));
    } else {
        // Verbose error mode (the phone was reset behind our back): the
        // phone's own words, without a code.
        chain.LastErrorCode = -1;
        chain.LastErrorText = verbose;
        ctx.host.ShowMessageDialog(
            "Error", "Error occurred communicating with mobile!\r\rReason:  " + verbose,
            DialogKind::Error, DialogButtons::Ok);
    }
}

// The phone's own words for a refusal: the text of its code ("Text too
// long"), the code itself when it has no text, or the verbose text.
std::string RefusalText(std::optional<int> code, const std::string& verbose) {
    if (!code) return verbose;
    const std::string text = Trim(PhoneErrorText(*code));
    return text.empty() ? "+CME ERROR: " + IntToStr(*code) : text;
}

// A refused phonebook command. A restore counts a refused step or selection
// and goes on, without a box; otherwise a refused selection or write ends
// the entry operation (a later memory selection must not carry it out), and
// a refused command of the wizard's re-read ends that.
std::optional<ScanStep> PhonebookRefused(EngineContext& ctx, const std::string& echo,
                                         const std::string& reason) {
    const bool selection = StartsWith(echo, "AT+CPBS=") || StartsWith(echo, "AT^SPBS=");
    const bool write = StartsWith(echo, "AT+CPBW=");
    if (IsRestoring(ctx.state.Phonebook.Op)) {
        if (write) {
            RestoreStepFailed(ctx, reason);
            return ScanStep::Continue;
        }
        if (selection) {
            ctx.state.CurrentMemory = Copy(echo, 10, 2);
            RestoreSelectionFailed(ctx, reason);
            return ScanStep::EndScan;
        }
    }
    if (selection || write) ClearPhonebookOp(ctx.state.Phonebook.Op);
    if (StartsWith(echo, "AT+CPB") || StartsWith(echo, "AT^SPB")) BackupRefreshStopped(ctx);
    return std::nullopt;
}

}  // namespace

std::string PhoneErrorMessage(int code, const std::string& text) {
    return "Error occurred communicating with mobile!\r\rReason:  " + text + "  (" +
           IntToStr(code) + ")";
}

void ResetStoreRetryCount(EngineContext& ctx) { ctx.state.Sms.StoreRetryCount = 0; }

ScanStep HandlePhoneError(EngineContext& ctx, int i) {
    auto& lines = ctx.state.Receive.RxLines;
    const std::string line = lines.At(i);
    const int echoEntry = RefusedCommandEntry(lines, i);
    const bool body = echoEntry != lines.Above(i, 2);
    const std::string echo = lines.At(echoEntry);
    if (body) lines.Blank(lines.Above(i, 1));
    lines.Blank(i);
    lines.Blank(echoEntry);

    std::optional<int> code;
    if (const auto n = ParseInt(Copy(line, 13, 5))) code = static_cast<int>(*n);
    if (code) ctx.state.Chain.LastErrorCode = *code;

    // A clock read for the computer that failed is not carried over to the
    // next refresh's clock read.
    if (echo == "AT+CCLK?") ctx.state.Chain.SettingClock = false;

    if (const auto step = PhonebookRefused(ctx, echo, RefusalText(code, Trim(CopyFrom(line, 13)))))
        return *step;

    if (ctx.state.Chain.CregSetSent && StartsWith(echo, "AT+CREG="))
        return RegistrationFallBack(ctx, echo);

    if (code && IsMemoryAbsent(*code) && StartsWith(echo, "AT+CPMS=\"")) {
        // The message memory is not there: the read (or the operation
        // that needed it) ends quietly.
        EndSmsOperation(ctx);
        EndBusy(ctx);
        ctx.host.CloseProgressWindow();
        return ScanStep::EndScan;
    }

    if (code && *code == kMemoryFull && StartsWith(echo, "AT+CMGW=") &&
        StoreWaitsForRetry(ctx.state.Sms.Op)) {
        int& retries = ctx.state.Sms.StoreRetryCount;
        ++retries;
        if (retries == 1) {
            // Store in the phone memory instead: the selection's "OK" writes
            // the message again, the operation being still in flight.
            SendAtCpms(ctx, PhoneMemory::Phone);
            return ScanStep::EndScan;
        }
        retries = 0;  // both memories are full: say so
    }

    if (code && IsEmptyPosition(*code) && StartsWith(echo, "AT+CMGR=")) {
        // The read met a position without a message: on to the next.
        HandleCmgrAnswer(ctx, "", "", "", CmgrAnswer::Empty);
        return ScanStep::Continue;
    }

    // A refused message command, or a refused body after its "> " prompt,
    // ends the SMS operation.
    if (IsSmsCommand(echo)) {
        if (StartsWith(echo, "AT+CMGR=") || StartsWith(echo, "AT+CPMS=\""))
            ctx.host.CloseProgressWindow();
        EndSmsOperation(ctx);
    }
    // The operation that owns the exchange ends before the box, so that
    // nothing waits for the time-out and the time-out has nothing to say.
    if (EndRefusedOperation(ctx, echo, body) == ScanStep::EndScan) return ScanStep::EndScan;
    ShowErrorMessage(ctx, code, Trim(CopyFrom(line, 13)));
    return ScanStep::Continue;
}

}  // namespace parlenko

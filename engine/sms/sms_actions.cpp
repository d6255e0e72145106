#include "engine/sms/sms_actions.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/core/read_progress.h"
#include "engine/conversation/phone_errors.h"
#include "engine/core/busy_state.h"
#include "engine/sms/sms_operations.h"
#include "engine/sms/sms_steps.h"
#include "engine/sms/sms_state.h"
#include "engine/sms/sms_commands.h"

#include <array>
#include <optional>
#include <type_traits>
#include <variant>

namespace parlenko {

namespace {

constexpr char kReadFailed[] = "Error occurred while trying to read\rSMS messages from mobile!";
constexpr char kStoreFailed[] = "Error occurred while trying to write\rSMS message in mobile!";
constexpr char kSendFailed[] = "Error occurred while trying to send SMS message!";
constexpr char kDeleteFailed[] = "Error occurred while trying to delete\rSMS message from mobile!";
constexpr char kSent[] = "SMS message succesfully sent!";

// The first field after the response prefix ("+CMGR: 1,,23" gives "1").
std::string FirstField(std::string_view answer) {
    AnswerReader r(answer);
    r.SkipPrefix();
    return Trim(r.NextField());
}

// "OK" of a message-memory selection (echo and storage answer blanked): the
// operation in flight sends its command, or a full read takes the counts.
ScanStep SelectionOk(EngineContext& ctx, const EchoHit& hit) {
    ctx.state.CurrentMemory = SelectedMemoryCode(hit.echo);
    if (const auto step = SmsMemorySelected(ctx)) return *step;
    HandleCpmsAnswer(ctx, hit.answer);
    return ScanStep::Continue;
}

// What an operation says when it fails: the text of its step; nullptr for
// none, or a read.
const char* OperationFailureText(const SmsOp& op) {
    return std::visit(
        [](const auto& o) -> const char* {
            using T = std::decay_t<decltype(o)>;
            if constexpr (std::is_same_v<T, SmsStore>) return kStoreFailed;
            if constexpr (std::is_same_v<T, SmsSend> || std::is_same_v<T, SmsSendStored>)
                return kSendFailed;
            if constexpr (std::is_same_v<T, SmsDelete>) return kDeleteFailed;
            if constexpr (std::is_same_v<T, SmsEdit>) {
                if (o.Now == SmsEdit::Step::Store) return kStoreFailed;
                return o.Now == SmsEdit::Step::DeleteOriginal ? kDeleteFailed : kSendFailed;
            }
            return nullptr;  // nothing, or a read
        },
        op);
}

// A read (or an operation's selection) failed: the read window closes; the
// box names the operation whose selection it was.
ScanStep ReadError(EngineContext& ctx, const EchoHit& hit) {
    Lines(ctx).Blank(hit.echoEntry);
    const char* text = OperationFailureText(Sms(ctx).Op);
    EndSmsOperation(ctx);
    StopSmsFullRead(ctx);
    CloseReadProgress(ctx);
    ShowRefusal(ctx, hit, text != nullptr ? text : kReadFailed);
    return ScanStep::Continue;
}

template <const char* Text>
ScanStep OperationError(EngineContext& ctx, const EchoHit& hit) {
    Lines(ctx).Blank(hit.echoEntry);
    EndSmsOperation(ctx);
    ShowRefusal(ctx, hit, Text);
    return ScanStep::Continue;
}

// "AT+CMGR=" answered with a header and the PDU (header at i - 3, PDU at i - 2).
ScanStep MessageOk(EngineContext& ctx, const EchoHit& hit) {
    auto& lines = Lines(ctx);
    const int headerEntry = lines.Above(hit.result, 3);
    const int pduEntry = lines.Above(hit.result, 2);
    if (!lines.StartsWith(headerEntry, "+CMGR:")) return ScanStep::Continue;
    const std::string header = lines.At(headerEntry);
    const std::string pdu = lines.At(pduEntry);
    lines.Blank(pduEntry);
    lines.Blank(headerEntry);
    lines.Blank(hit.echoEntry);
    HandleCmgrAnswer(ctx, std::string(EchoArguments(hit.echo)), pdu, FirstField(header),
                     CmgrAnswer::Message);
    return ScanStep::Continue;
}

// "AT+CMGR=" answered with a header alone: the position holds no message.
ScanStep EmptyPositionOk(EngineContext& ctx, const EchoHit&) {
    HandleCmgrAnswer(ctx, "", "", "", CmgrAnswer::Empty);
    return ScanStep::Continue;
}

// "AT+CMGW=" stored the message: the store answer `answerAt` entries above
// the "OK", the echoed body one above it.
template <int AnswerAt>
ScanStep StoredOk(EngineContext& ctx, const EchoHit& hit) {
    auto& lines = Lines(ctx);
    const int answerEntry = lines.Above(hit.result, AnswerAt);
    const int bodyEntry = lines.Above(answerEntry, 1);
    const std::string answer = lines.At(answerEntry);
    const std::string body = lines.At(bodyEntry);
    lines.Blank(answerEntry);
    lines.Blank(bodyEntry);
    lines.Blank(hit.echoEntry);
    ctx.host.ShowStatusMessage("SMS message succesfully saved in mobile!");
    const std::string position = HandleCmgwAnswer(ctx, FirstField(answer), body);
    SmsStored(ctx, position);
    return ScanStep::Continue;
}

ScanStep SendOk(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    SmsSent(ctx);
    return ScanStep::Continue;
}

ScanStep SentStoredOk(EngineContext& ctx, const EchoHit& hit) {
    ctx.host.ShowStatusMessage(kSent);
    HandleCmssAnswer(ctx, hit.echo);
    SmsSent(ctx);
    return ScanStep::Continue;
}

ScanStep DeletedOk(EngineContext& ctx, const EchoHit& hit) {
    EndBusy(ctx);
    HandleCmgdAnswer(ctx, hit.echo);
    if (SmsDeleted(ctx)) ctx.host.ShowStatusMessage("SMS message succesfully deleted from mobile!");
    return ScanStep::Continue;
}

// The echoed body of a sent message (i - 3), the command two entries above it.
ScanStep BodyOk(EngineContext& ctx, const EchoHit& hit) {
    auto& lines = Lines(ctx);
    EndBusy(ctx);
    lines.Blank(hit.echoEntry);
    if (const int command = lines.Above(hit.result, 5); lines.StartsWith(command, "AT+CMGS=")) {
        lines.Blank(command);
        lines.Blank(lines.Above(hit.result, 2));
        ctx.host.ShowStatusMessage(kSent);
        SmsSent(ctx);
    }
    return ScanStep::Continue;
}

// ---------------------------------------------------------------- phone errors

// Codes the phone gives when a message memory cannot be selected.
bool IsMemoryAbsent(int code) { return code == 303 || code == 30 || code == 3; }
// Codes of a read position without a message (invalid memory index).
bool IsEmptyPosition(int code) { return code == 321 || code == 32; }
constexpr int kMemoryFull = 322;

// The message memory is not there: a full read goes on with the next
// memory (or ends with what it read); a new message's read ends quietly.
// An operation that needed the memory fails as on any refusal.
std::optional<ScanStep> SelectionPhoneError(EngineContext& ctx, const EchoHit& hit) {
    if (!hit.code || !IsMemoryAbsent(*hit.code)) return std::nullopt;
    const auto& op = Sms(ctx).Op;
    if (HasSmsOp(op) && !IsReadingNewSms(op)) return std::nullopt;
    EndBusy(ctx);
    if (SkipAbsentPassMemory(ctx)) return ScanStep::EndScan;
    EndSmsOperation(ctx);
    Sms(ctx).FullReadRunning = false;
    EndBusy(ctx);
    ctx.host.CloseProgressWindow();
    return ScanStep::EndScan;
}

// The read met a position without a message: on to the next.
std::optional<ScanStep> MessagePhoneError(EngineContext& ctx, const EchoHit& hit) {
    if (!hit.code || !IsEmptyPosition(*hit.code)) return std::nullopt;
    HandleCmgrAnswer(ctx, "", "", "", CmgrAnswer::Empty);
    return ScanStep::Continue;
}

// A store (or an edit's store) is what a full memory interrupted.
bool StoreWaitsForRetry(const SmsOp& op) {
    if (std::holds_alternative<SmsStore>(op)) return true;
    const auto* edit = std::get_if<SmsEdit>(&op);
    return edit && edit->Now == SmsEdit::Step::Store;
}

// The SIM card is full: the first time the message is stored in the phone
// memory instead (the selection's "OK" writes it again, the operation being
// still in flight); when that is full too, the refusal is shown.
std::optional<ScanStep> StorePhoneError(EngineContext& ctx, const EchoHit& hit) {
    auto& sms = Sms(ctx);
    if (hit.code == kMemoryFull && StoreWaitsForRetry(sms.Op)) {
        if (++sms.StoreRetryCount == 1) {
            SendAtCpms(ctx, PhoneMemory::Phone);
            return ScanStep::EndScan;
        }
        sms.StoreRetryCount = 0;  // both memories are full: say so
    }
    return std::nullopt;
}

// A message read answers a header and its PDU, an empty position the header
// alone; a store echoes its body after the prompt and answers the position.
const std::array kSmsActions = {
    EchoAction{.echo = "AT+CPMS=\"",
               .compare = kPrefix,
               .onOk = {At(4, SelectionOk)},
               .onError = ReadError,
               .onPhoneError = SelectionPhoneError},
    EchoAction{.echo = "AT+CMGR=",
               .compare = kPrefix,
               .onOk = {At(5, MessageOk, kByAction), At(4, EmptyPositionOk)},
               .onError = ReadError,
               .onPhoneError = MessagePhoneError},
    EchoAction{.echo = "AT+CMGW=",
               .compare = kPrefix,
               .onOk = {At(5, StoredOk<2>, kByAction), At(7, StoredOk<4>, kByAction)},
               .onError = OperationError<kStoreFailed>,
               .onPhoneError = StorePhoneError},
    EchoAction{.echo = "AT+CMGS=",
               .compare = kPrefix,
               .onOk = {At(4, SendOk)},
               .onError = OperationError<kSendFailed>},
    EchoAction{.echo = "AT+CMSS=",
               .compare = kPrefix,
               .onOk = {At(4, SentStoredOk)},
               .onError = OperationError<kSendFailed>},
    EchoAction{.echo = "AT+CMGD=",
               .compare = kPrefix,
               .onOk = {At(2, DeletedOk)},
               .onError = OperationError<kDeleteFailed>},
    // The echoed body of a sent message three entries above the "OK".
    EchoAction{.echo = "> ",
               .compare = kPrefix,
               .onOk = {At(3, BodyOk, kByAction)},
               .onError = OperationError<kPacketFailed>},
};

}  // namespace

std::span<const EchoAction> SmsActions() { return kSmsActions; }

void ResetStoreRetryCount(EngineContext& ctx) { Sms(ctx).StoreRetryCount = 0; }

bool EndUnansweredSmsWrite(EngineContext& ctx) {
    const char* text = OperationFailureText(Sms(ctx).Op);
    if (text == nullptr) return false;
    EndSmsOperation(ctx);
    ShowError(ctx, text);
    return true;
}

}  // namespace parlenko

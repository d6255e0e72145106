#include "engine/sms/sms_operations.h"

#include "engine/pdu/pdu_encoder.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/sms/sms_steps.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/sms/sms_view.h"
#include "engine/sms/sms_state.h"
#include "engine/sms/sms_commands.h"

#include <algorithm>
#include <type_traits>

namespace parlenko {

namespace {

constexpr char kInvalidNumber[] =
    "Invalid phone number!\r\rValid characters are:\r   Numbers:   '0 - 9'\r   Other:  '+', '*' "
    "and '#'";

bool IsMessageMemory(PhoneMemory memory) {
    return memory == PhoneMemory::Sim || memory == PhoneMemory::Phone;
}

void SelectMemory(EngineContext& ctx, PhoneMemory memory) { SendAtCpms(ctx, memory); }

// An operation starts: it replaces whatever waited, and selects its memory.
void Start(EngineContext& ctx, SmsOp op, PhoneMemory memory) {
    auto& s = Sms(ctx);
    s.Op = std::move(op);
    s.StoreRetryCount = 0;
    SelectMemory(ctx, memory);
}

// The next step of an edit runs in `memory`: at once when that memory is
// the one selected, else after selecting it.
void StepIn(EngineContext& ctx, PhoneMemory memory) {
    if (CurrentSmsMemory(ctx.state) == memory) SmsMemorySelected(ctx);
    else SelectMemory(ctx, memory);
}

// The compose window's message: it waits for the outcome.
void ComposeStarted(EngineContext& ctx) { Sms(ctx).ComposeWaiting = true; }

void SendStore(EngineContext& ctx, const std::string& pdu) {
    auto& s = Sms(ctx);
    s.PduToSend = pdu;
    s.SmsPduLength = SmsPduLength(pdu);
    SendAtCmgw(ctx, s.SmsPduLength);
}

// The PDU of a composed message: a flash message's text as typed, any
// other's as GSM code units.
SubmitPdu ComposedPdu(const ComposedSms& m) {
    const std::string text = m.Flash ? m.Text : SmsTextToGsm(m.Text);
    return BuildSubmitPdu(m.Number, text, m.ValidityValue, m.StatusReport, m.Flash, m.ValidityUnit);
}

// Builds message's PDU and hands it to start (one of the PDU operations).
template <class Start>
ComposedSmsResult HandOver(const ComposedSms& message, Start start) {
    const SubmitPdu pdu = ComposedPdu(message);
    if (!pdu.Ok())
        return pdu.Error == SubmitPduError::InvalidNumber ? ComposedSmsResult::InvalidNumber
                                                          : ComposedSmsResult::TextTooLong;
    return start(pdu.Pdu) ? ComposedSmsResult::Started : ComposedSmsResult::NotStarted;
}

}  // namespace

void DeleteSms(EngineContext& ctx, PhoneMemory memory, const std::string& position) {
    if (!ctx.port.Connected() || !IsMessageMemory(memory) || position.empty()) return;
    Start(ctx, SmsDelete{memory, position}, memory);
}

bool StoreSms(EngineContext& ctx, const std::string& pdu) {
    if (!ctx.port.Connected() || pdu.empty()) return false;
    ComposeStarted(ctx);
    Start(ctx, SmsStore{PhoneMemory::Sim, pdu}, PhoneMemory::Sim);
    return true;
}

bool SendSms(EngineContext& ctx, const std::string& pdu) {
    if (!ctx.port.Connected() || pdu.empty()) return false;
    ComposeStarted(ctx);
    auto& s = Sms(ctx);
    s.Op = SmsSend{};
    s.StoreRetryCount = 0;
    s.PduToSend = pdu;
    s.SmsPduLength = SmsPduLength(pdu);
    SendAtCmgs(ctx, s.SmsPduLength);
    return true;
}

void SendStoredSms(EngineContext& ctx, PhoneMemory memory, const std::string& position,
                   const std::string& number) {
    if (!ctx.port.Connected() || !IsMessageMemory(memory) || position.empty()) return;
    if (!number.empty() && !IsValidNumber(number)) {
        ctx.host.ShowMessageDialog("Error", kInvalidNumber, DialogKind::Error, DialogButtons::Ok);
        return;
    }
    const std::string args = number.empty() ? position : position + "," + number;
    Start(ctx, SmsSendStored{memory, args}, memory);
}

bool EditStoredSms(EngineContext& ctx, PhoneMemory memory, const std::string& position,
                   const std::string& pdu, bool sendAfter) {
    if (!ctx.port.Connected() || !IsMessageMemory(memory) || position.empty() || pdu.empty())
        return false;
    ComposeStarted(ctx);
    SmsEdit edit;
    edit.Memory = memory;
    edit.OriginalPosition = position;
    edit.Pdu = pdu;
    edit.SendAfter = sendAfter;
    Start(ctx, std::move(edit), memory);
    return true;
}

ComposedSmsResult StoreSms(EngineContext& ctx, const ComposedSms& message) {
    return HandOver(message, [&ctx](const std::string& pdu) { return StoreSms(ctx, pdu); });
}

ComposedSmsResult SendSms(EngineContext& ctx, const ComposedSms& message) {
    return HandOver(message, [&ctx](const std::string& pdu) { return SendSms(ctx, pdu); });
}

ComposedSmsResult EditStoredSms(EngineContext& ctx, PhoneMemory memory, const std::string& position,
                                const ComposedSms& message, bool sendAfter) {
    return HandOver(message, [&](const std::string& pdu) {
        return EditStoredSms(ctx, memory, position, pdu, sendAfter);
    });
}

void ReadNewSms(EngineContext& ctx, PhoneMemory memory, const std::string& index) {
    auto& s = Sms(ctx);
    if (HasSmsOp(s.Op) && !IsReadingNewSms(s.Op)) return;
    s.Op = SmsReadNew{memory, index};
    ctx.state.CurrentMemory = std::string(MemoryCode(memory));
    SelectMemory(ctx, memory);
}

void NewMessageArrived(EngineContext& ctx, PhoneMemory memory, const std::string& index,
                       std::uint64_t arrival) {
    auto& waiting = Sms(ctx).NewMessagesWaiting;
    const auto later = std::find_if(waiting.begin(), waiting.end(),
                                    [arrival](const auto& w) { return w.Arrival > arrival; });
    waiting.insert(later, {memory, index, Sms(ctx).FullReadsDone + 1, arrival});
    NewMessageDuringPass(ctx, memory);
}

void ServeWaitingNewMessages(EngineContext& ctx) {
    const auto& rx = ctx.state.Receive;
    if (!rx.CommandInFlight.empty() || rx.NoticesHeld > 0) return;
    auto& waiting = Sms(ctx).NewMessagesWaiting;
    while (!waiting.empty() && ctx.port.Connected()) {
        const WaitingNewMessage next = waiting.front();
        waiting.erase(waiting.begin());
        if (Sms(ctx).FullReadsDone >= next.FullReadsNeeded &&
            AnnounceReadMessage(ctx, next.Memory, next.Index))
            continue;
        ReadNewSms(ctx, next.Memory, next.Index);
        return;
    }
}

std::optional<ScanStep> SmsMemorySelected(EngineContext& ctx) {
    return std::visit(
        [&ctx](auto& op) -> std::optional<ScanStep> {
            using T = std::decay_t<decltype(op)>;
            if constexpr (std::is_same_v<T, std::monostate> || std::is_same_v<T, SmsSend>) {
                return std::nullopt;
            } else if constexpr (std::is_same_v<T, SmsDelete>) {
                SendAtCmgd(ctx, op.Position);
            } else if constexpr (std::is_same_v<T, SmsStore>) {
                SendStore(ctx, op.Pdu);
            } else if constexpr (std::is_same_v<T, SmsSendStored>) {
                SendAtCmss(ctx, op.Args);
            } else if constexpr (std::is_same_v<T, SmsEdit>) {
                switch (op.Now) {
                    case SmsEdit::Step::Store: SendStore(ctx, op.Pdu); break;
                    case SmsEdit::Step::DeleteOriginal: SendAtCmgd(ctx, op.OriginalPosition); break;
                    case SmsEdit::Step::SendNew: SendAtCmss(ctx, op.NewPosition); break;
                }
            } else {
                static_assert(std::is_same_v<T, SmsReadNew>);
                SendAtCmgr(ctx, op.Index);
                return ScanStep::Continue;
            }
            return ScanStep::EndScan;
        },
        Sms(ctx).Op);
}

void ComposedMessageDone(EngineContext& ctx, bool accepted) {
    auto& s = Sms(ctx);
    if (!s.ComposeWaiting) return;
    s.ComposeWaiting = false;
    ViewOf<ISmsView>(ctx).ComposedMessageDone(accepted);
}

void SmsStored(EngineContext& ctx, const std::string& position) {
    auto& s = Sms(ctx);
    s.StoreRetryCount = 0;
    // Stored: the message is safe on the phone, whatever follows.
    ComposedMessageDone(ctx, true);
    if (auto* edit = std::get_if<SmsEdit>(&s.Op); edit && edit->Now == SmsEdit::Step::Store) {
        // The new version is safe: now the original goes.
        edit->NewMemory = CurrentSmsMemory(ctx.state).value_or(edit->Memory);
        edit->NewPosition = position;
        edit->Now = SmsEdit::Step::DeleteOriginal;
        StepIn(ctx, edit->Memory);
        return;
    }
    if (std::holds_alternative<SmsStore>(s.Op)) ClearSmsOp(s.Op);
}

bool SmsDeleted(EngineContext& ctx) {
    auto& s = Sms(ctx);
    if (auto* edit = std::get_if<SmsEdit>(&s.Op);
        edit && edit->Now == SmsEdit::Step::DeleteOriginal) {
        if (!edit->SendAfter) {
            ClearSmsOp(s.Op);
            return false;
        }
        edit->Now = SmsEdit::Step::SendNew;
        StepIn(ctx, edit->NewMemory);
        return false;
    }
    if (std::holds_alternative<SmsDelete>(s.Op)) ClearSmsOp(s.Op);
    return true;
}

void SmsSent(EngineContext& ctx) {
    auto& s = Sms(ctx);
    if (std::holds_alternative<SmsSendStored>(s.Op) || std::holds_alternative<SmsEdit>(s.Op) ||
        std::holds_alternative<SmsSend>(s.Op))
        ClearSmsOp(s.Op);
    ComposedMessageDone(ctx, true);
}

void EndSmsOperation(EngineContext& ctx) {
    auto& s = Sms(ctx);
    ClearSmsOp(s.Op);
    s.StoreRetryCount = 0;
    StopSmsRead(ctx);
    ComposedMessageDone(ctx, false);
}

}  // namespace parlenko

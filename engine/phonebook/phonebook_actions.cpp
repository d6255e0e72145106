#include "engine/phonebook/phonebook_actions.h"

#include "engine/core/strings.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/phonebook/restore_step.h"
#include "engine/conversation/phone_errors.h"
#include "engine/phonebook/phonebook_view.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/phonebook/phonebook_commands.h"

#include <array>
#include <optional>

namespace parlenko {

namespace {

constexpr char kWriteFailed[] =
    "Error occurred while trying to write or\rdelete entry in mobile phonebook!";
constexpr char kReadFailed[] = "Error occurred while trying to read\rentry from mobile phonebook!";
// A refusal without a code: the phone's whole answer.
constexpr char kPlainError[] = "ERROR";

// A write or delete the phone refused: reported, and dropped so that a later
// memory selection does not carry it out again.
void PhonebookOpFailed(EngineContext& ctx, const EchoHit& hit) {
    ClearPhonebookOp(Phonebook(ctx).Op);
    ShowRefusal(ctx, hit, kWriteFailed);
}

// "OK" of a memory selection: a restore step, a pending write or delete, or
// the storage query of a read.
ScanStep SelectionOk(EngineContext& ctx, const EchoHit& hit) {
    auto& state = ctx.state;
    auto& r = PhonebookRead(ctx);
    const auto& op = Phonebook(ctx).Op;
    state.CurrentMemory = SelectedMemoryCode(hit.echo);
    const auto memory = CurrentPhoneMemory(state);
    r.ReadCount = 0;
    r.RestorePosition = 1;

    if (IsRestoring(op)) {
        if (memory && IsWritable(*memory)) {
            const auto& m = r.Of(*memory);
            r.ReadUsed = r.RestoreOverwrite ? m.Capacity : m.RestoreCount;
        }
        RestoreNextEntry(ctx);
        return ScanStep::EndScan;
    }
    if (const auto* del = PendingDelete(op)) {
        SendAtCpbw(ctx, del->PositionText);
        return ScanStep::EndScan;
    }
    if (const auto* write = PendingWrite(op)) {
        SendAtRaw(ctx, write->WriteLine);
        return ScanStep::EndScan;
    }

    if (memory && IsPhonebookMemory(*memory)) {
        r.Of(*memory).Loaded = true;
        ViewOf<IPhonebookView>(ctx).SetPhonebookViewEnabled(*memory, true);
    }
    // A memory the echo does not name is asked the standard way.
    SendAtCpbsQuery(ctx, memory.value_or(PhoneMemory::Sim));
    Lines(ctx).Blank(hit.echoEntry);
    return ScanStep::Continue;
}

// "ERROR" to a memory selection: a pending write or delete failed (and is
// dropped); for a read the memory is absent and the read goes on with the
// next one. After the service numbers, the last memory, the read ends as
// after any other answer of theirs.
ScanStep SelectionError(EngineContext& ctx, const EchoHit& hit) {
    auto& state = ctx.state;
    auto& r = PhonebookRead(ctx);
    Lines(ctx).Blank(hit.echoEntry);
    state.CurrentMemory = SelectedMemoryCode(hit.echo);
    // A restore never goes on as a read: the memory's entries fail, the run
    // goes on with the next memory.
    if (IsRestoring(Phonebook(ctx).Op)) {
        RestoreSelectionFailed(ctx, kPlainError);
        return ScanStep::EndScan;
    }
    if (PendingDelete(Phonebook(ctx).Op) || PendingWrite(Phonebook(ctx).Op)) {
        PhonebookOpFailed(ctx, hit);
        return ScanStep::EndScan;
    }
    const auto memory = CurrentPhoneMemory(state);
    if (!memory) return ScanStep::Continue;
    // A call list the phone does not have is skipped the same way.
    if (!IsPhonebookMemory(*memory)) {
        CallListRefused(ctx, *memory);
        return ScanStep::Continue;
    }
    // A memory the phone does not have holds nothing and is not loaded.
    auto& m = r.Of(*memory);
    m.Capacity = 0;
    if (const auto next = NextInRead(*memory)) RefreshPhonebook(ctx, *next);
    m.Loaded = false;
    ViewOf<IPhonebookView>(ctx).SetPhonebookViewEnabled(*memory, false);
    if (*memory == PhoneMemory::Service) FinishPhonebookRead(ctx);
    return ScanStep::Continue;
}

// The storage answer (echo and answer already blanked).
ScanStep StorageOk(EngineContext& ctx, const EchoHit& hit) {
    const auto memory = CurrentPhoneMemory(ctx.state);
    if (!memory) return ScanStep::Continue;
    if (IsPhonebookMemory(*memory)) HandlePhonebookCpbsAnswer(ctx, hit.answer);
    else HandleCallListCpbsAnswer(ctx, hit.answer);
    return ScanStep::Continue;
}

// A refused storage query or position: the read ends, its lists show what
// they showed before it.
ScanStep ReadError(EngineContext& ctx, const EchoHit& hit) {
    Lines(ctx).Blank(hit.echoEntry);
    CloseReadProgress(ctx);
    StopPhonebookRead(ctx);
    StopCallListRead(ctx);
    ShowRefusal(ctx, hit, kReadFailed);
    return ScanStep::Continue;
}

void PositionAnswer(EngineContext& ctx, const std::string& line, CpbrAnswer kind) {
    const auto memory = CurrentPhoneMemory(ctx.state);
    if (!memory) return;
    if (IsPhonebookMemory(*memory)) HandlePhonebookCpbrAnswer(ctx, line, kind);
    else HandleCallListCpbrAnswer(ctx, line, kind);
}

// "OK" right under the echo: the position is empty.
ScanStep EmptyPositionOk(EngineContext& ctx, const EchoHit& hit) {
    Lines(ctx).Blank(hit.echoEntry);
    PositionAnswer(ctx, {}, CpbrAnswer::Empty);
    return ScanStep::Continue;
}

// The same with one more blank line between the echo and the "OK": only
// when the test two entries up did not match (its echo is blanked then).
ScanStep EmptyPositionLateOk(EngineContext& ctx, const EchoHit& hit) {
    Lines(ctx).Blank(Lines(ctx).Above(hit.result, 2));
    Lines(ctx).Blank(hit.echoEntry);
    PositionAnswer(ctx, {}, CpbrAnswer::Empty);
    return ScanStep::Continue;
}

// One entry line at i - 2 (echo and line already blanked).
ScanStep EntryOk(EngineContext& ctx, const EchoHit& hit) {
    PositionAnswer(ctx, hit.answer, CpbrAnswer::Entry);
    return ScanStep::Continue;
}

ScanStep WriteOk(EngineContext& ctx, const EchoHit& hit) {
    HandlePhonebookWriteAnswer(ctx, hit.echo);
    return ScanStep::Continue;
}

// A refused restore step is counted, without a box; the run goes on.
ScanStep WriteError(EngineContext& ctx, const EchoHit& hit) {
    if (IsRestoring(Phonebook(ctx).Op)) {
        RestoreStepFailed(ctx, kPlainError);
        return ScanStep::Continue;
    }
    PhonebookOpFailed(ctx, hit);
    return ScanStep::Continue;
}

// ---------------------------------------------------------------- phone errors

// A selection refused with a code during a restore: the memory's entries
// fail with the phone's words, the run goes on with the next memory.
std::optional<ScanStep> SelectionPhoneError(EngineContext& ctx, const EchoHit& hit) {
    if (!IsRestoring(Phonebook(ctx).Op)) return std::nullopt;
    ctx.state.CurrentMemory = SelectedMemoryCode(hit.echo);
    RestoreSelectionFailed(ctx, hit.reason);
    return ScanStep::EndScan;
}

// A write refused with a code during a restore: the entry is counted with
// the phone's words and the run goes on, without a box.
std::optional<ScanStep> WritePhoneError(EngineContext& ctx, const EchoHit& hit) {
    if (!IsRestoring(Phonebook(ctx).Op)) return std::nullopt;
    RestoreStepFailed(ctx, hit.reason);
    return ScanStep::Continue;
}

// The selection, storage query, position read and entry write.
const std::array kPhonebookActions = {
    EchoAction{.echo = "AT+CPBS=",
               .compare = kPrefix,
               .onOk = {At(2, SelectionOk, kByAction)},
               .onError = SelectionError,
               .onPhoneError = SelectionPhoneError},
    EchoAction{.echo = "AT^SPBS=",
               .compare = kPrefix,
               .onOk = {At(2, SelectionOk, kByAction)},
               .onError = SelectionError,
               .onPhoneError = SelectionPhoneError},
    EchoAction{.echo = "AT+CPBS?", .onOk = {At(4, StorageOk)}, .onError = ReadError},
    EchoAction{.echo = "AT^SPBS?", .onOk = {At(4, StorageOk)}, .onError = ReadError},
    // An empty position answers "OK" alone (one more blank line on some
    // phones), an entry its line.
    EchoAction{.echo = "AT+CPBR=",
               .compare = kPrefix,
               .onOk = {At(2, EmptyPositionOk, kByAction), At(3, EmptyPositionLateOk, kByAction),
                        At(4, EntryOk)},
               .onError = ReadError},
    EchoAction{.echo = "AT+CPBW=",
               .compare = kPrefix,
               .onOk = {At(2, WriteOk)},
               .onError = WriteError,
               .onPhoneError = WritePhoneError},
};

}  // namespace

std::span<const EchoAction> PhonebookActions() { return kPhonebookActions; }

bool EndUnansweredPhonebookWrite(EngineContext& ctx) {
    const auto& op = Phonebook(ctx).Op;
    // A restore run tells its outcome on the wizard's page when it ends.
    if (IsRestoring(op)) return true;
    if (std::holds_alternative<std::monostate>(op)) return false;
    PhonebookOpFailed(ctx, EchoHit{});
    return true;
}

}  // namespace parlenko

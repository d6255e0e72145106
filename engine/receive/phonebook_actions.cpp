#include "engine/receive/phonebook_actions.h"

#include "engine/at/at_commands.h"
#include "engine/core/strings.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/phonebook/restore_step.h"

#include <array>

namespace parlenko {

namespace {

constexpr char kWriteFailed[] =
    "Error occurred while trying to write or\rdelete entry in mobile phonebook!";
constexpr char kReadFailed[] = "Error occurred while trying to read\rentry from mobile phonebook!";

RxLineList& Lines(EngineContext& ctx) { return ctx.state.Receive.RxLines; }

void ShowError(EngineContext& ctx, const char* text) {
    ctx.host.ShowMessageDialog("Error", text, DialogKind::Error, DialogButtons::Ok);
}

// The memory code between the quotes of "AT+CPBS="SM"".
std::string SelectedMemory(const std::string& echo) { return Copy(echo, 10, 2); }

// "OK" of a memory selection: a restore step, a pending write or delete, or
// the storage query of a read.
ScanStep SelectionOk(EngineContext& ctx, const EchoHit& hit) {
    auto& state = ctx.state;
    auto& r = state.PhonebookRead;
    auto& op = state.Phonebook;
    state.CurrentMemory = SelectedMemory(hit.echo);
    r.ReadCount = 0;
    r.RestorePosition = 1;

    if (op.Restoring) {
        const std::string& m = state.CurrentMemory;
        if (m == "SM") r.ReadUsed = r.RestoreOverwrite ? r.SimCapacity : r.RestoreSimCount;
        if (m == "ME") r.ReadUsed = r.RestoreOverwrite ? r.PhoneCapacity : r.RestorePhoneCount;
        if (m == "ON") r.ReadUsed = r.RestoreOverwrite ? r.OwnCapacity : r.RestoreOwnCount;
        RestoreNextEntry(ctx);
        return ScanStep::EndScan;
    }
    if (op.DeletePending) {
        SendAtCpbw(ctx, op.DeletePositionText);
        return ScanStep::EndScan;
    }
    if (op.WritePending) {
        SendAtRaw(ctx, op.PendingWriteLine);
        return ScanStep::EndScan;
    }

    const int kind = PhonebookMemoryKind(state.CurrentMemory);
    switch (kind) {
        case 1: r.SimLoaded = true; break;
        case 2: r.PhoneLoaded = true; break;
        case 3: r.OwnLoaded = true; break;
        case 4: r.ServiceLoaded = true; break;
        default: break;
    }
    if (kind != 0)
        ctx.views.phonebook->SetPhonebookViewEnabled(static_cast<PhonebookMemory>(kind), true);
    SendAtCpbsQuery(ctx, state.CurrentMemory == "SD" ? 1 : 0);
    Lines(ctx).Blank(hit.echoEntry);
    return ScanStep::Continue;
}

// A memory the phone does not have: it holds nothing, is not loaded, and the
// read goes on with the next memory.
void SkipAbsentMemory(EngineContext& ctx, int& capacity, int& used, bool& loaded, int nextMemory) {
    capacity = 0;
    used = 0;
    RefreshPhonebook(ctx, nextMemory);
    loaded = false;
}

// "ERROR" to a memory selection: a pending write or delete failed; for a
// read the memory is absent and the read goes on with the next one. After
// the service numbers, the last memory, the read ends as after any other
// answer of theirs.
ScanStep SelectionError(EngineContext& ctx, const EchoHit& hit) {
    auto& state = ctx.state;
    auto& r = state.PhonebookRead;
    Lines(ctx).Blank(hit.echoEntry);
    state.CurrentMemory = SelectedMemory(hit.echo);
    if (state.Phonebook.DeletePending || state.Phonebook.WritePending) {
        ShowError(ctx, kWriteFailed);
        return ScanStep::EndScan;
    }
    const int kind = PhonebookMemoryKind(state.CurrentMemory);
    switch (kind) {
        case 1: SkipAbsentMemory(ctx, r.SimCapacity, r.SimUsed, r.SimLoaded, 2); break;
        case 2: SkipAbsentMemory(ctx, r.PhoneCapacity, r.PhoneUsed, r.PhoneLoaded, 3); break;
        case 3: SkipAbsentMemory(ctx, r.OwnCapacity, r.OwnUsed, r.OwnLoaded, 4); break;
        case 4:
            r.ServiceCapacity = 0;
            r.ServiceLoaded = false;
            break;
        default: return ScanStep::Continue;
    }
    ctx.views.phonebook->SetPhonebookViewEnabled(static_cast<PhonebookMemory>(kind), false);
    if (kind == 4) FinishPhonebookRead(ctx);
    return ScanStep::Continue;
}

// The storage answer (echo and answer already blanked).
ScanStep StorageOk(EngineContext& ctx, const EchoHit& hit) {
    const std::string& m = ctx.state.CurrentMemory;
    if (IsPhonebookMemory(m)) HandlePhonebookCpbsAnswer(ctx, hit.answer);
    else if (IsCallList(m)) HandleCallListCpbsAnswer(ctx, hit.answer);
    return ScanStep::Continue;
}

ScanStep ReadError(EngineContext& ctx, const EchoHit& hit) {
    Lines(ctx).Blank(hit.echoEntry);
    CloseReadProgress(ctx);
    ShowError(ctx, kReadFailed);
    return ScanStep::Continue;
}

void PositionAnswer(EngineContext& ctx, const std::string& line, CpbrAnswer kind) {
    const std::string& m = ctx.state.CurrentMemory;
    if (IsPhonebookMemory(m)) HandlePhonebookCpbrAnswer(ctx, line, kind);
    else if (IsCallList(m)) HandleCallListCpbrAnswer(ctx, line, kind);
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
    Lines(ctx).Blank(hit.result - 2);
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

ScanStep WriteError(EngineContext& ctx, const EchoHit&) {
    ShowError(ctx, kWriteFailed);
    return ScanStep::Continue;
}

constexpr auto kByAction = EchoBlanking::ByAction;
constexpr auto kPrefix = EchoCompare::Prefix;
constexpr auto kWhole = EchoCompare::Whole;

const std::array<EchoAction, 8> kPhonebookActions = {{
    {"AT+CPBS=", kPrefix, 2, SelectionOk, SelectionError, kByAction},
    {"AT^SPBS=", kPrefix, 2, SelectionOk, SelectionError, kByAction},
    {"AT+CPBS?", kWhole, 4, StorageOk, ReadError},
    {"AT^SPBS?", kWhole, 4, StorageOk, ReadError},
    {"AT+CPBR=", kPrefix, 2, EmptyPositionOk, ReadError, kByAction},
    {"AT+CPBR=", kPrefix, 3, EmptyPositionLateOk, nullptr, kByAction},
    {"AT+CPBR=", kPrefix, 4, EntryOk, nullptr},
    {"AT+CPBW=", kPrefix, 2, WriteOk, WriteError},
}};

}  // namespace

std::span<const EchoAction> PhonebookActions() { return kPhonebookActions; }

}  // namespace parlenko

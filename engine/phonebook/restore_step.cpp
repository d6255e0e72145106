#include "engine/phonebook/restore_step.h"

#include "engine/core/strings.h"
#include "engine/phonebook/entry_line.h"
#include "engine/phonebook/free_positions.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/conversation/quiet_starts.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/core/busy_state.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/phonebook/backup_view.h"
#include "engine/phonebook/phonebook_commands.h"
#include "engine/text/gsm_alphabet.h"

#include <algorithm>
#include <optional>

namespace parlenko {

namespace {

PhonebookReadState& Read(EngineContext& ctx) { return PhonebookRead(ctx); }
Restoring* Run(EngineContext& ctx) { return std::get_if<Restoring>(&Phonebook(ctx).Op); }

// The name as the phone stores it: a VIP's "!" put back when it fits.
std::string StoredName(const RestoreRow& row) {
    return row.Vip && GsmLength(row.Name) < kMaxNameLength ? row.Name + "!" : row.Name;
}

// Why a chosen entry was not written, when the phone gave no text of its own.
constexpr char kNoFreePosition[] = "Memory full";
constexpr char kNotStorable[] = "Characters the mobile cannot store";
constexpr char kNoAnswer[] = "No answer from mobile";
constexpr char kNotSent[] = "Not sent: the restore stopped";

void NotWritten(Restoring& run, const RestoreRow& row, const std::string& reason) {
    run.Outcome.NotWritten.push_back({row, reason});
}

void ShowProgress(EngineContext& ctx) {
    ViewOf<IBackupView>(ctx).RestoreProgressChanged(Read(ctx).Restore);
}

void SelectMemory(EngineContext& ctx, PhoneMemory memory) {
    static constexpr char kSelect = 0;
    StartWhenQuiet(ctx, &kSelect, [&ctx, memory] {
        EmptyPortBuffers(ctx);
        ctx.state.Mode = ActivityMode::Phonebook;
        SendAtCpbs(ctx, memory);
    });
}

bool HasRows(const Restoring& run, PhoneMemory memory) {
    return std::any_of(run.Rows.begin(), run.Rows.end(),
                       [&](const RestoreRow& row) { return row.Memory == memory; });
}

// The first writable memory after index `after` (0: from the SIM card on)
// that has rows left.
std::optional<PhoneMemory> NextMemoryWithRows(const Restoring& run, int after) {
    for (auto m : kWritableMemories)
        if (MemoryIndex(m) > after && HasRows(run, m)) return m;
    return std::nullopt;
}

// The run is over: the wizard hears how it went. After a stop request (the
// wizard is closed) the phonebook is read again at once; otherwise closing
// the wizard does it.
void EndRun(EngineContext& ctx, bool noAnswer) {
    auto* run = Run(ctx);
    if (!run) return;
    // A run that stops names the entry in flight and every entry not sent.
    if (noAnswer && run->Sent) NotWritten(*run, *run->Sent, kNoAnswer);
    for (const auto& row : run->Rows) NotWritten(*run, row, kNotSent);
    RestoreOutcome outcome = run->Outcome;
    outcome.NoAnswer = noAnswer;
    outcome.Stopped = run->StopRequested;
    Phonebook(ctx).Op = std::monostate{};
    EndBusy(ctx);
    Read(ctx).RestoreRan = !outcome.Stopped;
    ViewOf<IBackupView>(ctx).RestoreFinished(outcome);
    if (outcome.Stopped) RefreshPhonebook(ctx, PhoneMemory::Sim);
}

// The steps of CurrentMemory are over. Rows of it still left (no free
// position was left for them, or the memory could not be selected: reason)
// count as failed; then the next memory with rows, or the end.
void MemoryDone(EngineContext& ctx, const std::string& reason = kNoFreePosition) {
    auto* run = Run(ctx);
    if (!run) return;
    const auto memory = CurrentPhoneMemory(ctx.state);
    if (memory) {
        const auto left = std::erase_if(run->Rows, [&](const RestoreRow& row) {
            if (row.Memory != *memory) return false;
            NotWritten(*run, row, reason);
            return true;
        });
        run->Outcome.Steps += static_cast<int>(left);
        run->Outcome.Failed += static_cast<int>(left);
    }
    EndBusy(ctx);
    if (run->StopRequested) {
        EndRun(ctx, false);
        return;
    }
    const int after = memory && IsWritable(*memory) ? MemoryIndex(*memory) : 0;
    if (const auto next = NextMemoryWithRows(*run, after)) SelectMemory(ctx, *next);
    else EndRun(ctx, false);
}

void SendWrite(EngineContext& ctx, Restoring& run, PhoneMemory memory, const std::string& position,
               std::vector<RestoreRow>::iterator row) {
    auto& v = Read(ctx).Restore;
    const std::string line = MakeCpbwLine(position, *row);
    v.RestoreLokLab = std::string(MemoryCaption(memory));
    v.RestNameLab = row->Name + "   [" + row->Number + "]";
    v.WritingLabVisible = true;
    v.RestorePosLab = "Saving entry on position no. " + position;
    const auto number = ParseInt(position);
    run.Step = WritePending{line, AListIme{StoredName(*row), row->Number, v.RestoreLokLab,
                                           number ? IntToStrPadded(*number, 3) : position}};
    run.Sent = *row;
    run.Rows.erase(row);
    run.Outcome.Steps += 1;
    ShowProgress(ctx);
    SendAtRaw(ctx, line);
}

void SendDelete(EngineContext& ctx, Restoring& run, PhoneMemory memory,
                const std::string& position) {
    auto& v = Read(ctx).Restore;
    v.WritingLabVisible = false;
    v.RestNameLab.clear();
    v.RestorePosLab = "Deleting entry from position no. " + position;
    run.Step = DeletePending{memory, position};
    run.Outcome.Steps += 1;
    ShowProgress(ctx);
    SendAtCpbw(ctx, position);
}

// What one step did: sent a command (or ended the run or the memory), or
// dropped a row that cannot be written without sending anything.
enum class StepDone { Sent, RowRefused };

// A row the entry dialog could not save either (a number or name with
// characters the phone's sets do not hold, a double quote, CR, LF, ...) is
// dropped before anything is sent, and counts as failed. It takes no
// position: in free-positions mode the next row gets the same free position,
// in overwrite mode the same position number.
StepDone RefuseRow(EngineContext& ctx, Restoring& run, std::vector<RestoreRow>::iterator row) {
    auto& r = Read(ctx);
    NotWritten(run, *row, kNotStorable);
    run.Rows.erase(row);
    run.Outcome.Steps += 1;
    run.Outcome.Failed += 1;
    if (!r.RestoreOverwrite) r.ReadCount += 1;  // the memory's rows are counted there
    return StepDone::RowRefused;
}

StepDone RestoreStep(EngineContext& ctx) {
    auto* run = Run(ctx);
    if (!run) return StepDone::Sent;
    if (run->StopRequested) {
        EndRun(ctx, false);
        return StepDone::Sent;
    }
    auto& r = Read(ctx);
    const auto memory = CurrentPhoneMemory(ctx.state);
    if (!memory || !IsWritable(*memory) || r.ReadCount >= r.ReadUsed) {
        MemoryDone(ctx);
        return StepDone::Sent;
    }
    auto& v = r.Restore;
    v.ToWriteLab = IntToStr(r.ReadUsed - r.ReadCount) + " of " + IntToStr(r.ReadUsed);
    const int percent = ProgressPercent(r.ReadCount, r.ReadUsed);
    v.RestoreProgBar = percent;
    v.RestPercLab = IntToStr(percent) + "%";

    // The memory's own next row: a backup is not always in memory order.
    const auto row = std::find_if(run->Rows.begin(), run->Rows.end(),
                                  [&](const RestoreRow& x) { return x.Memory == *memory; });
    const bool haveRow = row != run->Rows.end();
    if (haveRow && !IsWritableEntry(StoredName(*row), row->Number))
        return RefuseRow(ctx, *run, row);
    if (!r.RestoreOverwrite) {
        const auto* free = FreePositionList(r, *memory);
        const std::string position = free ? FirstFreePosition(*free) : std::string();
        if (!haveRow || position.empty()) MemoryDone(ctx);
        else SendWrite(ctx, *run, *memory, position, row);
        return StepDone::Sent;
    }
    const std::string position = IntToStr(r.RestorePosition);
    r.RestorePosition += 1;
    if (haveRow) SendWrite(ctx, *run, *memory, position, row);
    else SendDelete(ctx, *run, *memory, position);
    return StepDone::Sent;
}

}  // namespace

bool StartRestore(EngineContext& ctx, const std::vector<RestoreRow>& rows, RestoreMode mode) {
    if (!ctx.port.Connected()) return false;
    auto& r = Read(ctx);
    Restoring run;
    for (const auto& row : rows)
        if (IsWritable(row.Memory)) run.Rows.push_back(row);
    for (auto m : kWritableMemories)
        r.Of(m).RestoreCount =
            static_cast<int>(std::count_if(run.Rows.begin(), run.Rows.end(),
                                           [&](const RestoreRow& row) { return row.Memory == m; }));
    r.RestoreOverwrite = mode == RestoreMode::Overwrite;
    r.RestorePosition = 1;
    r.RestoreRan = false;
    r.Restore = RestoreProgressView{};
    r.Restore.RestPercLab = "0%";
    // The list no longer shows what the phone holds.
    Phonebook(ctx).PhonebookReadComplete = false;
    const auto first = NextMemoryWithRows(run, 0);
    Phonebook(ctx).Op = std::move(run);
    ShowProgress(ctx);
    if (first) SelectMemory(ctx, *first);
    else EndRun(ctx, false);
    return true;
}

void RestoreNextEntry(EngineContext& ctx) {
    // The write sent last has had its answer.
    if (auto* run = Run(ctx)) run->Sent.reset();
    while (RestoreStep(ctx) == StepDone::RowRefused) {}
}

void RestoreStepFailed(EngineContext& ctx, const std::string& reason) {
    auto* run = Run(ctx);
    if (!run) return;
    if (run->Sent) NotWritten(*run, *run->Sent, reason);
    run->Sent.reset();
    run->Step.reset();
    run->Outcome.Failed += 1;
    Read(ctx).ReadCount += 1;
    RestoreNextEntry(ctx);
}

void RestoreSelectionFailed(EngineContext& ctx, const std::string& reason) {
    if (auto* run = Run(ctx)) run->Step.reset();
    MemoryDone(ctx, reason);
}

void AbortRestore(EngineContext& ctx) { EndRun(ctx, true); }

void RestoreWizardClosed(EngineContext& ctx) {
    if (auto* run = Run(ctx)) {
        run->StopRequested = true;
        return;
    }
    auto& r = Read(ctx);
    if (!r.RestoreRan) return;
    r.RestoreRan = false;
    RefreshPhonebook(ctx, PhoneMemory::Sim);
}

std::string MakeCpbwLine(const std::string& position, const RestoreRow& row) {
    return at::CpbwEntry(position, row.Number, StoredName(row));
}

std::string CheckFreeSpace(const EngineContext& ctx, const std::vector<RestoreRow>& rows,
                           RestoreMode mode) {
    struct Line {
        PhoneMemory memory;
        const char* text;
    };
    static constexpr Line kLines[] = {{PhoneMemory::Sim, "Space missing on SIM card:  "},
                                      {PhoneMemory::Phone, "Space missing in mobile memory:  "},
                                      {PhoneMemory::Own, "Space missing in own numbers:  "}};
    const bool overwrite = mode == RestoreMode::Overwrite;
    std::string missing;
    for (const auto& line : kLines) {
        const auto chosen = std::count_if(rows.begin(), rows.end(), [&](const RestoreRow& row) {
            return row.Memory == line.memory;
        });
        long long space = PhonebookRead(ctx).Of(line.memory).Capacity;
        if (!overwrite) {
            const std::string caption(MemoryCaption(line.memory));
            const auto& list = Phonebook(ctx).PhonebookList;
            space -= std::count_if(list.begin(), list.end(),
                                   [&](const AListIme& e) { return e.Location == caption; });
        }
        if (chosen > space) missing += line.text + IntToStr(chosen - std::max(space, 0LL)) + "\r";
    }
    if (missing.empty()) return {};
    if (overwrite)
        return "It's not possible to restore entries to mobile, because\rthere's no enough "
               "space.\r\r" +
               missing + "\rSelect less entries for restore.";
    return "It's not possible to restore entries to mobile, because\rthere's no enough free "
           "space.\r\r" +
           missing +
           "\rIf you want to restore entries on free memories in mobile, delete\rfew entries "
           "from mobile or select less entries for restore.";
}

}  // namespace parlenko

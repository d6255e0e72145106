#include "engine/phonebook/phonebook_read.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/phonebook/free_positions.h"
#include "engine/phonebook/phonebook_cache.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/phonebook/restore_step.h"
#include "engine/conversation/topic_registry.h"
#include "engine/core/busy_state.h"
#include "engine/phonebook/cpbr_answer.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/text/phonebook_lookup.h"
#include "engine/phonebook/phonebook_view.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/phonebook/call_lists_view.h"
#include "engine/phonebook/backup_view.h"
#include "engine/phonebook/phonebook_commands.h"

#include <algorithm>
#include <array>
#include <optional>

namespace parlenko {

namespace {

PhonebookReadState& Read(EngineContext& ctx) { return PhonebookRead(ctx); }

// "+CPBS: "SM",3,250": the used count after the first comma, the capacity
// after the second. nullopt when either is not a number.
struct StorageCounts {
    int used = 0;
    int capacity = 0;
};
std::optional<StorageCounts> ParseStorageAnswer(std::string_view line) {
    AnswerReader r(line);
    r.NextField();  // the prefix and the memory
    const auto used = r.NextNumber();
    if (!r.HasField()) return std::nullopt;
    const auto capacity = ParseInt(r.Rest());
    // Positions are 16-bit numbers on these phones; anything larger is not a count.
    if (!used || !capacity || *used < 0 || *capacity < 0 || *used > 65535 || *capacity > 65535)
        return std::nullopt;
    return StorageCounts{static_cast<int>(*used), static_cast<int>(*capacity)};
}

std::optional<CallListView> CallListOf(PhoneMemory memory) {
    switch (memory) {
        case PhoneMemory::Dialled: return CallListView::Dialled;
        case PhoneMemory::Received: return CallListView::Received;
        case PhoneMemory::Missed: return CallListView::Missed;
        default: return std::nullopt;
    }
}

std::size_t CallListIndex(CallListView list) { return static_cast<std::size_t>(list); }

std::string Caption(std::optional<PhoneMemory> memory) {
    return memory ? std::string(MemoryCaption(*memory)) : std::string();
}

void ProgressChanged(EngineContext& ctx) { ctx.host.ProgressWindowChanged(Read(ctx).Progress); }

void BackupChanged(EngineContext& ctx) {
    ViewOf<IBackupView>(ctx).BackupReadProgressChanged(Read(ctx).Backup);
}

// The storage answer's first texts of the progress window and of the wizard.
void StartProgress(EngineContext& ctx, std::string_view caption, std::string_view positionText,
                   const StorageCounts& counts, std::string_view memoryText) {
    auto& p = Read(ctx).Progress;
    p.Caption = std::string(caption);
    p.LokacijaLab = std::string(memoryText);
    p.Label1Visible = true;
    p.UpisanoLab = IntToStr(counts.used) + " of " + IntToStr(counts.capacity);
    p.PozicijaLab = std::string(positionText) + "1";
    p.ProgressBar1 = 0;
    p.ProgresLab = "0%";
}

// After a position that did not finish the memory: the percentage of the
// entries found so far.
void StepProgress(EngineContext& ctx, bool mirrorInWizard) {
    auto& r = Read(ctx);
    const int percent = ProgressPercent(r.ReadCount, r.ReadUsed);
    r.Progress.ProgressBar1 = percent;
    r.Progress.ProgresLab = IntToStr(percent) + "%";
    if (mirrorInWizard) {
        r.Backup.BackupProBar = percent;
        r.Backup.PercLab = r.Progress.ProgresLab;
    }
}

// The loop never asks past max(capacity, used) positions: a phone that
// answers "OK" to positions beyond its capacity (or counts more entries
// than it holds) cannot keep it going for ever.
bool PastLastPosition(const PhonebookReadState& r) {
    return r.ReadPosition > std::max(r.ReadCapacity, r.ReadUsed);
}

// The memory's capacity and free-position list from its storage answer (the
// service numbers keep no free positions).
void StoreCounters(PhonebookReadState& r, PhoneMemory memory, const StorageCounts& counts) {
    RefillFreePositionList(r, memory, counts.capacity);
    r.Of(memory).Capacity = counts.capacity;
}

// A phonebook memory has been read to its end: the next memory, or the end
// of the read after the service numbers.
void EndOfPhonebookMemory(EngineContext& ctx, PhoneMemory memory, bool afterEntry) {
    if (const auto next = NextInRead(memory)) RefreshPhonebook(ctx, *next);
    else FinishPhonebookRead(ctx);
    ViewOf<IPhonebookView>(ctx).FocusFirstPhonebookRow(afterEntry);
}

// The last call list has been read (or refused): the read is over.
void CallListsReadDone(EngineContext& ctx, bool afterEntry) {
    PhonebookRead(ctx).CallListsReadRunning = false;
    if (!afterEntry || ctx.host.IsProgressWindowVisible()) CloseReadProgress(ctx);
}

// A call list has been read to its end.
void EndOfCallList(EngineContext& ctx, std::optional<PhoneMemory> list, bool afterEntry) {
    if (list) {
        if (const auto next = NextInRead(*list)) RefreshCalls(ctx, *next);
        else CallListsReadDone(ctx, afterEntry);
    }
    ViewOf<ICallListsView>(ctx).FocusFirstCallRows();
}

// A phonebook name known for a number: into the SMS lists and the three
// call lists. An empty name changes nothing.
void PushNameToLists(EngineContext& ctx, const std::string& name, const std::string& number) {
    if (name.empty()) return;
    for (auto tell : Registry(ctx).namesKnown) tell(ctx, name, number);
    for (auto list : {CallListView::Dialled, CallListView::Received, CallListView::Missed}) {
        ViewOf<ICallListsView>(ctx).SetNameInListView(list, name, number);
        for (auto& row : Read(ctx).Calls.Rows[CallListIndex(list)])
            if (row.Number == number) row.Caption = name;
    }
}

// The phonebook view shows the list again as it stands, with the memories'
// buttons and the summary.
void ShowPhonebookListAgain(EngineContext& ctx) {
    const auto& list = Phonebook(ctx).PhonebookList;
    ViewOf<IPhonebookView>(ctx).ClearPhonebookRows();
    for (const auto& e : list) ViewOf<IPhonebookView>(ctx).AddPhonebookRow(PhonebookRowOf(e));
    ViewOf<IPhonebookView>(ctx).SortPhonebookRows();
    for (auto memory : kPhonebookMemories) {
        const std::string_view caption = MemoryCaption(memory);
        const bool listed = std::any_of(list.begin(), list.end(),
                                        [&](const AListIme& e) { return e.Location == caption; });
        ViewOf<IPhonebookView>(ctx).SetPhonebookViewEnabled(memory,
                                                            Read(ctx).Of(memory).Loaded || listed);
    }
    ShowPhonebookSummary(ctx);
}

// The call-list views show the lists again as the engine keeps them.
void ShowCallListsAgain(EngineContext& ctx) {
    const auto& calls = Read(ctx).Calls;
    ViewOf<ICallListsView>(ctx).ClearCallLists();
    for (auto list : {CallListView::Dialled, CallListView::Received, CallListView::Missed}) {
        const std::size_t k = CallListIndex(list);
        ViewOf<ICallListsView>(ctx).SetCallListCapacity(list, calls.Capacities[k]);
        for (const auto& row : calls.Rows[k]) ViewOf<ICallListsView>(ctx).AddCallListRow(list, row);
    }
}

// After one position (an entry or an empty one): the next position, or the
// end of the memory. Returns true when the memory is finished.
bool AdvanceOrFinish(EngineContext& ctx, std::string_view positionText, bool mirrorInWizard) {
    auto& r = Read(ctx);
    // A count that has passed the used count ends the memory as well; no
    // state of the counters leaves the read waiting for the time-out.
    if (r.ReadCount >= r.ReadUsed) return true;
    StepProgress(ctx, mirrorInWizard);
    r.ReadPosition += 1;
    if (PastLastPosition(r)) return true;
    const std::string text = std::string(positionText) + IntToStr(r.ReadPosition);
    r.Progress.PozicijaLab = text;
    if (mirrorInWizard) r.Backup.PosLab = text;
    ProgressChanged(ctx);
    if (mirrorInWizard) BackupChanged(ctx);
    SendAtCpbr(ctx, IntToStr(r.ReadPosition));
    return false;
}

constexpr std::string_view kEntryPositionText = "Reading entry from position no. ";
constexpr std::string_view kCallPositionText = "Reading call from position no. ";

}  // namespace

std::optional<PhoneMemory> CurrentPhoneMemory(const CoreState& state) {
    return MemoryFromCode(state.CurrentMemory);
}

void FinishPhonebookRead(EngineContext& ctx) {
    auto& r = Read(ctx);
    // Every memory has been read: its free positions are known.
    Phonebook(ctx).PhonebookLoaded = true;
    Phonebook(ctx).PhonebookListPartial = false;
    Phonebook(ctx).PhonebookReadRunning = false;
    // Closed whether shown or not: the read is over, so is the busy state.
    CloseReadProgress(ctx);
    // The list read replaces the cache whole.
    SavePhonebookCache(ctx);
    Phonebook(ctx).PhonebookReadComplete = true;
    ViewOf<IBackupView>(ctx).PhonebookReadFinished();
    if (r.BackupRefreshing) {
        r.BackupRefreshing = false;
        ViewOf<IBackupView>(ctx).BackupRefreshFinished();
    }
    ViewOf<IPhonebookView>(ctx).SortPhonebookRows();
    for (auto done : Registry(ctx).phonebookRead) done(ctx);
}

PhonebookRow PhonebookRowOf(const AListIme& entry) {
    PhonebookRow row{DisplayName(entry.Name), entry.Phone, entry.Location, entry.Position,
                     kImageEntry};
    if (!entry.Name.empty() && entry.Name.back() == '!') row.Image = kImageVip;
    if (PhonebookMemoryFromCaption(entry.Location) == PhoneMemory::Service)
        row.Image = kImageService;
    return row;
}

bool StopPhonebookRead(EngineContext& ctx) {
    auto& op = Phonebook(ctx);
    const bool running = op.PhonebookReadRunning;
    if (running) {
        // The list of the read cut short goes: what was there before is the
        // cache's, and comes back.
        op.PhonebookReadRunning = false;
        auto& before = op.BeforeRead;
        op.PhonebookList = std::move(before.List);
        op.PhonebookLoaded = before.Loaded;
        op.PhonebookReadComplete = before.ReadComplete;
        op.PhonebookListPartial = before.ListPartial;
        Read(ctx).Memories = before.Memories;
        before = {};
        ShowPhonebookListAgain(ctx);
    }
    auto& r = Read(ctx);
    if (r.BackupRefreshing) {
        r.BackupRefreshing = false;
        ViewOf<IBackupView>(ctx).BackupRefreshFailed();
    }
    return running;
}

bool StopCallListRead(EngineContext& ctx) {
    auto& r = Read(ctx);
    if (!r.CallListsReadRunning) return false;
    r.CallListsReadRunning = false;
    r.Calls = std::move(r.CallsBeforeRead);
    r.CallsBeforeRead = {};
    ShowCallListsAgain(ctx);
    return true;
}

void CallListRefused(EngineContext& ctx, PhoneMemory list) {
    if (const auto next = NextInRead(list)) RefreshCalls(ctx, *next);
    else CallListsReadDone(ctx, false);
}

// ---------------------------------------------------------------- phonebook

void HandlePhonebookCpbsAnswer(EngineContext& ctx, std::string_view line) {
    const auto counts = ParseStorageAnswer(line);
    const auto memory = CurrentPhoneMemory(ctx.state);
    // Unreadable numbers: nothing changes, no message.
    if (!counts || !memory || !IsPhonebookMemory(*memory)) return;
    auto& r = Read(ctx);
    const std::string memoryText(MemoryCaption(*memory));
    r.ReadUsed = counts->used;
    r.ReadCapacity = counts->capacity;
    r.ReadPosition = 1;
    r.ReadCount = 0;

    StartProgress(ctx, "Reading entries from phonebook . . .", kEntryPositionText, *counts,
                  memoryText);
    r.Backup.MemLab = memoryText;
    r.Backup.CapLab = IntToStr(counts->capacity);
    r.Backup.WritenLab = IntToStr(counts->used);
    r.Backup.PosLab = std::string(kEntryPositionText) + "1";
    r.Backup.BackupProBar = 0;
    r.Backup.PercLab = "0%";
    StoreCounters(r, *memory, *counts);
    ProgressChanged(ctx);
    BackupChanged(ctx);

    const bool nothingToRead = counts->capacity == 0 || counts->used == 0;
    if (nothingToRead) {
        const auto next = NextInRead(*memory);
        if (!next) {
            // The service numbers are the last memory: the read ends here.
            FinishPhonebookRead(ctx);
            return;
        }
        SendAtCpbs(ctx, *next);
        CloseReadProgress(ctx);
        return;
    }
    SendAtCpbr(ctx, "1");
    if (!ctx.host.IsProgressWindowVisible() && !r.BackupRefreshing) ctx.host.ShowProgressWindow();
}

void HandlePhonebookCpbrAnswer(EngineContext& ctx, std::string_view line, CpbrAnswer kind) {
    const auto memory = CurrentPhoneMemory(ctx.state);
    if (!memory || !IsPhonebookMemory(*memory)) return;
    auto& r = Read(ctx);
    if (kind == CpbrAnswer::Entry) {
        r.ReadCount += 1;
        CpbrEntry read = ReadCpbrEntry(line);
        const std::string storedName = read.name;
        const std::string number = read.number;
        const std::string position = read.position;
        const std::string location(MemoryCaption(*memory));

        const AListIme entry{storedName, number, location, position};

        const std::string shownName = DisplayName(storedName);
        ViewOf<IPhonebookView>(ctx).AddPhonebookRow(PhonebookRowOf(entry));
        Phonebook(ctx).PhonebookList.push_back(entry);

        PushNameToLists(ctx, shownName, number);
        if (auto* list = FreePositionList(r, *memory)) BlankFreePosition(*list, position);
    }
    if (AdvanceOrFinish(ctx, kEntryPositionText, true))
        EndOfPhonebookMemory(ctx, *memory, kind == CpbrAnswer::Entry);
}

// --------------------------------------------------------------- call lists

void HandleCallListCpbsAnswer(EngineContext& ctx, std::string_view line) {
    const auto counts = ParseStorageAnswer(line);
    if (!counts) return;
    auto& r = Read(ctx);
    const auto memory = CurrentPhoneMemory(ctx.state);
    r.ReadUsed = counts->used;
    r.ReadCapacity = counts->capacity;
    r.ReadPosition = 1;
    r.ReadCount = 0;

    StartProgress(ctx, "Reading phone calls . . .", kCallPositionText, *counts, Caption(memory));
    ProgressChanged(ctx);
    const auto list = memory ? CallListOf(*memory) : std::nullopt;
    if (list) {
        r.Calls.Capacities[CallListIndex(*list)] = counts->capacity;
        ViewOf<ICallListsView>(ctx).SetCallListCapacity(*list, counts->capacity);
    }

    if (counts->capacity == 0 || counts->used == 0) {
        if (const auto next = list ? NextInRead(*memory) : std::nullopt) SendAtCpbs(ctx, *next);
        else r.CallListsReadRunning = false;
        CloseReadProgress(ctx);
        return;
    }
    SendAtCpbr(ctx, "1");
    if (!ctx.host.IsProgressWindowVisible()) ctx.host.ShowProgressWindow();
}

void HandleCallListCpbrAnswer(EngineContext& ctx, std::string_view line, CpbrAnswer kind) {
    auto& r = Read(ctx);
    const auto memory = CurrentPhoneMemory(ctx.state);
    if (kind == CpbrAnswer::Entry) {
        r.ReadCount += 1;
        CpbrEntry read = ReadCpbrEntry(line);
        std::string name = std::move(read.name);
        const std::string number = read.number;
        // A call without a name takes the stored name of the first phonebook
        // record with exactly that number; its VIP "!" goes below, once.
        if (name.empty()) {
            for (const auto& e : Phonebook(ctx).PhonebookList)
                if (e.Phone == number) {
                    name = e.Name;
                    break;
                }
        }
        if (const auto list = memory ? CallListOf(*memory) : std::nullopt) {
            auto& rows = r.Calls.Rows[CallListIndex(*list)];
            rows.push_back({DisplayName(name), number, kImageCall});
            ViewOf<ICallListsView>(ctx).AddCallListRow(*list, rows.back());
        }
    }
    if (AdvanceOrFinish(ctx, kCallPositionText, false))
        EndOfCallList(ctx, memory, kind == CpbrAnswer::Entry);
}

// ------------------------------------------------------------- entry writes

namespace {

// The position of an echoed "AT+CPBW=7,..." as three digits; a delete's
// echo ("AT+CPBW=7") gives the text as it stands.
std::string WrittenPosition(std::string_view echo) {
    AnswerReader r(echo);
    if (!r.SkipCommand()) return {};
    const std::string position(r.NextField());
    if (!r.HasField()) return position;  // a delete: no fields follow
    const auto value = ParseInt(position);
    if (value && *value >= 0 && *value < 100) return IntToStrPadded(*value, 3);
    return position;
}

// The written line with the escapes of its name (a backslash and the two hex
// digits of a GSM code: "\7E" for u diaeresis, "\22" for a double quote)
// turned back into the codes, so that the name reads as the phone stores it.
// A backslash is never a character of a name, so each one starts an escape.
std::string WithNameEscapesDecoded(std::string_view line) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 2 < line.size() && hex(line[i + 1]) >= 0 &&
            hex(line[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hex(line[i + 1]) * 16 + hex(line[i + 2])));
            i += 2;
        } else {
            out.push_back(line[i]);
        }
    }
    return out;
}

// Every free-position list rebuilt from the capacities, less the positions
// of the records in the list.
void RebuildFreePositions(PhonebookReadState& r, const std::vector<AListIme>& list) {
    for (auto memory : kWritableMemories) RefillFreePositionList(r, memory, r.Of(memory).Capacity);
    for (const auto& e : list) {
        const auto memory = PhonebookMemoryFromCaption(e.Location);
        if (auto* free = memory ? FreePositionList(r, *memory) : nullptr)
            BlankFreePosition(*free, e.Position);
    }
}

// The "OK" of a delete: the record leaves the list and the cache, its
// position is free again. The delete that ends a move reports the move.
void DeleteDone(EngineContext& ctx, const DeletePending& done) {
    auto& r = Read(ctx);
    auto& pb = Phonebook(ctx);
    const bool restoring = IsRestoring(pb.Op);
    if (!restoring) {
        const std::string memoryText(MemoryCaption(done.Memory));
        const auto target = ParseInt(done.PositionText);
        auto& list = pb.PhonebookList;
        auto it = std::find_if(list.begin(), list.end(), [&](const AListIme& e) {
            return e.Location == memoryText && target && ParseInt(e.Position) == target;
        });
        if (it != list.end()) list.erase(it);
        SavePhonebookCache(ctx);
    }
    RebuildFreePositions(r, pb.PhonebookList);
    const bool moved = std::holds_alternative<MoveEntry>(pb.Op);
    ClearPhonebookOp(pb.Op);
    if (!restoring)
        ctx.host.ShowStatusMessage(moved ? "Entry succesfully moved to another location in mobile!"
                                         : "Entry succesfully deleted from mobile phonebook!");
    ViewOf<IPhonebookView>(ctx).ReapplyPhonebookFilter();
}

// The "OK" of a write (a save, the first half of a move, a restore step). A
// move goes on with the delete of the old position: the memory is selected,
// and its "OK" sends the delete.
void WriteDone(EngineContext& ctx, const WritePending& done, std::string_view echo,
               const std::string& position) {
    auto& r = Read(ctx);
    auto& op = Phonebook(ctx).Op;
    const bool restoring = IsRestoring(op);
    std::optional<PhoneMemory> deleteFrom;
    if (auto* move = std::get_if<MoveEntry>(&op)) {
        move->Written = true;
        deleteFrom = move->From.Memory;
    } else {
        if (!restoring) ctx.host.ShowStatusMessage("Entry succesfully saved in mobile phonebook!");
        ClearPhonebookOp(op);
    }
    if (const auto memory = CurrentPhoneMemory(ctx.state); memory && IsWritable(*memory))
        BlankFreePosition(*FreePositionList(r, *memory), position);
    if (restoring) return;
    // The saved entry replaces the record of its memory and position, or is
    // added to the list; the cache follows the list whole.
    const AListIme& saved = done.Entry;
    auto& list = Phonebook(ctx).PhonebookList;
    auto it = std::find_if(list.begin(), list.end(), [&](const AListIme& e) {
        return e.Position == saved.Position && e.Location == saved.Location;
    });
    if (it != list.end()) *it = saved;
    else list.push_back(saved);
    SavePhonebookCache(ctx);
    const CpbrEntry written = ReadCpbrEntry(WithNameEscapesDecoded(echo));
    const std::string name = DisplayName(written.name);
    const std::string& number = written.number;
    PushNameToLists(ctx, name, number);
    ViewOf<IPhonebookView>(ctx).PhonebookEntrySaved(name, number, position);
    ViewOf<IPhonebookView>(ctx).ReapplyPhonebookFilter();
    if (deleteFrom) SendAtCpbs(ctx, *deleteFrom);
}

}  // namespace

void HandlePhonebookWriteAnswer(EngineContext& ctx, std::string_view echo) {
    auto& r = Read(ctx);
    const auto& op = Phonebook(ctx).Op;
    r.CacheErrorReported = false;  // each entry change reports its own failure
    r.ReadCount += 1;
    const std::string position = WrittenPosition(echo);
    const bool restoring = IsRestoring(op);
    if (!restoring) EndBusy(ctx);

    // Copies: completing the step clears the operation.
    if (const auto* del = PendingDelete(op)) DeleteDone(ctx, DeletePending(*del));
    else if (const auto* write = PendingWrite(op))
        WriteDone(ctx, WritePending(*write), echo, position);

    if (restoring) RestoreNextEntry(ctx);
}

}  // namespace parlenko

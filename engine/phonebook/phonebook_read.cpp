#include "engine/phonebook/phonebook_read.h"

#include "engine/at/at_commands.h"
#include "engine/core/strings.h"
#include "engine/phonebook/free_positions.h"
#include "engine/phonebook/phonebook_cache.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/phonebook/restore_step.h"
#include "engine/session/busy_state.h"
#include "engine/session/filling_list.h"
#include "engine/sms/refresh_sms.h"
#include "engine/text/cpbr_fields.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/text/phonebook_lookup.h"
#include "exchange/formats/phonebook_file.h"

#include <algorithm>
#include <array>
#include <optional>

namespace parlenko {

namespace {

struct MemoryRow {
    std::string_view code;
    std::string_view text;
};

constexpr std::array<MemoryRow, 7> kMemories = {{
    {"SM", exchange::kSimCardLocation},
    {"ME", exchange::kMobileMemoryLocation},
    {"ON", exchange::kOwnNumbersLocation},
    {"SD", exchange::kServiceNumbersLocation},
    {"LD", "Dialled calls"},
    {"RC", "Received calls"},
    {"MC", "Missed calls"},
}};

PhonebookReadState& Read(EngineContext& ctx) { return ctx.state.PhonebookRead; }

// "+CPBS: "SM",3,250": the used count after the first comma, the capacity
// after the second. nullopt when either is not a number.
struct StorageCounts {
    int used = 0;
    int capacity = 0;
};
std::optional<StorageCounts> ParseStorageAnswer(std::string_view line) {
    auto first = line.find(',');
    if (first == std::string_view::npos) return std::nullopt;
    std::string_view rest = line.substr(first + 1);
    auto second = rest.find(',');
    if (second == std::string_view::npos) return std::nullopt;
    auto used = ParseInt(rest.substr(0, second));
    auto capacity = ParseInt(rest.substr(second + 1));
    // Positions are 16-bit numbers on these phones; anything larger is not a count.
    if (!used || !capacity || *used < 0 || *capacity < 0 || *used > 65535 || *capacity > 65535)
        return std::nullopt;
    return StorageCounts{static_cast<int>(*used), static_cast<int>(*capacity)};
}

std::optional<CallListView> CallListOf(std::string_view code) {
    if (code == "LD") return CallListView::Dialled;
    if (code == "RC") return CallListView::Received;
    if (code == "MC") return CallListView::Missed;
    return std::nullopt;
}

void ProgressChanged(EngineContext& ctx) { ctx.host.ProgressWindowChanged(Read(ctx).Progress); }

void BackupChanged(EngineContext& ctx) {
    ctx.views.backup->BackupReadProgressChanged(Read(ctx).Backup);
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

// The memory's own counters and free-position list from its storage answer.
void StoreCounters(PhonebookReadState& r, std::string_view code, const StorageCounts& counts) {
    const int kind = PhonebookMemoryKind(code);
    if (auto* list = FreePositionList(r, kind)) {
        list->clear();
        FillFreePositionList(*list, counts.capacity);
    }
    switch (kind) {
        case 1:
            r.SimCapacity = counts.capacity;
            r.SimUsed = counts.used;
            break;
        case 2:
            r.PhoneCapacity = counts.capacity;
            r.PhoneUsed = counts.used;
            break;
        case 3:
            r.OwnCapacity = counts.capacity;
            r.OwnUsed = counts.used;
            break;
        case 4: r.ServiceCapacity = counts.capacity; break;
        default: break;
    }
}

// The next memory of a full read after kind (SIM -> mobile -> own -> service).
void SelectNextPhonebookMemory(EngineContext& ctx, int kind) {
    if (kind >= 1 && kind <= 3) SendAtCpbs(ctx, kind + 1);
}

// A phonebook memory has been read to its end.
void EndOfPhonebookMemory(EngineContext& ctx, bool afterEntry) {
    const int kind = PhonebookMemoryKind(ctx.state.CurrentMemory);
    if (kind >= 1 && kind <= 3) RefreshPhonebook(ctx, kind + 1);
    if (kind == 4) FinishPhonebookRead(ctx);
    ctx.views.phonebook->FocusFirstPhonebookRow(afterEntry);
}

// A call list has been read to its end.
void EndOfCallList(EngineContext& ctx, bool afterEntry) {
    const std::string code = ctx.state.CurrentMemory;
    if (code == "LD") RefreshCalls(ctx, 6);
    if (code == "RC") RefreshCalls(ctx, 7);
    if (code == "MC" && (!afterEntry || ctx.host.IsProgressWindowVisible())) CloseReadProgress(ctx);
    ctx.views.callLists->FocusFirstCallRows();
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

std::string MemoryText(std::string_view code) {
    for (const auto& m : kMemories)
        if (m.code == code) return std::string(m.text);
    return {};
}

int PhonebookMemoryKind(std::string_view code) {
    for (int k = 0; k < 4; ++k)
        if (kMemories[static_cast<std::size_t>(k)].code == code) return k + 1;
    return 0;
}

std::string PhonebookMemoryText(int kind) {
    if (kind < 1 || kind > 4) return {};
    return std::string(kMemories[static_cast<std::size_t>(kind - 1)].text);
}

bool IsPhonebookMemory(std::string_view code) { return PhonebookMemoryKind(code) != 0; }
bool IsCallList(std::string_view code) { return CallListOf(code).has_value(); }

int ProgressPercent(int done, int total) {
    if (total <= 0) return 0;
    return static_cast<int>(RoundHalfEven(static_cast<double>(done) / total * 100.0));
}

void CloseReadProgress(EngineContext& ctx) {
    ctx.host.CloseProgressWindow();
    EndBusy(ctx);
}

void FinishPhonebookRead(EngineContext& ctx) {
    auto& r = Read(ctx);
    // Closed whether shown or not: the read is over, so is the busy state.
    CloseReadProgress(ctx);
    if (r.BackupRefreshing) ctx.views.backup->BackupRefreshFinished();
    ctx.views.phonebook->SortPhonebookRows();
    const bool readSms = r.ReadSmsAfterPhonebook;
    r.ReadSmsAfterPhonebook = false;
    if (readSms) RefreshSms(ctx);
}

// ---------------------------------------------------------------- phonebook

void HandlePhonebookCpbsAnswer(EngineContext& ctx, std::string_view line) {
    const auto counts = ParseStorageAnswer(line);
    if (!counts) return;  // unreadable numbers: nothing changes, no message
    auto& r = Read(ctx);
    const std::string code = ctx.state.CurrentMemory;
    const std::string memoryText = MemoryText(code);
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
    StoreCounters(r, code, *counts);
    ProgressChanged(ctx);
    BackupChanged(ctx);

    const bool nothingToRead = counts->capacity == 0 || counts->used == 0;
    const int kind = PhonebookMemoryKind(code);
    if (nothingToRead) {
        if (kind == 4) {
            // The service numbers are the last memory: the read ends here.
            FinishPhonebookRead(ctx);
            return;
        }
        SelectNextPhonebookMemory(ctx, kind);
        CloseReadProgress(ctx);
        return;
    }
    SendAtCpbr(ctx, "1");
    if (!ctx.host.IsProgressWindowVisible() && !r.BackupRefreshing) ctx.host.ShowProgressWindow();
}

void HandlePhonebookCpbrAnswer(EngineContext& ctx, std::string_view line, CpbrAnswer kind) {
    auto& r = Read(ctx);
    const std::string code = ctx.state.CurrentMemory;
    if (kind == CpbrAnswer::Entry) {
        r.ReadCount += 1;
        const std::string storedName = PhonebookTextFromGsm(line);
        const std::string number = ExtractQuoted(line);
        const std::string position = FirstFieldPadded(line);
        const std::string location = MemoryText(code);

        const AListIme entry{storedName, number, location, position};
        AppendToPhonebookCache(ctx, entry);

        const std::string shownName = DisplayName(storedName);
        PhonebookRow row{shownName, number, location, position, kImageEntry};
        if (!storedName.empty() && storedName.back() == '!') row.Image = kImageVip;
        if (code == "SD") row.Image = kImageService;
        {
            FillingListGuard filling(ctx.state);
            ctx.views.phonebook->AddPhonebookRow(row);
        }
        ctx.state.Phonebook.PhonebookList.push_back(entry);

        if (!shownName.empty()) {
            ctx.views.sms->SetNameInSmsLists(shownName, number);
            for (auto list : {CallListView::Dialled, CallListView::Received, CallListView::Missed})
                ctx.views.callLists->SetNameInListView(list, shownName, number);
        }
        if (auto* list = FreePositionList(r, PhonebookMemoryKind(code)))
            BlankFreePosition(*list, position);
    }
    if (AdvanceOrFinish(ctx, kEntryPositionText, true))
        EndOfPhonebookMemory(ctx, kind == CpbrAnswer::Entry);
}

// --------------------------------------------------------------- call lists

void HandleCallListCpbsAnswer(EngineContext& ctx, std::string_view line) {
    const auto counts = ParseStorageAnswer(line);
    if (!counts) return;
    auto& r = Read(ctx);
    const std::string code = ctx.state.CurrentMemory;
    r.ReadUsed = counts->used;
    r.ReadCapacity = counts->capacity;
    r.ReadPosition = 1;
    r.ReadCount = 0;

    StartProgress(ctx, "Reading phone calls . . .", kCallPositionText, *counts, MemoryText(code));
    ProgressChanged(ctx);
    const auto list = CallListOf(code);
    if (list) ctx.views.callLists->SetCallListCapacity(*list, counts->capacity);

    if (counts->capacity == 0 || counts->used == 0) {
        if (code == "LD") SendAtCpbs(ctx, 6);
        if (code == "RC") SendAtCpbs(ctx, 7);
        CloseReadProgress(ctx);
        return;
    }
    SendAtCpbr(ctx, "1");
    if (!ctx.host.IsProgressWindowVisible()) ctx.host.ShowProgressWindow();
}

void HandleCallListCpbrAnswer(EngineContext& ctx, std::string_view line, CpbrAnswer kind) {
    auto& r = Read(ctx);
    if (kind == CpbrAnswer::Entry) {
        r.ReadCount += 1;
        std::string name = PhonebookTextFromGsm(line);
        const std::string number = ExtractQuoted(line);
        // A call without a name takes the stored name of the first phonebook
        // record with exactly that number; its VIP "!" goes below, once.
        if (name.empty()) {
            for (const auto& e : ctx.state.Phonebook.PhonebookList)
                if (e.Phone == number) {
                    name = e.Name;
                    break;
                }
        }
        if (const auto list = CallListOf(ctx.state.CurrentMemory)) {
            FillingListGuard filling(ctx.state);
            ctx.views.callLists->AddCallListRow(*list, DisplayName(name), number, kImageCall);
        }
    }
    if (AdvanceOrFinish(ctx, kCallPositionText, false))
        EndOfCallList(ctx, kind == CpbrAnswer::Entry);
}

// ------------------------------------------------------------- entry writes

namespace {

// The position of an echoed "AT+CPBW=7,..." as three digits; a delete's
// echo ("AT+CPBW=7") gives the text as it stands.
std::string WrittenPosition(std::string_view echo) {
    const long eq = Pos("=", echo);
    std::string text = eq > 0 ? CopyFrom(echo, eq + 1) : std::string();
    const long comma = Pos(",", text);
    if (comma == 0) return text;
    text = Copy(text, 1, comma - 1);
    const auto value = ParseInt(text);
    if (value && *value >= 0 && *value < 100) return IntToStrPadded(*value, 3);
    return text;
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
    const int capacities[] = {r.SimCapacity, r.PhoneCapacity, r.OwnCapacity};
    for (int kind = 1; kind <= 3; ++kind) {
        auto* free = FreePositionList(r, kind);
        free->clear();
        FillFreePositionList(*free, capacities[kind - 1]);
    }
    for (const auto& e : list) {
        for (int kind = 1; kind <= 3; ++kind)
            if (e.Location == PhonebookMemoryText(kind))
                BlankFreePosition(*FreePositionList(r, kind), e.Position);
    }
}

// The restore has written every entry chosen for the memory: go on with the
// next memory that has entries chosen, or finish.
void NextRestoreMemory(EngineContext& ctx) {
    auto& r = Read(ctx);
    const std::string code = ctx.state.CurrentMemory;
    EndBusy(ctx);
    if (code == "SM") {
        if (r.RestorePhoneCount >= 1) RefreshPhonebook(ctx, 2);
        else if (r.RestoreOwnCount < 1) ctx.views.backup->RestoreFinished();
        else RefreshPhonebook(ctx, 3);
    } else if (code == "ME") {
        if (r.RestoreOwnCount < 1) ctx.views.backup->RestoreFinished();
        else RefreshPhonebook(ctx, 3);
    } else if (code == "ON") {
        ctx.views.backup->RestoreFinished();
    }
}

}  // namespace

void HandlePhonebookWriteAnswer(EngineContext& ctx, std::string_view echo) {
    auto& r = Read(ctx);
    auto& op = ctx.state.Phonebook;
    r.CacheErrorReported = false;  // each entry change reports its own failure
    r.ReadCount += 1;
    const std::string position = WrittenPosition(echo);
    if (!op.Restoring) EndBusy(ctx);

    if (!op.WritePending && op.DeletePending) {
        op.DeletePending = false;
        if (!op.Restoring) {
            const std::string memoryText = PhonebookMemoryText(r.EntryMemory);
            const auto target = ParseInt(op.DeletePositionText);
            auto& list = op.PhonebookList;
            auto it = std::find_if(list.begin(), list.end(), [&](const AListIme& e) {
                return e.Location == memoryText && target && ParseInt(e.Position) == target;
            });
            if (it != list.end()) list.erase(it);
            SavePhonebookCache(ctx);
        }
        RebuildFreePositions(r, op.PhonebookList);
        if (!op.Restoring) {
            if (op.MoveEntry) {
                op.WritePending = true;
                SendAtCpbs(ctx, r.TargetMemory);
            } else {
                ctx.host.ShowStatusMessage("Entry succesfully deleted from mobile phonebook!");
            }
        }
        ctx.views.phonebook->ReapplyPhonebookFilter();
    } else if (op.WritePending) {
        if (!op.Restoring) {
            if (op.MoveEntry) {
                op.MoveEntry = false;
                ctx.host.ShowStatusMessage(
                    "Entry succesfully moved to another location in mobile!");
            } else {
                ctx.host.ShowStatusMessage("Entry succesfully saved in mobile phonebook!");
            }
        }
        op.WritePending = false;
        const int kind = PhonebookMemoryKind(ctx.state.CurrentMemory);
        if (kind == 1) r.RestoreSimWritten += 1;
        if (kind == 2) r.RestorePhoneWritten += 1;
        if (kind == 3) r.RestoreOwnWritten += 1;
        if (auto* free = FreePositionList(r, kind)) BlankFreePosition(*free, position);
        if (!op.Restoring) {
            const AListIme saved = r.SavedEntry;
            auto& list = op.PhonebookList;
            auto it = std::find_if(list.begin(), list.end(), [&](const AListIme& e) {
                return e.Position == saved.Position && e.Location == saved.Location;
            });
            const bool found = it != list.end();
            if (found) {
                *it = saved;
                ReplaceInPhonebookCache(ctx, saved, static_cast<long>(it - list.begin()));
            }
            const std::string name =
                DisplayName(PhonebookTextFromGsm(WithNameEscapesDecoded(echo)));
            const std::string number = ExtractQuoted(echo);
            if (!name.empty()) {
                ctx.views.sms->SetNameInSmsLists(name, number);
                for (auto view :
                     {CallListView::Dialled, CallListView::Received, CallListView::Missed})
                    ctx.views.callLists->SetNameInListView(view, name, number);
            }
            if (!found) {
                op.PhonebookList.push_back(saved);
                AppendToPhonebookCache(ctx, saved);
            }
            ctx.views.phonebook->PhonebookEntrySaved(name, number, position);
            ctx.views.phonebook->ReapplyPhonebookFilter();
        }
    }

    if (op.Restoring) {
        if (r.ReadCount >= r.ReadUsed) NextRestoreMemory(ctx);
        else RestoreNextEntry(ctx);
    }
}

}  // namespace parlenko

#include "engine/sms/sms_steps.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/pdu/pdu_decoder.h"
#include "engine/core/read_progress.h"
#include "engine/core/busy_state.h"
#include "engine/text/phonebook_lookup.h"
#include "engine/text/sms_counts.h"
#include "engine/sms/sms_view.h"
#include "engine/sms/sms_state.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/sms/sms_commands.h"

#include <algorithm>

namespace parlenko {

namespace {

// Positions asked at most in a pass whose phone reports fewer places than
// messages (its capacity cannot bound the loop then).
constexpr int kReadLimitWhenCountsDisagree = 999;

constexpr std::string_view kPositionText = "Reading message from position no. ";

std::string MemoryText(const CoreState& state) {
    const auto memory = CurrentSmsMemory(state);
    return memory ? std::string(MemoryCaption(*memory)) : std::string();
}

// The name of the first phonebook entry whose number is exactly this one,
// without the VIP "!"; nullopt when no entry has it.
std::optional<std::string> PhonebookName(const EngineContext& ctx, const std::string& number) {
    for (const auto& e : Phonebook(ctx).PhonebookList)
        if (e.Phone == number) return DisplayName(e.Name);
    return std::nullopt;
}

// A read row's caption: the phonebook name, else the number.
std::string ReadCaption(const EngineContext& ctx, const std::string& number) {
    const auto name = PhonebookName(ctx, number);
    return name && !name->empty() ? *name : number;
}

std::optional<SmsFolder> FolderOfStatus(std::string_view status) {
    if (status == "0" || status == "1") return SmsFolder::Incoming;
    if (status == "2" || status == "3") return SmsFolder::Outgoing;
    return std::nullopt;
}

int ImageOf(SmsFolder folder, std::string_view status) {
    const bool marked = folder == SmsFolder::Incoming ? status == "0" : status == "3";
    return marked ? kImageSmsMarked : kImageSms;
}

void RefreshCount(EngineContext& ctx, SmsFolder folder) {
    ViewOf<ISmsView>(ctx).SetSmsFolderCount(
        folder, SmsFolderCountText(CountSmsFolder(Sms(ctx).SmsList, folder)));
}

void InsertRecord(EngineContext& ctx, SmsFolder folder, const SmsRow& row) {
    auto& list = Sms(ctx).SmsList;
    list.insert(list.begin(), row.Message);
    ViewOf<ISmsView>(ctx).InsertSmsRow(folder, row);
    RefreshCount(ctx, folder);
}

// A message read again at a position the list knows (the notice of a
// message stored where an older one was): the older record goes.
void DropRecordAt(EngineContext& ctx, const AListSMS& m) {
    auto& list = Sms(ctx).SmsList;
    const auto old = std::find_if(list.begin(), list.end(), [&](const AListSMS& r) {
        return r.Position == m.Position && r.Location == m.Location;
    });
    if (old == list.end()) return;
    const auto folder = FolderOfStatus(old->Status).value_or(SmsFolder::Incoming);
    list.erase(old);
    ViewOf<ISmsView>(ctx).RemoveSmsRows(folder, m.Position, m.Location);
    RefreshCount(ctx, folder);
}

void Announce(EngineContext& ctx, const AListSMS& m, const std::string& caption) {
    NewSmsNotice notice;
    notice.OsobaLab = caption == m.Number ? std::string() : caption;
    notice.TelefonLab = m.Number;
    notice.DatumLab = m.Date + "     " + m.Time;
    notice.PorukaMemo = m.Text;
    ViewOf<ISmsView>(ctx).ShowNewSmsNotice(notice);
}

int ReadLimit(const SmsState& s) {
    return s.ReadCapacity >= s.ReadUsed ? s.ReadCapacity : kReadLimitWhenCountsDisagree;
}

// Messages the pass may find: the used count, and one more for each notice
// of a message in its memory since the selection (it may lie ahead).
int PassExpected(const SmsState& s) { return s.ReadUsed + s.PassNotices; }

// A pass has read its memory: the SIM card's goes on with the phone
// memory, the phone memory's ends the read.
void EndOfPass(EngineContext& ctx) {
    Sms(ctx).Reading = false;
    if (CurrentSmsMemory(ctx.state) == PhoneMemory::Sim) {
        SelectSmsPass(ctx, PhoneMemory::Phone);
        return;
    }
    Sms(ctx).PassMemory.reset();
    ++Sms(ctx).FullReadsDone;
    Sms(ctx).FullReadRunning = false;
    Sms(ctx).ListBeforeRead.clear();
    CloseReadProgress(ctx);
}

// After a position of a running pass: the next one, or the end of the pass.
// An undisturbed pass stops at its last counted message; after a notice it
// reads on, as a message that filled a gap ahead counts against the used
// count and would leave the last one unread.
void NextPosition(EngineContext& ctx) {
    auto& s = Sms(ctx);
    s.ReadPosition += 1;
    if (s.ReadCount >= PassExpected(s) || s.ReadPosition > ReadLimit(s)) {
        EndOfPass(ctx);
        return;
    }
    s.Progress.PozicijaLab = std::string(kPositionText) + IntToStr(s.ReadPosition);
    ctx.host.ProgressWindowChanged(s.Progress);
    SendAtCmgr(ctx, IntToStr(s.ReadPosition));
}

// The message of a "+CMGR:" answer as a record: decoded by its own type,
// filed by its status.
// The record of a decoded message at position of the memory in use.
AListSMS MessageOf(const EngineContext& ctx, const DecodedPdu& d, const std::string& position,
                   std::string status) {
    AListSMS m;
    m.Number = d.PduNumber;
    m.Smsc = d.PduSmsc;
    m.Date = d.PduDate;
    m.Time = d.PduTime;
    m.Validity = d.PduValidity;
    m.Location = MemoryText(ctx.state);
    m.Position = position;
    m.Status = std::move(status);
    m.Text = PduDisplayText(d);
    return m;
}

AListSMS ReadRecord(const EngineContext& ctx, std::string_view pdu, std::string_view status,
                    const std::string& position) {
    const auto& phonebook = Phonebook(ctx).PhonebookList;
    const DecodedPdu d = DecodeReadPdu(pdu, [&phonebook](const std::string& number) {
        return FindNameByNumber(number, phonebook);
    });
    return MessageOf(ctx, d, position, std::string(status));
}

}  // namespace

std::optional<PhoneMemory> CurrentSmsMemory(const CoreState& state) {
    const auto memory = MemoryFromCode(state.CurrentMemory);
    if (memory == PhoneMemory::Sim || memory == PhoneMemory::Phone) return memory;
    return std::nullopt;
}

std::string SmsPositionText(std::string_view index) {
    const std::string text = Trim(index);
    const auto n = ParseInt(text);
    if (!n || *n < 0) return text;
    // Appended: GCC 12 warns falsely (-Wrestrict) on "0" + a temporary string.
    return std::string(*n < 10 ? "0" : "").append(IntToStr(*n));
}

void StopSmsRead(EngineContext& ctx) {
    Sms(ctx).Reading = false;
    Sms(ctx).PassMemory.reset();
}

bool SkipAbsentPassMemory(EngineContext& ctx) {
    auto& s = Sms(ctx);
    if (!s.FullReadRunning || !s.PassMemory) return false;
    ctx.state.CurrentMemory = std::string(MemoryCode(*s.PassMemory));
    EndOfPass(ctx);
    return true;
}

void SelectSmsPass(EngineContext& ctx, PhoneMemory memory) {
    auto& s = Sms(ctx);
    s.PassMemory = memory;
    s.PassNotices = 0;
    SendAtCpms(ctx, memory);
}

void NewMessageDuringPass(EngineContext& ctx, PhoneMemory memory) {
    auto& s = Sms(ctx);
    if (s.PassMemory == memory) ++s.PassNotices;
}

bool StopSmsFullRead(EngineContext& ctx) {
    auto& s = Sms(ctx);
    s.Reading = false;
    if (!s.FullReadRunning) return false;
    s.FullReadRunning = false;
    s.SmsList = std::move(s.ListBeforeRead);
    s.ListBeforeRead.clear();
    ViewOf<ISmsView>(ctx).ClearSmsLists();
    // Each row goes in at the top: the last record first.
    for (auto m = s.SmsList.rbegin(); m != s.SmsList.rend(); ++m) {
        const auto folder = FolderOfStatus(m->Status);
        if (folder)
            ViewOf<ISmsView>(ctx).InsertSmsRow(
                *folder, {ReadCaption(ctx, m->Number), *m, ImageOf(*folder, m->Status)});
    }
    RefreshCount(ctx, SmsFolder::Incoming);
    RefreshCount(ctx, SmsFolder::Outgoing);
    ViewOf<ISmsView>(ctx).ShowFirstSmsRows(SmsFolder::Incoming);
    return true;
}

bool AnnounceReadMessage(EngineContext& ctx, PhoneMemory memory, std::string_view index) {
    const std::string position = SmsPositionText(index);
    const std::string_view location = MemoryCaption(memory);
    const auto& list = Sms(ctx).SmsList;
    const auto it = std::find_if(list.begin(), list.end(), [&](const AListSMS& m) {
        return m.Position == position && m.Location == location;
    });
    if (it == list.end()) return false;
    Announce(ctx, *it, ReadCaption(ctx, it->Number));
    return true;
}

void HandleCpmsAnswer(EngineContext& ctx, std::string_view line) {
    const auto memory = CurrentSmsMemory(ctx.state);
    AnswerReader r(line);
    r.SkipPrefix();
    const auto used = r.NextNumber();
    const auto capacity = r.NextNumber();
    // Unreadable numbers: nothing changes, no message.
    if (!memory || !used || !capacity || *used < 0 || *capacity < 0 || *used > 65535 ||
        *capacity > 65535)
        return;
    auto& s = Sms(ctx);
    s.Reading = true;
    s.ReadUsed = static_cast<int>(*used);
    s.ReadCapacity = static_cast<int>(*capacity);
    s.ReadPosition = 1;
    s.ReadCount = 0;

    auto& p = s.Progress;
    p.Caption = "Reading SMS messages . . .";
    p.LokacijaLab = std::string(MemoryCaption(*memory));
    p.Label1Visible = true;
    p.UpisanoLab = s.ReadCapacity < s.ReadUsed
                       ? IntToStr(s.ReadUsed)
                       : IntToStr(s.ReadUsed) + " of " + IntToStr(s.ReadCapacity);
    p.PozicijaLab = std::string(kPositionText) + "1";
    p.ProgressBar1 = 0;
    p.ProgresLab = "0%";
    ctx.host.ProgressWindowChanged(p);

    SendAtCmgr(ctx, "1");
    if (!ctx.host.IsProgressWindowVisible()) ctx.host.ShowProgressWindow();
}

void HandleCmgrAnswer(EngineContext& ctx, std::string_view index, std::string_view pdu,
                      std::string_view status, CmgrAnswer kind) {
    auto& s = Sms(ctx);
    const bool readNew = IsReadingNewSms(s.Op);
    if (kind == CmgrAnswer::Empty) {
        if (readNew) {
            // The notice named a position that holds nothing (any more).
            ClearSmsOp(s.Op);
            EndBusy(ctx);
            return;
        }
        if (s.Reading) NextPosition(ctx);
        return;
    }

    if (s.Reading && !readNew) s.ReadCount += 1;
    std::optional<SmsRow> row;
    const auto folder = FolderOfStatus(status);
    // A status this program does not know files the message nowhere.
    if (folder) {
        row.emplace();
        row->Message = ReadRecord(ctx, pdu, status, SmsPositionText(index));
        row->Caption = ReadCaption(ctx, row->Message.Number);
        row->Image = ImageOf(*folder, status);
        if (readNew) DropRecordAt(ctx, row->Message);
        InsertRecord(ctx, *folder, *row);
        ViewOf<ISmsView>(ctx).ShowFirstSmsRows(SmsFolder::Incoming);
    }

    if (readNew) {
        ClearSmsOp(s.Op);
        EndBusy(ctx);
        if (row) Announce(ctx, row->Message, row->Caption);
        return;
    }
    if (!s.Reading) return;

    const int percent = ProgressPercent(std::min(s.ReadCount, PassExpected(s)), PassExpected(s));
    s.Progress.ProgressBar1 = percent;
    s.Progress.ProgresLab = IntToStr(percent) + "%";
    NextPosition(ctx);
}

std::string HandleCmgwAnswer(EngineContext& ctx, std::string_view index, std::string_view body) {
    EndBusy(ctx);
    const std::string position = SmsPositionText(index);
    std::string pdu(body);
    if (StartsWith(pdu, "> ")) pdu.erase(0, 2);
    if (!pdu.empty() && pdu.back() == '\x1a') pdu.pop_back();
    const DecodedPdu d = DecodeStoredSubmitPdu(pdu);

    SmsRow row;
    row.Message = MessageOf(ctx, d, position, "2");  // stored, unsent
    const AListSMS& m = row.Message;
    // An entry with that number but no name leaves the caption empty.
    row.Caption = PhonebookName(ctx, m.Number).value_or(m.Number);
    row.Image = kImageSms;
    InsertRecord(ctx, SmsFolder::Outgoing, row);
    ViewOf<ISmsView>(ctx).ShowFirstSmsRows(SmsFolder::Outgoing);
    return position;
}

void HandleCmssAnswer(EngineContext& ctx, std::string_view echo) {
    EndBusy(ctx);
    // "AT+CMSS=<position>[,<number>]": the position.
    AnswerReader r(echo);
    r.SkipCommand();
    const std::string position = SmsPositionText(r.NextField());
    const std::string location = MemoryText(ctx.state);
    auto& list = Sms(ctx).SmsList;
    auto it = std::find_if(list.begin(), list.end(), [&](const AListSMS& m) {
        return m.Position == position && m.Location == location;
    });
    if (it == list.end()) return;
    it->Status = '3';  // a char: GCC 12 warns falsely (-Wrestrict) on assigning "3" here
    ViewOf<ISmsView>(ctx).SetSmsRowImage(SmsFolder::Outgoing, position, location, kImageSmsMarked);
    RefreshCount(ctx, SmsFolder::Outgoing);
}

void HandleCmgdAnswer(EngineContext& ctx, std::string_view echo) {
    AnswerReader r(echo);
    r.SkipCommand();
    const std::string position = SmsPositionText(r.Rest());
    const std::string location = MemoryText(ctx.state);
    auto& list = Sms(ctx).SmsList;
    auto it = std::find_if(list.begin(), list.end(), [&](const AListSMS& m) {
        return m.Position == position && m.Location == location;
    });
    std::string status;
    if (it != list.end()) {
        status = it->Status;
        list.erase(it);
    }
    const SmsFolder folder = FolderOfStatus(status).value_or(SmsFolder::Outgoing);
    ViewOf<ISmsView>(ctx).RemoveSmsRows(folder, position, location);
    RefreshCount(ctx, folder);
    ViewOf<ISmsView>(ctx).ShowFirstSmsRows(folder);
}

}  // namespace parlenko

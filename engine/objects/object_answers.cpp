#include "engine/objects/object_answers.h"

#include "engine/core/strings.h"
#include "engine/objects/object_view_access.h"
#include "engine/parse/answer_reader.h"
#include "engine/phone/free_positions.h"
#include "engine/core/read_progress.h"
#include "engine/core/busy_state.h"
#include "engine/text/hex_text.h"
#include "engine/text/phonebook_lookup.h"
#include "engine/text/vcalendar.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/objects/objects_state.h"
#include "engine/general/general_state.h"
#include "exchange/formats/atomic_file.h"
#include "engine/objects/object_commands.h"

#include <algorithm>
#include <optional>

namespace parlenko {

namespace {

void CloseProgressIfVisible(EngineContext& ctx) {
    if (ctx.host.IsProgressWindowVisible()) CloseReadProgress(ctx);
}

// A read whose object cannot be used ends like one the phone refused.
void ObjectReadFailed(EngineContext& ctx, const char* text) {
    StopAppointmentRead(ctx);
    CloseProgressIfVisible(ctx);
    EndBusy(ctx);
    ShowError(ctx, text);
}

// ------------------------------------------------------------ appointment rows

int RowImage(std::string_view category, bool alarm) {
    int image = kImageMemoAlarm;
    if (category == "Anniversary") image = kImageAnniversaryAlarm;
    if (category == "Meeting") image = kImageMeetingAlarm;
    if (category == "Phone call") image = kImagePhoneCallAlarm;
    return alarm ? image : image + 1;
}

AppointmentRow RowOf(EngineContext& ctx, const VCalendarTexts& t, std::string_view position) {
    AppointmentRow row;
    row.Caption = t.Description;
    row.Text = t.Description;
    // A phone call holds a number: the phonebook's name for it, when known.
    if (t.Category == "Phone call") {
        std::string name = FindNameByNumber(t.Description, Phonebook(ctx).PhonebookList);
        if (!name.empty()) row.Caption = std::move(name);
    }
    row.Category = t.Category;
    row.Repetition = t.Repetition.empty() ? "Once" : t.Repetition;
    row.Date = t.Date;
    row.Time = t.Time;
    row.Position = std::string(position);
    row.Image = RowImage(t.Category, !t.Alarm.empty());
    return row;
}

void AddRow(EngineContext& ctx, const AppointmentRow& row) {
    Objects(ctx).AppointmentsList.push_back(row);
    ObjectsView(ctx).AddAppointmentRow(row);
}

// The row of the same slot shows row; a slot without a row gets one.
void ReplaceRow(EngineContext& ctx, const AppointmentRow& row) {
    auto& rows = Objects(ctx).AppointmentsList;
    auto it = std::find_if(rows.begin(), rows.end(),
                           [&](const AppointmentRow& r) { return r.Position == row.Position; });
    if (it == rows.end()) {
        AddRow(ctx, row);
        return;
    }
    *it = row;
    ObjectsView(ctx).UpdateAppointmentRow(row);
}

// ------------------------------------------------------------ upload packets

struct PacketAck {
    std::string location;
    int locationNumber = 0;
    int number = 0;
    int count = 0;
};

// "AT^SBNW="vcs",<location>,<packet>,<count>": what follows the quoted type.
std::optional<PacketAck> ParseAck(std::string_view echo) {
    AnswerReader r(echo);
    r.SkipCommand();
    r.NextField();  // the quoted type
    PacketAck ack;
    ack.location = std::string(r.NextField());
    if (!r.HasField()) return std::nullopt;
    const auto number = ParseInt(r.NextField());
    if (!r.HasField()) return std::nullopt;
    const auto count = ParseInt(r.Rest());
    const auto location = ParseInt(ack.location);
    if (!location || !number || !count || *location < 0 || *location > 65535 || *number < 1 ||
        *count < 1 || *count > 65535)
        return std::nullopt;
    ack.locationNumber = static_cast<int>(*location);
    ack.number = static_cast<int>(std::min<long long>(*number, 65536));
    ack.count = static_cast<int>(*count);
    return ack;
}

enum class AckStep { NextSent, Complete, Ignored };

// The packet rule shared by the three types: the next packet's command
// while packets remain; a packet number above the count is ignored.
AckStep AcceptPacket(EngineContext& ctx, int type, const PacketAck& ack) {
    if (ack.number > ack.count) return AckStep::Ignored;
    if (ack.number == ack.count) return AckStep::Complete;
    Upload(ctx).PacketIndex = ack.number + 1;
    SendAtSbnw(ctx, type, ack.locationNumber, ack.number + 1, ack.count);
    return AckStep::NextSent;
}

// The melody and logo uploads show the packet just acknowledged.
void ShowPacketProgress(EngineContext& ctx, const PacketAck& ack) {
    auto& p = PhonebookRead(ctx).Progress;
    p.PozicijaLab = "Sending packet no. " + IntToStr(ack.number) + " of " + IntToStr(ack.count);
    p.ProgressBar1 = ProgressPercent(ack.number, ack.count);
    p.ProgresLab = IntToStr(p.ProgressBar1) + "%";
    ctx.host.ProgressWindowChanged(p);
}

// The echoed packets joined, without the prompt, blanks, line ends and Ctrl-Z.
std::string CleanBuffer(std::string s) {
    std::erase_if(
        s, [](char c) { return c == '>' || c == ' ' || c == '\r' || c == '\n' || c == '\x1a'; });
    return s;
}

// ------------------------------------------------------------ files

std::string DataFile(EngineContext& ctx, std::string_view name) {
    return exchange::JoinPath(ctx.state.Options.DataDir, name);
}

// The extension of the last path component, "" when it has none.
std::string Extension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return path.substr(dot);
}

bool WriteOrReport(EngineContext& ctx, const std::string& path, std::string_view bytes) {
    const auto written = exchange::WriteFileAtomically(path, bytes);
    if (written.ok()) return true;
    ShowError(ctx, "Error occurred while trying to write file!\r\r" + written.error);
    return false;
}

}  // namespace

// ------------------------------------------------------------ reads

bool StopAppointmentRead(EngineContext& ctx) {
    auto& objects = Objects(ctx);
    if (!objects.AppointmentReadRunning) return false;
    objects.AppointmentReadRunning = false;
    objects.AppointmentsList = std::move(objects.AppointmentsBeforeRead);
    objects.AppointmentFreePositions = std::move(objects.FreePositionsBeforeRead);
    objects.AppointmentsBeforeRead.clear();
    objects.FreePositionsBeforeRead.clear();
    ObjectsView(ctx).ClearAppointmentRows();
    for (const auto& row : objects.AppointmentsList) ObjectsView(ctx).AddAppointmentRow(row);
    return true;
}

void HandleSbnrVcsAnswer(EngineContext& ctx, std::string_view position, std::string_view hex,
                         ObjectAnswer kind) {
    auto& r = PhonebookRead(ctx);
    auto& objects = Objects(ctx);
    if (kind == ObjectAnswer::Data) {
        // Data that does not decode (not hex) still holds the slot: a row
        // with empty texts, and the read goes on.
        const VCalendarTexts texts = ParseVCalendar(hex).value_or(VCalendarTexts{});
        AddRow(ctx, RowOf(ctx, texts, position));
        // A slot the phone did not announce has no line to blank.
        BlankFreePosition(objects.AppointmentFreePositions, position);
    }
    r.ReadPosition += 1;
    if (r.ReadPosition > r.ReadCapacity) {
        objects.AppointmentReadRunning = false;
        CloseProgressIfVisible(ctx);
        ObjectsView(ctx).FocusAppointmentRow("");
        return;
    }
    r.Progress.ProgressBar1 = ProgressPercent(r.ReadPosition, r.ReadCapacity);
    r.Progress.ProgresLab = IntToStr(r.Progress.ProgressBar1) + "%";
    SendAtSbnr(ctx, at::kObjAppointment, r.ReadPosition);
    r.Progress.PozicijaLab = "Reading appointment from position no. " + IntToStr(r.ReadPosition);
    ctx.host.ProgressWindowChanged(r.Progress);
}

void HandleSbnrMidAnswer(EngineContext& ctx, std::string_view hex, ObjectAnswer kind) {
    if (kind == ObjectAnswer::Empty) {
        ctx.host.ShowMessageDialog("Memory is empty", "No melody found in user's memory!",
                                   DialogKind::Information, DialogButtons::Ok);
        return;
    }
    // No data at all is no melody either.
    const auto bytes = HexToBytes(hex);
    if (!bytes || bytes->empty()) {
        ObjectReadFailed(ctx, kMelodyReadFailed);
        return;
    }
    SaveFileDialog dialog;
    dialog.Title = "Save melody to . . .";
    dialog.Folder = DataFile(ctx, "Melodies");
    dialog.FileName = "Individual";
    dialog.Filter = "MIDI melodies (*.mid)|*.mid";
    std::string path = ctx.host.AskSaveFileName(dialog);
    if (path.empty()) return;
    if (LowerCase(Extension(path)) != ".mid") path += ".mid";
    if (WriteOrReport(ctx, path, *bytes))
        ctx.host.ShowStatusMessage("Melody succesfully saved on disc!");
}

void HandleSbnrBmpAnswer(EngineContext& ctx, std::string_view position, std::string_view hex,
                         ObjectAnswer kind) {
    auto& up = Upload(ctx);
    // An upload's read-back ends the upload, whatever it finds.
    const bool afterUpload = up.SendingLogo;
    up.SendingLogo = false;
    const bool screensaver = position == "2";
    if (kind == ObjectAnswer::Empty) {
        LogoView(ctx).ShowNoLogo(screensaver ? "EMPTY!" : GeneralInfo(ctx).OperLab);
        return;
    }
    const auto bytes = HexToBytes(hex);
    if (!bytes || bytes->empty()) {
        ObjectReadFailed(ctx, kLogoReadFailed);
        return;
    }
    // Without a data folder there is nowhere to keep the picture.
    if (!ctx.state.Options.DataDir.empty()) {
        const std::string path = DataFile(ctx, kLogoFileName);
        if (!WriteOrReport(ctx, path, *bytes)) return;
        LogoView(ctx).ShowLogo(path);
    }
    if (afterUpload) {
        auto& caps = Capabilities(ctx);
        // The kind read is the one shown; the kind written stays the user's
        // choice (the one just written), for the next upload too.
        caps.LogosIndex = screensaver ? 1 : 0;
        caps.SaveLogoMemIndex = caps.LogosIndex;
        LogoView(ctx).LogoKindsChanged(caps);
        ctx.host.ShowStatusMessage("Logo succesfully saved in mobile!");
    }
}

// ------------------------------------------------------------ uploads

void HandleSbnwVcsAnswer(EngineContext& ctx, std::string_view echo, std::string_view packet) {
    auto& objects = Objects(ctx);
    const auto ack = ParseAck(echo);
    if (!ack || ack->number > ack->count) return;
    if (ack->number == 1) objects.AppointmentBuffer.clear();
    objects.AppointmentBuffer += packet;
    BlankFreePosition(objects.AppointmentFreePositions, ack->location);
    if (AcceptPacket(ctx, at::kObjAppointment, *ack) != AckStep::Complete) return;

    Upload(ctx).SendingAppointment = false;
    EndBusy(ctx);
    const auto texts = ParseVCalendar(CleanBuffer(std::move(objects.AppointmentBuffer)));
    objects.AppointmentBuffer.clear();
    if (!texts) {
        ShowError(ctx, kAppointmentSaveFailed);
        return;
    }
    const AppointmentRow row = RowOf(ctx, *texts, ack->location);
    if (objects.NewAppointment) {
        objects.NewAppointment = false;
        AddRow(ctx, row);
    } else {
        ReplaceRow(ctx, row);
    }
    ObjectsView(ctx).FocusAppointmentRow(ack->location);
    ctx.host.ShowStatusMessage("Appointment succesfully saved in mobile!");
}

void HandleSbnwMidAnswer(EngineContext& ctx, std::string_view echo, std::string_view packet) {
    (void)packet;
    const auto ack = ParseAck(echo);
    if (!ack) return;
    const AckStep step = AcceptPacket(ctx, at::kObjMelody, *ack);
    if (step == AckStep::NextSent) ShowPacketProgress(ctx, *ack);
    if (step != AckStep::Complete) return;
    Upload(ctx).SendingMelody = false;
    CloseProgressIfVisible(ctx);
    ctx.host.ShowStatusMessage("Melody succesfully saved in mobile!");
}

void HandleSbnwBmpAnswer(EngineContext& ctx, std::string_view echo, std::string_view packet) {
    (void)packet;
    const auto ack = ParseAck(echo);
    if (!ack) return;
    const AckStep step = AcceptPacket(ctx, at::kObjLogo, *ack);
    if (step == AckStep::NextSent) ShowPacketProgress(ctx, *ack);
    if (step != AckStep::Complete) return;
    // SendingLogo stays set until the read-back answers.
    CloseProgressIfVisible(ctx);
    SendAtSbnr(ctx, at::kObjLogo, ack->locationNumber);
}

void HandleAppointmentDeleted(EngineContext& ctx, std::string_view echo) {
    auto& objects = Objects(ctx);
    AnswerReader fields(echo);
    fields.SkipCommand();
    fields.NextField();  // the quoted type
    const std::string location(fields.NextField());
    auto& free = objects.AppointmentFreePositions;
    const auto slot = ParseInt(location);
    if (slot && *slot >= 1 && *slot <= static_cast<long long>(free.size()))
        free[static_cast<std::size_t>(*slot - 1)] = location;
    std::erase_if(objects.AppointmentsList,
                  [&](const AppointmentRow& r) { return r.Position == location; });
    ObjectsView(ctx).RemoveAppointmentRows(location);
    ObjectsView(ctx).FocusAppointmentRow("");
}

}  // namespace parlenko

#include "engine/objects/object_transfers.h"

#include "engine/core/strings.h"
#include "engine/objects/object_view_access.h"
#include "engine/conversation/quiet_starts.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/text/hex_text.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/objects/objects_state.h"
#include "engine/melodies/melodies_state.h"
#include "engine/objects/object_commands.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace parlenko {

namespace {

// The logo kinds' object indexes; -1 for another kind.
int LogoIndex(int kind) { return kind == 0 ? 0 : kind == 1 ? 2 : -1; }

std::vector<std::string> CutIntoPackets(const std::string& hex) {
    std::vector<std::string> packets;
    for (std::size_t k = 0; k < hex.size(); k += kPacketHexLength)
        packets.push_back(hex.substr(k, kPacketHexLength));
    return packets;
}

// Takes the packets of a new upload; the first goes at the phone's prompt.
void StartUpload(EngineContext& ctx, std::vector<std::string> packets) {
    auto& up = Upload(ctx);
    up.UploadPackets = std::move(packets);
    up.PacketIndex = 1;
    up.PacketCount = static_cast<int>(up.UploadPackets.size());
}

void ShowProgress(EngineContext& ctx, const std::string& caption, const std::string& position) {
    auto& p = PhonebookRead(ctx).Progress;
    p.Caption = caption;
    p.LokacijaLab = "Mobile memory";
    p.Label1Visible = false;
    p.UpisanoLab.clear();
    p.PozicijaLab = position;
    p.ProgressBar1 = 0;
    p.ProgresLab = "0%";
    ctx.host.ProgressWindowChanged(p);
}

void ShowProgressWindow(EngineContext& ctx) {
    if (!ctx.host.IsProgressWindowVisible()) ctx.host.ShowProgressWindow();
}

// The packets of a melody or logo file; nullopt (after telling the user)
// when it is too big, and for an empty file.
std::optional<std::vector<std::string>> FilePackets(EngineContext& ctx, std::string_view bytes,
                                                    const char* tooBig) {
    auto packets = CutIntoPackets(BytesToHex(bytes));
    if (packets.size() > kMaxObjectPackets) {
        ctx.host.ShowMessageDialog("Error", tooBig, DialogKind::Information, DialogButtons::Ok);
        return std::nullopt;
    }
    if (packets.empty()) return std::nullopt;
    return packets;
}

void SendFirstPacket(EngineContext& ctx, std::vector<std::string> packets, int type, int location,
                     const char* caption) {
    const int count = static_cast<int>(packets.size());
    StartUpload(ctx, std::move(packets));
    ShowProgress(ctx, caption, "Sending packet no. 1 of " + IntToStr(count));
    SendAtSbnw(ctx, type, location, 1, count);
    ShowProgressWindow(ctx);
}

// The phone's slot of the user melody of this rank in the melody list;
// nullopt when the list has no such user melody.
std::optional<int> UserMelodySlotOf(EngineContext& ctx, int userMelody) {
    const int users = static_cast<int>(std::count_if(
        Melodies(ctx).MelodijeCB.begin(), Melodies(ctx).MelodijeCB.end(),
        [](const std::string& item) { return item.find("Individual") != std::string::npos; }));
    if (userMelody < 0 || userMelody >= users) return std::nullopt;
    return UserMelodySlot(users, userMelody);
}

}  // namespace

namespace {

void StartAppointmentRead(EngineContext& ctx) {
    EmptyPortBuffers(ctx);
    auto& objects = Objects(ctx);
    // A read that starts over a running one keeps what was there before that.
    if (!objects.AppointmentReadRunning) {
        objects.AppointmentsBeforeRead = objects.AppointmentsList;
        objects.FreePositionsBeforeRead = objects.AppointmentFreePositions;
    }
    objects.AppointmentReadRunning = true;
    objects.AppointmentsList.clear();
    ObjectsView(ctx).ClearAppointmentRows();
    const int slots = Capabilities(ctx).AppointmentSlots;
    objects.AppointmentFreePositions.clear();
    for (int slot = 1; slot <= slots; ++slot)
        objects.AppointmentFreePositions.push_back(IntToStr(slot));

    ctx.state.Mode = ActivityMode::Appointments;
    auto& r = PhonebookRead(ctx);
    r.ReadCapacity = slots;
    r.ReadPosition = 1;
    ShowProgress(ctx, "Reading appointments . . .", "Reading entry from position no. 1");
    SendAtSbnr(ctx, at::kObjAppointment, 1);
    ShowProgressWindow(ctx);
}

}  // namespace

void RefreshAppointments(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    static constexpr char kRead = 0;
    StartWhenQuiet(ctx, &kRead, [&ctx] { StartAppointmentRead(ctx); });
}

AppointmentSlotChoice NewAppointmentSlot(const std::vector<std::string>& free) {
    AppointmentSlotChoice choice;
    if (free.empty()) return choice;
    choice.Status = AppointmentSlotStatus::Full;
    for (const std::string& line : free) {
        if (line.empty()) continue;
        const auto slot = ParseInt(line);
        if (!slot || *slot < 0 || *slot > 65535) continue;
        choice.Status = AppointmentSlotStatus::Free;
        choice.Slot = static_cast<int>(*slot);
        return choice;
    }
    return choice;
}

void SaveAppointment(EngineContext& ctx, const VCalendarEntry& entry, int slot, bool isNew) {
    if (!ctx.port.Connected()) return;
    StartUpload(ctx, CutIntoPackets(BuildVCalendar(entry, VCalendarForm::Phone)));
    Upload(ctx).SendingAppointment = true;
    Objects(ctx).NewAppointment = isNew;
    SendAtSbnw(ctx, at::kObjAppointment, slot, 1, Upload(ctx).PacketCount);
}

void DeleteAppointment(EngineContext& ctx, int slot) {
    if (!ctx.port.Connected()) return;
    Upload(ctx).SendingAppointment = false;
    SendAtSbnwDelete(ctx, at::kObjAppointment, IntToStr(slot));
}

void ReadUserMelody(EngineContext& ctx, int userMelody) {
    if (!ctx.port.Connected()) return;
    const auto slot = UserMelodySlotOf(ctx, userMelody);
    if (!slot) return;
    SendAtSbnr(ctx, at::kObjMelody, *slot);
}

void DeleteUserMelody(EngineContext& ctx, int userMelody) {
    if (!ctx.port.Connected()) return;
    const auto slot = UserMelodySlotOf(ctx, userMelody);
    if (!slot) return;
    Upload(ctx).SendingMelody = false;
    SendAtSbnwDelete(ctx, at::kObjMelody, IntToStr(*slot));
}

bool UploadMelody(EngineContext& ctx, std::string_view fileBytes, int slot) {
    if (!ctx.port.Connected()) return false;
    auto packets = FilePackets(ctx, fileBytes, "Melody too big!");
    if (!packets) return false;
    Upload(ctx).SendingMelody = true;
    ctx.state.Mode = ActivityMode::MelodyUpload;
    SendFirstPacket(ctx, std::move(*packets), at::kObjMelody, slot,
                    "Saving melody in mobile . . .");
    return true;
}

void ReadLogo(EngineContext& ctx, int kind) {
    if (!ctx.port.Connected() || LogoIndex(kind) < 0) return;
    SendAtSbnr(ctx, at::kObjLogo, LogoIndex(kind));
}

void DeleteLogo(EngineContext& ctx, int kind) {
    if (!ctx.port.Connected() || LogoIndex(kind) < 0) return;
    Upload(ctx).SendingLogo = false;
    SendAtSbnwDelete(ctx, at::kObjLogo, IntToStr(LogoIndex(kind)));
}

bool UploadLogo(EngineContext& ctx, std::string_view bitmapBytes, int kind) {
    if (!ctx.port.Connected() || LogoIndex(kind) < 0) return false;
    auto packets = FilePackets(ctx, bitmapBytes, "Logo too big!");
    if (!packets) return false;
    Upload(ctx).SendingLogo = true;
    ctx.state.Mode = ActivityMode::LogoUpload;
    SendFirstPacket(ctx, std::move(*packets), at::kObjLogo, LogoIndex(kind),
                    "Saving logo in mobile . . .");
    return true;
}

}  // namespace parlenko

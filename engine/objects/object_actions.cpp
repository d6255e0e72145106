#include "engine/objects/object_actions.h"

#include "engine/core/strings.h"
#include "engine/objects/object_answers.h"
#include "engine/parse/answer_reader.h"
#include "engine/core/read_progress.h"
#include "engine/conversation/phone_errors.h"
#include "engine/core/busy_state.h"
#include "engine/objects/objects_state.h"
#include "engine/objects/object_commands.h"

#include <array>

namespace parlenko {

namespace {

// The header of each part of a read object.
constexpr char kObjectHeader[] = "^SBNR: ";

// The slot of an echoed read: the two characters after 'AT^SBNR="vcs",'.
std::string SlotOfRead(std::string_view echo) {
    AnswerReader r(echo);
    r.SkipCommand();
    r.NextField();  // the quoted type
    return std::string(r.NextChars(2));
}

// --------------------------------------------------------------- empty reads

ScanStep AppointmentSlotEmpty(EngineContext& ctx, const EchoHit& hit) {
    HandleSbnrVcsAnswer(ctx, SlotOfRead(hit.echo), "", ObjectAnswer::Empty);
    return ScanStep::Continue;
}

ScanStep MelodyEmpty(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    HandleSbnrMidAnswer(ctx, "", ObjectAnswer::Empty);
    return ScanStep::Continue;
}

ScanStep LogoEmpty(EngineContext& ctx, const EchoHit& hit) {
    EndBusy(ctx);
    HandleSbnrBmpAnswer(ctx, SlotOfRead(hit.echo), "", ObjectAnswer::Empty);
    return ScanStep::Continue;
}

// --------------------------------------------------------------- a read object

// The last header of an object stands at i - 3. Each header is followed by
// one line of hex data; the data lines are joined in the order the phone
// sent them, up from the result to the read's echo.
ScanStep ObjectRead(EngineContext& ctx, const EchoHit& hit) {
    EndBusy(ctx);
    auto& lines = Lines(ctx);
    // "^SBNR: "vcs",<position>,...": the quoted type (five characters) and
    // the position after its comma.
    AnswerReader header(hit.echo);
    header.Skip(std::string_view(kObjectHeader).size());
    const std::string type(header.NextChars(5));
    header.Skip(1);
    const std::string position(header.NextField());

    std::string data;
    bool echoFound = false;
    for (int k = hit.result; k >= 0; k = lines.Above(k, 1)) {
        if (lines.StartsWith(k, kObjectHeader)) {
            const int dataEntry = lines.Below(k, 1);
            data.insert(0, lines.At(dataEntry));
            lines.Blank(k);
            lines.Blank(dataEntry);
        } else if (lines.StartsWith(k, "AT^SBNR=\"")) {
            lines.Blank(k);
            echoFound = true;
            break;
        }
    }
    // Without its echo (the time-out blanked it) the object may have lost
    // parts: it is dropped.
    if (!echoFound) return ScanStep::Continue;

    if (type == "\"vcs\"") HandleSbnrVcsAnswer(ctx, position, data, ObjectAnswer::Data);
    if (type == "\"mid\"") HandleSbnrMidAnswer(ctx, data, ObjectAnswer::Data);
    if (type == "\"bmp\"") HandleSbnrBmpAnswer(ctx, position, data, ObjectAnswer::Data);
    return ScanStep::Continue;
}

// --------------------------------------------------------------- uploads and deletes

using PacketHandler = void (*)(EngineContext&, std::string_view, std::string_view);

// An accepted packet (echo at i - 3, the echoed packet at i - 1) while the
// type's upload runs.
template <bool UploadState::*Guard, PacketHandler Handle>
ScanStep PacketAccepted(EngineContext& ctx, const EchoHit& hit) {
    if (!(Upload(ctx).*Guard)) return ScanStep::Continue;
    auto& lines = Lines(ctx);
    const int packetEntry = lines.Above(hit.result, 1);
    const std::string packet = lines.At(packetEntry);
    lines.Blank(packetEntry);
    lines.Blank(hit.echoEntry);
    Handle(ctx, hit.echo, packet);
    return ScanStep::Continue;
}

// A delete (echo at i - 2) while no upload of the type runs.
template <bool UploadState::*Guard>
bool IsDelete(EngineContext& ctx, const EchoHit& hit) {
    if (Upload(ctx).*Guard) return false;
    Lines(ctx).Blank(hit.echoEntry);
    EndBusy(ctx);
    return true;
}

ScanStep AppointmentDeleted(EngineContext& ctx, const EchoHit& hit) {
    if (!IsDelete<&UploadState::SendingAppointment>(ctx, hit)) return ScanStep::Continue;
    ctx.host.ShowStatusMessage("Appointment succesfully deleted from mobile!");
    HandleAppointmentDeleted(ctx, hit.echo);
    return ScanStep::Continue;
}

ScanStep MelodyDeleted(EngineContext& ctx, const EchoHit& hit) {
    if (!IsDelete<&UploadState::SendingMelody>(ctx, hit)) return ScanStep::Continue;
    ctx.host.ShowStatusMessage("Melody succesfully deleted from mobile!");
    return ScanStep::Continue;
}

ScanStep LogoDeleted(EngineContext& ctx, const EchoHit& hit) {
    if (!IsDelete<&UploadState::SendingLogo>(ctx, hit)) return ScanStep::Continue;
    // The logo slot is read again, so the page shows it empty.
    // 'AT^SBNW="bmp",<slot>,0': the slot's digit.
    AnswerReader r(hit.echo);
    r.SkipCommand();
    r.NextField();  // the quoted type
    if (const char slot = r.Peek(); slot >= '0' && slot <= '9')
        SendAtSbnr(ctx, at::kObjLogo, slot - '0');
    ctx.host.ShowStatusMessage("Logo succesfully deleted from mobile!");
    return ScanStep::Continue;
}

// --------------------------------------------------------------- refusals

// Any final error form ends the read it answers: the read window closes,
// an appointment read's list shows what it showed before.
ScanStep ReadRefused(EngineContext& ctx, const EchoHit&) {
    StopAppointmentRead(ctx);
    CloseReadProgress(ctx);
    return ScanStep::Continue;
}

// The logo read after an upload is that upload's last step.
ScanStep LogoReadRefused(EngineContext& ctx, const EchoHit& hit) {
    Upload(ctx).SendingLogo = false;
    return ReadRefused(ctx, hit);
}

// Any final error form ends the upload it answers (the command or a packet
// refused), so that a later answer of the same type is not taken for one of
// its packets or for its read-back.
template <bool UploadState::*Guard, bool CloseProgress>
ScanStep UploadRefused(EngineContext& ctx, const EchoHit&) {
    auto& up = Upload(ctx);
    up.*Guard = false;
    up.UploadPackets.clear();
    up.PacketIndex = 0;
    up.PacketCount = 0;
    if (CloseProgress) CloseReadProgress(ctx);
    return ScanStep::Continue;
}

// A refusal: the command's text, or the packet's when its body was refused
// or the phone never asked for it.
template <const char* Text>
ScanStep Failed(EngineContext& ctx, const EchoHit& hit) {
    ShowRefusal(ctx, hit, hit.body || hit.silent ? kPacketFailed : Text);
    return ScanStep::Continue;
}

using W = EchoCompare;

// The "OK" rows first, in the order they run; the "ERROR" rows (echo at
// i - 2, or the command of a refused packet) after them, each with what any
// refusal ends.
const std::array kObjectActions = {
    EchoAction{"AT^SBNR=\"vcs\",", W::Prefix, 2, AppointmentSlotEmpty, nullptr},
    EchoAction{"AT^SBNR=\"mid\",", W::Prefix, 2, MelodyEmpty, nullptr},
    EchoAction{"AT^SBNR=\"bmp\",", W::Prefix, 2, LogoEmpty, nullptr},
    EchoAction{kObjectHeader, W::Prefix, 3, ObjectRead, nullptr, kByAction},
    EchoAction{"AT^SBNW=\"vcs\",", W::Prefix, 3,
               PacketAccepted<&UploadState::SendingAppointment, HandleSbnwVcsAnswer>, nullptr,
               kByAction},
    EchoAction{"AT^SBNW=\"vcs\",", W::Prefix, 2, AppointmentDeleted, nullptr, kByAction},
    EchoAction{"AT^SBNW=\"mid\",", W::Prefix, 3,
               PacketAccepted<&UploadState::SendingMelody, HandleSbnwMidAnswer>, nullptr,
               kByAction},
    EchoAction{"AT^SBNW=\"mid\",", W::Prefix, 2, MelodyDeleted, nullptr, kByAction},
    EchoAction{"AT^SBNW=\"bmp\",", W::Prefix, 3,
               PacketAccepted<&UploadState::SendingLogo, HandleSbnwBmpAnswer>, nullptr, kByAction},
    EchoAction{"AT^SBNW=\"bmp\",", W::Prefix, 2, LogoDeleted, nullptr, kByAction},

    EchoAction{"AT^SBNR=\"vcs\",", W::Prefix, 2, nullptr, Failed<kAppointmentReadFailed>,
               kEchoAndAnswer, ReadRefused},
    EchoAction{"AT^SBNW=\"vcs\",", W::Prefix, 2, nullptr, Failed<kAppointmentSaveFailed>,
               kEchoAndAnswer, UploadRefused<&UploadState::SendingAppointment, false>},
    EchoAction{"AT^SBNR=\"mid\",", W::Prefix, 2, nullptr, Failed<kMelodyReadFailed>, kEchoAndAnswer,
               ReadRefused},
    EchoAction{"AT^SBNW=\"mid\",", W::Prefix, 2, nullptr, Failed<kMelodySaveFailed>, kEchoAndAnswer,
               UploadRefused<&UploadState::SendingMelody, true>},
    EchoAction{"AT^SBNR=\"bmp\",", W::Prefix, 2, nullptr, Failed<kLogoReadFailed>, kEchoAndAnswer,
               LogoReadRefused},
    EchoAction{"AT^SBNW=\"bmp\",", W::Prefix, 2, nullptr, Failed<kLogoSaveFailed>, kEchoAndAnswer,
               UploadRefused<&UploadState::SendingLogo, true>},
};

}  // namespace

std::span<const EchoAction> ObjectActions() { return kObjectActions; }

}  // namespace parlenko

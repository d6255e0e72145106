#include "engine/objects/object_actions.h"

#include "engine/core/strings.h"
#include "engine/objects/object_answers.h"
#include "engine/parse/answer_reader.h"
#include "engine/core/read_progress.h"
#include "engine/conversation/outcome_actions.h"
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

// The last header of an object stands at i - 3 (at i - 2 when its data
// line is missing). Each header is followed by one line of hex data; the
// data lines are joined in the order the phone sent them, up from the
// result to the read's echo.
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

// A refused upload: the command's text, or the packet's when its body was
// refused or the phone never asked for it. A read says what it could not
// read (FailsWith), silent or not.
template <const char* Text>
ScanStep UploadFailed(EngineContext& ctx, const EchoHit& hit) {
    ShowRefusal(ctx, hit, hit.body || hit.silent ? kPacketFailed : Text);
    return ScanStep::Continue;
}

// A read's "OK" right under its echo: the slot is empty; an object's
// last header three entries above the "OK": the object. An upload's packet
// accepted (echo, the echoed packet, "OK") or, with no upload running, a
// delete done. Every refusal ends the read or the upload.
const std::array kObjectActions = {
    EchoAction{.echo = "AT^SBNR=\"vcs\",",
               .compare = kPrefix,
               .onOk = {At(2, AppointmentSlotEmpty)},
               .onError = FailsWith<kAppointmentReadFailed>,
               .onRefused = ReadRefused},
    EchoAction{.echo = "AT^SBNR=\"mid\",",
               .compare = kPrefix,
               .onOk = {At(2, MelodyEmpty)},
               .onError = FailsWith<kMelodyReadFailed>,
               .onRefused = ReadRefused},
    EchoAction{.echo = "AT^SBNR=\"bmp\",",
               .compare = kPrefix,
               .onOk = {At(2, LogoEmpty)},
               .onError = FailsWith<kLogoReadFailed>,
               .onRefused = LogoReadRefused},
    // The last header stands right above the blank line before "OK" when its
    // data line did not come: the object reads as having no data.
    EchoAction{.echo = kObjectHeader,
               .compare = kPrefix,
               .onOk = {At(3, ObjectRead, kByAction), At(2, ObjectRead, kByAction)}},
    EchoAction{.echo = "AT^SBNW=\"vcs\",",
               .compare = kPrefix,
               .onOk = {At(3, PacketAccepted<&UploadState::SendingAppointment, HandleSbnwVcsAnswer>,
                           kByAction),
                        At(2, AppointmentDeleted, kByAction)},
               .onError = UploadFailed<kAppointmentSaveFailed>,
               .onRefused = UploadRefused<&UploadState::SendingAppointment, false>},
    EchoAction{
        .echo = "AT^SBNW=\"mid\",",
        .compare = kPrefix,
        .onOk = {At(3, PacketAccepted<&UploadState::SendingMelody, HandleSbnwMidAnswer>, kByAction),
                 At(2, MelodyDeleted, kByAction)},
        .onError = UploadFailed<kMelodySaveFailed>,
        .onRefused = UploadRefused<&UploadState::SendingMelody, true>},
    EchoAction{
        .echo = "AT^SBNW=\"bmp\",",
        .compare = kPrefix,
        .onOk = {At(3, PacketAccepted<&UploadState::SendingLogo, HandleSbnwBmpAnswer>, kByAction),
                 At(2, LogoDeleted, kByAction)},
        .onError = UploadFailed<kLogoSaveFailed>,
        .onRefused = UploadRefused<&UploadState::SendingLogo, true>},
};

}  // namespace

std::span<const EchoAction> ObjectActions() { return kObjectActions; }

}  // namespace parlenko

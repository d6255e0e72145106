#include "engine/melodies/melody_actions.h"

#include "engine/melodies/ringer_answers.h"
#include "engine/parse/answer_reader.h"
#include "engine/conversation/outcome_actions.h"
#include "engine/core/busy_state.h"
#include "engine/services/services_state.h"
#include "engine/melodies/melodies_state.h"
#include "engine/melodies/melody_commands.h"

#include <array>

namespace parlenko {

namespace {

constexpr char kMelodiesFailed[] = "Error occured while trying to read\rmelodies from mobile!";
constexpr char kPlayFailed[] = "Error occured while trying to\rplay melody from mobile!";
constexpr char kSetMelodyFailed[] = "Error occured while trying to\rset melody in mobile!";

ScanStep RingerRangesOk(EngineContext& ctx, const EchoHit& hit) {
    EndBusy(ctx);
    HandleSrtcTestAnswer(ctx, hit.answer);
    return ScanStep::Continue;
}

ScanStep RingerStateOk(EngineContext& ctx, const EchoHit& hit) {
    EndBusy(ctx);
    HandleSrtcQueryAnswer(ctx, hit.answer);
    return ScanStep::Continue;
}

// Play or stop accepted: the state is read again.
ScanStep RingerPlayOk(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    SendAtSrtc(ctx, 1);
    return ScanStep::Continue;
}

// A melody that could not be played leaves the list and the volume usable.
void EnableMelodyChoice(EngineContext& ctx) {
    auto& m = Melodies(ctx);
    m.MelodijeCBEnabled = true;
    m.VolumeTBEnabled = true;
    ShowRingerState(ctx);
}

ScanStep RingerPlayRefused(EngineContext& ctx, const EchoHit&) {
    Services(ctx).MelodyPlayPending = false;
    EnableMelodyChoice(ctx);
    return ScanStep::Continue;
}

// "AT^SRTC=<mode>,...": a setting, not the query "AT^SRTC=?".
bool IsRingerSet(const EchoHit& hit) {
    AnswerReader r(hit.echo);
    r.SkipCommand();
    return r.Peek() != '?';
}

// A melody and volume were set: played next, or kept as the ringer.
ScanStep RingerSetOk(EngineContext& ctx, const EchoHit& hit) {
    if (!IsRingerSet(hit)) return ScanStep::Continue;
    Lines(ctx).Blank(hit.echoEntry);
    EndBusy(ctx);
    auto& s = Services(ctx);
    if (s.MelodyPlayPending) SendAtSrtc(ctx, 3);
    if (s.MelodySetPending) {
        s.MelodySetPending = false;
        s.KeptMelody = s.SentMelody;
        s.KeptVolume = s.SentVolume;
        ctx.host.ShowStatusMessage("Melody and volume succesfully set!");
    }
    s.MelodyPlayPending = false;
    return ScanStep::Continue;
}

// Neither the play nor the setting goes on after a refusal.
ScanStep RingerSetRefused(EngineContext& ctx, const EchoHit& hit) {
    if (!IsRingerSet(hit)) return ScanStep::Continue;
    auto& s = Services(ctx);
    const bool playing = s.MelodyPlayPending;
    s.MelodyPlayPending = false;
    s.MelodySetPending = false;
    if (playing) EnableMelodyChoice(ctx);
    return ScanStep::Continue;
}

ScanStep RingerSetError(EngineContext& ctx, const EchoHit& hit) {
    if (!IsRingerSet(hit)) return ScanStep::Continue;
    Lines(ctx).Blank(hit.echoEntry);
    ShowRefusal(ctx, hit, kSetMelodyFailed);
    return ScanStep::Continue;
}

constexpr std::array kMelodyActions = {
    EchoAction{.echo = "AT^SRTC=?",
               .onOk = {At(4, RingerRangesOk)},
               .onError = FailsWith<kMelodiesFailed>},
    EchoAction{
        .echo = "AT^SRTC?", .onOk = {At(4, RingerStateOk)}, .onError = FailsWith<kMelodiesFailed>},
    EchoAction{.echo = "AT^SRTC",
               .onOk = {At(2, RingerPlayOk)},
               .onError = FailsWith<kPlayFailed>,
               .onRefused = RingerPlayRefused},
    EchoAction{.echo = "AT^SRTC=",
               .compare = kPrefix,
               .onOk = {At(2, RingerSetOk, kByAction)},
               .onError = RingerSetError,
               .onRefused = RingerSetRefused},
};

}  // namespace

std::span<const EchoAction> MelodyActions() { return kMelodyActions; }

}  // namespace parlenko

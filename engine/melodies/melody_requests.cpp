#include "engine/melodies/melody_requests.h"

#include "engine/melodies/ringer_answers.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/services/services_state.h"
#include "engine/melodies/melodies_state.h"
#include "engine/melodies/melody_commands.h"

namespace parlenko {

namespace {

bool MelodyChoiceValid(const EngineContext& ctx, int melody, int volume) {
    const auto& m = Melodies(ctx);
    return melody >= 0 && melody < static_cast<int>(m.MelodijeCB.size()) && volume >= m.VolumeMin &&
           volume <= m.VolumeMax;
}

void SendMelody(EngineContext& ctx, int melody, int volume) {
    auto& s = Services(ctx);
    s.SentMelody = melody;
    s.SentVolume = volume;
    auto& m = Melodies(ctx);
    m.MelodijeIndex = melody;
    m.VolumeTB = volume;
    SendAtSrtc(ctx, 2, melody, volume);
}

}  // namespace

void ReadMelodies(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    SendAtSrtc(ctx, 0);
}

bool PlayMelody(EngineContext& ctx, int melody, int volume) {
    if (!ctx.port.Connected() || !MelodyChoiceValid(ctx, melody, volume)) return false;
    auto& s = Services(ctx);
    s.MelodyPlayPending = true;
    s.MelodySetPending = false;
    auto& m = Melodies(ctx);
    m.MelodijeCBEnabled = false;
    m.VolumeTBEnabled = false;
    SendMelody(ctx, melody, volume);
    ShowRingerState(ctx);
    return true;
}

bool SetMelody(EngineContext& ctx, int melody, int volume) {
    if (!ctx.port.Connected() || !MelodyChoiceValid(ctx, melody, volume)) return false;
    auto& s = Services(ctx);
    s.MelodySetPending = true;
    s.MelodyPlayPending = false;
    SendMelody(ctx, melody, volume);
    return true;
}

void StopMelody(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    auto& m = Melodies(ctx);
    m.MelodijeCBEnabled = true;
    m.VolumeTBEnabled = true;
    ShowRingerState(ctx);
    SendAtSrtc(ctx, 3);
}

void SelectMelody(EngineContext& ctx, int index) {
    auto& m = Melodies(ctx);
    m.MelodijeIndex = index >= 0 && index < static_cast<int>(m.MelodijeCB.size()) ? index : -1;
}

}  // namespace parlenko

#pragma once
// What the melodies page starts with the phone's ringer. Each sends only the
// first command; the answers carry the operation on (ringer_answers.h,
// melody_actions.h). Nothing is sent while the port is closed; a melody or
// volume outside what the phone offers is refused (false) and nothing is
// sent.

#include "engine/core/engine_context.h"

namespace parlenko {

// The melodies page was opened: the phone's melody and volume ranges are
// read, then its ringer state.
void ReadMelodies(EngineContext& ctx);
// Plays melody (an index of the melody list) at volume (within the phone's
// range) on the phone; the list and the volume take no input meanwhile.
bool PlayMelody(EngineContext& ctx, int melody, int volume);
// Makes melody and volume the phone's ringer (kept from then on).
bool SetMelody(EngineContext& ctx, int melody, int volume);
// Stops a playing melody; the list and the volume take input again.
void StopMelody(EngineContext& ctx);
// The melody list's selection (-1 none), which a melody delete addresses.
void SelectMelody(EngineContext& ctx, int index);

}  // namespace parlenko

#pragma once
// What the divert, lock and barring checks and the ringer commands remember
// between two answers. One member of EngineState (Services).

#include "engine/core/engine_context.h"
#include "engine/services/services_view.h"
#include "engine/core/progress_window.h"

namespace parlenko {

// Values of DivertStep and BarringStep after a single change; the answer to
// the change's re-query shows the success text they select.
inline constexpr int kSwitchedOn = -30;
inline constexpr int kSwitchedOff = -10;

struct ServicesState {
    // During the divert check: the reasons answered (0 to 4). After a single
    // change: kSwitchedOn or kSwitchedOff.
    int DivertStep = 0;
    // During the lock check 1 to 5 ("CS" to "FD" answered), during the
    // barring check 5 to 10 ("AO" to "IR"); after a single change
    // kSwitchedOn or kSwitchedOff.
    int BarringStep = 0;
    ServicesView Page;
    ProgressWindowView Progress;  // of the divert and barring checks

    // The phone's ringer melody and volume as first read in this run (-1
    // until then); restored after a melody was played.
    int KeptMelody = -1;
    int KeptVolume = -1;
    // The melody and volume just sent are to be played (MelodyPlayPending)
    // or kept as the ringer (MelodySetPending).
    bool MelodyPlayPending = false;
    bool MelodySetPending = false;
    int SentMelody = 0;
    int SentVolume = 0;
};

inline ServicesState& Services(const EngineContext& ctx) { return ctx.topics.Get<ServicesState>(); }

}  // namespace parlenko

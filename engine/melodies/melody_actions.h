#pragma once
// The final-result actions of the ringer commands: the ranges ("AT^SRTC=?")
// and the state ("AT^SRTC?") that fill the melodies page (ringer_answers.h),
// the melody and volume sent to be played or kept ("AT^SRTC=") and the play
// or stop ("AT^SRTC"). A refused play or setting leaves the list and the
// volume usable and drops what was pending.

#include "engine/conversation/echo_actions.h"

#include <span>

namespace parlenko {

std::span<const EchoAction> MelodyActions();

}  // namespace parlenko

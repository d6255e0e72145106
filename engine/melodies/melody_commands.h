#pragma once
// The ringer's command.
// Each line builder checks the data it puts in its line and returns ""
// (send nothing) when the line could not carry it (command_lines.h); each
// writer sends its line through the one road of a command (command_send.h).

#include "engine/conversation/command_send.h"

#include <string>
#include <string_view>

namespace parlenko::at {

// Ringer melody: mode 0 list ("=?"), 1 query, 2 set; any other mode "AT^SRTC".
std::string Srtc(int mode, int melody, int volume);

}  // namespace parlenko::at

namespace parlenko {

void SendAtSrtc(EngineContext& ctx, int mode, int melody = 0, int volume = 0);

}  // namespace parlenko

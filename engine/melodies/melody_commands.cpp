#include "engine/melodies/melody_commands.h"

#include "engine/conversation/command_lines.h"
#include "engine/core/strings.h"

namespace parlenko::at {

std::string Srtc(int mode, int melody, int volume) {
    switch (mode) {
        case 0: return Line("AT^SRTC=?");
        case 1: return Line("AT^SRTC?");
        case 2: return Join({"AT^SRTC=", IntToStr(melody), ",", IntToStr(volume)});
        default: return Line("AT^SRTC");
    }
}
}  // namespace parlenko::at

namespace parlenko {

void SendAtSrtc(EngineContext& ctx, int mode, int melody, int volume) {
    SendCommand(ctx, at::Srtc(mode, melody, volume));
}
}  // namespace parlenko

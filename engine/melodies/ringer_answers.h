#pragma once
// The answers of the ringer-melody commands: "AT^SRTC=?" gives the melody
// and volume ranges, from which the melodies page's list is made; "AT^SRTC?"
// gives the ringer melody, its volume and whether it plays. The first state
// read in a run is kept (KeptMelody, KeptVolume) and restored whenever a
// later answer shows the phone idle with another melody or volume, i.e.
// after a melody was played from the page.

#include "engine/core/engine_context.h"

#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

// The melody list never grows beyond this many items, whatever the phone says.
inline constexpr int kMaxMelodyCount = 999;

// "^SRTC: (<lowest>-<highest melody>),(<lowest>-<highest volume>)".
struct RingerRanges {
    int melodyCount = 0;  // highest melody + 1, at most kMaxMelodyCount
    std::optional<int> volumeMin;
    std::optional<int> volumeMax;
};
// nullopt unless the line is "^SRTC:" with a readable melody range.
std::optional<RingerRanges> ParseSrtcTest(std::string_view line);

// "^SRTC: <melody>,<volume>,<playing>".
struct RingerSetting {
    int melody = 0;
    int volume = 0;
    bool playing = false;
};
// nullopt unless the line is "^SRTC:" with a melody and a volume number
// (0 to kMaxMelodyCount).
std::optional<RingerSetting> ParseSrtcQuery(std::string_view line);

// The melody list for the connected model (FillMelodyList; plain numbered
// items for a model without a table), the upload slots and the volume
// range; then the ringer state is asked for.
void HandleSrtcTestAnswer(EngineContext& ctx, const std::string& line);
// The ringer state: the selected melody, the volume and the melody
// controls; the kept melody and volume restored when the phone is idle with
// others. An unreadable answer changes nothing.
void HandleSrtcQueryAnswer(EngineContext& ctx, const std::string& line);

// The melodies page's list and controls changed.
void ShowMelodyList(EngineContext& ctx);
void ShowRingerState(EngineContext& ctx);

}  // namespace parlenko

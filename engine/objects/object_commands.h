#pragma once
// The binary objects' commands: their ranges, read, upload packets and delete.
// Each line builder checks the data it puts in its line and returns ""
// (send nothing) when the line could not carry it (command_lines.h); each
// writer sends its line through the one road of a command (command_send.h).

#include "engine/conversation/command_send.h"

#include <string>
#include <string_view>
#include <vector>

namespace parlenko::at {

// Binary object types of "AT^SBNR="/"AT^SBNW=".
inline constexpr int kObjAppointment = 1;  // "vcs"
inline constexpr int kObjMelody = 2;       // "mid"
inline constexpr int kObjLogo = 3;         // "bmp"
std::string SbnrTest();
std::string Sbnr(int type, int index);
std::string Sbnw(int type, int location, int part, int count);
// Delete a binary object. For a melody nothing is sent unless the selected
// item of the melody list is an "Individual" melody.
std::string SbnwDelete(int type, std::string_view index,
                       const std::vector<std::string>& melodyItems, int selectedMelody);

}  // namespace parlenko::at

namespace parlenko {

void SendAtSbnrTest(EngineContext& ctx);
void SendAtSbnr(EngineContext& ctx, int type, int index);
void SendAtSbnw(EngineContext& ctx, int type, int location, int part, int count);
// A melody is deleted only while a user melody is selected (state.Melodies).
void SendAtSbnwDelete(EngineContext& ctx, int type, std::string_view index);

}  // namespace parlenko

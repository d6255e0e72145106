#include "engine/objects/object_commands.h"

#include "engine/conversation/command_lines.h"
#include "engine/core/strings.h"
#include "engine/melodies/melodies_state.h"

namespace parlenko::at {

namespace {

// "\"vcs\"," and the others: the comma belongs to the type text.
std::string_view ObjectType(int type) {
    switch (type) {
        case kObjAppointment: return "\"vcs\",";
        case kObjMelody: return "\"mid\",";
        case kObjLogo: return "\"bmp\",";
        default: return {};
    }
}
}  // namespace

std::string SbnrTest() { return Line("AT^SBNR=?"); }
std::string Sbnr(int type, int index) {
    auto t = ObjectType(type);
    if (t.empty()) return {};
    return Join({"AT^SBNR=", t, IntToStr(index)});
}
std::string Sbnw(int type, int location, int part, int count) {
    auto t = ObjectType(type);
    if (t.empty()) return {};
    return Join({"AT^SBNW=", t, IntToStr(location), ",", IntToStr(part), ",", IntToStr(count)});
}
std::string SbnwDelete(int type, std::string_view index,
                       const std::vector<std::string>& melodyItems, int selectedMelody) {
    auto t = ObjectType(type);
    if (t.empty() || !IsDigitsText(index)) return {};
    if (type == kObjMelody) {
        const int count = static_cast<int>(melodyItems.size());
        if (selectedMelody < 0 || selectedMelody >= count) return {};
        if (melodyItems[static_cast<std::size_t>(selectedMelody)].find("Individual") ==
            std::string::npos)
            return {};
    }
    return Join({"AT^SBNW=", t, index, ",0"});
}
}  // namespace parlenko::at

namespace parlenko {

void SendAtSbnrTest(EngineContext& ctx) { SendCommand(ctx, at::SbnrTest()); }
void SendAtSbnr(EngineContext& ctx, int type, int index) {
    SendCommand(ctx, at::Sbnr(type, index));
}
void SendAtSbnw(EngineContext& ctx, int type, int location, int part, int count) {
    SendCommand(ctx, at::Sbnw(type, location, part, count));
}
void SendAtSbnwDelete(EngineContext& ctx, int type, std::string_view index) {
    const auto& m = Melodies(ctx);
    SendCommand(ctx, at::SbnwDelete(type, index, m.MelodijeCB, m.MelodijeIndex));
}
}  // namespace parlenko

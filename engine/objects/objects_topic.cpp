#include "engine/objects/objects_topic.h"

#include "engine/objects/object_actions.h"
#include "engine/objects/object_answers.h"
#include "engine/objects/objects_state.h"

namespace parlenko {

namespace {

// The next packet of the running upload; none when no upload runs (the
// time-out ended it).
std::optional<std::string> NextPacket(EngineContext& ctx) {
    const auto& up = Upload(ctx);
    if (up.PacketIndex < 1 || up.PacketIndex > static_cast<int>(up.UploadPackets.size()))
        return std::nullopt;
    return up.UploadPackets[static_cast<std::size_t>(up.PacketIndex - 1)];
}

bool UploadRuns(const EngineContext& ctx) {
    const auto& up = Upload(ctx);
    return up.SendingAppointment || up.SendingMelody || up.SendingLogo;
}

// No packet of a running upload is sent any more.
void UploadEnds(EngineContext& ctx) { Upload(ctx) = UploadState{}; }

}  // namespace

void RegisterObjects(TopicRegistry& registry) {
    registry.tables.push_back({ObjectActions()});
    registry.prompts.push_back(
        {{"AT^SBNW=\"vcs\"", "AT^SBNW=\"mid\"", "AT^SBNW=\"bmp\""}, NextPacket});
    registry.uploads.push_back(UploadRuns);
    registry.reads.push_back(StopAppointmentRead);
    registry.ended.push_back(UploadEnds);
}

}  // namespace parlenko

#include "engine/melodies/melodies_topic.h"

#include "engine/melodies/melody_actions.h"
#include "engine/services/services_state.h"

namespace parlenko {

namespace {

// A melody sent to be played or kept and never confirmed: a later accepted
// melody setting (the ringer restored) must not start playing.
void RingerRequestEnds(EngineContext& ctx) {
    Services(ctx).MelodyPlayPending = false;
    Services(ctx).MelodySetPending = false;
}

}  // namespace

void RegisterMelodies(TopicRegistry& registry) {
    registry.tables.push_back({MelodyActions()});
    registry.ended.push_back(RingerRequestEnds);
}

}  // namespace parlenko

#pragma once
// The ringer melodies in the conversation: the rows of the ringer commands.

#include "engine/conversation/topic_registry.h"

namespace parlenko {

void RegisterMelodies(TopicRegistry& registry);

}  // namespace parlenko

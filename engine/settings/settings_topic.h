#pragma once
// The phone's settings in the conversation: the rows of the clock, switch-off
// and single set commands, and of the chain that reads the other settings.

#include "engine/conversation/topic_registry.h"

namespace parlenko {

void RegisterSettings(TopicRegistry& registry);

}  // namespace parlenko

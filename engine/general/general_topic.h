#pragma once
// The general information in the conversation: the rows of the information
// chain, and the registration and cell-broadcast notices.

#include "engine/conversation/topic_registry.h"

namespace parlenko {

void RegisterGeneral(TopicRegistry& registry);

}  // namespace parlenko

#pragma once
// Diverts, barrings, locks and security codes in the conversation: the rows
// of their queries and changes.

#include "engine/conversation/topic_registry.h"

namespace parlenko {

void RegisterServices(TopicRegistry& registry);

}  // namespace parlenko

#pragma once
// The calendar, melody and logo objects in the conversation: the rows of
// their reads and uploads, the packets at the "> " prompt, and what a failed
// conversation ends (an upload, the appointment read).

#include "engine/conversation/topic_registry.h"

namespace parlenko {

void RegisterObjects(TopicRegistry& registry);

}  // namespace parlenko

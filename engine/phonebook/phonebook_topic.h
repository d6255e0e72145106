#pragma once
// The phonebook and the call lists in the conversation: the rows of the
// memory selections, reads and writes, and what a failed, silent or closed
// conversation ends of theirs (a read, an entry operation, a restore run).

#include "engine/conversation/topic_registry.h"

namespace parlenko {

void RegisterPhonebook(TopicRegistry& registry);

}  // namespace parlenko

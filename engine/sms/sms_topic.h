#pragma once
// The messages in the conversation: the rows of the message commands, the
// new-message and overflow notices, the PDU at the "> " prompt, the reads
// of waiting messages once idle, and what a failed conversation ends.

#include "engine/conversation/topic_registry.h"

namespace parlenko {

void RegisterSms(TopicRegistry& registry);

}  // namespace parlenko

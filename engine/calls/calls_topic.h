#pragma once
// The calls in the conversation: the rows of the dial, answer, hang-up, tone
// and dialled-calls commands, and the call codes the phone sends out of turn.

#include "engine/conversation/topic_registry.h"

namespace parlenko {

void RegisterCalls(TopicRegistry& registry);

}  // namespace parlenko

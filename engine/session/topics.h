#pragma once
// The topics of the conversation, registered in the order their rows run
// on a final result: the closing echoes, the calls, the general
// information, the settings, the connect chain, the phonebook, the
// messages, the objects, the services and the melodies.

#include "engine/conversation/topic_registry.h"

namespace parlenko {

void RegisterTopics(TopicRegistry& registry);

}  // namespace parlenko

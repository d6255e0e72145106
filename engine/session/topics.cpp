#include "engine/session/topics.h"

#include "engine/calls/calls_topic.h"
#include "engine/general/general_topic.h"
#include "engine/melodies/melodies_topic.h"
#include "engine/objects/objects_topic.h"
#include "engine/phonebook/phonebook_topic.h"
#include "engine/services/services_topic.h"
#include "engine/session/connect_chain.h"
#include "engine/settings/settings_topic.h"
#include "engine/sms/sms_topic.h"

namespace parlenko {

void RegisterTopics(TopicRegistry& registry) {
    registry.tables.push_back({ClosingEchoActions()});
    RegisterCalls(registry);
    RegisterGeneral(registry);
    RegisterSettings(registry);
    registry.tables.push_back({ConnectChainActions(), /*chain=*/true});
    RegisterPhonebook(registry);
    RegisterSms(registry);
    RegisterObjects(registry);
    RegisterServices(registry);
    RegisterMelodies(registry);
}

}  // namespace parlenko

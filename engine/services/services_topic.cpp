#include "engine/services/services_topic.h"

#include "engine/services/service_actions.h"

namespace parlenko {

void RegisterServices(TopicRegistry& registry) { registry.tables.push_back({ServicesActions()}); }

}  // namespace parlenko

#include "engine/settings/settings_topic.h"

#include "engine/settings/set_commands.h"
#include "engine/settings/settings_chain.h"

namespace parlenko {

void RegisterSettings(TopicRegistry& registry) {
    registry.tables.push_back({ClockSetActions()});
    registry.tables.push_back({SwitchOffActions()});
    registry.tables.push_back({SettingsChainActions(), /*chain=*/true});
    registry.tables.push_back({SetCommandActions()});
}

}  // namespace parlenko

#include "engine/calls/calls_topic.h"

#include "engine/calls/call_actions.h"
#include "engine/calls/call_notices.h"
#include "engine/conversation/scan_tests.h"
#include "engine/core/result_codes.h"

namespace parlenko {

void RegisterCalls(TopicRegistry& registry) {
    registry.tables.push_back({CallActions()});
    registry.notices.insert(
        registry.notices.end(),
        {WholeLine<codes::kRing, HandleRing>, WholeLine<codes::kNoCarrier, HandleNoCarrier>,
         WholeLine<codes::kBusy, HandleBusy>, WholeLine<codes::kNoDialtone, HandleNoDialtone>,
         LineBeginning<codes::kClip, HandleClip>});
}

}  // namespace parlenko

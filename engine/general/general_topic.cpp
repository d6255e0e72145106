#include "engine/general/general_topic.h"

#include "engine/conversation/scan_tests.h"
#include "engine/core/result_codes.h"
#include "engine/general/general_info_chain.h"
#include "engine/general/network_notices.h"

namespace parlenko {

namespace {

// A cell-broadcast page: 88 octets as 176 hex characters under its header.
ScanStep CellBroadcastPage(EngineContext& ctx, int i) {
    auto& l = Lines(ctx);
    if (i > 0 && !IsRemainder(ctx, i) && l.Length(i) == 176 && l.StartsWith(i - 1, codes::kCbmPage))
        return HandleCellBroadcast(ctx, i);
    return ScanStep::Continue;
}

}  // namespace

void RegisterGeneral(TopicRegistry& registry) {
    registry.tables.push_back({GeneralInfoActionsToClock(), /*chain=*/true});
    registry.tables.push_back({GeneralInfoActionsAfterClock(), /*chain=*/true});
    registry.notices.push_back(LineBeginning<codes::kCreg, HandleCreg>);
    registry.notices.push_back(CellBroadcastPage);
}

}  // namespace parlenko

#include "engine/conversation/running_reads.h"

#include "engine/conversation/topic_registry.h"
#include "engine/core/busy_state.h"

namespace parlenko {

namespace {

// The store exchanges keep their own progress window.
bool StoreExchangeRuns(const EngineContext& ctx) {
    return ctx.state.Mode == ActivityMode::OutlookContacts ||
           ctx.state.Mode == ActivityMode::OutlookCalendar;
}

}  // namespace

bool StopRunningReads(EngineContext& ctx) {
    bool ran = false;
    for (auto stop : Registry(ctx).reads) ran = stop(ctx) || ran;
    if (!StoreExchangeRuns(ctx) && ctx.host.IsProgressWindowVisible()) {
        ctx.host.HideProgressWindow();
        ctx.host.CloseProgressWindow();
        ran = true;
    }
    EndBusy(ctx);
    return ran;
}

}  // namespace parlenko

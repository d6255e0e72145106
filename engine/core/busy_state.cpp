#include "engine/core/busy_state.h"

namespace parlenko {

void BeginBusy(EngineContext& ctx) {
    ctx.host.SetMainWindowInputLocked(true);
    ctx.state.Indicators.PortTrafficStep = 1;
    ctx.timers.PortTrafficTimer->Start();
}

void EndBusy(EngineContext& ctx) {
    ctx.timers.PortTrafficTimer->Stop();
    ctx.state.Indicators.PortTrafficFrame = 0;
    ctx.host.PortTrafficChanged(0);
    ctx.host.SetMainWindowInputLocked(false);
}

bool IsBusy(const EngineContext& ctx) { return ctx.timers.PortTrafficTimer->IsActive(); }

void PortTrafficTick(EngineContext& ctx) {
    static constexpr int kFrameOfStep[9] = {0, 1, 2, 3, 4, 5, 4, 3, 2};
    auto& ind = ctx.state.Indicators;
    if (ind.PortTrafficStep > 8 || ind.PortTrafficStep < 1) ind.PortTrafficStep = 1;
    ind.PortTrafficFrame = kFrameOfStep[ind.PortTrafficStep];
    ++ind.PortTrafficStep;
    ctx.host.PortTrafficChanged(ind.PortTrafficFrame);
}

}  // namespace parlenko

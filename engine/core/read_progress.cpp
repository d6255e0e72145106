#include "engine/core/read_progress.h"

#include "engine/core/busy_state.h"
#include "engine/core/strings.h"

namespace parlenko {

int ProgressPercent(int done, int total) {
    if (total <= 0) return 0;
    return static_cast<int>(RoundHalfEven(static_cast<double>(done) / total * 100.0));
}

void CloseReadProgress(EngineContext& ctx) {
    ctx.host.CloseProgressWindow();
    EndBusy(ctx);
}

}  // namespace parlenko

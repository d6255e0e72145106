#include "engine/receive/final_results.h"

#include "engine/session/busy_state.h"

namespace parlenko {

// The matching of echoes to commands comes in its own units; until then a
// result ends what it ends in every case: "ERROR" the busy state.
ScanStep HandleFinalResult(EngineContext& ctx, int i, FinalResultKind kind) {
    auto& lines = ctx.state.Receive.RxLines;
    switch (kind) {
    case FinalResultKind::PhoneError:
        lines.Blank(i);
        lines.Blank(i - 2);
        EndBusy(ctx);
        break;
    case FinalResultKind::Ok:
        lines.Blank(i);
        break;
    case FinalResultKind::Error:
        EndBusy(ctx);
        lines.Blank(i);
        break;
    }
    return ScanStep::Continue;
}

}  // namespace parlenko

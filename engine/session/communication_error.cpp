#include "engine/session/communication_error.h"

namespace parlenko {

void ReportCommunicationError(EngineContext& ctx) {
    ctx.host.ShowMessageDialog("Communication error!", "Cannot send data!", DialogKind::Error,
                               DialogButtons::Ok);
}

}  // namespace parlenko

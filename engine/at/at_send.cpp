#include "engine/at/at_send.h"

#include "engine/serial/serial_port_driver.h"
#include "engine/session/communication_error.h"
#include "engine/session/exchange_timeout.h"

namespace parlenko {

bool SendAtLine(EngineContext& ctx, std::string_view line, AnswerExpected expected) {
    if (!ctx.port.SendString(line)) {
        ReportCommunicationError(ctx);
        return false;
    }
    if (expected == AnswerExpected::Yes) RestartTimeOut(ctx);
    return true;
}

}  // namespace parlenko

#include "engine/at/at_send.h"

#include "engine/serial/serial_port_driver.h"
#include "engine/session/busy_state.h"
#include "engine/session/communication_error.h"
#include "engine/session/exchange_timeout.h"

namespace parlenko {

bool SendAtLine(EngineContext& ctx, std::string_view line, AnswerExpected expected) {
    // With no exchange in flight the phone's answer to this command starts
    // on a fresh line: a fragment left without its carriage return (line
    // noise, a phone that restarted) would otherwise be glued to the echo
    // and hide it.
    if (!IsBusy(ctx)) {
        auto& lines = ctx.state.Receive.RxLines;
        lines.Blank(lines.Size() - 1);
    }
    if (!ctx.port.SendString(line)) {
        ReportCommunicationError(ctx);
        return false;
    }
    if (expected == AnswerExpected::Yes) RestartTimeOut(ctx);
    return true;
}

}  // namespace parlenko

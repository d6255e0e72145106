#include "engine/conversation/command_send.h"

#include "engine/conversation/line_intake.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/conversation/communication_error.h"
#include "engine/conversation/exchange_timeout.h"

namespace parlenko {

void CommandWritten(EngineContext& ctx, std::string_view line) {
    if (!line.ends_with('\r')) return;
    auto& rx = ctx.state.Receive;
    const int remainder = rx.RxLines.Size() - 1;
    if (!CanBeginKnownLine(rx.RxLines.At(remainder))) rx.RxLines.Blank(remainder);
    rx.CommandInFlight = std::string(line.substr(0, line.size() - 1));
    rx.CommandEntry = remainder;
}

bool SendAtLine(EngineContext& ctx, std::string_view line, AnswerExpected expected) {
    if (expected == AnswerExpected::Yes) CommandWritten(ctx, line);
    if (!ctx.port.SendString(line)) {
        ctx.state.Receive.CommandInFlight.clear();
        ReportCommunicationError(ctx);
        return false;
    }
    if (expected == AnswerExpected::Yes) RestartTimeOut(ctx);
    return true;
}

}  // namespace parlenko

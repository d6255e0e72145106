#include "engine/conversation/command_send.h"

#include "engine/conversation/line_intake.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/conversation/command_lines.h"
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
    rx.CommandWrittenMs = ctx.scheduler.NowMs();
}

bool SendAtLine(EngineContext& ctx, std::string_view line, AnswerExpected expected) {
    if (expected == AnswerExpected::Yes) CommandWritten(ctx, line);
    if (!ctx.port.SendString(line)) {
        ctx.state.Receive.CommandInFlight.clear();
        ReportCommunicationError(ctx);
        return false;
    }
    if (expected == AnswerExpected::Yes) {
        ctx.state.Receive.CommandWrittenMs = ctx.scheduler.NowMs();
        RestartTimeOut(ctx);
    }
    return true;
}

void SendCommand(EngineContext& ctx, const std::string& line, AnswerExpected expected) {
    if (line.empty()) return;  // a selector outside the listed values
    // Closing: the running operation ends here, its next step is not sent.
    if (ctx.state.Chain.Closing) return;
    SendAtLine(ctx, line, expected);
}

void SendClosingCommand(EngineContext& ctx, const std::string& line) {
    if (!line.empty()) SendAtLine(ctx, line);
}

void SendAtEchoOn(EngineContext& ctx) { SendCommand(ctx, at::EchoOn()); }
void SendAtPdu(EngineContext& ctx, std::string_view pdu) { SendCommand(ctx, at::Pdu(pdu)); }
void SendAtEscape(EngineContext& ctx) { SendCommand(ctx, at::Escape(), AnswerExpected::No); }

}  // namespace parlenko

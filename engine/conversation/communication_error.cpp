#include "engine/conversation/communication_error.h"

#include "engine/serial/serial_port_driver.h"
#include "engine/conversation/connection.h"

#include <string>

namespace parlenko {

namespace {

constexpr const char* kLineCheckOnText =
    "Cannot send data!\r\rMobile not connected to serial port or not switched on.\r"
    "Disable 'Check connection' in 'Options' window.\r\rAlso, if you use two wires data "
    "cable, replace it with\rfull wires data cable.";

constexpr const char* kLineCheckOffText =
    "Cannot send data!\r\rCheck connection between mobile and computer.\r"
    "In 'Options' window, disable following options:\r\r     -  Check connection\r"
    "     -  Hardware flow control\r\rIf you use two wires data cable, you need to disable\r"
    "all data flow controls in 'Options' window.";

// Disconnects and tells text, once per connection.
void ReportBrokenConnection(EngineContext& ctx, const std::string& text) {
    auto& reported = ctx.state.Chain.CommunicationErrorReported;
    if (reported) return;
    reported = true;  // before anything that may write or run the loop again
    // Asked while the port is still open: a device that went away is named.
    const PortError gone = ctx.port.GoneError();
    DisconnectMobile(ctx);
    std::string shown = text;
    if (gone.fault == PortFault::Gone) shown += "\r\r" + PortErrorText(gone);
    ctx.host.ShowMessageDialog("Communication error!", shown, DialogKind::Error, DialogButtons::Ok);
}

std::string Quoted(std::string_view command) { return "\"" + std::string(command) + "\""; }

}  // namespace

void ReportCommunicationError(EngineContext& ctx) {
    ReportBrokenConnection(ctx, ctx.port.CheckLineStatus() ? kLineCheckOnText : kLineCheckOffText);
}

void ReportLinkLost(EngineContext& ctx) {
    if (ctx.state.Receive.CommandInFlight.empty()) return;
    ReportCommunicationError(ctx);
}

void ReportNoAnswer(EngineContext& ctx, std::string_view command) {
    ReportBrokenConnection(ctx, "Mobile stopped answering!\r\rNo answer to command " +
                                    Quoted(command) +
                                    ".\r\rCheck connection between mobile and computer,\r"
                                    "and that mobile is switched on.");
}

void ReportEchoRefused(EngineContext& ctx, std::string_view command, const std::string& reason) {
    ReportBrokenConnection(ctx, "Mobile refused command " + Quoted(command) + "!" +
                                    (reason.empty() ? "" : "\r\r" + reason) +
                                    "\r\rWithout command echo, answers of mobile\r"
                                    "cannot be read.");
}

}  // namespace parlenko

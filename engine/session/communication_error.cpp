#include "engine/session/communication_error.h"

#include "engine/serial/serial_port_driver.h"
#include "engine/session/connection.h"

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

}  // namespace

void ReportCommunicationError(EngineContext& ctx) {
    auto& reported = ctx.state.Chain.CommunicationErrorReported;
    if (reported) return;
    reported = true;  // before anything that may write or run the loop again
    // Asked while the port is still open: a device that went away is named.
    const PortError gone = ctx.port.GoneError();
    DisconnectMobile(ctx);
    std::string text = ctx.port.CheckLineStatus() ? kLineCheckOnText : kLineCheckOffText;
    if (gone.fault == PortFault::Gone) text += "\r\r" + PortErrorText(gone);
    ctx.host.ShowMessageDialog("Communication error!", text, DialogKind::Error, DialogButtons::Ok);
}

}  // namespace parlenko

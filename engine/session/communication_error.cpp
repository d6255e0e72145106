#include "engine/session/communication_error.h"

#include "engine/serial/serial_port_driver.h"
#include "engine/session/connection.h"

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
    DisconnectMobile(ctx);
    ctx.host.ShowMessageDialog("Communication error!",
                               ctx.port.CheckLineStatus() ? kLineCheckOnText : kLineCheckOffText,
                               DialogKind::Error, DialogButtons::Ok);
}

}  // namespace parlenko

#pragma once
// Why the serial port could not be opened or set up, as the device reports
// it, and the line the connect error adds for the user.

#include <cstdint>
#include <string>

namespace parlenko {

enum class PortFault : std::uint8_t {
    None,
    NotAllowed,  // no permission to open the device
    InUse,       // another program holds it
    NoDevice,    // nothing there (also a link pointing nowhere)
    NotSerial,   // there, but not a terminal
    Settings,    // opened, but the line settings were refused
    Other,       // another system error (detail says which)
};

struct PortError {
    PortFault fault = PortFault::None;
    std::string device;  // the device tried, as opened
    std::string detail;  // the system's text of the error
};

// One line: the device and the reason, e.g. "/dev/ttyUSB0: in use by another
// program."; empty when there is no fault.
std::string PortErrorText(const PortError& error);

}  // namespace parlenko

#pragma once
// Why the serial port could not be opened or set up, or why it stopped, as
// the device reports it, and the line the error messages add for the user.

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
    Gone,        // was open, and went away (unplugged)
    Other,       // another system error (detail says which)
};

// Where the user stands towards the group that owns a device they may not
// open.
enum class GroupStanding : std::uint8_t {
    Unknown,       // the device's group could not be read
    NotMember,     // the user is not in the group
    NotYetActive,  // added to it, but this login began before: log in again
    Member,        // in it, and refused all the same (the group may not open it)
};

struct PortError {
    PortFault fault = PortFault::None;
    std::string device;  // the device tried, as opened
    std::string detail;  // the system's text of the error
    // NotAllowed: the group owning the device (its number when it has no
    // name) and where the user stands towards it.
    std::string group;
    GroupStanding standing = GroupStanding::Unknown;
};

// One line: the device and the reason, e.g. "/dev/ttyUSB0: in use by another
// program."; empty when there is no fault.
std::string PortErrorText(const PortError& error);

}  // namespace parlenko

#include "engine/serial/port_error.h"

namespace parlenko {
namespace {

std::string NotAllowedReason(const PortError& error) {
    const std::string group = "\"" + error.group + "\"";
    switch (error.standing) {
        case GroupStanding::NotMember:
            if (error.group == "root") {
                return "permission denied; the device belongs to the group \"root\", which your "
                       "user is not in.";
            }
            return "permission denied; the device belongs to the group " + group +
                   " and your user is not in it: sudo adduser $USER " + error.group +
                   ", then log out and in again.";
        case GroupStanding::NotYetActive:
            return "permission denied; your user was added to the device's group " + group +
                   " after this session began: log out and in again.";
        case GroupStanding::Member:
            return "permission denied, although your user is in the device's group " + group +
                   ": the device does not let its group open it.";
        case GroupStanding::Unknown: break;
    }
    return "permission denied; your user must be in the device's group (log in again after "
           "adding it).";
}

std::string Reason(const PortError& error) {
    switch (error.fault) {
        case PortFault::None: return {};
        case PortFault::NotAllowed: return NotAllowedReason(error);
        case PortFault::InUse: return "in use by another program.";
        case PortFault::NoDevice: return "no such device.";
        case PortFault::NotSerial: return "not a serial device.";
        case PortFault::Settings: return "the device does not take these line settings.";
        case PortFault::Gone: return "the device is gone (unplugged or switched off).";
        case PortFault::Other: break;
    }
    return error.detail.empty() ? std::string("error.") : error.detail + ".";
}

}  // namespace

std::string PortErrorText(const PortError& error) {
    const std::string reason = Reason(error);
    if (reason.empty()) return {};
    return error.device.empty() ? reason : error.device + ": " + reason;
}

}  // namespace parlenko

#include "engine/serial/port_error.h"

namespace parlenko {
namespace {

std::string Reason(const PortError& error) {
    switch (error.fault) {
        case PortFault::None: return {};
        case PortFault::NotAllowed:
            return "permission denied; your user must be in the \"dialout\" group (log in again "
                   "after adding it).";
        case PortFault::InUse: return "in use by another program.";
        case PortFault::NoDevice: return "no such device.";
        case PortFault::NotSerial: return "not a serial device.";
        case PortFault::Settings: return "the device does not take these line settings.";
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

#pragma once
// The ports the options offer: what each "COMn" opens, and the serial
// devices present on the machine.

#include <string>
#include <vector>

namespace parlenko::platform {

// The device "COMn" opens, as shown to the user: "ports/comN" when that link
// exists in the data folder, else "/dev/ttyS(n-1)".
std::string ComPortDevice(int n);

// The serial devices present under devDir ("/dev/" on the machine; tests give
// a folder of their own): first the stable names of devDir/serial/by-id/ in
// name order, then the ttyUSB*, ttyACM* and rfcomm* devices that no stable
// name points to, each kind in number order. Paths as found under devDir.
std::vector<std::string> SerialDevicesPresent(const std::string& devDir = "/dev/");

}  // namespace parlenko::platform

#include "tests/support/sim_serial_device.h"

#include <algorithm>
#include <cstring>

namespace parlenko::testing {

SimSerialDevice::SimSerialDevice(const IScheduler& clock, phonesim::PhoneState state,
                                 phonesim::PhoneOptions options)
    : clock_(clock), phone_(std::move(state), options) {}

bool SimSerialDevice::Open(const std::string& name) {
    if (open_ || failOpen_) return false;
    if (!portName_.empty() && name != portName_) return false;
    open_ = true;
    openedName_ = name;
    ++openCount_;
    rx_.clear();
    // What the phone sent while nobody listened is lost with the closed port.
    phone_.DiscardSent(clock_.NowMs());
    return true;
}

PortError SimSerialDevice::GoneError() const {
    if (!open_ || !gone_) return {};
    return {PortFault::Gone, openedName_, {}, {}, GroupStanding::Unknown};
}

bool SimSerialDevice::Configure(const LineSettings& settings) {
    if (!open_) return false;
    settings_ = settings;
    return true;
}

bool SimSerialDevice::SetQueueSizes(std::size_t, std::size_t) { return open_; }

void SimSerialDevice::Close() {
    open_ = false;
    rx_.clear();
}

bool SimSerialDevice::Purge(bool in, bool) {
    if (!open_) return false;
    if (in) {
        rx_.clear();
        phone_.DiscardSent(clock_.NowMs());
    }
    return true;
}

void SimSerialDevice::Fill() {
    if (rx_.empty() && !gone_) rx_ = phone_.Poll(clock_.NowMs());
}

std::optional<std::size_t> SimSerialDevice::InQueue() {
    if (!open_) return std::nullopt;
    Fill();
    return rx_.size();
}

std::optional<std::size_t> SimSerialDevice::OutQueue() {
    if (!open_) return std::nullopt;
    return 0;
}

std::optional<LineSignals> SimSerialDevice::ModemLines() {
    if (!open_) return std::nullopt;
    LineSignals s;
    s.cts = true;
    s.dsr = true;
    return s;
}

std::ptrdiff_t SimSerialDevice::Read(std::uint8_t* buffer, std::size_t size) {
    if (!open_) return -1;
    Fill();
    std::size_t n = std::min(size, rx_.size());
    std::memcpy(buffer, rx_.data(), n);
    rx_.erase(0, n);
    return static_cast<std::ptrdiff_t>(n);
}

std::ptrdiff_t SimSerialDevice::Write(const std::uint8_t* data, std::size_t size) {
    if (!open_ || failWrite_ || gone_) return -1;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    written_.append(bytes);
    phone_.Feed(bytes, clock_.NowMs());
    return static_cast<std::ptrdiff_t>(size);
}

}  // namespace parlenko::testing

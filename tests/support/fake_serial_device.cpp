#include "tests/support/fake_serial_device.h"

#include <algorithm>
#include <cstring>

namespace parlenko::testing {

bool FakeSerialDevice::Open(const std::string& name) {
    ++openCount_;
    openedName_ = name;
    open_ = openResult_;
    return open_;
}

bool FakeSerialDevice::Configure(const LineSettings& settings) {
    ++configureCount_;
    if (!open_ || !configureResult_) return false;
    settings_ = settings;
    return true;
}

bool FakeSerialDevice::SetQueueSizes(std::size_t in, std::size_t out) {
    if (!open_ || !queueSizesResult_) return false;
    inQueueSize_ = in;
    outQueueSize_ = out;
    return true;
}

PortError FakeSerialDevice::GoneError() const {
    if (!open_ || gone_.empty()) return {};
    return {PortFault::Gone, gone_, {}, {}, GroupStanding::Unknown};
}

void FakeSerialDevice::Close() {
    if (open_) ++closeCount_;
    open_ = false;
}

bool FakeSerialDevice::Purge(bool in, bool out) {
    ++purgeCount_;
    lastPurgeIn_ = in;
    lastPurgeOut_ = out;
    if (!open_ || !purgeResult_) return false;
    if (in) incoming_.clear();
    if (out) outQueue_ = 0;
    return true;
}

std::optional<std::size_t> FakeSerialDevice::InQueue() {
    if (!open_ || queuesUnknown_) return std::nullopt;
    return incoming_.size();
}

std::optional<std::size_t> FakeSerialDevice::OutQueue() {
    if (!open_ || queuesUnknown_) return std::nullopt;
    return outQueue_;
}

std::ptrdiff_t FakeSerialDevice::Read(std::uint8_t* buffer, std::size_t size) {
    ++readCount_;
    if (!open_) return -1;
    const std::size_t n = std::min(size, incoming_.size());
    std::memcpy(buffer, incoming_.data(), n);
    incoming_.erase(0, n);
    return static_cast<std::ptrdiff_t>(n);
}

std::ptrdiff_t FakeSerialDevice::Write(const std::uint8_t* data, std::size_t size) {
    if (!open_ || writeFails_) return -1;
    std::size_t n = size;
    if (writeBudget_) {
        n = std::min(n, *writeBudget_);
        *writeBudget_ -= n;
    }
    written_.append(reinterpret_cast<const char*>(data), n);
    return static_cast<std::ptrdiff_t>(n);
}

void FakeSerialDevice::WaitWritable(int ms) {
    ++waitCount_;
    if (clock_ && ms > 0) clock_->Sleep(ms);
}

}  // namespace parlenko::testing

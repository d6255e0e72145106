#pragma once
// A serial port with nothing behind it: it opens, reads nothing and accepts
// every write (or, when told, fails them as a port whose cable was pulled).
// For benchmarks and fuzz targets that hand the engine its input directly.
// Header-only, so that programs outside the test support library can use it.

#include "engine/serial/serial_device.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace parlenko::testing {

class NullSerialDevice final : public ISerialDevice {
public:
    bool Open(const std::string&) override { return open_ = true; }
    bool IsOpen() const override { return open_; }
    bool Configure(const LineSettings&) override { return true; }
    bool SetQueueSizes(std::size_t, std::size_t) override { return true; }
    void Close() override { open_ = false; }
    bool Purge(bool, bool) override { return true; }
    std::optional<std::size_t> InQueue() override { return 0; }
    std::optional<std::size_t> OutQueue() override { return 0; }
    std::optional<LineSignals> ModemLines() override { return std::nullopt; }
    std::ptrdiff_t Read(std::uint8_t*, std::size_t) override { return 0; }
    std::ptrdiff_t Write(const std::uint8_t*, std::size_t size) override {
        if (failWrites) return -1;
        return static_cast<std::ptrdiff_t>(size);
    }

    bool failWrites = false;  // Write returns -1

private:
    bool open_ = false;
};

}  // namespace parlenko::testing

#pragma once
// The serial device on a Linux terminal (a serial port, a USB adapter, or a
// pseudo-terminal in tests): non-blocking, exclusive, raw.

#include "engine/serial/serial_device.h"

namespace parlenko::platform {

class TermiosSerialDevice final : public ISerialDevice {
public:
    TermiosSerialDevice() = default;
    ~TermiosSerialDevice() override;
    TermiosSerialDevice(const TermiosSerialDevice&) = delete;
    TermiosSerialDevice& operator=(const TermiosSerialDevice&) = delete;

    // name goes through ResolvePortName ("COM2" -> ports/com2 link or
    // /dev/ttyS1). Fails when the device is missing, not a terminal, or held
    // by another opener (TIOCEXCL and an exclusive flock).
    bool Open(const std::string& name) override;
    // The device path and the reason of the last failed Open or Configure;
    // a refused permission names the device's group and where the user
    // stands towards it.
    PortError LastError() const override { return lastError_; }
    // Gone when the line has hung up (a USB adapter unplugged, the far end
    // of a pseudo-terminal closed) or the path opened no longer leads to a
    // device.
    PortError GoneError() const override;
    bool IsOpen() const override { return fd_ >= 0; }
    // Raw mode with the given line settings. Speeds without a B-constant go
    // through termios2; one and a half stop bits become two (Linux has no
    // 1.5). DTR/RTS changes that the device cannot do (a pseudo-terminal) are
    // ignored.
    bool Configure(const LineSettings& settings) override;
    // Linux sizes its queues itself: accepted and ignored.
    bool SetQueueSizes(std::size_t in, std::size_t out) override;
    void Close() override;
    bool Purge(bool in, bool out) override;
    std::optional<std::size_t> InQueue() override;
    std::optional<std::size_t> OutQueue() override;
    std::optional<LineSignals> ModemLines() override;
    std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t size) override;
    std::ptrdiff_t Write(const std::uint8_t* data, std::size_t size) override;
    // poll() for POLLOUT, at most ms.
    void WaitWritable(int ms) override;
    int ReadableFd() const override { return fd_; }

    int Fd() const { return fd_; }

private:
    bool ApplyLineSettings(const LineSettings& settings);
    bool SetModemLine(int line, bool on);
    // Keeps fault, device and errno's text as the last error; false.
    bool Fail(PortFault fault, const std::string& device);
    int fd_ = -1;
    std::string device_;  // the path opened
    PortError lastError_;
};

}  // namespace parlenko::platform

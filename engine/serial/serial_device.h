#pragma once
// The one serial port, as the driver sees it: non-blocking and exclusive.
// platform/ has the termios device; tests have fakes and the simulated phone.

#include "engine/serial/port_error.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace parlenko {

enum class Parity : std::uint8_t { None, Odd, Even, Mark, Space };
enum class StopBits : std::uint8_t { One, OneAndHalf, Two };
enum class HwFlow : std::uint8_t { None, NoneRtsOn, RtsCts };

struct LineSettings {
    std::uint32_t baud = 9600;
    int dataBits = 8;  // 5 .. 8
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    HwFlow hwFlow = HwFlow::NoneRtsOn;
    bool xonXoff = false;  // XON 17, XOFF 19, both directions
    bool dtrOn = true;
    std::uint32_t xonLimit = 0;  // advisory thresholds of the receive queue
    std::uint32_t xoffLimit = 0;
};

struct LineSignals {
    bool cts = false;
    bool dsr = false;
    bool ring = false;
    bool rlsd = false;  // carrier detect
    bool Any() const { return cts || dsr || ring || rlsd; }
};

class ISerialDevice {
public:
    virtual ~ISerialDevice() = default;
    // Opens the named port exclusively; false when missing or in use.
    virtual bool Open(const std::string& name) = 0;
    // Why the last Open or Configure failed; no fault after a success or
    // when the device cannot tell.
    virtual PortError LastError() const { return {}; }
    // While open: a PortFault::Gone error naming the device when it has gone
    // away (unplugged, or the far end of a pseudo-terminal closed); no fault
    // while it is there, or when the device cannot tell.
    virtual PortError GoneError() const { return {}; }
    virtual bool IsOpen() const = 0;
    virtual bool Configure(const LineSettings& settings) = 0;
    // Advisory sizes of the driver's queues.
    virtual bool SetQueueSizes(std::size_t in, std::size_t out) = 0;
    virtual void Close() = 0;
    virtual bool Purge(bool in, bool out) = 0;
    // Bytes waiting to be read / not yet sent; nullopt when it cannot tell.
    virtual std::optional<std::size_t> InQueue() = 0;
    virtual std::optional<std::size_t> OutQueue() = 0;
    // nullopt: the device has no modem lines to report (a pseudo-terminal).
    virtual std::optional<LineSignals> ModemLines() = 0;
    // Both return the bytes moved, 0 when nothing could be moved now, -1 on error.
    virtual std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t size) = 0;
    virtual std::ptrdiff_t Write(const std::uint8_t* data, std::size_t size) = 0;
    // Waits up to ms for room to write (a real device); returns at once if unsupported.
    virtual void WaitWritable(int ms) { (void)ms; }
    // A descriptor that polls readable when bytes wait to be read; -1 when
    // the device has none (it is then only polled by the timer).
    virtual int ReadableFd() const { return -1; }
};

}  // namespace parlenko

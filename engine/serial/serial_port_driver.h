#pragma once
// The program's one serial port: opens it with the configured line settings,
// writes with flow control and a time limit, and polls it from a timer on the
// event loop. Every tick reads what is queued (at most InBufSize bytes) and
// hands it to OnReceiveData. There is no reader thread and no line framing.
//
// Where the device and the loop allow it, the arrival of bytes (or the
// hang-up of the device) also runs a tick at once (a watch on the device's
// descriptor), so an answer is handled when it comes rather than at the next
// timer tick; PollingDelay then only bounds the wait when the watch is not
// there or misses something. A tick that finds nothing to read asks the
// device whether it is still there.

#include "engine/core/scheduler.h"
#include "engine/serial/serial_device.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

// COM port number; pnCustom = use PortName as given.
enum TPortNumber : std::uint8_t {
    pnCustom,
    pnCOM1,
    pnCOM2,
    pnCOM3,
    pnCOM4,
    pnCOM5,
    pnCOM6,
    pnCOM7,
    pnCOM8,
    pnCOM9,
    pnCOM10,
    pnCOM11,
    pnCOM12,
    pnCOM13,
    pnCOM14,
    pnCOM15,
    pnCOM16
};

// Index into BaudRateValues; brCustom = use BaudRateValue.
enum TBaudRate : std::uint8_t {
    brCustom,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};

enum TDataBits : std::uint8_t { db5BITS, db6BITS, db7BITS, db8BITS };  // 5 + ordinal
enum TStopBits : std::uint8_t { sb1BITS, sb1HALFBITS, sb2BITS };
enum TParity : std::uint8_t { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
// hfNONE: RTS off; hfNONERTSON: no handshake, RTS held on; hfRTSCTS: RTS/CTS handshake.
enum THwFlowControl : std::uint8_t { hfNONE, hfNONERTSON, hfRTSCTS };
// sfXONXOFF: XON/XOFF in both directions.
enum TSwFlowControl : std::uint8_t { sfNONE, sfXONXOFF };

// Bits per second of each TBaudRate; brCustom gives 0.
inline constexpr std::array<std::uint32_t, 16> BaudRateValues = {
    0,     110,   300,   600,   1200,  2400,   4800,   9600,
    14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};

// The BaudRateValues entry of rate (0 for brCustom or an out-of-range value).
std::uint32_t BaudOf(TBaudRate rate);

// Raised with the bytes of one poll tick; data is valid only during the call.
using TReceiveDataEvent = std::function<void(const std::uint8_t* data, std::size_t size)>;

class TSerialPortDriver {
public:
    // The device and the scheduler must outlive the driver (an owned device
    // must not be null). The port stays closed. The poll timer must keep
    // ticking inside a nested event loop that OnReceiveData runs (a modal
    // window); the schedulers of the engine do.
    TSerialPortDriver(ISerialDevice& device, IScheduler& scheduler);
    TSerialPortDriver(std::unique_ptr<ISerialDevice> device, IScheduler& scheduler);
    ~TSerialPortDriver();  // Disconnect
    TSerialPortDriver(const TSerialPortDriver&) = delete;
    TSerialPortDriver& operator=(const TSerialPortDriver&) = delete;

    // --- Port identity and buffer sizes: changes are ignored while connected.
    TPortNumber Port() const { return port_; }
    // Any value but pnCustom also sets PortName to "\\.\COMn".
    void SetPort(TPortNumber value);
    const std::string& PortName() const { return portName_; }
    // Given to the device as it stands; Port becomes pnCustom.
    void SetPortName(const std::string& value);
    std::uint32_t InBufSize() const { return inBufSize_; }
    // Clamped to 128..8192; the receive buffer is allocated again, zero-filled.
    void SetInBufSize(std::uint32_t value);
    std::uint32_t OutBufSize() const { return outBufSize_; }
    void SetOutBufSize(std::uint32_t value);  // clamped to 128..8192

    // --- Line settings: stored, and applied at once while connected.
    TBaudRate BaudRate() const { return baudRate_; }
    // Any value but brCustom also sets BaudRateValue from BaudRateValues.
    void SetBaudRate(TBaudRate value);
    std::uint32_t BaudRateValue() const { return baudRateValue_; }
    void SetBaudRateValue(std::uint32_t value);  // BaudRate becomes brCustom
    TDataBits DataBits() const { return dataBits_; }
    void SetDataBits(TDataBits value);
    TStopBits StopBits() const { return stopBits_; }
    void SetStopBits(TStopBits value);
    TParity Parity() const { return parity_; }
    void SetParity(TParity value);
    THwFlowControl HwFlow() const { return hwFlow_; }
    void SetHwFlow(THwFlowControl value);
    TSwFlowControl SwFlow() const { return swFlow_; }
    void SetSwFlow(TSwFlowControl value);

    // --- Behaviour.
    std::uint16_t PollingDelay() const { return pollingDelay_; }
    // Poll interval in ms, at least 5; a running poll timer restarts with it.
    void SetPollingDelay(std::uint16_t value);
    bool EnableDTROnOpen() const { return enableDtrOnOpen_; }
    void SetEnableDTROnOpen(bool value) { enableDtrOnOpen_ = value; }
    // Milliseconds a write may go on without progress before it gives up.
    std::uint16_t OutputTimeout() const { return outputTimeout_; }
    void SetOutputTimeout(std::uint16_t value) { outputTimeout_ = value; }
    // Require a modem input signal before each write chunk (see SendData).
    bool CheckLineStatus() const { return checkLineStatus_; }
    void SetCheckLineStatus(bool value) { checkLineStatus_ = value; }
    const TReceiveDataEvent& OnReceiveData() const { return onReceiveData_; }
    void SetOnReceiveData(TReceiveDataEvent handler) { onReceiveData_ = std::move(handler); }
    // Raised once per connection, from the poll, when the device has gone
    // away (GoneError): the hang-up of a pulled cable reaches the caller when
    // it happens, not at the next write.
    void SetOnLinkLost(std::function<void()> handler) { onLinkLost_ = std::move(handler); }

    // --- Operations.
    // Opens PortName, applies the settings and starts the poll timer. True at
    // once when already connected; false (and closed) when any step fails.
    bool Connect();
    // Configures the open port (settings, purge of both queues, queue sizes);
    // false while closed or when any step fails.
    bool ApplyCOMSettings();
    // Stops the poll timer and closes the port; nothing when closed.
    void Disconnect();
    bool Connected() const { return connected_; }
    // Why the last Connect failed, as the device tells it.
    PortError LastError() const { return device_.LastError(); }
    // While connected: a PortFault::Gone error when the device has gone away
    // (unplugged); no fault otherwise.
    PortError GoneError() const { return connected_ ? device_.GoneError() : PortError{}; }
    // The modem input signals; all off while closed, when the device cannot
    // report them, or when asking fails.
    LineSignals GetLineStatus();
    // Throws away queued bytes; the output side first lets already written
    // bytes go out for up to 100 ms. False while closed or when the purge fails.
    bool FlushBuffers(bool inBuffer, bool outBuffer);
    // Free bytes of the output queue (OutBufSize minus what waits to be sent,
    // never below 0); 65535 while closed.
    std::uint16_t OutFreeSpace();
    // Writes size bytes; gives up after timeoutMs without progress. Returns the
    // bytes written (0 while closed). With CheckLineStatus, stops before a
    // chunk when the device reports no modem signal at all; a device that
    // cannot report modem lines is written to.
    std::size_t SendData(const std::uint8_t* data, std::size_t size, int timeoutMs);
    std::size_t SendData(const std::uint8_t* data, std::size_t size);  // OutputTimeout
    // True when every byte of s was written (an empty s gives true).
    bool SendString(std::string_view s);

private:
    void ApplyIfConnected();
    void PollTick();
    void WatchLink();
    bool LineCheckRefuses();
    void DrainOutput(int maxMs);

    std::unique_ptr<ISerialDevice> ownedDevice_;
    ISerialDevice& device_;
    IScheduler& scheduler_;
    std::unique_ptr<ITimer> pollTimer_;
    std::unique_ptr<IReadWatch> readWatch_;  // while connected, when the loop can watch
    bool connected_ = false;
    int tickDepth_ = 0;          // > 0 while OnReceiveData runs
    bool linkLostTold_ = false;  // OnLinkLost was raised for this connection
    std::vector<std::uint8_t> receiveBuffer_;

    TPortNumber port_ = pnCOM2;
    std::string portName_ = "\\\\.\\COM2";
    TBaudRate baudRate_ = br9600;
    std::uint32_t baudRateValue_ = 9600;
    TDataBits dataBits_ = db8BITS;
    TStopBits stopBits_ = sb1BITS;
    TParity parity_ = ptNONE;
    THwFlowControl hwFlow_ = hfNONERTSON;
    TSwFlowControl swFlow_ = sfNONE;
    std::uint32_t inBufSize_ = 2048;
    std::uint32_t outBufSize_ = 2048;
    std::uint16_t pollingDelay_ = 50;
    bool enableDtrOnOpen_ = true;
    std::uint16_t outputTimeout_ = 500;
    bool checkLineStatus_ = false;
    TReceiveDataEvent onReceiveData_;
    std::function<void()> onLinkLost_;
};

}  // namespace parlenko

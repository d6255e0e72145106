#pragma once
// A scriptable in-memory serial port for engine tests.
//
//   VirtualScheduler clock;
//   FakeSerialDevice port(&clock);
//   TSerialPortDriver drv(port, clock);
//   drv.Connect();
//   port.Deliver("OK\r\n");          // the phone says something
//   clock.RunFor(50);                 // next poll tick hands it to OnReceiveData
//   drv.SendString("AT\r");
//   port.Written();                   // "AT\r": everything the program wrote
//
// Defaults: Open, Configure, Purge and SetQueueSizes succeed; nothing to read;
// writes accepted without limit; output queue empty; modem lines: none to
// report (nullopt, like a pseudo-terminal). Purge(in) drops undelivered bytes.
// With a clock, WaitWritable(ms) moves that virtual clock on by ms (like a
// real wait that found no room); without one it returns at once.

#include "engine/core/virtual_scheduler.h"
#include "engine/serial/serial_device.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace parlenko::testing {

class FakeSerialDevice : public ISerialDevice {
public:
    explicit FakeSerialDevice(VirtualScheduler* clock = nullptr) : clock_(clock) {}

    // ---- Scripting.
    // Results of the next calls (kept until changed).
    void SetOpenResult(bool ok) { openResult_ = ok; }
    void SetConfigureResult(bool ok) { configureResult_ = ok; }
    void SetPurgeResult(bool ok) { purgeResult_ = ok; }
    void SetQueueSizesResult(bool ok) { queueSizesResult_ = ok; }
    // Bytes the far side sends: queued for Read.
    void Deliver(std::string_view bytes) { incoming_.append(bytes); }
    // What ModemLines reports; nullopt = the device cannot tell.
    void SetModemLines(std::optional<LineSignals> lines) { modemLines_ = lines; }
    // Accepts at most n more bytes, then Write returns 0 (a stalled line);
    // nullopt = no limit.
    void SetWriteBudget(std::optional<std::size_t> n) { writeBudget_ = n; }
    // Write returns -1 (a device that went away).
    void SetWriteFails(bool fails) { writeFails_ = fails; }
    // While open, GoneError names this device as gone (unplugged); empty:
    // the device is there.
    void SetGone(std::string device) { gone_ = std::move(device); }
    // What OutQueue reports: bytes written but not yet sent.
    void SetOutQueue(std::size_t n) { outQueue_ = n; }
    // InQueue/OutQueue report nullopt (cannot tell).
    void SetQueuesUnknown(bool unknown) { queuesUnknown_ = unknown; }

    // ---- Observation.
    const std::string& Written() const { return written_; }
    std::string TakeWritten() { return std::exchange(written_, std::string()); }
    std::size_t Undelivered() const { return incoming_.size(); }
    const std::string& OpenedName() const { return openedName_; }
    const LineSettings& Settings() const { return settings_; }  // last Configure
    std::size_t InQueueSize() const { return inQueueSize_; }    // last SetQueueSizes
    std::size_t OutQueueSize() const { return outQueueSize_; }
    int OpenCount() const { return openCount_; }
    int CloseCount() const { return closeCount_; }
    int ConfigureCount() const { return configureCount_; }
    int PurgeCount() const { return purgeCount_; }
    bool LastPurgeIn() const { return lastPurgeIn_; }
    bool LastPurgeOut() const { return lastPurgeOut_; }
    int ReadCount() const { return readCount_; }
    int WaitWritableCount() const { return waitCount_; }

    // ---- ISerialDevice.
    bool Open(const std::string& name) override;
    bool IsOpen() const override { return open_; }
    bool Configure(const LineSettings& settings) override;
    bool SetQueueSizes(std::size_t in, std::size_t out) override;
    void Close() override;
    bool Purge(bool in, bool out) override;
    std::optional<std::size_t> InQueue() override;
    std::optional<std::size_t> OutQueue() override;
    std::optional<LineSignals> ModemLines() override { return modemLines_; }
    PortError GoneError() const override;
    std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t size) override;
    std::ptrdiff_t Write(const std::uint8_t* data, std::size_t size) override;
    void WaitWritable(int ms) override;

private:
    VirtualScheduler* clock_;
    bool openResult_ = true;
    bool configureResult_ = true;
    bool purgeResult_ = true;
    bool queueSizesResult_ = true;
    bool open_ = false;
    std::string incoming_;
    std::string written_;
    std::optional<LineSignals> modemLines_;
    std::optional<std::size_t> writeBudget_;
    bool writeFails_ = false;
    std::string gone_;
    std::size_t outQueue_ = 0;
    bool queuesUnknown_ = false;
    std::string openedName_;
    LineSettings settings_;
    std::size_t inQueueSize_ = 0;
    std::size_t outQueueSize_ = 0;
    int openCount_ = 0;
    int closeCount_ = 0;
    int configureCount_ = 0;
    int purgeCount_ = 0;
    bool lastPurgeIn_ = false;
    bool lastPurgeOut_ = false;
    int readCount_ = 0;
    int waitCount_ = 0;
};

}  // namespace parlenko::testing

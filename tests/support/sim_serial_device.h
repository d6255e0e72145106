#pragma once
// The simulated phone behind the serial device interface, for engine tests on
// virtual time: what the engine writes is fed to the phone at the scheduler's
// time, and a read returns what the phone has sent by then (one chunk a read,
// so scripted splits arrive as separate chunks).

#include "engine/core/scheduler.h"
#include "engine/serial/serial_device.h"
#include "phonesim/phone.h"

#include <string>

namespace parlenko::testing {

class SimSerialDevice final : public ISerialDevice {
public:
    explicit SimSerialDevice(const IScheduler& clock,
                             phonesim::PhoneState state = phonesim::MakeDefaultState(),
                             phonesim::PhoneOptions options = {});

    phonesim::Phone& Phone() { return phone_; }

    // Open accepts only this name when set (any name when empty).
    void SetPortName(std::string name) { portName_ = std::move(name); }
    void SetOpenFailure(bool fail) { failOpen_ = fail; }
    // Writes then return -1, as a port whose cable was pulled.
    void SetWriteFailure(bool fail) { failWrite_ = fail; }
    // The cable is pulled: nothing more comes from the phone, writes fail,
    // and the device reports itself gone, as a hung-up port does.
    void Unplug() {
        gone_ = true;
        rx_.clear();
    }
    void PlugIn() { gone_ = false; }
    const LineSettings& Settings() const { return settings_; }
    const std::string& OpenedName() const { return openedName_; }
    // Everything the engine wrote since construction.
    const std::string& Written() const { return written_; }
    int OpenCount() const { return openCount_; }

    PortError GoneError() const override;
    bool Open(const std::string& name) override;
    bool IsOpen() const override { return open_; }
    bool Configure(const LineSettings& settings) override;
    bool SetQueueSizes(std::size_t in, std::size_t out) override;
    void Close() override;
    bool Purge(bool in, bool out) override;
    std::optional<std::size_t> InQueue() override;
    std::optional<std::size_t> OutQueue() override;
    std::optional<LineSignals> ModemLines() override;
    std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t size) override;
    std::ptrdiff_t Write(const std::uint8_t* data, std::size_t size) override;

private:
    void Fill();

    const IScheduler& clock_;
    phonesim::Phone phone_;
    std::string portName_;
    std::string openedName_;
    bool failOpen_ = false;
    bool failWrite_ = false;
    bool gone_ = false;
    bool open_ = false;
    int openCount_ = 0;
    LineSettings settings_;
    std::string rx_;  // received from the phone, not yet read
    std::string written_;
};

}  // namespace parlenko::testing

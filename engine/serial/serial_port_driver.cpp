#include "engine/serial/serial_port_driver.h"

#include <algorithm>

namespace parlenko {
namespace {

constexpr std::uint32_t kMinBufSize = 128;
constexpr std::uint32_t kMaxBufSize = 8192;
constexpr std::uint16_t kMinPollingDelay = 5;
// The flow-control thresholds: a quarter of the receive buffer, at most 4096.
constexpr std::uint32_t kMaxXonXoffLimit = 4096;
// How long FlushBuffers lets written bytes go out before it purges the output.
constexpr int kDrainBeforePurgeMs = 100;
// One round of waiting for room to write.
constexpr int kWriteWaitRoundMs = 5;
constexpr int kDrainRoundMs = 2;

std::uint32_t ClampBufSize(std::uint32_t v) { return std::clamp(v, kMinBufSize, kMaxBufSize); }

}  // namespace

std::uint32_t BaudOf(TBaudRate rate) {
    const auto i = static_cast<std::size_t>(rate);
    return i < BaudRateValues.size() ? BaudRateValues[i] : 0;
}

TSerialPortDriver::TSerialPortDriver(ISerialDevice& device, IScheduler& scheduler)
    : device_(device), scheduler_(scheduler) {
    receiveBuffer_.assign(inBufSize_, 0);
    pollTimer_ = scheduler_.MakeTimer(pollingDelay_, [this] { PollTick(); });
}

TSerialPortDriver::TSerialPortDriver(std::unique_ptr<ISerialDevice> device, IScheduler& scheduler)
    : ownedDevice_(std::move(device)), device_(*ownedDevice_), scheduler_(scheduler) {
    receiveBuffer_.assign(inBufSize_, 0);
    pollTimer_ = scheduler_.MakeTimer(pollingDelay_, [this] { PollTick(); });
}

TSerialPortDriver::~TSerialPortDriver() { Disconnect(); }

// ---------------------------------------------------------------- properties

void TSerialPortDriver::SetPort(TPortNumber value) {
    if (connected_) return;
    port_ = value;
    if (value != pnCustom) portName_ = "\\\\.\\COM" + std::to_string(static_cast<int>(value));
}

void TSerialPortDriver::SetPortName(const std::string& value) {
    if (connected_) return;
    portName_ = value;
    port_ = pnCustom;
}

void TSerialPortDriver::SetInBufSize(std::uint32_t value) {
    if (connected_) return;
    inBufSize_ = ClampBufSize(value);
    receiveBuffer_.assign(inBufSize_, 0);
}

void TSerialPortDriver::SetOutBufSize(std::uint32_t value) {
    if (connected_) return;
    outBufSize_ = ClampBufSize(value);
}

void TSerialPortDriver::SetBaudRate(TBaudRate value) {
    baudRate_ = value;
    if (value != brCustom) baudRateValue_ = BaudOf(value);
    ApplyIfConnected();
}

void TSerialPortDriver::SetBaudRateValue(std::uint32_t value) {
    baudRateValue_ = value;
    baudRate_ = brCustom;
    ApplyIfConnected();
}

void TSerialPortDriver::SetDataBits(TDataBits value) {
    dataBits_ = value;
    ApplyIfConnected();
}

void TSerialPortDriver::SetStopBits(TStopBits value) {
    stopBits_ = value;
    ApplyIfConnected();
}

void TSerialPortDriver::SetParity(TParity value) {
    parity_ = value;
    ApplyIfConnected();
}

void TSerialPortDriver::SetHwFlow(THwFlowControl value) {
    hwFlow_ = value;
    ApplyIfConnected();
}

void TSerialPortDriver::SetSwFlow(TSwFlowControl value) {
    swFlow_ = value;
    ApplyIfConnected();
}

void TSerialPortDriver::SetPollingDelay(std::uint16_t value) {
    const std::uint16_t delay = std::max(value, kMinPollingDelay);
    if (delay == pollingDelay_) return;
    pollingDelay_ = delay;
    if (connected_) {
        pollTimer_->Stop();
        pollTimer_->SetInterval(pollingDelay_);
        pollTimer_->Start();
    } else {
        pollTimer_->SetInterval(pollingDelay_);
    }
}

// A setter that changes the line settings of an open port applies them at
// once; the result is not reported to the caller of the setter.
void TSerialPortDriver::ApplyIfConnected() {
    if (connected_) (void)ApplyCOMSettings();
}

// ---------------------------------------------------------------- operations

bool TSerialPortDriver::Connect() {
    if (connected_) return true;
    if (!device_.Open(portName_)) return false;
    connected_ = true;
    if (!ApplyCOMSettings()) {
        Disconnect();
        return false;
    }
    linkLostTold_ = false;
    pollTimer_->SetInterval(pollingDelay_);
    pollTimer_->Start();
    if (const int fd = device_.ReadableFd(); fd >= 0)
        readWatch_ = scheduler_.WatchReadable(fd, [this] { PollTick(); });
    return true;
}

bool TSerialPortDriver::ApplyCOMSettings() {
    if (!connected_) return false;
    LineSettings s;
    s.baud = baudRateValue_;
    s.dataBits = 5 + static_cast<int>(std::min(dataBits_, db8BITS));
    s.parity = static_cast<parlenko::Parity>(std::min(parity_, ptSPACE));
    s.stopBits = static_cast<parlenko::StopBits>(std::min(stopBits_, sb2BITS));
    s.hwFlow = static_cast<parlenko::HwFlow>(std::min(hwFlow_, hfRTSCTS));
    s.xonXoff = swFlow_ == sfXONXOFF;
    s.dtrOn = enableDtrOnOpen_;
    s.xonLimit = std::min(inBufSize_ / 4, kMaxXonXoffLimit);
    s.xoffLimit = s.xonLimit;
    if (!device_.Configure(s)) return false;
    if (!FlushBuffers(true, true)) return false;
    return device_.SetQueueSizes(inBufSize_, outBufSize_);
}

void TSerialPortDriver::Disconnect() {
    if (!connected_) return;
    pollTimer_->Stop();
    readWatch_.reset();  // before the descriptor goes
    device_.Close();
    connected_ = false;
}

LineSignals TSerialPortDriver::GetLineStatus() {
    if (!connected_) return {};
    return device_.ModemLines().value_or(LineSignals{});
}

// A device that reports its modem lines and has none of them on is not
// there. A device without modem lines (a pseudo-terminal) cannot be checked
// and is written to.
bool TSerialPortDriver::LineCheckRefuses() {
    const auto lines = device_.ModemLines();
    return lines && !lines->Any();
}

// write() returns once the bytes are queued; purging the output at once would
// throw away what was just written (an ESC that ends an exchange, say).
void TSerialPortDriver::DrainOutput(int maxMs) {
    const std::int64_t start = scheduler_.NowMs();
    while (device_.OutQueue().value_or(0) > 0 && scheduler_.NowMs() - start < maxMs)
        scheduler_.Sleep(kDrainRoundMs);
}

bool TSerialPortDriver::FlushBuffers(bool inBuffer, bool outBuffer) {
    if (!connected_) return false;
    if (outBuffer) DrainOutput(kDrainBeforePurgeMs);
    return device_.Purge(inBuffer, outBuffer);
}

std::uint16_t TSerialPortDriver::OutFreeSpace() {
    if (!connected_) return 0xFFFF;
    const std::size_t queued = device_.OutQueue().value_or(0);
    if (queued >= outBufSize_) return 0;
    return static_cast<std::uint16_t>(std::min<std::size_t>(outBufSize_ - queued, 0xFFFF));
}

std::size_t TSerialPortDriver::SendData(const std::uint8_t* data, std::size_t size, int timeoutMs) {
    if (!connected_ || size == 0 || data == nullptr) return 0;
    std::size_t written = 0;
    std::int64_t lastProgress = scheduler_.NowMs();
    while (written < size) {
        const std::size_t free = OutFreeSpace();
        bool progressed = false;
        if (free > 0) {
            if (checkLineStatus_ && LineCheckRefuses()) break;
            const std::ptrdiff_t n = device_.Write(data + written, std::min(free, size - written));
            if (n < 0) break;  // the device failed; waiting will not mend it
            if (n > 0) {
                written += static_cast<std::size_t>(n);
                lastProgress = scheduler_.NowMs();
                progressed = true;
            }
        }
        if (progressed) continue;
        const std::int64_t waited = scheduler_.NowMs() - lastProgress;
        if (waited > timeoutMs) break;
        // Wait a little for room instead of spinning: the device's own wait
        // when it refused bytes, a plain pause while our queue limit is
        // reached (the device would report room that we must not use).
        const int round = static_cast<int>(
            std::clamp<std::int64_t>(timeoutMs - waited + 1, 1, kWriteWaitRoundMs));
        const std::int64_t before = scheduler_.NowMs();
        if (free > 0) device_.WaitWritable(round);
        else scheduler_.Sleep(round);
        if (scheduler_.NowMs() == before) scheduler_.Sleep(1);  // a wait that returned at once
    }
    return written;
}

std::size_t TSerialPortDriver::SendData(const std::uint8_t* data, std::size_t size) {
    return SendData(data, size, outputTimeout_);
}

bool TSerialPortDriver::SendString(std::string_view s) {
    if (s.empty()) return true;
    return SendData(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()) == s.size();
}

// One poll: read what is queued, at most InBufSize bytes (the rest stays for
// the next tick), and hand it on. The handler may run a nested event loop
// (a modal window) in which further ticks arrive; those read into a buffer of
// their own so the outer call's bytes stay intact.
void TSerialPortDriver::PollTick() {
    if (!connected_) return;
    const auto queued = device_.InQueue();
    const std::size_t want = std::min<std::size_t>(queued.value_or(inBufSize_), inBufSize_);
    if (want == 0) {
        WatchLink();
        return;
    }
    std::vector<std::uint8_t> nested;
    std::uint8_t* buffer = receiveBuffer_.data();
    if (tickDepth_ > 0 || receiveBuffer_.size() < want) {
        nested.resize(want);
        buffer = nested.data();
    }
    const std::ptrdiff_t n = device_.Read(buffer, want);
    if (n <= 0) {
        WatchLink();
        return;
    }
    if (!onReceiveData_) return;
    const TReceiveDataEvent handler = onReceiveData_;  // the handler may replace itself
    struct Depth {
        int& d;
        explicit Depth(int& v) : d(v) { ++d; }
        ~Depth() { --d; }
    } depth(tickDepth_);
    handler(buffer, static_cast<std::size_t>(n));
}

// Nothing came: the device may have gone (a hang-up reads as nothing). Told
// once; the handler may close the port.
void TSerialPortDriver::WatchLink() {
    if (linkLostTold_ || !onLinkLost_ || GoneError().fault != PortFault::Gone) return;
    linkLostTold_ = true;
    const auto handler = onLinkLost_;  // the handler may replace itself
    handler();
}

}  // namespace parlenko

// The exchange time-out over a pseudo-terminal: the ESC that aborts a waiting
// prompt must reach the phone (the master side) although both port buffers
// are purged right after it.

#include "engine/core/virtual_scheduler.h"
#include "tests/support/engine_inside.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "platform/serial/termios_serial_device.h"
#include "tests/support/recording_host.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <unistd.h>

namespace parlenko::platform {
namespace {

class PtyPair {
public:
    PtyPair() {
        char name[128] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0) name_ = name;
        // Raw on the phone's side too: the ESC must arrive as one byte.
        termios t{};
        ::tcgetattr(master_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(master_, TCSANOW, &t);
    }
    ~PtyPair() {
        if (master_ >= 0) ::close(master_);
        if (slave_ >= 0) ::close(slave_);
    }
    const std::string& SlaveName() const { return name_; }
    void Write(const std::string& s) { (void)!::write(master_, s.data(), s.size()); }
    // What the phone side can read within waitMs.
    std::string Read(int waitMs) {
        std::string got;
        pollfd p{master_, POLLIN, 0};
        while (::poll(&p, 1, waitMs) > 0) {
            char buf[256];
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n <= 0) break;
            got.append(buf, static_cast<std::size_t>(n));
            waitMs = 20;
        }
        return got;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string name_;
};

TEST(ExchangeTimeOutPty, EscapeReachesThePhoneBeforeThePurge) {
    PtyPair pty;
    ASSERT_FALSE(pty.SlaveName().empty());
    VirtualScheduler clock;
    TermiosSerialDevice device;
    TSerialPortDriver port(device, clock);
    port.SetPortName(pty.SlaveName());
    testing::RecordingHost host;
    PhoneEngine engine(port, clock, host);
    host.Attach(engine);
    ASSERT_TRUE(port.Connect());

    // The phone answered "AT+CMGS=" with its prompt and waits for the body.
    pty.Write("AT+CMGS=23\r\r\n> ");
    for (int k = 0; k < 100 && EngineInside::State(engine).Receive.RxLines.At(
                                   EngineInside::State(engine).Receive.RxLines.Size() - 1) != "> ";
         ++k) {
        ::usleep(2000);
        clock.RunFor(50);
    }
    ASSERT_EQ(pty.Read(50), std::string(EngineInside::State(engine).Sms.PduToSend) + "\x1a");

    clock.RunFor(10000);
    EXPECT_EQ(pty.Read(500), "\x1b");
    EXPECT_TRUE(host.mainWindowTakesInput);
}

}  // namespace
}  // namespace parlenko::platform

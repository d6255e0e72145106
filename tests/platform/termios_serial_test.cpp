// The driver over a real pseudo-terminal pair: the far (master) side plays the
// phone, the driver opens the slave side by name.

#include "engine/core/loop_scheduler.h"
#include "engine/serial/serial_port_driver.h"
#include "platform/paths.h"
#include "platform/serial/custom_baud.h"
#include "platform/serial/termios_serial_device.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <stdlib.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace parlenko::platform {
namespace {

std::string AllByteValues(std::size_t size) {
    std::string s;
    for (std::size_t i = 0; i < size; ++i) s += static_cast<char>((i * 7 + i / 256) & 0xFF);
    return s;
}

class TermiosSerialTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[128] = {};
        ASSERT_EQ(::openpty(&master_, &slave_, name, nullptr, nullptr), 0);
        slaveName_ = name;
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    void TearDown() override {
        if (master_ >= 0) ::close(master_);
        if (slave_ >= 0) ::close(slave_);
    }

    std::unique_ptr<TSerialPortDriver> MakeDriver(const std::string& portName) {
        auto drv =
            std::make_unique<TSerialPortDriver>(std::make_unique<TermiosSerialDevice>(), clock_);
        drv->SetPortName(portName);
        drv->SetPollingDelay(10);
        drv->SetOnReceiveData([this](const std::uint8_t* data, std::size_t size) {
            received_.append(reinterpret_cast<const char*>(data), size);
        });
        return drv;
    }

    void WriteFar(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            ASSERT_TRUE(n > 0 || errno == EAGAIN);
            if (n > 0) done += static_cast<std::size_t>(n);
            else clock_.RunFor(5);  // let the driver read
        }
    }

    // Reads the far side until want bytes came or two seconds passed.
    std::string ReadFar(std::size_t want) {
        std::string got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (got.size() < want && std::chrono::steady_clock::now() < end) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            char buf[4096];
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) got.append(buf, static_cast<std::size_t>(n));
        }
        return got;
    }

    termios SlaveTermios() {
        termios t{};
        EXPECT_EQ(::tcgetattr(slave_, &t), 0);
        return t;
    }

    LoopScheduler clock_;
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
    std::string received_;
};

TEST_F(TermiosSerialTest, BytesFromTheFarSideArriveUnchanged) {
    auto drv = MakeDriver(slaveName_);
    ASSERT_TRUE(drv->Connect());
    // Every byte value, XON/XOFF, CR, LF and Ctrl-C included: the port is raw.
    const std::string sent = AllByteValues(1024);
    WriteFar(sent);
    EXPECT_TRUE(clock_.RunUntil([&] { return received_.size() >= sent.size(); }, 3000));
    EXPECT_EQ(received_, sent);
}

TEST_F(TermiosSerialTest, BytesAreHandedOnWhenTheyArriveNotAtTheNextTick) {
    auto drv = MakeDriver(slaveName_);
    drv->SetPollingDelay(60000);  // the timer alone would wait a minute
    ASSERT_TRUE(drv->Connect());
    for (const std::string chunk : {"AT\r", "\r\nOK\r\n"}) {
        received_.clear();
        WriteFar(chunk);
        EXPECT_TRUE(clock_.RunUntil([&] { return received_ == chunk; }, 5000)) << received_;
    }
    // A far side that hangs up is told at once, and once; the port is then
    // left to its timer.
    int lost = 0;
    drv->SetOnLinkLost([&] { ++lost; });
    ::close(master_);
    master_ = -1;
    EXPECT_TRUE(clock_.RunUntil([&] { return lost > 0; }, 5000));
    clock_.RunFor(50);
    EXPECT_EQ(lost, 1);
    drv->Disconnect();
}

TEST_F(TermiosSerialTest, SendStringArrivesWhole) {
    auto drv = MakeDriver(slaveName_);
    ASSERT_TRUE(drv->Connect());
    const std::string sent = AllByteValues(6000);
    std::string got;
    std::thread reader([&] { got = ReadFar(sent.size()); });
    const bool ok = drv->SendString(sent);
    reader.join();
    EXPECT_TRUE(ok);
    EXPECT_EQ(got, sent);
}

TEST_F(TermiosSerialTest, APortHasOneOpenerAtATime) {
    auto first = MakeDriver(slaveName_);
    auto second = MakeDriver(slaveName_);
    ASSERT_TRUE(first->Connect());
    int exclusive = 0;
    EXPECT_EQ(::ioctl(slave_, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);
    EXPECT_FALSE(second->Connect());
    EXPECT_FALSE(second->Connected());
    EXPECT_EQ(second->LastError().fault, PortFault::InUse);
    first->Disconnect();
    EXPECT_EQ(::ioctl(slave_, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_TRUE(second->Connect());  // released on close
    EXPECT_FALSE(first->Connect());
}

TEST_F(TermiosSerialTest, AComNameReachesThePortThroughItsLink) {
    char tmpl[] = "/tmp/parlenko-serial-XXXXXX";
    const std::string home = ::mkdtemp(tmpl);
    ::setenv("PARLENKO_HOME", home.c_str(), 1);
    ASSERT_TRUE(MakeDirs(home + "/ports"));
    std::filesystem::create_symlink(slaveName_, home + "/ports/com2");

    auto drv = MakeDriver("COM2");
    const bool connected = drv->Connect();
    if (connected) {
        WriteFar("RING\r\n");
        clock_.RunUntil([&] { return received_.size() >= 6; }, 2000);
    }
    ::unsetenv("PARLENKO_HOME");
    std::filesystem::remove_all(home);
    ASSERT_TRUE(connected);
    EXPECT_EQ(received_, "RING\r\n");
}

TEST_F(TermiosSerialTest, LineSettingsReachTheTerminal) {
    auto drv = MakeDriver(slaveName_);
    drv->SetBaudRateValue(19200);
    drv->SetHwFlow(hfRTSCTS);
    drv->SetSwFlow(sfXONXOFF);
    drv->SetStopBits(sb2BITS);
    ASSERT_TRUE(drv->Connect());
    termios t = SlaveTermios();
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B19200));
    EXPECT_NE(t.c_cflag & CRTSCTS, 0u);
    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(t.c_cc[VSTART], 17);
    EXPECT_EQ(t.c_cc[VSTOP], 19);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);

    // Changed while open: applied at once.
    drv->SetSwFlow(sfNONE);
    drv->SetHwFlow(hfNONE);
    t = SlaveTermios();
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
}

TEST_F(TermiosSerialTest, NonStandardBaudIsSetOrRefused) {
    // A pseudo-terminal takes any speed.
    auto drv = MakeDriver(slaveName_);
    drv->SetBaudRate(br56000);
    ASSERT_TRUE(drv->Connect());
    EXPECT_EQ(ReadBaud(slave_), std::optional<std::uint32_t>(56000));
    drv->SetBaudRateValue(250000);
    EXPECT_TRUE(drv->ApplyCOMSettings());
    EXPECT_EQ(ReadBaud(slave_), std::optional<std::uint32_t>(250000));
    drv->SetBaudRate(br115200);  // and back to a standard one
    EXPECT_EQ(ReadBaud(slave_), std::optional<std::uint32_t>(115200));
    WriteFar("OK\r\n");
    EXPECT_TRUE(clock_.RunUntil([&] { return received_ == "OK\r\n"; }, 2000));

    drv->SetBaudRateValue(0);  // no such speed: refused, and the port stays usable
    EXPECT_FALSE(drv->ApplyCOMSettings());
    EXPECT_EQ(drv->LastError().fault, PortFault::Settings);
    EXPECT_TRUE(drv->Connected());
}

TEST_F(TermiosSerialTest, APseudoTerminalHasNoModemLinesAndIsStillWrittenTo) {
    auto drv = MakeDriver(slaveName_);
    drv->SetCheckLineStatus(true);
    ASSERT_TRUE(drv->Connect());
    EXPECT_FALSE(drv->GetLineStatus().Any());
    std::string got;
    std::thread reader([&] { got = ReadFar(3); });
    EXPECT_TRUE(drv->SendString("AT\r"));
    reader.join();
    EXPECT_EQ(got, "AT\r");
}

TEST_F(TermiosSerialTest, AnOpenDeviceWhoseFarEndClosesIsNamedAsGone) {
    TermiosSerialDevice dev;
    ASSERT_TRUE(dev.Open(slaveName_));
    EXPECT_EQ(dev.GoneError().fault, PortFault::None);
    ::close(master_);  // the phone's end: as a USB adapter unplugged, the line hangs up
    master_ = -1;
    EXPECT_EQ(PortErrorText(dev.GoneError()),
              slaveName_ + ": the device is gone (unplugged or switched off).");
    dev.Close();
    EXPECT_EQ(dev.GoneError().fault, PortFault::None);  // closed: nothing to tell
}

TEST_F(TermiosSerialTest, AnOpenDeviceWhoseLinkWentIsNamedAsGone) {
    testing::TempDir dir("parlenko-gone");
    const std::string link = dir.file("usb-Prolific_USB-Serial_Controller-if00-port0");
    ASSERT_EQ(::symlink(slaveName_.c_str(), link.c_str()), 0);
    TermiosSerialDevice dev;
    ASSERT_TRUE(dev.Open(link));
    EXPECT_EQ(dev.GoneError().fault, PortFault::None);
    ASSERT_EQ(::unlink(link.c_str()), 0);  // udev removes the by-id link on unplug
    EXPECT_EQ(PortErrorText(dev.GoneError()),
              link + ": the device is gone (unplugged or switched off).");
}

// Opens device in a child process that runs as "nobody" with the group ids
// given (the first is its own group); returns the reason the open gave.
std::string OpenAsNobody(const std::string& device, std::vector<gid_t> groups) {
    int out[2];
    if (::pipe(out) != 0) return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        const passwd* nobody = ::getpwnam("nobody");
        if (nobody == nullptr || ::setgroups(groups.size(), groups.data()) != 0 ||
            ::setresgid(groups.front(), groups.front(), groups.front()) != 0 ||
            ::setresuid(nobody->pw_uid, nobody->pw_uid, nobody->pw_uid) != 0)
            ::_exit(126);
        TermiosSerialDevice dev;
        const std::string text = dev.Open(device) ? "opened" : PortErrorText(dev.LastError());
        (void)!::write(out[1], text.data(), text.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string got;
    char buf[512];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;)
        got.append(buf, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return got;
}

// The three ways a user in or out of the device's group is refused; as root
// only (the test takes another user's groups).
TEST_F(TermiosSerialTest, APermissionRefusalNamesTheDevicesGroupAndWhereTheUserStands) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    const group* dialout = ::getgrnam("dialout");
    const passwd* nobody = ::getpwnam("nobody");
    if (dialout == nullptr || nobody == nullptr) GTEST_SKIP() << "no \"dialout\" or \"nobody\"";
    const gid_t dialoutId = dialout->gr_gid;
    const gid_t ownGroup = nobody->pw_gid;  // the account's own group ("nogroup")
    const std::string ownName = ::getgrgid(ownGroup)->gr_name;
    const std::string refused = slaveName_ + ": permission denied";

    // Not in the group: told to join it.
    ASSERT_EQ(::chown(slaveName_.c_str(), 0, dialoutId), 0);
    ASSERT_EQ(::chmod(slaveName_.c_str(), 0660), 0);
    EXPECT_EQ(OpenAsNobody(slaveName_, {ownGroup}),
              refused +
                  "; the device belongs to the group \"dialout\" and your user is not in "
                  "it: sudo adduser $USER dialout, then log out and in again.");

    // In the group by the account, but the login (the process) began before.
    ASSERT_EQ(::chown(slaveName_.c_str(), 0, ownGroup), 0);
    EXPECT_EQ(OpenAsNobody(slaveName_, {dialoutId}),
              refused + "; your user was added to the device's group \"" + ownName +
                  "\" after this session began: log out and in again.");

    // In the group, and the group may not open the device.
    ASSERT_EQ(::chmod(slaveName_.c_str(), 0600), 0);
    EXPECT_EQ(OpenAsNobody(slaveName_, {ownGroup}),
              refused + ", although your user is in the device's group \"" + ownName +
                  "\": the device does not let its group open it.");
}

TEST(TermiosSerialDeviceTest, OnlyTerminalsOpen) {
    TermiosSerialDevice dev;
    EXPECT_FALSE(dev.Open("/nonexistent/ttyS99"));
    EXPECT_EQ(PortErrorText(dev.LastError()), "/nonexistent/ttyS99: no such device.");
    EXPECT_FALSE(dev.Open("/dev/null"));
    EXPECT_EQ(PortErrorText(dev.LastError()), "/dev/null: not a serial device.");
    EXPECT_FALSE(dev.IsOpen());
    EXPECT_FALSE(dev.Configure(LineSettings{}));
    EXPECT_FALSE(dev.Purge(true, true));
    std::uint8_t b = 0;
    EXPECT_EQ(dev.Read(&b, 1), -1);
    EXPECT_EQ(dev.Write(&b, 1), -1);
}

}  // namespace
}  // namespace parlenko::platform

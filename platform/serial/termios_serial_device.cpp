#include "platform/serial/termios_serial_device.h"

#include "platform/paths.h"
#include "platform/serial/custom_baud.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace parlenko::platform {
namespace {

constexpr cc_t kXon = 17;   // DC1
constexpr cc_t kXoff = 19;  // DC3

// One read or write on the non-blocking descriptor: the bytes moved, 0 when
// nothing can move now, -1 on error; a call a signal interrupted is repeated.
template <class Io>
std::ptrdiff_t NonBlocking(Io io) {
    for (;;) {
        const ssize_t n = io();
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    }
}

struct SpeedEntry {
    std::uint32_t baud;
    speed_t code;
};

constexpr SpeedEntry kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

std::optional<speed_t> StandardSpeed(std::uint32_t baud) {
    for (const auto& s : kSpeeds)
        if (s.baud == baud) return s.code;
    return std::nullopt;
}

std::optional<tcflag_t> SizeFlag(int dataBits) {
    switch (dataBits) {
        case 5: return CS5;
        case 6: return CS6;
        case 7: return CS7;
        case 8: return CS8;
        default: return std::nullopt;
    }
}

// The fault an errno of open() stands for.
PortFault OpenFault(int err) {
    switch (err) {
        case EACCES:
        case EPERM: return PortFault::NotAllowed;
        case EBUSY: return PortFault::InUse;  // TIOCEXCL of another opener
        case ENOENT:
        case ENOTDIR:
        case ENODEV:
        case ENXIO:
        case EIO: return PortFault::NoDevice;  // a serial port without hardware gives EIO
        default: return PortFault::Other;
    }
}

// The name of group id, or its number when it has none.
std::string GroupName(gid_t id) {
    group entry{};
    group* found = nullptr;
    std::vector<char> buffer(4096);
    if (::getgrgid_r(id, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        return found->gr_name;
    return std::to_string(id);
}

// Whether this process holds group id now.
bool ProcessHasGroup(gid_t id) {
    if (::getegid() == id) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    if (got < 0) return false;
    groups.resize(static_cast<std::size_t>(got));
    return std::find(groups.begin(), groups.end(), id) != groups.end();
}

// Whether the user's account is in group id, as the group database says
// now (a group added after the login counts here but not in the process).
bool AccountHasGroup(gid_t id) {
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(4096);
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr)
        return false;
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) return false;
    }
    groups.resize(static_cast<std::size_t>(count));
    return std::find(groups.begin(), groups.end(), id) != groups.end();
}

// The group of a device the user may not open, and where the user stands.
void DescribeGroup(const std::string& path, PortError& error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return;
    error.group = GroupName(st.st_gid);
    error.standing = ProcessHasGroup(st.st_gid)   ? GroupStanding::Member
                     : AccountHasGroup(st.st_gid) ? GroupStanding::NotYetActive
                                                  : GroupStanding::NotMember;
}

// A pseudo-terminal has no modem lines: these ioctls fail there with
// ENOTTY or EINVAL, which means "nothing to set" rather than an error.
bool NoModemLines(int err) { return err == ENOTTY || err == EINVAL; }

}  // namespace

TermiosSerialDevice::~TermiosSerialDevice() { Close(); }

bool TermiosSerialDevice::Open(const std::string& name) {
    Close();
    const std::string path = ResolvePortName(name);
    lastError_ = {};
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Fail(OpenFault(errno), path);
    std::optional<PortFault> fault;
    if (!::isatty(fd)) {
        fault = PortFault::NotSerial;
    } else if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // flock catches a second opener even when TIOCEXCL does not (root).
        fault = errno == EWOULDBLOCK ? PortFault::InUse : PortFault::Other;
    } else if (::ioctl(fd, TIOCEXCL) != 0) {
        fault = PortFault::Other;
    }
    if (fault) {
        const int err = errno;
        ::close(fd);
        errno = err;
        return Fail(*fault, path);
    }
    fd_ = fd;
    device_ = path;
    return true;
}

bool TermiosSerialDevice::Fail(PortFault fault, const std::string& device) {
    lastError_ = {fault, device, std::strerror(errno), {}, GroupStanding::Unknown};
    if (fault == PortFault::NotAllowed) DescribeGroup(device, lastError_);
    return false;
}

PortError TermiosSerialDevice::GoneError() const {
    if (fd_ < 0) return {};
    pollfd p{fd_, 0, 0};
    const bool hungUp = ::poll(&p, 1, 0) == 1 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    struct stat st {};
    const bool pathGone = ::stat(device_.c_str(), &st) != 0 && (errno == ENOENT || errno == ENODEV);
    if (!hungUp && !pathGone) return {};
    return {PortFault::Gone, device_, {}, {}, GroupStanding::Unknown};
}

void TermiosSerialDevice::Close() {
    if (fd_ < 0) return;
    // The exclusive flag belongs to the terminal, not to this descriptor:
    // clear it or the next open of the same port fails.
    (void)::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

bool TermiosSerialDevice::SetModemLine(int line, bool on) {
    if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line) == 0) return true;
    return NoModemLines(errno);
}

bool TermiosSerialDevice::Configure(const LineSettings& s) {
    if (fd_ < 0) return false;
    lastError_ = {};
    if (ApplyLineSettings(s)) return true;
    return Fail(PortFault::Settings, device_);
}

bool TermiosSerialDevice::ApplyLineSettings(const LineSettings& s) {
    const auto size = SizeFlag(s.dataBits);
    if (!size || s.baud == 0) return false;
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return false;
    ::cfmakeraw(&t);
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | IGNPAR);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    t.c_cflag |= *size | CLOCAL | CREAD;
    switch (s.parity) {
        case Parity::None: break;
        case Parity::Odd: t.c_cflag |= PARENB | PARODD; break;
        case Parity::Even: t.c_cflag |= PARENB; break;
        case Parity::Mark: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
        case Parity::Space: t.c_cflag |= PARENB | CMSPAR; break;
    }
    if (s.stopBits != StopBits::One) t.c_cflag |= CSTOPB;  // 1.5 has no Linux setting
    if (s.hwFlow == HwFlow::RtsCts) t.c_cflag |= CRTSCTS;
    if (s.xonXoff) t.c_iflag |= IXON | IXOFF;
    t.c_cc[VSTART] = kXon;
    t.c_cc[VSTOP] = kXoff;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    const auto speed = StandardSpeed(s.baud);
    if (speed && (::cfsetispeed(&t, *speed) != 0 || ::cfsetospeed(&t, *speed) != 0)) return false;
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return false;
    if (!speed && !SetCustomBaud(fd_, s.baud)) return false;

    if (!SetModemLine(TIOCM_DTR, s.dtrOn)) return false;
    // RTS: off without handshake unless held on; under RTS/CTS the driver
    // moves it, starting from on.
    if (!SetModemLine(TIOCM_RTS, s.hwFlow != HwFlow::None)) return false;
    return true;
}

bool TermiosSerialDevice::SetQueueSizes(std::size_t, std::size_t) { return fd_ >= 0; }

bool TermiosSerialDevice::Purge(bool in, bool out) {
    if (fd_ < 0) return false;
    if (!in && !out) return true;
    return ::tcflush(fd_, in && out ? TCIOFLUSH : in ? TCIFLUSH : TCOFLUSH) == 0;
}

std::optional<std::size_t> TermiosSerialDevice::InQueue() {
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &n) != 0 || n < 0) return std::nullopt;
    return static_cast<std::size_t>(n);
}

std::optional<std::size_t> TermiosSerialDevice::OutQueue() {
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &n) != 0 || n < 0) return std::nullopt;
    return static_cast<std::size_t>(n);
}

std::optional<LineSignals> TermiosSerialDevice::ModemLines() {
    if (fd_ < 0) return LineSignals{};
    int bits = 0;
    if (::ioctl(fd_, TIOCMGET, &bits) != 0) {
        if (NoModemLines(errno)) return std::nullopt;
        return LineSignals{};  // the port is there but cannot be asked: no signal
    }
    LineSignals l;
    l.cts = (bits & TIOCM_CTS) != 0;
    l.dsr = (bits & TIOCM_DSR) != 0;
    l.ring = (bits & TIOCM_RNG) != 0;
    l.rlsd = (bits & TIOCM_CAR) != 0;
    return l;
}

std::ptrdiff_t TermiosSerialDevice::Read(std::uint8_t* buffer, std::size_t size) {
    if (fd_ < 0) return -1;
    return NonBlocking([&] { return ::read(fd_, buffer, size); });
}

std::ptrdiff_t TermiosSerialDevice::Write(const std::uint8_t* data, std::size_t size) {
    if (fd_ < 0) return -1;
    return NonBlocking([&] { return ::write(fd_, data, size); });
}

void TermiosSerialDevice::WaitWritable(int ms) {
    if (fd_ < 0 || ms <= 0) return;
    pollfd p{fd_, POLLOUT, 0};
    (void)::poll(&p, 1, ms);
}

}  // namespace parlenko::platform

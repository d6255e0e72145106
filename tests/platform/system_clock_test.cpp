// The platform clock against a fake of systemd's time service on a private
// bus (dbus-daemon; skipped when it is missing): what SetTime is given, the
// network time left alone, and a refusal read as missing rights.

#include "platform/system_clock.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <systemd/sd-bus.h>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace parlenko::platform {
namespace {

using namespace std::chrono;

std::string FindDbusDaemon() {
    for (const char* dir : {"/usr/bin", "/bin", "/usr/local/bin"}) {
        const std::string p = std::string(dir) + "/dbus-daemon";
        if (::access(p.c_str(), X_OK) == 0) return p;
    }
    return {};
}

// A message bus of its own for one test.
class PrivateBus {
public:
    PrivateBus() {
        std::string daemon = FindDbusDaemon();
        if (daemon.empty() || dir_.path().empty()) return;
        const std::string config = dir_.file("bus.conf");
        std::ofstream(config) << "<busconfig><type>session</type><listen>unix:dir=" << dir_.path()
                              << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                                 "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                                 "<allow own=\"*\"/><allow user=\"*\"/>"
                                 "</policy></busconfig>";
        int out[2];
        if (::pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::string configArg = "--config-file=" + config;
        std::string noFork = "--nofork";
        std::string printAddress = "--print-address";
        char* argv[] = {daemon.data(), configArg.data(), noFork.data(), printAddress.data(),
                        nullptr};
        const bool spawned =
            posix_spawn(&pid_, daemon.c_str(), &actions, nullptr, argv, environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (!spawned) {
            pid_ = -1;
            ::close(out[0]);
            return;
        }
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n') address_ += c;
        ::close(out[0]);
    }
    ~PrivateBus() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& Address() const { return address_; }

private:
    testing::TempDir dir_{"parlenko-bus"};
    pid_t pid_ = -1;
    std::string address_;
};

// org.freedesktop.timedate1 as far as the clock uses it.
class FakeTimeService {
public:
    FakeTimeService(const std::string& address, bool ntp, bool deny) : ntp_(ntp), deny_(deny) {
        if (sd_bus_new(&bus_) < 0) return;
        if (sd_bus_set_address(bus_, address.c_str()) < 0 || sd_bus_set_bus_client(bus_, 1) < 0 ||
            sd_bus_start(bus_) < 0 ||
            sd_bus_add_object_vtable(bus_, nullptr, "/org/freedesktop/timedate1",
                                     "org.freedesktop.timedate1", kVtable, this) < 0 ||
            sd_bus_request_name(bus_, "org.freedesktop.timedate1", 0) < 0)
            return;
        ready_ = true;
        thread_ = std::thread([this] {
            while (!stop_) {
                const int r = sd_bus_process(bus_, nullptr);
                if (r < 0) break;
                if (r == 0) sd_bus_wait(bus_, 20000);
            }
        });
    }
    ~FakeTimeService() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (bus_ != nullptr) sd_bus_flush_close_unref(bus_);
    }
    bool Ready() const { return ready_; }

    struct Call {
        std::int64_t usec = 0;
        int relative = -1;
        int interactive = -1;
        int authorisationAllowed = -1;
    };
    std::vector<Call> Calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }

private:
    static int GetNtp(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply,
                      void* self, sd_bus_error*) {
        return sd_bus_message_append(reply, "b", static_cast<FakeTimeService*>(self)->ntp_ ? 1 : 0);
    }
    static int SetTime(sd_bus_message* m, void* self, sd_bus_error* error) {
        auto* me = static_cast<FakeTimeService*>(self);
        Call call;
        int64_t usec = 0;
        if (sd_bus_message_read(m, "xbb", &usec, &call.relative, &call.interactive) < 0)
            return -EINVAL;
        call.usec = usec;
        call.authorisationAllowed = sd_bus_message_get_allow_interactive_authorization(m);
        {
            std::lock_guard lock(me->mutex_);
            me->calls_.push_back(call);
        }
        if (me->deny_) return sd_bus_error_set(error, SD_BUS_ERROR_ACCESS_DENIED, "Access denied");
        return sd_bus_reply_method_return(m, "");
    }
    static constexpr sd_bus_vtable kVtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_PROPERTY("NTP", "b", GetNtp, 0, 0),
        SD_BUS_METHOD("SetTime", "xbb", "", SetTime, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_VTABLE_END,
    };

    sd_bus* bus_ = nullptr;
    bool ntp_;
    bool deny_;
    bool ready_ = false;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<Call> calls_;
};

class SystemClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (FindDbusDaemon().empty()) GTEST_SKIP() << "dbus-daemon is missing";
        ASSERT_FALSE(bus_.Address().empty());
        const char* tz = std::getenv("TZ");
        if (tz != nullptr) oldTz_ = tz;
        hadTz_ = tz != nullptr;
        setenv("TZ", "Europe/Zagreb", 1);
        tzset();
    }
    void TearDown() override {
        if (hadTz_) setenv("TZ", oldTz_.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
    static local_seconds When() {
        return local_days{year{2005} / 3 / 15} + hours{12} + minutes{34} + seconds{56};
    }
    PrivateBus bus_;
    std::string oldTz_;
    bool hadTz_ = false;
};

TEST_F(SystemClockTest, AsksTheTimeServiceForTheUtcTimeWithAuthorisationAllowed) {
    FakeTimeService service(bus_.Address(), false, false);
    ASSERT_TRUE(service.Ready());
    SystemClock clock(bus_.Address(), [] {});
    EXPECT_EQ(clock.SetLocalTime(When()), ClockSetResult::Set);
    const auto calls = service.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].usec, 1110886496000000);
    EXPECT_EQ(calls[0].relative, 0);
    EXPECT_EQ(calls[0].interactive, 1);
    EXPECT_EQ(calls[0].authorisationAllowed, 1);
}

TEST_F(SystemClockTest, NetworkTimeIsLeftAlone) {
    FakeTimeService service(bus_.Address(), true, false);
    ASSERT_TRUE(service.Ready());
    SystemClock clock(bus_.Address());
    EXPECT_EQ(clock.SetLocalTime(When()), ClockSetResult::NetworkTime);
    EXPECT_TRUE(service.Calls().empty());
}

TEST_F(SystemClockTest, ARefusalMeansNoAdministratorRights) {
    FakeTimeService service(bus_.Address(), false, true);
    ASSERT_TRUE(service.Ready());
    SystemClock clock(bus_.Address());
    EXPECT_EQ(clock.SetLocalTime(When()), ClockSetResult::NoPrivilege);
    EXPECT_EQ(service.Calls().size(), 1u);
}

}  // namespace
}  // namespace parlenko::platform

#include "platform/system_clock.h"

#include <systemd/sd-bus.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <utility>

namespace parlenko::platform {

namespace {

constexpr const char* kService = "org.freedesktop.timedate1";
constexpr const char* kPath = "/org/freedesktop/timedate1";
constexpr const char* kInterface = "org.freedesktop.timedate1";

struct BusDeleter {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
using Bus = std::unique_ptr<sd_bus, BusDeleter>;

struct BusError {
    sd_bus_error error{nullptr, nullptr, 0};
    ~BusError() { sd_bus_error_free(&error); }
    bool Is(const char* name) const { return sd_bus_error_has_name(&error, name) != 0; }
};

Bus OpenBus(const std::string& address) {
    sd_bus* bus = nullptr;
    if (address.empty()) {
        if (sd_bus_open_system(&bus) < 0) return nullptr;
        return Bus(bus);
    }
    if (sd_bus_new(&bus) < 0) return nullptr;
    Bus owned(bus);
    if (sd_bus_set_address(bus, address.c_str()) < 0 || sd_bus_set_bus_client(bus, 1) < 0 ||
        sd_bus_start(bus) < 0)
        return nullptr;
    return owned;
}

// No time service on this bus: the clock is set directly.
bool NoService(const BusError& e) {
    return e.Is(SD_BUS_ERROR_SERVICE_UNKNOWN) || e.Is(SD_BUS_ERROR_NAME_HAS_NO_OWNER) ||
           e.Is(SD_BUS_ERROR_UNKNOWN_OBJECT) || e.Is(SD_BUS_ERROR_UNKNOWN_INTERFACE) ||
           e.Is(SD_BUS_ERROR_UNKNOWN_METHOD);
}

bool Denied(const BusError& e) {
    return e.Is(SD_BUS_ERROR_ACCESS_DENIED) ||
           e.Is(SD_BUS_ERROR_INTERACTIVE_AUTHORIZATION_REQUIRED) ||
           e.Is("org.freedesktop.PolicyKit1.Error.NotAuthorized") ||
           e.Is("org.freedesktop.PolicyKit1.Error.Cancelled");
}

ClockSetResult SetDirectly(long long usec) {
    timespec ts{};
    ts.tv_sec = static_cast<std::time_t>(usec / 1000000);
    ts.tv_nsec = 0;
    if (clock_settime(CLOCK_REALTIME, &ts) == 0) return ClockSetResult::Set;
    return errno == EPERM ? ClockSetResult::NoPrivilege : ClockSetResult::Refused;
}

struct Answer {
    bool done = false;
    ClockSetResult result = ClockSetResult::Refused;
};

int OnSetTimeReply(sd_bus_message* reply, void* userdata, sd_bus_error*) {
    auto* answer = static_cast<Answer*>(userdata);
    answer->done = true;
    const sd_bus_error* e = sd_bus_message_get_error(reply);
    if (e == nullptr) {
        answer->result = ClockSetResult::Set;
        return 0;
    }
    BusError copy;
    sd_bus_error_copy(&copy.error, e);
    answer->result = Denied(copy) ? ClockSetResult::NoPrivilege : ClockSetResult::Refused;
    return 0;
}

}  // namespace

long long LocalToUtcMicroseconds(std::chrono::local_seconds when) {
    using namespace std::chrono;
    const auto day = floor<days>(when);
    const year_month_day ymd{day};
    const hh_mm_ss<seconds> t{when - day};
    if (!ymd.ok()) return -1;
    std::tm tm{};
    tm.tm_year = static_cast<int>(ymd.year()) - 1900;
    tm.tm_mon = static_cast<int>(static_cast<unsigned>(ymd.month())) - 1;
    tm.tm_mday = static_cast<int>(static_cast<unsigned>(ymd.day()));
    tm.tm_hour = static_cast<int>(t.hours().count());
    tm.tm_min = static_cast<int>(t.minutes().count());
    tm.tm_sec = static_cast<int>(t.seconds().count());
    tm.tm_isdst = -1;  // the time zone's rules decide
    tzset();
    const std::time_t utc = std::mktime(&tm);
    if (utc == static_cast<std::time_t>(-1)) return -1;
    return static_cast<long long>(utc) * 1000000;
}

SystemClock::SystemClock(std::string busAddress, std::function<void()> pump,
                         std::chrono::milliseconds answerTimeout)
    : busAddress_(std::move(busAddress)), pump_(std::move(pump)), answerTimeout_(answerTimeout) {}

ClockSetResult SystemClock::SetLocalTime(std::chrono::local_seconds when) {
    const long long usec = LocalToUtcMicroseconds(when);
    if (usec < 0) return ClockSetResult::Refused;

    Bus bus = OpenBus(busAddress_);
    if (!bus) return SetDirectly(usec);

    BusError error;
    int ntp = 0;
    if (sd_bus_get_property_trivial(bus.get(), kService, kPath, kInterface, "NTP", &error.error,
                                    'b', &ntp) < 0) {
        if (NoService(error)) return SetDirectly(usec);
        return Denied(error) ? ClockSetResult::NoPrivilege : ClockSetResult::Refused;
    }
    if (ntp != 0) return ClockSetResult::NetworkTime;

    sd_bus_message* raw = nullptr;
    if (sd_bus_message_new_method_call(bus.get(), &raw, kService, kPath, kInterface, "SetTime") < 0)
        return ClockSetResult::Refused;
    std::unique_ptr<sd_bus_message, decltype(&sd_bus_message_unref)> call(raw,
                                                                          &sd_bus_message_unref);
    if (sd_bus_message_append(raw, "xbb", static_cast<int64_t>(usec), 0, 1) < 0 ||
        sd_bus_message_set_allow_interactive_authorization(raw, 1) < 0)
        return ClockSetResult::Refused;

    Answer answer;
    sd_bus_slot* slot = nullptr;
    const auto timeoutUsec = static_cast<uint64_t>(answerTimeout_.count()) * 1000;
    if (sd_bus_call_async(bus.get(), &slot, raw, OnSetTimeReply, &answer, timeoutUsec) < 0)
        return ClockSetResult::Refused;
    // The bus reports a timeout as an error reply, which ends the wait.
    while (!answer.done) {
        const int r = sd_bus_process(bus.get(), nullptr);
        if (r < 0) break;
        if (r > 0) continue;
        if (pump_) pump_();
        if (sd_bus_wait(bus.get(), 50000) < 0) break;
    }
    sd_bus_slot_unref(slot);
    return answer.done ? answer.result : ClockSetResult::Refused;
}

}  // namespace parlenko::platform

#pragma once
// The machine's real-time clock. The program never runs privileged, so it
// asks systemd's time service (org.freedesktop.timedate1 on the system bus)
// to set the clock: when the service keeps the time from the network (its
// NTP property) nothing is set; otherwise SetTime(usec_utc, relative false,
// interactive true), so that the desktop may ask for the administrator's
// password. While that runs the caller's pump keeps the windows alive; the
// wait is bounded. Without the service the clock is set with clock_settime,
// which needs CAP_SYS_TIME.

#include "engine/text/clock_format.h"

#include <chrono>
#include <functional>
#include <string>

namespace parlenko::platform {

class SystemClock final : public ISystemClock {
public:
    // busAddress: empty for the system bus, else a D-Bus address (tests run
    // a private bus). pump: called about every 50 ms while the answer is
    // awaited (may be empty).
    explicit SystemClock(std::string busAddress = {}, std::function<void()> pump = {},
                         std::chrono::milliseconds answerTimeout = std::chrono::minutes(2));
    ClockSetResult SetLocalTime(std::chrono::local_seconds when) override;

private:
    std::string busAddress_;
    std::function<void()> pump_;
    std::chrono::milliseconds answerTimeout_;
};

// Microseconds since the epoch (UTC) of a local wall-clock time by the
// process's time zone; -1 when it cannot be converted.
long long LocalToUtcMicroseconds(std::chrono::local_seconds when);

}  // namespace parlenko::platform

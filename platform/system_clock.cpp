#include "platform/system_clock.h"

#include <ctime>

namespace parlenko::platform {

bool SystemClock::SetLocalTime(std::chrono::local_seconds when) {
    using namespace std::chrono;
    auto day = floor<days>(when);
    year_month_day ymd{day};
    hh_mm_ss<seconds> t{when - day};
    if (!ymd.ok()) return false;

    std::tm tm{};
    tm.tm_year = static_cast<int>(ymd.year()) - 1900;
    tm.tm_mon = static_cast<int>(static_cast<unsigned>(ymd.month())) - 1;
    tm.tm_mday = static_cast<int>(static_cast<unsigned>(ymd.day()));
    tm.tm_hour = static_cast<int>(t.hours().count());
    tm.tm_min = static_cast<int>(t.minutes().count());
    tm.tm_sec = static_cast<int>(t.seconds().count());
    tm.tm_isdst = -1;  // let the time zone rules decide
    std::time_t utc = std::mktime(&tm);
    if (utc == static_cast<std::time_t>(-1)) return false;

    timespec ts{};
    ts.tv_sec = utc;
    ts.tv_nsec = 0;
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
}

}  // namespace parlenko::platform

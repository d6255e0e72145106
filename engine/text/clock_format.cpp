#include "engine/text/clock_format.h"

#include <cstdio>

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/text/date_text.h"

namespace parlenko {

std::string FormatPcClockForPhone(std::chrono::local_seconds now) {
    using namespace std::chrono;
    auto day = floor<days>(now);
    year_month_day ymd{day};
    hh_mm_ss<seconds> t{now - day};
    char buf[32];
    std::snprintf(buf, sizeof buf, "\"%02d/%02u/%02u,%02d:%02d:%02d\"",
                  static_cast<int>(ymd.year()) % 100, static_cast<unsigned>(ymd.month()),
                  static_cast<unsigned>(ymd.day()), static_cast<int>(t.hours().count()),
                  static_cast<int>(t.minutes().count()), static_cast<int>(t.seconds().count()));
    return buf;
}

std::optional<std::chrono::local_seconds> ParseCclkAnswer(std::string_view line) {
    // +CCLK: "03/12/31,23:59:58"
    AnswerReader r(line);
    r.SkipPrefix();
    const auto clock = r.NextString();
    if (!clock || clock->size() < 17) return std::nullopt;
    const std::string_view c = *clock;
    if (c[2] != '/' || c[5] != '/' || c[8] != ',' || c[11] != ':' || c[14] != ':')
        return std::nullopt;
    // Two digits each, nothing else: the phone's clock, not a loose date.
    const auto twoDigits = [c](std::size_t at) -> std::optional<long long> {
        const std::string_view f = c.substr(at, 2);
        if (f[0] < '0' || f[0] > '9' || f[1] < '0' || f[1] > '9') return std::nullopt;
        return ParseInt(f);
    };
    const auto yy = twoDigits(0);
    const auto mm = twoDigits(3);
    const auto dd = twoDigits(6);
    if (!yy || !mm || !dd) return std::nullopt;
    auto date = ParseDateText(IntToStr(*dd) + "." + IntToStr(*mm) + "." + IntToStr(2000 + *yy));
    auto time = ParseTimeText(std::string(c.substr(9, 8)));
    if (!date || !time) return std::nullopt;
    return std::chrono::local_days{*date} + *time;
}

ClockSetResult SetPcClockFromPhone(std::string_view line, ISystemClock& clock) {
    auto when = ParseCclkAnswer(line);
    if (!when) return ClockSetResult::MalformedAnswer;
    return clock.SetLocalTime(*when);
}

std::string PcClockFailureText(ClockSetResult result) {
    const char* reason = nullptr;
    switch (result) {
        case ClockSetResult::Set: return {};
        case ClockSetResult::MalformedAnswer:
            reason = "Reason:  the phone's answer is not a date";
            break;
        case ClockSetResult::NoPrivilege: reason = "Reason:  no administrator rights"; break;
        case ClockSetResult::NetworkTime:
            reason = "Reason:  the computer takes its time from the network";
            break;
        case ClockSetResult::Refused:
            reason = "Reason:  the system refused to change its clock";
            break;
    }
    return std::string("Cannot set date and time of computer!\r\r") + reason;
}

}  // namespace parlenko

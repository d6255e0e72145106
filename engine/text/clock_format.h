#pragma once
// The phone's clock text (AT+CCLK) in both directions.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

enum class ClockSetResult {
    Set,              // the machine's clock now shows the phone's time
    MalformedAnswer,  // the answer was not a clock text; nothing changed
    NoPrivilege,      // the user may not change the machine's clock
    NetworkTime,      // the machine keeps its time from the network; left alone
    Refused,          // the system would not set its clock for another reason
};

// The machine's clock as far as the engine needs it: setting it is a
// privileged operation, so it sits behind this seam.
class ISystemClock {
public:
    virtual ~ISystemClock() = default;
    // Sets the machine's clock to a local wall-clock time; Set, or why not
    // (the clock is then unchanged).
    virtual ClockSetResult SetLocalTime(std::chrono::local_seconds when) = 0;
};

// The quoted argument of AT+CCLK= for a local time: "yy/MM/dd,hh:mm:ss".
std::string FormatPcClockForPhone(std::chrono::local_seconds now);

// The local time in a "+CCLK: " answer line: +CCLK: "yy/MM/dd,hh:mm:ss"
// (the year is 2000 + yy); nullopt when the line is not in that layout or
// holds no real date and time.
std::optional<std::chrono::local_seconds> ParseCclkAnswer(std::string_view line);

// Sets the machine's clock from a "+CCLK: " answer line.
ClockSetResult SetPcClockFromPhone(std::string_view line, ISystemClock& clock);

// The message of a clock that was not set: "Cannot set date and time of
// computer!", a blank line and the reason. Empty for Set.
std::string PcClockFailureText(ClockSetResult result);

}  // namespace parlenko

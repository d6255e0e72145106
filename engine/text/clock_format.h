#pragma once
// The phone's clock text (AT+CCLK) in both directions.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

// The machine's clock as far as the engine needs it: setting it is a
// privileged system call, so it sits behind this seam.
class ISystemClock {
public:
    virtual ~ISystemClock() = default;
    // Sets the machine's clock to a local wall-clock time; false when the
    // system refuses (usually for lack of privilege) or the time is invalid.
    virtual bool SetLocalTime(std::chrono::local_seconds when) = 0;
};

// The quoted argument of AT+CCLK= for a local time: "yy/MM/dd,hh:mm:ss".
std::string FormatPcClockForPhone(std::chrono::local_seconds now);

enum class ClockSetResult {
    Set,              // the machine's clock now shows the phone's time
    MalformedAnswer,  // the answer was not a clock text; nothing changed
    Refused,          // the system would not set its clock
};

// The local time in a "+CCLK: " answer line: +CCLK: "yy/MM/dd,hh:mm:ss"
// (the year is 2000 + yy); nullopt when the line is not in that layout or
// holds no real date and time.
std::optional<std::chrono::local_seconds> ParseCclkAnswer(std::string_view line);

// Sets the machine's clock from a "+CCLK: " answer line.
ClockSetResult SetPcClockFromPhone(std::string_view line, ISystemClock& clock);

}  // namespace parlenko

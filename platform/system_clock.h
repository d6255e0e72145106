#pragma once
// The machine's real-time clock, set through clock_settime. Setting it needs
// the CAP_SYS_TIME privilege; without it SetLocalTime answers false and the
// caller tells the user.

#include "engine/text/clock_format.h"

namespace parlenko::platform {

class SystemClock final : public ISystemClock {
public:
    bool SetLocalTime(std::chrono::local_seconds when) override;
};

}  // namespace parlenko::platform

// fuzz-links: parlenko_engine
// Calendar objects from the phone: any hex text must read as six texts or a
// clean refusal. Any bytes as an entry's text must come back unchanged
// (without CR and LF) and must not change the other fields.
#include "engine/text/hex_text.h"
#include "engine/text/vcalendar.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace parlenko;
    using namespace std::chrono;
    const std::string_view s(reinterpret_cast<const char*>(data), size);

    (void)ParseVCalendar(s);
    if (HexToBytes(BytesToHex(s)) != std::string(s)) std::abort();

    VCalendarEntry e;
    e.Category = static_cast<AppointmentCategory>(size % 4);
    e.Repeat = static_cast<AppointmentRepeat>(size % 5);
    e.Alarm = size % 2 == 1;
    e.Date = 2004y / February / 29d;
    e.Time = hours(23) + minutes(59) + seconds(58);
    e.Text = std::string(s);
    const auto t = ParseVCalendar(BuildVCalendar(e, VCalendarForm::Phone));
    if (!t) std::abort();
    std::string text(s);
    std::erase(text, '\r');
    std::erase(text, '\n');
    if (t->Description != text || t->Date != "29.02.2004" || t->Time != "23:59:58" ||
        t->Category.empty() || (t->Alarm == "Active") != e.Alarm ||
        t->Repetition.empty() != (e.Repeat == AppointmentRepeat::Once))
        std::abort();
    return 0;
}

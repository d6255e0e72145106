// fuzz-links: parlenko_engine
// Clock answers from the phone and calendar entry texts: any bytes must give
// a value or a clean "not a date", never a crash or a runaway loop.
#include "engine/text/clock_format.h"
#include "engine/text/date_text.h"
#include "engine/text/next_occurrence.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace parlenko;
    using namespace std::chrono;
    std::string_view s(reinterpret_cast<const char*>(data), size);

    if (auto when = ParseCclkAnswer(s)) {
        // A clock text that reads must write back the same way.
        std::string again = "+CCLK: " + FormatPcClockForPhone(*when);
        if (ParseCclkAnswer(again) != when) std::abort();
    }

    // Split the input into date, time and repetition at the first two '|'.
    auto a = s.find('|');
    auto b = a == std::string_view::npos ? a : s.find('|', a + 1);
    std::string_view date = s.substr(0, a);
    std::string_view time =
        a == std::string_view::npos ? std::string_view{} : s.substr(a + 1, b - a - 1);
    std::string_view repeat = b == std::string_view::npos ? std::string_view{} : s.substr(b + 1);
    const local_seconds now = local_days{year{2026} / 12 / 7} + hours{9};
    std::string next = NextOccurrence(date, time, repeat, now);
    if (next != date) {
        auto d = ParseDateText(next);
        if (!d || local_days{*d} <= floor<days>(now)) std::abort();
    }
    return 0;
}

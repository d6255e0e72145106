// fuzz-links: parlenko_exchange_formats
// "CountryList.dat" and "Locations.dat" are text files a user may edit by hand:
// any bytes parse without failing, and a name saved into any file is found again.
#include "exchange/formats/country_list.h"
#include "exchange/formats/location_names.h"
#include "exchange/formats/text_lines.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace parlenko::exchange;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const auto& c : ParseCountryList(bytes))
        if (c.Name.empty() || c.Code.empty()) std::abort();

    auto lines = SplitLines(bytes);
    std::string_view cell = bytes.substr(0, std::min<std::size_t>(size, 8));
    std::string key = LocationKey("Op", "Area", cell);
    (void)FindLocationNameIn(lines, key);
    std::size_t before = lines.size();
    SetLocationNameIn(lines, key, "Saved \"name\"");
    if (lines.size() < before || lines.size() > before + 1) std::abort();
    auto reread = SplitLines(JoinLines(lines));
    if (FindLocationNameIn(reread, key) != "Saved \"name\"") std::abort();
    return 0;
}

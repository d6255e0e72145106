// fuzz-links: parlenko_engine
// Answers of the connect and information chains: any bytes must give a text
// and a bar count in range, never a crash.
#include "engine/chains/general_info_chain.h"
#include "engine/parse/sbnr_ranges.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace parlenko;
    std::string_view s(reinterpret_cast<const char*>(data), size);

    const Reception r = ReceptionFromCsq(s);
    if (r.bars < 0 || r.bars > 10 || r.text.empty()) std::abort();

    const BatteryLevel b = BatteryFromCbc(s);
    if (b.bars < 0 || b.bars > 10) std::abort();
    if (b.text.empty() != (b.text.find('%') == std::string::npos)) std::abort();

    if (ParseSbnrVcsRange(s) < 0) std::abort();
    (void)ParseSbnrBmpRange(s);
    return 0;
}

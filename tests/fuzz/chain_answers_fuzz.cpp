// fuzz-links: parlenko_engine
// Answers of the connect and information chains, of the divert, lock and
// ringer queries and their echoes: any bytes must give a text and a bar
// count in range, never a crash; no text taken from a line is longer than
// the line, no melody list longer than its limit; the answer reader never
// hands out more than the line holds.
#include "engine/general/general_info_chain.h"
#include "engine/melodies/ringer_answers.h"
#include "engine/parse/answer_reader.h"
#include "engine/objects/object_ranges.h"
#include "engine/general/general_answers.h"
#include "engine/services/service_answers.h"

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

    (void)ParseCpas(s);
    (void)ParseCbc(s);
    (void)ParseCclk(s);
    const Registration reg = ParseCreg(s);
    if (reg.area.size() + reg.cell.size() > s.size()) std::abort();
    if (ParseCsca(s).size() > s.size()) std::abort();

    if (const auto d = ParseCcfcLine(s); d && d->number.size() + d->time.size() > s.size())
        std::abort();
    (void)ParseClckLine(s);
    (void)ParseCcfcEcho(s);
    if (const auto facility = ParseClckEcho(s).facility;
        facility && (*facility < 1 || *facility > 9))
        std::abort();
    if (const auto ranges = ParseSrtcTest(s)) {
        if (ranges->melodyCount < 0 || ranges->melodyCount > kMaxMelodyCount) std::abort();
        if (ranges->volumeMin.has_value() != ranges->volumeMax.has_value()) std::abort();
        if (ranges->volumeMin && *ranges->volumeMin > *ranges->volumeMax) std::abort();
    }
    if (const auto q = ParseSrtcQuery(s); q && (q->melody < 0 || q->volume < 0)) std::abort();

    // Field by field, with the reads chosen by the bytes themselves: each
    // read takes text from the line, and the reader always comes to an end.
    AnswerReader reader(s);
    reader.SkipPrefix();
    std::size_t taken = 0;
    for (std::size_t k = 0; reader.HasField(); ++k) {
        if (k > s.size() + 1) std::abort();  // a field per comma, and one more
        switch (s.empty() ? 0 : static_cast<unsigned char>(s[k % s.size()]) % 4) {
            case 0: taken += reader.NextField().size(); break;
            case 1: (void)reader.NextNumber(); break;
            case 2: taken += reader.NextString().value_or(std::string_view()).size(); break;
            default: taken += reader.NextUnquoted().size(); break;
        }
        if (taken > s.size()) std::abort();
    }
    return 0;
}

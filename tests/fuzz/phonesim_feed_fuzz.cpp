// fuzz-links: phonesim_core
// The simulated phone takes whatever a client sends: any bytes, in any
// pieces, must leave it answering a plain "AT" with "OK" (unless the bytes
// switched it off). Its state-file reader and PDU reader take any text too.
#include "phonesim/pdu.h"
#include "phonesim/phone.h"
#include "phonesim/state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);

    phonesim::Phone phone(phonesim::MakeDefaultState());
    std::int64_t now = 0;
    std::size_t at = 0;
    while (at < input.size()) {
        // The first byte of each piece chooses the piece's length and the time step.
        std::size_t len = 1 + static_cast<unsigned char>(input[at]) % 16;
        now += static_cast<unsigned char>(input[at]) * 37;
        ++at;
        std::string_view piece = input.substr(at, len);
        at += piece.size();
        phone.Feed(piece, now);
        while (!phone.Poll(now).empty()) {}
    }
    now += 3600000;
    phone.Feed("\r\x1B", now);  // ends a partial line, then aborts a body it may have opened
    while (!phone.Poll(now).empty()) {}
    phone.Feed("AT\r", now);
    std::string out;
    for (std::string chunk = phone.Poll(now); !chunk.empty(); chunk = phone.Poll(now)) out += chunk;
    if (phone.PoweredOn() && (out.size() < 6 || out.compare(out.size() - 6, 6, "\r\nOK\r\n") != 0))
        std::abort();

    try {
        (void)phonesim::ParseState(std::string(input), "fuzz");
    } catch (const phonesim::StateError&) {}
    (void)phonesim::DecodePdu(input);
    (void)phonesim::MeasurePdu(input);
    return 0;
}

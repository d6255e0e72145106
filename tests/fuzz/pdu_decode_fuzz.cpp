// fuzz-links: parlenko_engine
// Both PDU decoders take whatever line the phone sends. The input is tried
// as the hex text itself and, so that the fuzzer reaches every field, as
// raw octets written out in hex.
#include "engine/pdu/pdu_decoder.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void DecodeAll(std::string_view pdu) {
    auto lookup = [](const std::string& number) {
        return number.size() > 3 ? number.substr(0, 3) : number;
    };
    parlenko::DecodedPdu a = parlenko::DecodeSmsPdu(pdu, lookup);
    parlenko::DecodedPdu b = parlenko::DecodeStoredSubmitPdu(pdu);
    (void)parlenko::PduDisplayText(a);
    (void)parlenko::PduDisplayText(b);
    (void)parlenko::Decode7BitText(pdu, !pdu.empty() && (pdu.back() & 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    DecodeAll(text);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        hex.push_back(kDigits[data[i] >> 4]);
        hex.push_back(kDigits[data[i] & 0x0F]);
    }
    DecodeAll(hex);
    return 0;
}

// fuzz-links: parlenko_engine
// Phonebook answers and SMS user data come from the phone: the conversions
// must take any bytes, and what they produce must go back to the phone and
// return unchanged.
#include "engine/phonebook/cpbr_answer.h"
#include "engine/text/gsm_alphabet.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace parlenko;
    std::string_view s(reinterpret_cast<const char*>(data), size);

    std::string name = PhonebookTextFromGsm(s);
    std::string sms = SmsTextFromGsm(s);
    (void)ExtractQuoted(s);
    (void)FirstFieldPadded(s);
    (void)KeepNumberChars(s);

    // Text from an SMS only ever holds typeable characters and line breaks,
    // and survives the way back to the phone (CR LF pairs become LF).
    if (!IsSmsText(sms)) std::abort();
    std::string again = SmsTextFromGsm(SmsTextToGsm(sms));
    std::string noCr;
    for (char c : sms)
        if (c != '\r') noCr += c;
    if (again != noCr) std::abort();

    // An escaped name holds nothing that could end the quoted AT argument.
    std::string escaped = EscapeGsmText(name);
    for (char c : escaped)
        if (c == '"' || c == '\r' || c == '\n' || static_cast<unsigned char>(c) < 32) std::abort();
    std::string cleaned = ReplaceUnsupportedChars(s);
    if (cleaned.size() != size || !IsValidText(cleaned)) std::abort();
    return 0;
}

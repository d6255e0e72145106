#include "engine/pdu/pdu_encoder.h"

#include "engine/core/strings.h"
#include "engine/pdu/pdu_helpers.h"
#include "engine/pdu/septets.h"
#include "exchange/formats/text_encoding.h"

#include <algorithm>

namespace parlenko {

namespace {

std::string_view WithoutPlus(std::string_view number) {
    return !number.empty() && number.front() == '+' ? number.substr(1) : number;
}

bool IsEncodableNumber(std::string_view number) {
    return std::all_of(number.begin(), number.end(),
                       [](char c) { return NumberCharToSemiOctet(c) != 0; });
}

std::string WithoutCr(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out.push_back(c);
    return out;
}

// The shortest relative validity octet whose period is at least `minutes`;
// -1 beyond 63 weeks.
int RelativeOctetNotShorter(long minutes) {
    auto ceilDiv = [](long a, long b) { return (a + b - 1) / b; };
    constexpr long kHour = 60;
    constexpr long kDay = 24 * kHour;
    constexpr long kWeek = 7 * kDay;
    if (minutes <= 12 * kHour) return static_cast<int>(std::max(0L, ceilDiv(minutes, 5) - 1));
    if (minutes <= kDay) return static_cast<int>(143 + ceilDiv(minutes - 12 * kHour, 30));
    if (minutes <= 30 * kDay) return static_cast<int>(166 + ceilDiv(minutes, kDay));
    if (minutes <= 63 * kWeek)
        return static_cast<int>(std::max(197L, 192 + ceilDiv(minutes, kWeek)));
    return -1;
}

}  // namespace

std::string EncodeSubmitHeader(std::string_view number, bool statusReport) {
    bool international = !number.empty() && number.front() == '+';
    std::string_view digits = WithoutPlus(number);
    std::string semi;
    for (char c : digits) semi.push_back(NumberCharToSemiOctet(c) ? NumberCharToSemiOctet(c) : 'F');
    if (semi.size() % 2) semi.push_back('F');
    std::string address;
    for (std::size_t i = 0; i + 1 < semi.size(); i += 2)
        address += SwapSemiOctets(semi.substr(i, 2));
    return std::string("00") + (statusReport ? "31" : "11") + "00" +
           ByteToHex(static_cast<int>(digits.size())) + (international ? "91" : "81") + address +
           "00";
}

std::string EncodeDataCoding(bool flash) { return flash ? "18" : "00"; }

std::string EncodeValidityPeriod(int value, int unit) {
    switch (unit) {
        case 0:
            if (value >= 5 && value <= 720) return ByteToHex(value / 5 - 1);
            break;
        case 1:
            if (value >= 30 && value <= 720) return ByteToHex(RelativeOctetNotShorter(value * 60L));
            break;
        case 2:
            if (value >= 2 && value <= 30) return ByteToHex(value + 166);
            break;
        case 3:
            if (value >= 5 && value <= 63) return ByteToHex(value + 192);
            break;
        default: break;
    }
    return "FF";
}

std::string Encode7BitText(std::string_view codes) {
    std::string out = ByteToHex(static_cast<int>(codes.size()));
    for (std::uint8_t octet : PackSeptets(codes)) out += ByteToHex(octet);
    return out;
}

std::string EncodeUcs2Text(std::string_view text) {
    std::string units = "0001";
    for (char c : text) {
        // Every character of Windows-1252 lies in the basic plane: one unit.
        const auto u = static_cast<int>(exchange::Windows1252CodePoint(c));
        units += ByteToHex(u >> 8) + ByteToHex(u & 0xFF);
    }
    return ByteToHex(static_cast<int>(units.size() / 2)) + units;
}

SubmitPdu BuildSubmitPdu(std::string_view number, std::string_view text, int vpValue,
                         bool statusReport, bool flash, int vpUnit) {
    SubmitPdu result;
    if (!IsEncodableNumber(WithoutPlus(number))) {
        result.Error = SubmitPduError::InvalidNumber;
        return result;
    }
    std::string userData;
    if (flash) {
        std::string plain = WithoutCr(text);
        if (2 * (plain.size() + 1) > kMaxUcs2Octets) {
            result.Error = SubmitPduError::TextTooLong;
            return result;
        }
        userData = EncodeUcs2Text(plain);
    } else {
        if (text.size() > kMaxSeptets) {
            result.Error = SubmitPduError::TextTooLong;
            return result;
        }
        userData = Encode7BitText(text);
    }
    result.Pdu = EncodeSubmitHeader(number, statusReport) + EncodeDataCoding(flash) +
                 EncodeValidityPeriod(vpValue, vpUnit) + userData;
    return result;
}

std::string SmsPduLength(std::string_view pdu) {
    return IntToStr(static_cast<long long>(pdu.size() / 2) - 1);
}

}  // namespace parlenko

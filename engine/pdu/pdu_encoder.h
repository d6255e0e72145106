#pragma once
// Encoder of the SMS-SUBMIT PDU sent after the "> " prompt of "AT+CMGS"
// (send) and "AT+CMGW" (store). One shape only: no service-centre address
// (the phone's own centre is used), a relative validity period, and either
// the GSM 7-bit default alphabet or UCS2 (the flash message, class 0).

#include <cstddef>
#include <string>
#include <string_view>

namespace parlenko {

// Longest user data: 160 septets, or 140 octets of UCS2 (the marker
// character and 69 characters).
inline constexpr std::size_t kMaxSeptets = 160;
inline constexpr std::size_t kMaxUcs2Octets = 140;

enum class SubmitPduError {
    None,
    TextTooLong,    // more than 160 septets / 140 UCS2 octets
    InvalidNumber,  // a character other than a digit, '*' or '#' after the leading '+'
};

struct SubmitPdu {
    std::string Pdu;  // hex text, empty on failure
    SubmitPduError Error = SubmitPduError::None;
    bool Ok() const { return Error == SubmitPduError::None; }
};

// The whole PDU. For a 7-bit message Text is in GSM code units (the euro
// is the two units ESC "e"); for a flash message it is the Windows-1252
// text as the user typed it (its CRs are dropped, LF breaks the line).
// VPUnit: 0 minutes, 1 hours, 2 days, 3 weeks.
SubmitPdu BuildSubmitPdu(std::string_view number, std::string_view text, int vpValue,
                         bool statusReport, bool flash, int vpUnit);

// The TPDU length that "AT+CMGS=" and "AT+CMGW=" take: the PDU's octet
// count without the service-centre length octet, as decimal text.
std::string SmsPduLength(std::string_view pdu);

// Service-centre length, first octet, message reference, destination
// address and protocol identifier. '*' and '#' are the semi-octets A and B.
std::string EncodeSubmitHeader(std::string_view number, bool statusReport);
// "18" (UCS2, class 0: shown at once) for a flash message, else "00".
std::string EncodeDataCoding(bool flash);
// The relative validity octet of a value in a unit; "FF" (63 weeks) for a
// value outside the unit's range or an unknown unit.
std::string EncodeValidityPeriod(int value, int unit);
// User data length (code units) and the packed septets.
std::string Encode7BitText(std::string_view codes);
// User data length (octets) and the text as UCS2 after the marker U+0001.
std::string EncodeUcs2Text(std::string_view text);

}  // namespace parlenko

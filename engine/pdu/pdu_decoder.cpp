#include "engine/pdu/pdu_decoder.h"

#include "engine/core/strings.h"
#include "engine/pdu/pdu_helpers.h"
#include "engine/pdu/septets.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/text/service_centre.h"
#include "exchange/formats/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace parlenko {

namespace {

// Reads a PDU's hex text octet by octet without ever leaving it. A pair
// that is not two upper-case hex digits reads as 0; a lone last character
// is not an octet.
class HexCursor {
public:
    explicit HexCursor(std::string_view hex) : hex_(hex) {}

    std::optional<int> Octet() {
        if (pos_ + 2 > hex_.size()) return std::nullopt;
        int v = HexToByte(hex_.substr(pos_, 2));
        pos_ += 2;
        return v;
    }
    int OctetOr0() { return Octet().value_or(0); }

    // The raw text of up to n octets (a lone last character included).
    std::string_view Pairs(std::size_t n) {
        std::size_t take = std::min(n * 2, hex_.size() - pos_);
        std::string_view s = hex_.substr(pos_, take);
        pos_ += take;
        return s;
    }

    // Up to n whole octets.
    std::vector<std::uint8_t> Octets(std::size_t n) {
        std::vector<std::uint8_t> out;
        while (out.size() < n) {
            auto v = Octet();
            if (!v) break;
            out.push_back(static_cast<std::uint8_t>(*v));
        }
        return out;
    }
    std::vector<std::uint8_t> AllOctets() { return Octets(hex_.size()); }

private:
    std::string_view hex_;
    std::size_t pos_ = 0;
};

bool IsInternational(int type) { return (type & 0x70) == 0x10; }
bool IsAlphanumeric(int type) { return (type & 0x70) == 0x50; }

// Semi-octet digits of a run of octets: each pair swapped, a final filler
// "F" dropped, the A and B semi-octets shown as '*' and '#'.
std::string SemiOctetDigits(std::string_view pairs, std::size_t maxDigits = std::string::npos) {
    std::string digits;
    for (std::size_t i = 0; i < pairs.size(); i += 2) digits += SwapSemiOctets(pairs.substr(i, 2));
    if (digits.size() > maxDigits) digits.resize(maxDigits);
    if (!digits.empty() && digits.back() == 'F') digits.pop_back();
    for (char& c : digits) c = SemiOctetToNumberChar(c);
    return digits;
}

// Service-centre field: its length in octets (type included), the type and
// the digits. A length of 0 means the PDU names no centre.
std::string ReadServiceCentre(HexCursor& c) {
    int length = c.OctetOr0();
    if (length == 0) return {};
    auto type = c.Octet();
    if (!type) return {};
    std::string digits = SemiOctetDigits(c.Pairs(static_cast<std::size_t>(length - 1)));
    return (IsInternational(*type) ? "+" : "") + digits;
}

// Originator or destination address: digit count, type and digits, or the
// GSM 7-bit packed name of an alphanumeric address.
std::string ReadAddress(HexCursor& c) {
    auto digits = c.Octet();
    if (!digits) return {};
    auto type = c.Octet();
    if (!type) return {};
    std::size_t octets = (static_cast<std::size_t>(*digits) + 1) / 2;
    if (IsAlphanumeric(*type))
        return PhoneTextFromGsm(
            UnpackSeptets(c.Octets(octets), static_cast<std::size_t>(*digits) * 4 / 7));
    std::string number = SemiOctetDigits(c.Pairs(octets), static_cast<std::size_t>(*digits));
    return (IsInternational(*type) ? "+" : "") + number;
}

// The value of exactly two decimal digits, -1 for anything else.
int TwoDigitValue(const std::string& s) {
    if (s.size() != 2 || s[0] < '0' || s[0] > '9' || s[1] < '0' || s[1] > '9') return -1;
    return (s[0] - '0') * 10 + (s[1] - '0');
}

// dd.mm.yyyy of a time stamp's day, month and two-digit year (2000 + yy);
// empty when they do not make a date.
std::string StampDate(const std::string& day, const std::string& month, const std::string& year) {
    int d = TwoDigitValue(day), m = TwoDigitValue(month), yy = TwoDigitValue(year);
    if (d < 0 || m < 0 || yy < 0) return {};
    int y = 2000 + yy;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1) return {};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (d > kDays[m - 1] + (m == 2 && leap ? 1 : 0)) return {};
    return day + "." + month + "." + IntToStr(y);
}

struct TimeStamp {
    std::string date;
    std::string time;
};

// Seven semi-octet octets: year, month, day, hour, minute, second and the
// time zone, which is not used.
TimeStamp ReadTimeStamp(HexCursor& c) {
    std::string p[7];
    for (auto& part : p) part = SwapSemiOctets(c.Pairs(1));
    TimeStamp t;
    t.date = StampDate(p[2], p[1], p[0]);
    if (p[3].size() == 2 && p[4].size() == 2 && p[5].size() == 2)
        t.time = p[3] + ":" + p[4] + ":" + p[5];
    return t;
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        if (ch == '\n' || ch == '\r') out += "\r\n";
        else out.push_back(ch);
    }
    return out;
}

// The same for GSM codes, where ESC and the code of LF are the form feed of
// the extension table, no line break.
std::string SeptetsWithCrLf(std::string_view septets) {
    std::string out;
    out.reserve(septets.size());
    for (std::size_t i = 0; i < septets.size(); ++i) {
        const char ch = septets[i];
        const bool formFeed = ch == '\n' && i > 0 && septets[i - 1] == kGsmEscape;
        if ((ch == '\n' || ch == '\r') && !formFeed) out += "\r\n";
        else out.push_back(ch);
    }
    return out;
}

// The octets of user data after its length octet: at most `udl` of them.
// With a header, the header length octet and the header are removed.
struct OctetUserData {
    std::vector<std::uint8_t> data;
    bool headerDropped = false;
};

OctetUserData ReadOctetUserData(HexCursor& c, bool udhi) {
    OctetUserData ud;
    auto udl = c.Octet();
    if (!udl) return ud;
    ud.data = c.Octets(static_cast<std::size_t>(*udl));
    if (udhi) {
        std::size_t header =
            ud.data.empty() ? 0 : std::min<std::size_t>(ud.data[0] + 1u, ud.data.size());
        ud.data.erase(ud.data.begin(), ud.data.begin() + static_cast<std::ptrdiff_t>(header));
        ud.headerDropped = true;
    }
    return ud;
}

struct Body {
    std::string text;
    bool headerDropped = false;
};

// UCS2 text as UTF-8, every character kept (phones send UTF-16: a surrogate
// pair is one character).
Body DecodeUcs2Text(HexCursor& c, bool udhi) {
    OctetUserData ud = ReadOctetUserData(c, udhi);
    std::u16string units;
    for (std::size_t i = 0; i + 1 < ud.data.size(); i += 2) {
        auto unit = static_cast<char16_t>(ud.data[i] << 8 | ud.data[i + 1]);
        // The marker character that our own encoder puts before every UCS2 text.
        if (i == 0 && unit == 0x0001) continue;
        units.push_back(unit);
    }
    return {WithCrLf(exchange::Utf16ToUtf8(units)), ud.headerDropped};
}

Body Decode8BitText(HexCursor& c, bool udhi) {
    OctetUserData ud = ReadOctetUserData(c, udhi);
    std::string text(ud.data.begin(), ud.data.end());
    return {WithCrLf(text), ud.headerDropped};
}

Body DecodeUserData(HexCursor& c, PduCoding coding, bool udhi) {
    switch (coding) {
        case PduCoding::Ucs2: return DecodeUcs2Text(c, udhi);
        case PduCoding::EightBit: return Decode8BitText(c, udhi);
        case PduCoding::Gsm7Bit: break;
    }
    auto udl = c.Octet();
    if (!udl) return {};
    SevenBitText t = Decode7BitText(
        ByteToHex(*udl) + std::string(c.Pairs(static_cast<std::size_t>(*udl))), udhi);
    return {t.Text, t.HeaderDropped};
}

void SetBody(DecodedPdu& r, HexCursor& c, int dcs) {
    r.Coding = CodingOfDcs(dcs);
    r.PduEightBit = r.Coding == PduCoding::EightBit;
    Body body = DecodeUserData(c, r.Coding, r.PduUdhi);
    r.PduText = body.text;
    if (body.headerDropped) r.PduUdhi = false;
}

void DecodeStatusReportBody(DecodedPdu& r, HexCursor& c, const PduNameLookup& findNameByNumber) {
    std::string number = ReadAddress(c);
    TimeStamp sent = ReadTimeStamp(c);
    TimeStamp discharged = ReadTimeStamp(c);
    // Status 0x00..0x1F: the transaction completed; anything else (or no
    // status at all) means the message did not reach the recipient.
    auto status = c.Octet();
    bool delivered = status && *status <= 0x1F;
    std::string name = findNameByNumber ? findNameByNumber(number) : std::string();
    r.PduNumber = "Status Report";
    r.PduDate = discharged.date;
    r.PduTime = discharged.time;
    r.PduText = "RECEIVER:\r\n" + name + "  (" + number + ")" + "\r\n\r\n" + "Sent:  " + sent.date +
                "  " + sent.time + "\r\n" + (delivered ? "Delivered:  " : "Not delivered:  ") +
                discharged.date + "  " + discharged.time + "\r\n";
}

void DecodeDeliverBody(DecodedPdu& r, HexCursor& c) {
    r.PduNumber = ReadAddress(c);
    c.Octet();  // protocol identifier
    int dcs = c.OctetOr0();
    TimeStamp stamp = ReadTimeStamp(c);
    r.PduDate = stamp.date;
    r.PduTime = stamp.time;
    SetBody(r, c, dcs);
}

std::string WithoutLineBreaks(std::string_view pdu) {
    std::string s;
    s.reserve(pdu.size());
    for (char ch : pdu)
        if (ch != '\r' && ch != '\n') s.push_back(ch);
    return s;
}

// The start of every message: the service centre, then the first octet,
// whose user-data-header flag is kept. nullopt when the message ends before it.
std::optional<int> ReadStart(DecodedPdu& r, HexCursor& c) {
    r.PduSmsc = ServiceCentreName(ReadServiceCentre(c));
    const auto fo = c.Octet();
    if (fo) r.PduUdhi = (*fo & 0x40) != 0;
    return fo;
}

}  // namespace

PduCoding CodingOfDcs(int dcs) {
    dcs &= 0xFF;
    if ((dcs & 0x80) == 0) {
        // General data coding (and the automatic-deletion group): compressed
        // text cannot be read as characters and is taken as 8-bit data.
        if (dcs & 0x20) return PduCoding::EightBit;
        switch ((dcs >> 2) & 0x03) {
            case 1: return PduCoding::EightBit;
            case 2: return PduCoding::Ucs2;
            default: return PduCoding::Gsm7Bit;
        }
    }
    if ((dcs & 0xF0) == 0xE0) return PduCoding::Ucs2;  // store message, UCS2
    if ((dcs & 0xF0) == 0xF0)
        return (dcs & 0x04) ? PduCoding::EightBit : PduCoding::Gsm7Bit;  // class group
    return PduCoding::Gsm7Bit;  // reserved groups, message waiting groups
}

std::string PduDisplayText(const DecodedPdu& decoded) {
    if (decoded.PduStatusReport) return exchange::Windows1252ToUtf8(decoded.PduText);
    switch (decoded.Coding) {
        case PduCoding::Ucs2: return decoded.PduText;
        case PduCoding::EightBit: return exchange::Windows1252ToUtf8(decoded.PduText);
        case PduCoding::Gsm7Bit: break;
    }
    return SmsTextFromGsm(decoded.PduText);
}

SevenBitText Decode7BitText(std::string_view userData, bool udhi) {
    SevenBitText t;
    HexCursor c(userData);
    auto udl = c.Octet();
    if (!udl) return t;
    std::vector<std::uint8_t> octets = c.AllOctets();

    std::vector<std::uint8_t> firstUdl(
        octets.begin(), octets.begin() + static_cast<std::ptrdiff_t>(std::min(
                                             static_cast<std::size_t>(*udl), octets.size())));
    firstUdl.resize(static_cast<std::size_t>(*udl), 0);
    t.Out = SeptetsWithCrLf(UnpackSeptets(firstUdl, SeptetsInOctets(firstUdl.size())));

    std::string septets = UnpackSeptets(octets, static_cast<std::size_t>(*udl));
    if (udhi) {
        // The header (its length octet included) is padded with fill bits
        // to a whole number of septets.
        std::size_t udhl = octets.empty() ? 0 : octets[0];
        std::size_t skip = ((udhl + 1) * 8 + 6) / 7;
        septets.erase(0, std::min(skip, septets.size()));
        t.HeaderDropped = true;
    }
    t.Text = SeptetsWithCrLf(septets);
    return t;
}

DecodedPdu DecodeSmsPdu(std::string_view pdu, const PduNameLookup& findNameByNumber) {
    DecodedPdu r;
    std::string text = WithoutLineBreaks(pdu);
    HexCursor c(text);
    const auto fo = ReadStart(r, c);
    if (!fo) return r;
    r.PduStatusReport = (*fo & 0x02) != 0;
    if (r.PduStatusReport) {
        c.Octet();  // message reference
        DecodeStatusReportBody(r, c, findNameByNumber);
    } else {
        DecodeDeliverBody(r, c);
    }
    return r;
}

DecodedPdu DecodeStoredSubmitPdu(std::string_view pdu) {
    DecodedPdu r;
    std::string text = WithoutLineBreaks(pdu);
    HexCursor c(text);
    const auto fo = ReadStart(r, c);
    if (!fo) return r;
    int validityFormat = (*fo >> 3) & 0x03;  // 0 none, 2 relative, 1 enhanced, 3 absolute
    r.PduNoValidity = validityFormat == 0;

    c.Octet();  // message reference
    r.PduNumber = ReadAddress(c);
    c.Octet();  // protocol identifier
    int dcs = c.OctetOr0();
    if (validityFormat == 2) {
        std::string_view vp = c.Pairs(1);
        if (vp.size() == 2) r.PduValidity = ValidityPeriodText(vp);
    } else if (validityFormat != 0) {
        c.Pairs(7);  // absolute time stamp or enhanced format: seven octets
    }
    SetBody(r, c, dcs);
    return r;
}

std::optional<PduMessageType> MessageTypeOfPdu(std::string_view pdu) {
    std::string text = WithoutLineBreaks(pdu);
    HexCursor c(text);
    DecodedPdu ignored;
    const auto fo = ReadStart(ignored, c);
    if (!fo) return std::nullopt;
    return static_cast<PduMessageType>(*fo & 0x03);
}

DecodedPdu DecodeReadPdu(std::string_view pdu, const PduNameLookup& findNameByNumber) {
    if (MessageTypeOfPdu(pdu) == PduMessageType::Submit) return DecodeStoredSubmitPdu(pdu);
    return DecodeSmsPdu(pdu, findNameByNumber);
}

}  // namespace parlenko

#include "phonesim/pdu.h"

#include "phonesim/gsm_text.h"

#include <vector>

namespace phonesim {
namespace {

std::string SemiOctets(std::string_view digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        auto nib = [](char c) -> int {
            if (c >= '0' && c <= '9') return c - '0';
            if (c == '*') return 10;
            if (c == '#') return 11;
            return 15;
        };
        int lo = nib(digits[i]);
        int hi = i + 1 < digits.size() ? nib(digits[i + 1]) : 15;
        out += static_cast<char>(hi << 4 | lo);
    }
    return out;
}

std::string DigitsFromSemiOctets(std::string_view octets, std::size_t count) {
    static const char* map = "0123456789*#abc?";
    std::string out;
    for (char ch : octets) {
        auto b = static_cast<unsigned char>(ch);
        out += map[b & 15];
        out += map[b >> 4];
    }
    if (out.size() > count) out.resize(count);
    return out;
}

std::string EncodeUserData(std::string_view utf8, bool ucs2, std::string& dcsOut) {
    std::string ud;
    if (ucs2) {
        for (char16_t c : Utf8ToUtf16(utf8)) {
            ud += static_cast<char>(c >> 8);
            ud += static_cast<char>(c & 0xFF);
        }
        dcsOut = std::string(1, '\x08');
        return std::string(1, static_cast<char>(ud.size())) + ud;
    }
    std::string gsm = Utf8ToGsm(utf8);
    dcsOut = std::string(1, '\x00');
    return std::string(1, static_cast<char>(gsm.size())) + PackSeptets(gsm);
}

struct Reader {
    std::string bytes;
    std::size_t pos = 0;
    bool ok = true;
    int Byte() {
        if (pos >= bytes.size()) {
            ok = false;
            return 0;
        }
        return static_cast<unsigned char>(bytes[pos++]);
    }
    std::string Take(std::size_t n) {
        if (pos + n > bytes.size()) {
            ok = false;
            n = bytes.size() - pos;
        }
        std::string s = bytes.substr(pos, n);
        pos += n;
        return s;
    }
};

std::string ReadAddress(Reader& r) {
    int digits = r.Byte();
    int type = r.Byte();
    std::string raw = r.Take(static_cast<std::size_t>((digits + 1) / 2));
    if ((type & 0x70) == 0x50) {  // alphanumeric
        return GsmToUtf8(UnpackSeptets(raw, static_cast<std::size_t>(digits) * 4 / 7));
    }
    std::string number = DigitsFromSemiOctets(raw, static_cast<std::size_t>(digits));
    return (type == 0x91 ? "+" : "") + number;
}

}  // namespace

std::string PackSeptets(std::string_view gsm, int fillBits) {
    std::vector<std::uint8_t> out;
    unsigned acc = 0;
    int bits = fillBits;
    for (char ch : gsm) {
        acc |= (static_cast<unsigned>(ch) & 0x7F) << bits;
        bits += 7;
        while (bits >= 8) {
            out.push_back(static_cast<std::uint8_t>(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0) out.push_back(static_cast<std::uint8_t>(acc & 0xFF));
    return std::string(out.begin(), out.end());
}

std::string UnpackSeptets(std::string_view octets, std::size_t count, int fillBits) {
    std::string out;
    std::size_t bit = static_cast<std::size_t>(fillBits);
    for (std::size_t k = 0; k < count; ++k, bit += 7) {
        std::size_t byte = bit / 8;
        if (byte >= octets.size()) break;
        unsigned v = static_cast<unsigned char>(octets[byte]);
        if (byte + 1 < octets.size())
            v |= static_cast<unsigned>(static_cast<unsigned char>(octets[byte + 1])) << 8;
        out += static_cast<char>((v >> (bit % 8)) & 0x7F);
    }
    return out;
}

std::string EncodeAddress(std::string_view number) {
    bool intl = !number.empty() && number.front() == '+';
    std::string_view digits = intl ? number.substr(1) : number;
    std::string out;
    out += static_cast<char>(digits.size());
    out += static_cast<char>(intl ? 0x91 : 0x81);
    out += SemiOctets(digits);
    return out;
}

std::string EncodeSmsc(std::string_view number) {
    if (number.empty()) return std::string(1, '\0');
    bool intl = number.front() == '+';
    std::string_view digits = intl ? number.substr(1) : number;
    std::string body = std::string(1, static_cast<char>(intl ? 0x91 : 0x81)) + SemiOctets(digits);
    return std::string(1, static_cast<char>(body.size())) + body;
}

namespace {

// Seven octets of a time stamp from "yy/MM/dd,hh:mm:ss" and a zone in quarters of an hour.
std::string TimeStamp(const std::string& text, int zoneQuarters) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits += c;
    digits.resize(12, '0');
    int tz = zoneQuarters < 0 ? -zoneQuarters : zoneQuarters;
    digits += static_cast<char>('0' + tz / 10 % 10);
    digits += static_cast<char>('0' + tz % 10);
    std::string stamp = SemiOctets(digits);
    if (zoneQuarters < 0) stamp.back() = static_cast<char>(stamp.back() | 0x08);
    return stamp;
}

}  // namespace

std::string BuildStatusReportPdu(const StatusReport& r) {
    std::string pdu = EncodeSmsc(r.smsc);
    pdu += '\x06';  // SMS-STATUS-REPORT, no more messages to send
    pdu += static_cast<char>(r.reference & 0xFF);
    pdu += EncodeAddress(r.recipient);
    pdu += TimeStamp(r.sent, 4);
    pdu += TimeStamp(r.delivered, 4);
    pdu += static_cast<char>(r.status & 0xFF);
    return ToHex(pdu);
}

std::string BuildDeliverPdu(const DeliverMessage& m) {
    std::string pdu = EncodeSmsc(m.smsc);
    pdu += '\x04';  // SMS-DELIVER, no more messages to send
    pdu += EncodeAddress(m.sender);
    pdu += '\0';  // protocol identifier
    std::string dcs;
    std::string ud = EncodeUserData(m.text, m.ucs2, dcs);
    pdu += dcs;
    pdu += TimeStamp(m.timestamp, m.timezoneQuarters);
    pdu += ud;
    return ToHex(pdu);
}

std::string BuildSubmitPdu(const SubmitMessage& m) {
    std::string pdu = EncodeSmsc(m.smsc);
    int fo = 0x01;
    if (m.validity >= 0) fo |= 0x10;
    if (m.statusReport) fo |= 0x20;
    pdu += static_cast<char>(fo);
    pdu += static_cast<char>(m.reference & 0xFF);
    pdu += EncodeAddress(m.destination);
    pdu += '\0';
    std::string dcs;
    std::string ud = EncodeUserData(m.text, m.ucs2, dcs);
    pdu += dcs;
    if (m.validity >= 0) pdu += static_cast<char>(m.validity & 0xFF);
    pdu += ud;
    return ToHex(pdu);
}

std::optional<PduSizes> MeasurePdu(std::string_view hex) {
    auto bytes = FromHex(hex);
    if (!bytes || bytes->empty()) return std::nullopt;
    int sca = static_cast<unsigned char>((*bytes)[0]);
    if (static_cast<std::size_t>(sca) + 1 > bytes->size()) return std::nullopt;
    return PduSizes{sca + 1, static_cast<int>(bytes->size()) - sca - 1};
}

std::optional<DecodedPdu> DecodePdu(std::string_view hex) {
    auto bytes = FromHex(hex);
    if (!bytes) return std::nullopt;
    Reader r{*bytes};
    DecodedPdu d;
    int scaLen = r.Byte();
    if (scaLen > 0) {
        int type = r.Byte();
        std::string raw = r.Take(static_cast<std::size_t>(scaLen - 1));
        // Appended: GCC 12 warns falsely (-Wrestrict) on "text" + a temporary string.
        d.smsc =
            std::string(type == 0x91 ? "+" : "").append(DigitsFromSemiOctets(raw, raw.size() * 2));
        if (!d.smsc.empty() && d.smsc.back() == '?') d.smsc.pop_back();
    }
    int fo = r.Byte();
    d.submit = (fo & 0x03) == 0x01;
    bool udhi = fo & 0x40;
    if (d.submit) {
        d.statusReportRequested = fo & 0x20;
        r.Byte();  // message reference
    }
    d.address = ReadAddress(r);
    r.Byte();  // protocol identifier
    int dcs = r.Byte();
    if (d.submit) {
        int vpf = (fo >> 3) & 0x03;
        if (vpf == 2) r.Byte();
        else if (vpf == 1 || vpf == 3) r.Take(7);
    } else {
        std::string stamp = DigitsFromSemiOctets(r.Take(7), 14);
        if (stamp.size() >= 12)
            d.timestamp = stamp.substr(0, 2) + "/" + stamp.substr(2, 2) + "/" + stamp.substr(4, 2) +
                          "," + stamp.substr(6, 2) + ":" + stamp.substr(8, 2) + ":" +
                          stamp.substr(10, 2);
    }
    int udl = r.Byte();
    if (!r.ok) return std::nullopt;
    std::string ud = r.bytes.substr(r.pos);
    d.ucs2 = (dcs & 0x0C) == 0x08;
    if (d.ucs2 || (dcs & 0x0C) == 0x04) {
        std::size_t start = 0;
        if (udhi && !ud.empty())
            start = static_cast<std::size_t>(static_cast<unsigned char>(ud[0])) + 1;
        std::size_t end = std::min<std::size_t>(ud.size(), static_cast<std::size_t>(udl));
        if (d.ucs2) {
            std::u16string text;
            for (std::size_t i = start; i + 1 < end; i += 2) {
                text += static_cast<char16_t>(static_cast<unsigned char>(ud[i]) << 8 |
                                              static_cast<unsigned char>(ud[i + 1]));
            }
            d.text = Utf16ToUtf8(text);
        } else {
            d.text = ud.substr(std::min(start, end), end - std::min(start, end));
        }
        return d;
    }
    std::size_t skip = 0;
    int fill = 0;
    if (udhi && !ud.empty()) {
        std::size_t headerOctets = static_cast<std::size_t>(static_cast<unsigned char>(ud[0])) + 1;
        skip = (headerOctets * 8 + 6) / 7;
        fill = static_cast<int>(skip * 7 - headerOctets * 8);
        std::string gsm = UnpackSeptets(
            ud.substr(std::min(headerOctets, ud.size())),
            static_cast<std::size_t>(udl) > skip ? static_cast<std::size_t>(udl) - skip : 0, fill);
        d.text = GsmToUtf8(gsm);
        return d;
    }
    d.text = GsmToUtf8(UnpackSeptets(ud, static_cast<std::size_t>(udl)));
    return d;
}

}  // namespace phonesim

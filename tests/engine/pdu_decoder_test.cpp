#include "engine/pdu/pdu_decoder.h"
#include "engine/pdu/septets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace parlenko {
namespace {

// Service centre +385910401 (an operator with a name), first octet, the
// originator +15125551234, protocol identifier, DCS, time stamp
// 02.11.2026 14:00:08, then the user data.
const std::string kSmscVip =
    "0691839501"
    "04F1";
const std::string kSender = "0B915121551532F4";
const std::string kStamp = "62112041008000";

std::string Deliver(const std::string& dcs, const std::string& userData,
                    const std::string& fo = "04", const std::string& sender = kSender) {
    return kSmscVip + fo + sender + "00" + dcs + kStamp + userData;
}

TEST(PduDecoder, DeliverSevenBitFields) {
    DecodedPdu r = DecodeSmsPdu(Deliver("00", "05E8329BFD06"));
    EXPECT_EQ(r.PduSmsc, "HR VIP  [+385910401]");
    EXPECT_EQ(r.PduNumber, "+15125551234");
    EXPECT_EQ(r.PduDate, "02.11.2026");
    EXPECT_EQ(r.PduTime, "14:00:08");
    EXPECT_EQ(r.PduText, "hello");
    EXPECT_EQ(r.Coding, PduCoding::Gsm7Bit);
    EXPECT_FALSE(r.PduStatusReport);
    EXPECT_EQ(PduDisplayText(r), "hello");
}

TEST(PduDecoder, SevenBitHeaderIsDroppedWithItsFillBits) {
    // Header of length 5 (6 octets with its length octet): 7 septets go.
    DecodedPdu r = DecodeSmsPdu(Deliver("00",
                                        "0C"
                                        "050003AA0201"
                                        "D06536FB0D",
                                        "44"));
    EXPECT_EQ(r.PduText, "hello");
    EXPECT_FALSE(r.PduUdhi);
}

TEST(PduDecoder, LineBreaksBecomeCrLf) {
    EXPECT_EQ(DecodeSmsPdu(Deliver("00", "03618518")).PduText, "a\r\nb");
    EXPECT_EQ(DecodeSmsPdu(Deliver("00", "04E186420C")).PduText, "a\r\n\r\nb");
}

TEST(PduDecoder, NumbersAndServiceCentres) {
    // Type 81 with nine digits and the filler F: no "+", no F.
    EXPECT_EQ(DecodeSmsPdu(Deliver("00", "00", "04", "098190113254F6")).PduNumber, "091123456");
    // The * and # keys are the semi-octets A and B.
    EXPECT_EQ(DecodeSmsPdu(Deliver("00", "00", "04", "05811A00FB")).PduNumber, "*100#");
    EXPECT_EQ(DecodeSmsPdu("0691839508"
                           "05F1"
                           "04038121F3"
                           "0000"
                           "62112041008000"
                           "00")
                  .PduSmsc,
              "HR CRONET  [+385980501]");
    // Another centre stays a number; no centre at all (length 0) is empty.
    EXPECT_EQ(DecodeSmsPdu("07915892000000F0"
                           "04038121F3"
                           "0000"
                           "62112041008000"
                           "00")
                  .PduSmsc,
              "+85290000000");
    DecodedPdu none = DecodeSmsPdu(
        "00"
        "04038121F3"
        "0000"
        "62112041008000"
        "0131");
    EXPECT_EQ(none.PduSmsc, "");
    EXPECT_EQ(none.PduNumber, "123");
    EXPECT_EQ(none.PduText, "1");
}

std::string Hex(const std::vector<std::uint8_t>& octets) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (auto b : octets) out += {digits[b >> 4], digits[b & 15]};
    return out;
}

// A 7-bit message holding the whole default alphabet (ESC aside) and the
// whole extension table shows every letter.
TEST(PduDecoder, SevenBitTextShowsEveryLetterOfTheAlphabet) {
    std::string codes;
    for (int c = 0; c < 128; ++c)
        if (c != 27) codes += static_cast<char>(c);
    for (int c : {0x0A, 0x14, 0x28, 0x29, 0x2F, 0x3C, 0x3D, 0x3E, 0x40, 0x65})
        codes += {'\x1B', static_cast<char>(c)};
    const std::string udl = Hex({static_cast<std::uint8_t>(codes.size())});
    const DecodedPdu r = DecodeSmsPdu(Deliver("00", udl + Hex(PackSeptets(codes))));
    EXPECT_EQ(PduDisplayText(r),
              "@£$¥èéùìòÇ\r\nØø\r\nÅåΔ_ΦΓΛΩΠΨΣΘΞÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?"
              "¡ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà"
              "\f^{}\\[~]|€");
    // "Café mañana {x}" and a lone ESC at its end.
    const std::string cafe =
        "Caf\x05 ma\x7D"
        "ana \x1B\x28x\x1B\x29\x1B";
    const std::string cafeUdl = Hex({static_cast<std::uint8_t>(cafe.size())});
    EXPECT_EQ(PduDisplayText(DecodeSmsPdu(Deliver("00", cafeUdl + Hex(PackSeptets(cafe))))),
              "Café mañana {x}␛");
}

TEST(PduDecoder, AlphanumericSenderIsUnpackedGsmText) {
    // "Telekom": 7 characters in 13 semi-octets.
    DecodedPdu r = DecodeSmsPdu(Deliver("00", "05E8329BFD06", "04", "0DD0D432BBBC7EB701"));
    EXPECT_EQ(r.PduNumber, "Telekom");
    EXPECT_EQ(r.PduText, "hello");
    // The sender's name in the phone's alphabet: "@" and é as the 8-bit text.
    const std::string name("\0Caf\x05", 5);
    const std::string address =
        Hex({static_cast<std::uint8_t>(name.size() * 7 * 2 / 8 + 1), 0xD0}) +
        Hex(PackSeptets(name));
    EXPECT_EQ(DecodeSmsPdu(Deliver("00", "00", "04", address)).PduNumber, "@Caf\xE9");
    // An 8-bit message from such a sender is read as 8-bit.
    EXPECT_EQ(DecodeSmsPdu(Deliver("04", "03616263", "04", "0DD0D432BBBC7EB701")).PduText, "abc");
}

TEST(PduDecoder, Ucs2ByCodingGroups) {
    // The system's own flash coding 18 with its marker character.
    DecodedPdu flash = DecodeSmsPdu(Deliver("18", "06000100480069"));
    EXPECT_EQ(flash.PduText, "Hi");
    EXPECT_EQ(flash.Coding, PduCoding::Ucs2);
    // Standard UCS2 (08) without a marker keeps its first character.
    EXPECT_EQ(DecodeSmsPdu(Deliver("08", "0400480069")).PduText, "Hi");
    // Euro, a-umlaut, a-macron (no Windows-1252 character), LF: every one kept
    // (UTF-8); the length octet cuts the text.
    DecodedPdu r = DecodeSmsPdu(Deliver("08",
                                        "0820AC00E40101000A"
                                        "0041"));
    EXPECT_EQ(r.PduText, "\xE2\x82\xAC\xC3\xA4\xC4\x81\r\n");
    EXPECT_EQ(PduDisplayText(r), r.PduText);  // not passed through the GSM conversion
    // Class variants of UCS2 and the UCS2 message-waiting group.
    EXPECT_EQ(DecodeSmsPdu(Deliver("19", "0400480069")).PduText, "Hi");
    EXPECT_EQ(DecodeSmsPdu(Deliver("E0", "0400480069")).PduText, "Hi");
    // A concatenation header in a UCS2 message is not text.
    EXPECT_EQ(DecodeSmsPdu(Deliver("08",
                                   "0A"
                                   "050003AA0201"
                                   "00480069",
                                   "44"))
                  .PduText,
              "Hi");
}

TEST(PduDecoder, EightBitByCodingGroups) {
    DecodedPdu r = DecodeSmsPdu(Deliver("F4", "03616263"));
    EXPECT_EQ(r.PduText, "abc");
    EXPECT_TRUE(r.PduEightBit);
    EXPECT_EQ(DecodeSmsPdu(Deliver("04",
                                   "08"
                                   "050003AA0201"
                                   "6162",
                                   "44"))
                  .PduText,
              "ab");
    // Class group with the default alphabet stays 7-bit.
    EXPECT_EQ(DecodeSmsPdu(Deliver("F0", "05E8329BFD06")).PduText, "hello");
}

TEST(PduDecoder, DateThatIsNotADateIsEmpty) {
    std::string pdu = kSmscVip + "04" + kSender + "0000" + "62317041008000" + "0131";  // month 13
    DecodedPdu r = DecodeSmsPdu(pdu);
    EXPECT_EQ(r.PduDate, "");
    EXPECT_EQ(r.PduTime, "14:00:08");
    EXPECT_EQ(r.PduText, "1");
    EXPECT_EQ(DecodeSmsPdu(kSmscVip + "04" + kSender + "0000" + "42209200000000" + "00").PduDate,
              "29.02.2024");
    EXPECT_EQ(DecodeSmsPdu(kSmscVip + "04" + kSender + "0000" + "52209200000000" + "00").PduDate,
              "");
}

// Status report: reference 0x2A, recipient +15125551234, sent 02.11.2026
// 14:00:08, discharged 02.11.2026 14:05:00, then the status.
std::string StatusReport(const std::string& status) {
    return kSmscVip + "06" + "2A" + kSender + kStamp + "62112041500000" + status;
}

TEST(PduDecoder, StatusReportDeliveredAndNot) {
    auto lookup = [](const std::string& number) {
        return number == "+15125551234" ? std::string("Ana") : "";
    };
    DecodedPdu ok = DecodeSmsPdu(StatusReport("00"), lookup);
    EXPECT_TRUE(ok.PduStatusReport);
    EXPECT_EQ(ok.PduNumber, "Status Report");
    EXPECT_EQ(ok.PduDate, "02.11.2026");
    EXPECT_EQ(ok.PduTime, "14:05:00");
    EXPECT_EQ(ok.PduText,
              "RECEIVER:\r\nAna  (+15125551234)\r\n\r\nSent:  02.11.2026  14:00:08\r\n"
              "Delivered:  02.11.2026  14:05:00\r\n");
    EXPECT_EQ(PduDisplayText(ok), ok.PduText);
    std::string failed =
        "RECEIVER:\r\n  (+15125551234)\r\n\r\nSent:  02.11.2026  14:00:08\r\n"
        "Not delivered:  02.11.2026  14:05:00\r\n";
    EXPECT_EQ(DecodeSmsPdu(StatusReport("1F")).PduText.find("Not delivered"), std::string::npos);
    EXPECT_EQ(DecodeSmsPdu(StatusReport("41")).PduText, failed);  // permanent error
    EXPECT_EQ(DecodeSmsPdu(StatusReport("20")).PduText, failed);  // still trying
    EXPECT_EQ(DecodeSmsPdu(StatusReport("")).PduText, failed);    // no status octet
}

// A stored message: no centre, first octet, reference, destination +123.
std::string Stored(const std::string& fo, const std::string& dcs, const std::string& vp,
                   const std::string& ud) {
    return "00" + fo + "00" + "039121F3" + "00" + dcs + vp + ud;
}

TEST(PduDecoder, StoredSubmitValidityTexts) {
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("11", "00", "FF", "02E834")).PduValidity, "63 weeks");
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("11", "00", "8F", "02E834")).PduValidity, "720 minutes");
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("11", "00", "A8", "02E834")).PduValidity, "2 days");
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("11", "00", "90", "02E834")).PduValidity,
              "12 hours 30 minutes");
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("11", "00", "A7", "02E834")).PduValidity, "24 hours");
    DecodedPdu r = DecodeStoredSubmitPdu(Stored("11", "00", "00", "02E834"));
    EXPECT_EQ(r.PduValidity, "5 minutes");
    EXPECT_EQ(r.PduNumber, "+123");
    EXPECT_EQ(r.PduText, "hi");
    EXPECT_EQ(r.PduSmsc, "");
}

TEST(PduDecoder, StoredSubmitWithoutOrWithOtherValidityForms) {
    DecodedPdu none = DecodeStoredSubmitPdu(Stored("01", "00", "", "02E834"));
    EXPECT_TRUE(none.PduNoValidity);
    EXPECT_EQ(none.PduValidity, "");
    EXPECT_EQ(none.PduText, "hi");
    // Absolute (18) and enhanced (08) periods take seven octets.
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("19", "00", "62112041008000", "02E834")).PduText, "hi");
    DecodedPdu enhanced = DecodeStoredSubmitPdu(Stored("09", "00", "01050000000000", "02E834"));
    EXPECT_EQ(enhanced.PduText, "hi");
    EXPECT_EQ(enhanced.PduValidity, "");
}

TEST(PduDecoder, StoredSubmitCodings) {
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("11", "18", "FF", "0600010041000A")).PduText, "A\r\n");
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("11", "18", "FF", "020001")).PduText, "");
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("11", "08", "FF", "0400410042")).PduText, "AB");
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("11", "F4", "FF", "024142")).PduText, "AB");
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("11", "00", "FF", "00")).PduText, "");
    // Concatenated 7-bit message written by another program.
    EXPECT_EQ(DecodeStoredSubmitPdu(Stored("51", "00", "FF",
                                           "0C"
                                           "050003AA0201"
                                           "D06536FB0D"))
                  .PduText,
              "hello");
    // A service centre in a stored message.
    EXPECT_EQ(DecodeStoredSubmitPdu("07915892000000F0"
                                    "1100039121F30000FF02E834")
                  .PduSmsc,
              "+85290000000");
}

TEST(PduDecoder, SevenBitOutKeepsWholeOctetsForCellBroadcast) {
    // UDL counts octets here: 5 octets hold 5 whole septets.
    SevenBitText t = Decode7BitText("05E8329BFD06", false);
    EXPECT_EQ(t.Out, "hello");
    // Missing octets read as 0 in Out, but Text stops where the data stops.
    t = Decode7BitText("07E8329BFD06", false);
    EXPECT_EQ(t.Text, "hello");
    EXPECT_EQ(t.Out, std::string("hello\0\0\0", 8));
}

TEST(PduDecoder, LineBreaksInPdusAreIgnored) {
    EXPECT_EQ(DecodeSmsPdu(Deliver("00", "05E8329BFD06") + "\r\n").PduText, "hello");
    EXPECT_EQ(DecodeStoredSubmitPdu("\r\n" + Stored("11", "00", "FF", "02E834")).PduText, "hi");
}

TEST(PduDecoder, TruncatedAndGarbagePdusDecodeAsFarAsTheyGo) {
    const std::string pdus[] = {
        Deliver("00",
                "0C"
                "050003AA0201"
                "D06536FB0D",
                "44"),
        Deliver("08",
                "0A"
                "050003AA0201"
                "00480069",
                "44"),
        Deliver("04", "FF6162"),
        Deliver("00", "A0E8329BFD06", "04", "0DD0D432BBBC7EB701"),
        Deliver("00",
                "FF"
                "FF"),
        StatusReport("00"),
        Stored("19", "00", "62112041008000", "02E834"),
        Stored("51", "08", "FF", "FFFF"),
        "FF" + std::string(40, 'G'),
        "zz\x01\xFF 91 ~",
    };
    for (const std::string& pdu : pdus) {
        for (std::size_t n = 0; n <= pdu.size(); ++n) {
            std::string prefix = pdu.substr(0, n);
            DecodedPdu a = DecodeSmsPdu(prefix);
            DecodedPdu b = DecodeStoredSubmitPdu(prefix);
            EXPECT_LE(a.PduText.size(), 600u) << prefix;
            EXPECT_LE(b.PduText.size(), 600u) << prefix;
        }
    }
    // A truncated message keeps what arrived.
    DecodedPdu cut = DecodeSmsPdu(Deliver("00", "05E8329B"));
    EXPECT_EQ(cut.PduNumber, "+15125551234");
    EXPECT_EQ(cut.PduText, "hel");
    // Invalid pairs read as 0.
    EXPECT_EQ(DecodeSmsPdu(Deliver("00", "02e8e4")).PduText, std::string("\0\0", 2));
}

}  // namespace
}  // namespace parlenko

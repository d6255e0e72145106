#include "engine/phonebook/cpbr_answer.h"
#include "engine/text/gsm_alphabet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace parlenko {
namespace {

std::string Bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes) s += static_cast<char>(c);
    return s;
}

int HexDigit(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

// What the phone does with a name written by AT+CPBW: "\HH" becomes the code HH.
std::string PhoneUnescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 2 < s.size()) {
            out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string CpbrLine(const std::string& gsmName) {
    return "+CPBR: 7,\"+385981234567\",145,\"" + gsmName + "\"";
}

TEST(CharSets, HoldExactlyTheAllowedBytes) {
    const CharSet& text = TextCharSet();
    EXPECT_EQ(text.count(), 59u + 1u + 26u + 10u);
    for (std::size_t c : {31u, 91u, 92u, 93u, 94u, 96u, 123u, 127u, 129u, 255u, 13u, 10u, 9u})
        EXPECT_FALSE(text.test(c)) << c;
    for (std::size_t c : {32u, 48u, 63u, 64u, 90u, 95u, 97u, 122u, 128u, 163u, 165u, 196u, 214u,
                          220u, 223u, 228u, 246u, 252u})
        EXPECT_TRUE(text.test(c)) << c;
    EXPECT_EQ(NumberCharSet().count(), 13u);
}

TEST(CharSets, SecurityCodes) {
    // PIN, PIN2, phone code: 4 to 8 digits; the barring password 4.
    for (const char* code : {"1234", "12345678"}) EXPECT_TRUE(IsValidSecurityCode(code, false));
    for (const char* code : {"", "123", "123456789", "12a4", "12,4", "1234;", " 1234"})
        EXPECT_FALSE(IsValidSecurityCode(code, false)) << code;
    EXPECT_TRUE(IsValidSecurityCode("0000", true));
    for (const char* code : {"000", "00000", "0a00", "00;1"})
        EXPECT_FALSE(IsValidSecurityCode(code, true)) << code;
}

TEST(CharSets, TestsAndFilters) {
    EXPECT_TRUE(IsValidText(""));
    EXPECT_TRUE(IsValidNumber(""));
    EXPECT_FALSE(IsValidNumber("+385 98"));
    EXPECT_TRUE(IsValidNumber("*#06#"));
    EXPECT_FALSE(IsValidText("Ana [posao]"));
    EXPECT_FALSE(IsValidText("Ana\tB"));
    EXPECT_TRUE(IsValidText("M\xFCller"));
    EXPECT_EQ(KeepNumberChars("+385 (98) 123-456#"), "+38598123456#");
}

// The letters of the phone's test names and messages: "@", é, ñ, Ø, Δ, "{",
// "€" and a lone ESC at the end, as the phone holds them, as UTF-8, and as
// the engine's 8-bit text.
const std::string kGsm = Bytes({0x00, 0x05, 0x7D, 0x0B, 0x10, 0x1B, 0x28, 0x1B, 0x65, 0x1B});
const std::string kUtf8 = "@\xC3\xA9\xC3\xB1\xC3\x98\xCE\x94{\xE2\x82\xAC\xE2\x90\x9B";
const std::string kAnsi = "@\xE9\xF1\xD8\x10{\x80\x1B";

TEST(GsmAlphabet, EveryCodeHasItsCharacterAndGoesBackAsItself) {
    for (int code = 0; code < 128; ++code) {
        const auto c = static_cast<unsigned char>(code);
        EXPECT_EQ(GsmCodes(GsmChar(c)), std::string(1, static_cast<char>(c))) << code;
        if (const auto ext = GsmExtensionChar(c)) {
            EXPECT_EQ(GsmCodes(*ext), Bytes({27, code})) << code;
            EXPECT_EQ(GsmUnits(*ext), 2) << code;
        }
    }
    EXPECT_EQ(GsmChar(0x24), U'\u00A4');  // the currency sign; "$" is code 2
    EXPECT_EQ(GsmChar(0x60), U'\u00BF');
    EXPECT_EQ(GsmCodes(U'`'), "");
    EXPECT_EQ(GsmUnits(U'e'), 1);
}

TEST(GsmAlphabet, LettersComeFromThePhoneAndGoBackAsTheSameCodes) {
    // A message.
    EXPECT_EQ(SmsTextFromGsm(kGsm), kUtf8);
    EXPECT_EQ(SmsTextToGsm(kAnsi), kGsm);
    // A name: shown, kept as 8-bit text, escaped for AT+CPBW, stored again.
    EXPECT_EQ(ReadCpbrEntry(CpbrLine(kGsm)).name, kAnsi);
    EXPECT_EQ(EscapeGsmText(kAnsi), "\\00\\05\\7D\\0B\\10\\1B\\28\\1B\\65\\1B");
    EXPECT_EQ(PhoneUnescape(EscapeGsmText(kAnsi)), kGsm);
    EXPECT_TRUE(IsPhoneText(kAnsi));
    EXPECT_EQ(GsmLength(kAnsi), 10);
    // Typed, they are accepted and written as the 8-bit text.
    EXPECT_TRUE(UnsupportedChars(kUtf8).empty());
    EXPECT_EQ(ToPhoneText(kUtf8).Text, kAnsi);
}

TEST(GsmAlphabet, WholeTablesRoundTrip) {
    std::string all;
    for (int code = 0; code < 128; ++code)
        if (code != 27) all += static_cast<char>(code);
    for (int code = 0; code < 128; ++code)
        if (GsmExtensionChar(static_cast<unsigned char>(code))) all += Bytes({27, code});
    const std::string name = PhonebookNameFromGsm(all);
    EXPECT_EQ(name.size(), 127u + 10u);
    EXPECT_EQ(PhoneUnescape(EscapeGsmText(name)), all);
    std::string noCr = all;  // a message's CR goes with its LF
    std::erase(noCr, '\r');
    EXPECT_EQ(SmsTextToGsm(name), noCr);
    const std::string typed = SmsTextFromGsm(all);
    EXPECT_TRUE(UnsupportedChars(typed, PhoneChars::Message).empty());
    EXPECT_EQ(ToPhoneText(typed, std::string::npos, PhoneChars::Message).Text, name);
}

TEST(GsmAlphabet, AnEscAloneStaysAlone) {
    // ESC before a code the extension table has not: kept, and so is the code.
    EXPECT_EQ(PhoneUnescape(EscapeGsmText(PhonebookNameFromGsm(Bytes({27, 65})))), Bytes({27, 65}));
    EXPECT_EQ(SmsTextFromGsm(Bytes({27, 27, 0x28})), "\xE2\x90\x9B{");
    // A lone ESC typed before a character that would make it another one
    // cannot be written.
    EXPECT_EQ(UnsupportedChars("\xE2\x90\x9B(x"), std::vector<std::string>{"\xE2\x90\x9B"});
    EXPECT_FALSE(IsPhoneText("\x1B("));
    EXPECT_EQ(EscapeGsmText("\x1B("), "?(");
}

TEST(GsmAlphabet, LettersThePhoneLacksAreRefusedNotReplaced) {
    // č ć š ž, the back quote, an emoji; line breaks in a name.
    EXPECT_EQ(UnsupportedChars("Iva Khardi\xC4\x87 `\xF0\x9F\x98\x80 \xC5\xA1"),
              (std::vector<std::string>{"\xC4\x87", "`", "\xF0\x9F\x98\x80", "\xC5\xA1"}));
    EXPECT_EQ(UnsupportedChars("a\nb").size(), 1u);
    EXPECT_TRUE(UnsupportedChars("a\r\nb", PhoneChars::Message).empty());
    // The 8-bit text of "?" for such a letter is no name the engine writes.
    EXPECT_FALSE(IsPhoneText("D\x9E"));
    EXPECT_EQ(EscapeGsmText("D\x9E"), "D?");
    // The text set of calendar texts is the narrower one.
    EXPECT_EQ(UnsupportedChars("\xC3\xA9{a", PhoneChars::TextSet),
              (std::vector<std::string>{"\xC3\xA9", "{"}));
    const PhoneText changed = ToPhoneText(
        "\xC4\x8C"
        "evapi \xC3\xA9",
        std::string::npos);
    EXPECT_EQ(changed.Text, "Cevapi \xE9");
    EXPECT_EQ(changed.Changed, std::vector<std::string>{"\xC4\x8C"});
}

TEST(GsmToPhone, EscapesNamesForCpbw) {
    EXPECT_EQ(EscapeGsmText("A_B"), "A\\11B");
    EXPECT_EQ(EscapeGsmText("\x80"), "\\1B\\65");
    EXPECT_EQ(EscapeGsmText("say \"hi\""), "say \\22hi\\22");
    // Nothing can break out of the quotes.
    EXPECT_EQ(EscapeGsmText("a\\b\r\n"), "a\\1B\\2Fb\\0D\\0A");
    EXPECT_EQ(EscapeGsmText("@$\xA3\xA5\xDF\xC4\xD6\xDC\xE4\xF6\xFC"),
              "\\00\\02\\01\\03\\1E\\5B\\5C\\5E\\7B\\7C\\7E");
}

TEST(GsmToPhone, SmsTextBecomesCodeUnits) {
    EXPECT_EQ(SmsTextToGsm("a\r\nb"), Bytes({97, 10, 98}));
    EXPECT_EQ(SmsTextToGsm("\x80"), Bytes({27, 101}));
    EXPECT_EQ(SmsTextToGsm("\"@\""), Bytes({34, 0, 34}));
    EXPECT_EQ(SmsTextToGsm("x[y"), Bytes({'x', 27, 0x3C, 'y'}));
}

TEST(GsmFromPhone, SmsText) {
    EXPECT_EQ(SmsTextFromGsm(Bytes({27, 101})), "\xE2\x82\xAC");
    EXPECT_EQ(SmsTextFromGsm(Bytes({72, 105, 13, 10, 0, 17})), "Hi\r\n@_");
    EXPECT_EQ(SmsTextFromGsm(Bytes({0x7F, 0x5D, 0x09})), "\xC3\xA0\xC3\x91\xC3\x87");
}

TEST(GsmFromPhone, PhonebookNameField) {
    EXPECT_EQ(ReadCpbrEntry(CpbrLine(Bytes({77, 123, 108, 108, 101, 114}))).name, "M\xE4ller");
    EXPECT_EQ(ReadCpbrEntry(CpbrLine("")).name, "");
    EXPECT_EQ(ReadCpbrEntry(CpbrLine("a\"b")).name, "a\"b");  // a quote inside the name
    // Malformed answers: no name field, or the closing quote cut off.
    EXPECT_EQ(ReadCpbrEntry("+CPBR: 7,\"123\",129").name, "");
    EXPECT_EQ(ReadCpbrEntry("").name, "");
    EXPECT_EQ(ReadCpbrEntry("+CPBR: 7,\"123\",129,\"Ana").name, "Ana");
}

// Every character of the text set survives the way to the phone and back.
TEST(GsmRoundTrip, IdentityOverTheWholeTextSet) {
    std::string all;
    for (std::size_t c = 0; c < 256; ++c) {
        if (!TextCharSet().test(c)) continue;
        std::string one(1, static_cast<char>(c));
        all += one;
        EXPECT_EQ(PhonebookNameFromGsm(SmsTextToGsm(one)), one) << "sms " << c;
        EXPECT_EQ(ReadCpbrEntry(CpbrLine(PhoneUnescape(EscapeGsmText(one)))).name, one)
            << "name " << c;
    }
    EXPECT_EQ(PhonebookNameFromGsm(SmsTextToGsm(all)), all);
    EXPECT_EQ(ReadCpbrEntry(CpbrLine(PhoneUnescape(EscapeGsmText(all)))).name, all);
    EXPECT_EQ(SmsTextFromGsm(SmsTextToGsm("one\r\ntwo")), "one\ntwo");
}

TEST(CpbrFields, PositionAndNumber) {
    const std::string line = CpbrLine("Ana");
    EXPECT_EQ(ReadCpbrEntry(line).position, "007");
    EXPECT_EQ(ReadCpbrEntry(line).number, "+385981234567");
    EXPECT_EQ(ReadCpbrEntry("+CPBR: 42,\"1\",129,\"x\"").position, "042");
    EXPECT_EQ(ReadCpbrEntry("+CPBR: 123,\"1\",129,\"x\"").position, "123");
    EXPECT_EQ(ReadCpbrEntry("+CPBR: 250").position, "250");
    EXPECT_EQ(ReadCpbrEntry("+CPBR: x1,\"1\"").position, "");
    EXPECT_EQ(ReadCpbrEntry("+CPBR: -3,\"1\"").position, "");
    EXPECT_EQ(ReadCpbrEntry("").position, "");
    EXPECT_EQ(ReadCpbrEntry("no quotes").number, "");
    EXPECT_EQ(ReadCpbrEntry("one \"quote").number, "");
    EXPECT_EQ(ReadCpbrEntry("\"\"").number, "");
}

}  // namespace
}  // namespace parlenko

#include "engine/phonebook/cpbr_answer.h"
#include "engine/text/gsm_alphabet.h"

#include <gtest/gtest.h>

#include <string>

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
    EXPECT_FALSE(IsValidText("Ana {x}"));
    EXPECT_FALSE(IsValidText("Ana\tB"));
    EXPECT_TRUE(IsValidText("M\xFCller"));
    EXPECT_TRUE(IsSmsText("line one\r\nline two"));
    EXPECT_FALSE(IsValidText("line one\r\nline two"));
    EXPECT_FALSE(IsSmsText("tab\there"));
    EXPECT_EQ(ReplaceUnsupportedChars("a[b]"), "a?b?");
    EXPECT_EQ(ReplaceUnsupportedChars("\x8E\xE9"), "??");
    EXPECT_EQ(KeepNumberChars("+385 (98) 123-456#"), "+38598123456#");
}

TEST(GsmToPhone, EscapesNamesForCpbw) {
    EXPECT_EQ(EscapeGsmText("D\x9E"), "D?");  // z caron is not typeable
    EXPECT_EQ(EscapeGsmText("A_B"), "A\\11B");
    EXPECT_EQ(EscapeGsmText("\x80"), "\\1B\\65");
    EXPECT_EQ(EscapeGsmText("say \"hi\""), "say \\22hi\\22");
    EXPECT_EQ(EscapeGsmText("a\\b\r\n"), "a?b??");  // nothing can break out of the quotes
    EXPECT_EQ(EscapeGsmText("@$\xA3\xA5\xDF\xC4\xD6\xDC\xE4\xF6\xFC"),
              "\\00\\02\\01\\03\\1E\\5B\\5C\\5E\\7B\\7C\\7E");
}

TEST(GsmToPhone, SmsTextBecomesCodeUnits) {
    EXPECT_EQ(SmsTextToGsm("a\r\nb"), Bytes({97, 10, 98}));
    EXPECT_EQ(SmsTextToGsm("\x80"), Bytes({27, 101}));
    EXPECT_EQ(SmsTextToGsm("\"@\""), Bytes({34, 0, 34}));
    EXPECT_EQ(SmsTextToGsm("x[y"), "x?y");
}

TEST(GsmFromPhone, SmsText) {
    EXPECT_EQ(SmsTextFromGsm(Bytes({27, 101})), "\x80");
    EXPECT_EQ(SmsTextFromGsm(Bytes({27, 65})), "A");  // lone ESC dropped
    EXPECT_EQ(SmsTextFromGsm(Bytes({9})), "");
    EXPECT_EQ(SmsTextFromGsm(Bytes({72, 105, 13, 10, 0, 17})), "Hi\r\n@_");
    EXPECT_EQ(SmsTextFromGsm(Bytes({0xE9, 0x7F, 0x5D})), "");  // no character here for these
}

TEST(GsmFromPhone, EscAtTheVeryEnd) {
    EXPECT_EQ(SmsTextFromGsm(Bytes({65, 27})), "A");
    EXPECT_EQ(SmsTextFromGsm(Bytes({27})), "");
    // In a phonebook name a lone ESC is kept as it came.
    EXPECT_EQ(PhonebookTextFromGsm(CpbrLine(Bytes({65, 27}))), Bytes({65, 27}));
    EXPECT_EQ(PhonebookTextFromGsm(CpbrLine(Bytes({65, 27, 101}))), "A\x80");
}

TEST(GsmFromPhone, PhonebookNameField) {
    EXPECT_EQ(PhonebookTextFromGsm(CpbrLine(Bytes({77, 123, 108, 108, 101, 114}))), "M\xE4ller");
    EXPECT_EQ(PhonebookTextFromGsm(CpbrLine("")), "");
    EXPECT_EQ(PhonebookTextFromGsm(CpbrLine("a\"b")), "a\"b");  // a quote inside the name
    // Malformed answers: no name field, or the closing quote cut off.
    EXPECT_EQ(PhonebookTextFromGsm("+CPBR: 7,\"123\",129"), "");
    EXPECT_EQ(PhonebookTextFromGsm(""), "");
    EXPECT_EQ(PhonebookTextFromGsm("+CPBR: 7,\"123\",129,\"Ana"), "Ana");
}

// Every typeable character survives the way to the phone and back.
TEST(GsmRoundTrip, IdentityOverTheWholeTextSet) {
    std::string all;
    for (std::size_t c = 0; c < 256; ++c) {
        if (!TextCharSet().test(c)) continue;
        std::string one(1, static_cast<char>(c));
        all += one;
        EXPECT_EQ(SmsTextFromGsm(SmsTextToGsm(one)), one) << "sms " << c;
        EXPECT_EQ(PhonebookTextFromGsm(CpbrLine(PhoneUnescape(EscapeGsmText(one)))), one)
            << "name " << c;
    }
    EXPECT_EQ(SmsTextFromGsm(SmsTextToGsm(all)), all);
    EXPECT_EQ(PhonebookTextFromGsm(CpbrLine(PhoneUnescape(EscapeGsmText(all)))), all);
    EXPECT_EQ(SmsTextFromGsm(SmsTextToGsm("one\r\ntwo")), "one\ntwo");
}

TEST(CpbrFields, PositionAndNumber) {
    const std::string line = CpbrLine("Ana");
    EXPECT_EQ(FirstFieldPadded(line), "007");
    EXPECT_EQ(ExtractQuoted(line), "+385981234567");
    EXPECT_EQ(FirstFieldPadded("+CPBR: 42,\"1\",129,\"x\""), "042");
    EXPECT_EQ(FirstFieldPadded("+CPBR: 123,\"1\",129,\"x\""), "123");
    EXPECT_EQ(FirstFieldPadded("+CPBR: 250"), "250");
    EXPECT_EQ(FirstFieldPadded("+CPBR: x1,\"1\""), "");
    EXPECT_EQ(FirstFieldPadded("+CPBR: -3,\"1\""), "");
    EXPECT_EQ(FirstFieldPadded(""), "");
    EXPECT_EQ(ExtractQuoted("no quotes"), "");
    EXPECT_EQ(ExtractQuoted("one \"quote"), "");
    EXPECT_EQ(ExtractQuoted("\"\""), "");
}

}  // namespace
}  // namespace parlenko

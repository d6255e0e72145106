// The conversions between Windows-1252, UTF-16 and UTF-8.
#include "exchange/formats/text_encoding.h"

#include <gtest/gtest.h>

namespace parlenko::exchange {
namespace {

TEST(Windows1252, ConversionsBothWays) {
    const std::string all = [] {
        std::string s;
        for (int c = 1; c < 256; ++c) s.push_back(static_cast<char>(c));
        return s;
    }();
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
    // Composed first; one "?" for each character outside, an emoji and a broken byte too.
    EXPECT_EQ(Utf8ToWindows1252("A\xCC\x8A \xC5\xA0uma \xC4\x86uk \xC4\x8C"
                                "a\xC5\xA1"
                                "a \xF0\x9F\x98\x80!\xFF"),
              "\xC5 \x8Auma ?uk ?a\x9A"
              "a ?!?");
}

TEST(Windows1252, OneCharacter) {
    EXPECT_EQ(Windows1252Byte(0x20AC), '\x80');
    EXPECT_EQ(Windows1252CodePoint('\x80'), U'\x20AC');
    EXPECT_EQ(Windows1252Byte(0x0161), '\x9A');  // s caron
    EXPECT_EQ(Windows1252CodePoint('\x9A'), U'\x0161');
    EXPECT_EQ(Windows1252Byte(0x00E4), '\xE4');
    EXPECT_EQ(Windows1252Byte('A'), 'A');
    EXPECT_EQ(Windows1252Byte(0x0101), std::nullopt);
    EXPECT_EQ(Windows1252Byte(0x0085), std::nullopt);  // C1 control of a byte the page assigns
    EXPECT_EQ(Windows1252CodePoint('\xFC'), U'\x00FC');
}

// The phone's Greek capitals and its lone ESC are held at their GSM codes.
TEST(Windows1252, ThePhonesLettersAtTheirGsmCodes) {
    EXPECT_EQ(Windows1252ToUtf8("\x10\x12\x13\x14\x15\x16\x17\x18\x19\x1A\x1B"), "ΔΦΓΛΩΠΨΣΘΞ␛");
    EXPECT_EQ(Utf8ToWindows1252("ΔΦΓΛΩΠΨΣΘΞ␛"), "\x10\x12\x13\x14\x15\x16\x17\x18\x19\x1A\x1B");
    EXPECT_EQ(Windows1252Byte(U'\x0010'), std::nullopt);  // the control the byte no longer is
    EXPECT_EQ(Windows1252Byte(U'\x0011'), '\x11');
    EXPECT_EQ(Utf8ToWindows1252("\xCE\xB4"), "?");  // small delta: the phone has none
}

TEST(Utf16, UnitsBecomeUtf8WholeAndLoneSurrogatesAreMarked) {
    // "Ćao Đuro, čćžšđ", Cyrillic, an emoji as a surrogate pair, a lone surrogate.
    const std::u16string units =
        u"\u0106ao \u0110uro, \u010D\u0107\u017E\u0161\u0111 "
        u"\u041F\u0440\u0438\u0432\u0435\u0442 \xD83D\xDE00";
    EXPECT_EQ(Utf16ToUtf8(units),
              "\xC4\x86"
              "ao \xC4\x90uro, \xC4\x8D\xC4\x87\xC5\xBE\xC5\xA1\xC4\x91 "
              "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800}) + u"a"),
              "\xEF\xBF\xBD"
              "a");
}

TEST(Croatian, LettersWithDiacriticsHaveTheirPlainLetters) {
    std::string plain;
    for (char32_t cp : ComposedCodePoints("\xC4\x8D\xC4\x87\xC4\x91\xC5\xA1\xC5\xBE"
                                          "\xC4\x8C\xC4\x86\xC4\x90\xC5\xA0\xC5\xBD\xC3\xA9"))
        plain += PlainCroatianLetter(cp).value_or('-');
    EXPECT_EQ(plain, "ccdszCCDSZ-");
}

}  // namespace
}  // namespace parlenko::exchange

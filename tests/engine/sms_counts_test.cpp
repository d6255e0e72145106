// The compose window's counting: lengths as the PDU encoder counts them, the
// cut to a message's limit, and the quick answer put after a received text.

#include "engine/text/sms_counts.h"

#include "exchange/formats/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace parlenko {
namespace {

const std::string kEuro = "\x80";

TEST(SmsCounts, LengthsAndLimitsAsTheEncoderCounts) {
    EXPECT_EQ(SmsTextLimit(false) - SmsTextLength(std::string(160, 'a'), false), 0);
    // A line break counts once: 157 letters and three breaks fill a message.
    std::string broken = std::string(50, 'a') + "\r\n" + std::string(50, 'b') + "\r\n" +
                         std::string(50, 'c') + "\r\n" + std::string(7, 'd');
    ASSERT_EQ(broken.size(), 163u);
    EXPECT_EQ(SmsTextLength(broken, false), 160);
    EXPECT_EQ(CutSmsText(broken + "e", false), broken);
    // The euro is two code units in a normal message, one in a flash one.
    EXPECT_EQ(SmsTextLength(kEuro, false), 2);
    EXPECT_EQ(SmsTextLength(kEuro, true), 1);
    EXPECT_EQ(CutSmsText(std::string(159, 'a') + kEuro, false), std::string(159, 'a'));
    // So is every character of the extension table; the other letters of the
    // alphabet (é, Ø, Δ) are one.
    EXPECT_EQ(SmsTextLength("{x}[\\]~^|", false), 17);
    EXPECT_EQ(SmsTextLength("\xE9\xD8\x10", false), 3);
    EXPECT_EQ(CutSmsText(std::string(159, 'a') + "{", false), std::string(159, 'a'));
    // A flash message keeps 69 characters, its line breaks' CRs not counted.
    EXPECT_EQ(CutSmsText(std::string(100, 'x'), true), std::string(69, 'x'));
    EXPECT_EQ(CutSmsText(std::string(60, 'x') + "\r\n" + std::string(40, 'y'), true),
              std::string(60, 'x') + "\r\n" + std::string(8, 'y'));
    // A break is not cut in half.
    EXPECT_EQ(CutSmsText(std::string(160, 'a') + "\r\n", false), std::string(160, 'a'));
}

TEST(SmsCounts, InsertTemplateKeepsTheWholeWithinTheLimit) {
    const std::string templ(20, 't');
    EXPECT_EQ(InsertTemplate("old", templ, false), templ);
    EXPECT_EQ(InsertTemplate("old", templ, true), "old\r\n" + templ);
    const std::string old(150, 'o');
    EXPECT_EQ(InsertTemplate(old, templ, true), std::string(135, 'o') + "...\r\n" + templ);
    // Texts are UTF-8. Euros in the old text take two places each: it is
    // shortened further, by characters.
    const std::string euro = "\xE2\x82\xAC";
    std::string euros;
    for (int i = 0; i < 75; ++i) euros += "o" + euro;
    const std::string withEuros = InsertTemplate(euros, templ, true);
    const std::string asPhone = exchange::Utf8ToWindows1252(withEuros);
    EXPECT_EQ(exchange::Windows1252ToUtf8(asPhone), withEuros);
    EXPECT_LE(SmsTextLength(asPhone, false), 160);
    EXPECT_GE(SmsTextLength(asPhone, false), 158);
    EXPECT_EQ(withEuros.substr(withEuros.size() - 25), "...\r\n" + templ);
    // A letter the phone has not is kept for the compose window to show.
    EXPECT_EQ(InsertTemplate("\xC4\x86"
                             "ao",
                             templ, true),
              "\xC4\x86"
              "ao\r\n" +
                  templ);
}

}  // namespace
}  // namespace parlenko

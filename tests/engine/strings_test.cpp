#include "engine/core/strings.h"

#include <gtest/gtest.h>

namespace parlenko {
namespace {

TEST(Strings, CopyClampsAtBothEnds) {
    EXPECT_EQ(Copy("+CPBR: 1", 1, 5), "+CPBR");
    EXPECT_EQ(Copy("abc", 2, 100), "bc");
    EXPECT_EQ(Copy("abc", 4, 1), "");
    EXPECT_EQ(Copy("abc", 0, 2), "a");
    EXPECT_EQ(Copy("abc", -5, 2), "");
    EXPECT_EQ(Copy("abc", 1, -1), "");
    EXPECT_EQ(CopyFrom("AT+CPBR=12", 9), "12");
}

TEST(Strings, ParseIntAcceptsOnlyWholeNumbers) {
    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt(" -7 "), -7);
    EXPECT_EQ(ParseInt("+3"), 3);
    EXPECT_FALSE(ParseInt(""));
    EXPECT_FALSE(ParseInt("12a"));
    EXPECT_FALSE(ParseInt("99999999999999999999999"));
    EXPECT_EQ(StrToIntDef("x", -1), -1);
}

TEST(Strings, RoundingHalvesGoToEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(37.5), 38);
    EXPECT_EQ(RoundHalfEven(12.5), 12);
    EXPECT_EQ(RoundHalfEven(-0.6), -1);
}

TEST(Strings, PaddingAndCase) {
    EXPECT_EQ(IntToStrPadded(5, 3), "005");
    EXPECT_EQ(IntToStrPadded(1234, 3), "1234");
    EXPECT_EQ(UpperCase("at+cpbs=\"sm\""), "AT+CPBS=\"SM\"");
    EXPECT_EQ(Trim("  OK\r"), "OK");
}

}  // namespace
}  // namespace parlenko

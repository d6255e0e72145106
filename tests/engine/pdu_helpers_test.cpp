#include "engine/pdu/pdu_helpers.h"

#include "engine/pdu/pdu_decoder.h"

#include <gtest/gtest.h>

namespace parlenko {
namespace {

TEST(PduHelpers, HexPairsAndSemiOctets) {
    EXPECT_EQ(HexToByte("E8"), 0xE8);
    EXPECT_EQ(HexToByte("00"), 0);
    EXPECT_EQ(HexToByte("e8"), 0);  // only upper case
    EXPECT_EQ(HexToByte("G1"), 0);
    EXPECT_EQ(HexToByte("8"), 0);
    EXPECT_EQ(HexToByte("E8F"), 0);
    EXPECT_EQ(ByteToHex(0x0A), "0A");
    EXPECT_EQ(SwapSemiOctets("21"), "12");
    EXPECT_EQ(SwapSemiOctets(" F3 "), "3F");
    EXPECT_EQ(SwapSemiOctets("1"), "");
    EXPECT_EQ(SwapSemiOctets("123"), "");
}

TEST(PduHelpers, BitTexts) {
    EXPECT_EQ(ByteToBinText(0xA5, false), "10100101");
    EXPECT_EQ(ByteToBinText(0xA5, true), "0100101");
    EXPECT_EQ(BinTextToByte("101"), 5);
    EXPECT_EQ(BinTextToByte("11111111"), 255);
    EXPECT_EQ(BinTextToByte(""), 0);
}

TEST(PduHelpers, ValidityTextsAtTheirBorders) {
    EXPECT_EQ(ValidityPeriodText("00"), "5 minutes");
    EXPECT_EQ(ValidityPeriodText("8F"), "720 minutes");
    EXPECT_EQ(ValidityPeriodText("91"), "13 hours");
    EXPECT_EQ(ValidityPeriodText("A7"), "24 hours");
    EXPECT_EQ(ValidityPeriodText("A8"), "2 days");
    EXPECT_EQ(ValidityPeriodText("C4"), "30 days");
    EXPECT_EQ(ValidityPeriodText("C5"), "5 weeks");
    EXPECT_EQ(ValidityPeriodText("FF"), "63 weeks");
}

TEST(PduHelpers, DataCodingGroups) {
    EXPECT_EQ(CodingOfDcs(0x00), PduCoding::Gsm7Bit);
    EXPECT_EQ(CodingOfDcs(0x04), PduCoding::EightBit);
    EXPECT_EQ(CodingOfDcs(0x08), PduCoding::Ucs2);
    EXPECT_EQ(CodingOfDcs(0x18), PduCoding::Ucs2);
    EXPECT_EQ(CodingOfDcs(0x4A), PduCoding::Ucs2);      // automatic deletion group
    EXPECT_EQ(CodingOfDcs(0x0C), PduCoding::Gsm7Bit);   // reserved alphabet
    EXPECT_EQ(CodingOfDcs(0x20), PduCoding::EightBit);  // compressed
    EXPECT_EQ(CodingOfDcs(0xC8), PduCoding::Gsm7Bit);
    EXPECT_EQ(CodingOfDcs(0xD0), PduCoding::Gsm7Bit);
    EXPECT_EQ(CodingOfDcs(0xE8), PduCoding::Ucs2);
    EXPECT_EQ(CodingOfDcs(0xF1), PduCoding::Gsm7Bit);
    EXPECT_EQ(CodingOfDcs(0xF6), PduCoding::EightBit);
}

}  // namespace
}  // namespace parlenko

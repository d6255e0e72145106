#include "engine/pdu/pdu_encoder.h"

#include "engine/pdu/pdu_decoder.h"
#include "engine/pdu/pdu_helpers.h"
#include "engine/pdu/septets.h"
#include "engine/text/gsm_alphabet.h"
#include "exchange/formats/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace parlenko {
namespace {

TEST(PduEncoder, SevenBitSubmitIsByteExact) {
    SubmitPdu p = BuildSubmitPdu("+123", "hi", 63, false, false, 3);
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.Pdu, "001100039121F30000FF02E834");
    EXPECT_EQ(SmsPduLength(p.Pdu), "12");
    EXPECT_EQ(BuildSubmitPdu("+123", "hi", 63, true, false, 3).Pdu.substr(0, 6), "003100");
}

TEST(PduEncoder, DestinationAddresses) {
    EXPECT_EQ(EncodeSubmitHeader("0911234567", false),
              "0011000A8190113254760"
              "0");
    EXPECT_EQ(EncodeSubmitHeader("", false),
              "0011000081"
              "00");
    EXPECT_EQ(EncodeSubmitHeader("*100#", false),
              "00110005811A00FB"
              "00");
    EXPECT_EQ(BuildSubmitPdu("12+3", "hi", 63, false, false, 3).Error,
              SubmitPduError::InvalidNumber);
    EXPECT_EQ(BuildSubmitPdu("12 3", "hi", 63, false, false, 3).Error,
              SubmitPduError::InvalidNumber);
}

TEST(PduEncoder, ValidityPeriods) {
    EXPECT_EQ(EncodeValidityPeriod(720, 0), "8F");
    EXPECT_EQ(EncodeValidityPeriod(5, 0), "00");
    EXPECT_EQ(EncodeValidityPeriod(4, 0), "FF");
    EXPECT_EQ(EncodeValidityPeriod(721, 0), "FF");
    EXPECT_EQ(EncodeValidityPeriod(30, 2), "C4");
    EXPECT_EQ(EncodeValidityPeriod(1, 2), "FF");
    EXPECT_EQ(EncodeValidityPeriod(5, 3), "C5");
    EXPECT_EQ(EncodeValidityPeriod(64, 3), "FF");
    EXPECT_EQ(EncodeValidityPeriod(10, 4), "FF");
    EXPECT_EQ(EncodeValidityPeriod(10, -1), "FF");
    // Hours: the nearest period that is not shorter.
    EXPECT_EQ(EncodeValidityPeriod(30, 1), "A8");   // 2 days
    EXPECT_EQ(EncodeValidityPeriod(48, 1), "A8");   // 2 days
    EXPECT_EQ(EncodeValidityPeriod(50, 1), "A9");   // 3 days
    EXPECT_EQ(EncodeValidityPeriod(720, 1), "C4");  // 30 days
    EXPECT_EQ(EncodeValidityPeriod(29, 1), "FF");
    EXPECT_EQ(EncodeValidityPeriod(721, 1), "FF");
}

TEST(PduEncoder, SeptetPacking) {
    EXPECT_EQ(PackSeptets("12345678").size(), 7u);
    auto nine = PackSeptets("123456789");
    ASSERT_EQ(nine.size(), 8u);
    EXPECT_EQ(nine[7], '9');
    EXPECT_EQ(Encode7BitText("hello"), "05E8329BFD06");
    EXPECT_EQ(UnpackSeptets(PackSeptets("123456789"), 9), "123456789");
}

TEST(PduEncoder, Ucs2FlashText) {
    EXPECT_EQ(EncodeUcs2Text("AB"),
              "06"
              "0001"
              "0041"
              "0042");
    SubmitPdu p = BuildSubmitPdu("+123", "A\x80\r\nb", 63, false, true, 3);
    ASSERT_TRUE(p.Ok());
    // The CR goes, the euro is U+20AC.
    EXPECT_EQ(p.Pdu,
              "001100039121F30018FF"
              "0A"
              "0001"
              "0041"
              "20AC"
              "000A"
              "0062");
}

TEST(PduEncoder, TooLongTextsAreRefused) {
    EXPECT_TRUE(BuildSubmitPdu("1", std::string(160, 'a'), 63, false, false, 3).Ok());
    EXPECT_EQ(BuildSubmitPdu("1", std::string(161, 'a'), 63, false, false, 3).Error,
              SubmitPduError::TextTooLong);
    // The euro takes two septets.
    std::string withEuro = SmsTextToGsm(std::string(159, 'a') + "\x80");
    EXPECT_EQ(BuildSubmitPdu("1", withEuro, 63, false, false, 3).Error,
              SubmitPduError::TextTooLong);
    EXPECT_TRUE(BuildSubmitPdu("1", std::string(69, 'a'), 63, false, true, 3).Ok());
    EXPECT_EQ(BuildSubmitPdu("1", std::string(70, 'a'), 63, false, true, 3).Error,
              SubmitPduError::TextTooLong);
    // Line breaks count once in a flash text.
    EXPECT_TRUE(BuildSubmitPdu("1", std::string(67, 'a') + "\r\n", 63, false, true, 3).Ok());
}

TEST(PduEncoder, WhatWeStoreReadsBack) {
    std::string text = "Cijena 5\x80, ok?\r\nDa";
    SubmitPdu p = BuildSubmitPdu("+38591*12#", SmsTextToGsm(text), 2, true, false, 2);
    ASSERT_TRUE(p.Ok());
    DecodedPdu r = DecodeStoredSubmitPdu(p.Pdu);
    EXPECT_EQ(r.PduNumber, "+38591*12#");
    EXPECT_EQ(r.PduValidity, "2 days");
    EXPECT_EQ(PduDisplayText(r), exchange::Windows1252ToUtf8(text));  // shown as UTF-8

    SubmitPdu flash = BuildSubmitPdu("0911234567", "\xC4\x80 \xFC", 720, false, true, 0);
    DecodedPdu f = DecodeStoredSubmitPdu(flash.Pdu);
    EXPECT_EQ(f.PduNumber, "0911234567");
    EXPECT_EQ(f.PduValidity, "720 minutes");
    EXPECT_EQ(PduDisplayText(f), exchange::Windows1252ToUtf8("\xC4\x80 \xFC"));
}

}  // namespace
}  // namespace parlenko

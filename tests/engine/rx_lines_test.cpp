#include "engine/core/rx_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace parlenko {
namespace {

TEST(RxLineList, StartsWithTwentyEmptyEntries) {
    RxLineList l;
    EXPECT_EQ(l.Size(), 20);
    EXPECT_EQ(l.At(19), "");
}

TEST(RxLineList, EchoAnswerAndOkLandFiveEntries) {
    RxLineList l;
    l.AddChunk("AT+CREG?\r\r\n+CREG: 2,1,\"0F3C\",\"1A2B\"\r\n\r\nOK\r\n");
    ASSERT_EQ(l.Size(), 25);
    EXPECT_EQ(l.At(19), "AT+CREG?");
    EXPECT_EQ(l.At(20), "");
    EXPECT_EQ(l.At(21), "+CREG: 2,1,\"0F3C\",\"1A2B\"");
    EXPECT_EQ(l.At(22), "");
    EXPECT_EQ(l.At(23), "OK");
    EXPECT_EQ(l.At(24), "");  // the new, empty remainder
}

TEST(RxLineList, RemainderIsCompletedInPlace) {
    RxLineList l;
    l.AddChunk("RI");
    EXPECT_EQ(l.Size(), 20);
    EXPECT_EQ(l.At(19), "RI");
    l.AddChunk("NG\r\n");
    EXPECT_EQ(l.Size(), 21);
    EXPECT_EQ(l.At(19), "RING");
    EXPECT_EQ(l.At(20), "");
    l.AddChunk("\n\n");  // line feeds only: nothing changes
    EXPECT_EQ(l.Size(), 21);
}

// A NUL byte inside a line is the phone's "@"; around a line it is noise.
TEST(RxLineList, NulInsideALineStaysNoiseAroundItGoes) {
    RxLineList l;
    using namespace std::string_literals;
    l.AddChunk("\0\0OK\0\r\n+CPBR: 10,\"1\",129,\"Servis "s);
    l.AddChunk("\0 auta\"\r\n\0"s);
    EXPECT_EQ(l.At(19), "OK");
    EXPECT_EQ(l.At(20), "+CPBR: 10,\"1\",129,\"Servis \0 auta\""s);
    EXPECT_EQ(l.At(21), "");
}

TEST(RxLineList, OutsideTheListReadsEmpty) {
    RxLineList l;
    l.Set(3, "OK");
    EXPECT_EQ(l.At(-1), "");
    EXPECT_EQ(l.At(1000), "");
    EXPECT_FALSE(l.Is(-2, ""));
    EXPECT_FALSE(l.StartsWith(3, ""));
    l.Blank(-1);
    l.Blank(99);
    EXPECT_TRUE(l.Is(3, "OK"));
}

TEST(RxLineList, ResetBumpsTheGeneration) {
    RxLineList l;
    auto g = l.Generation();
    l.AddChunk("OK\r\nx");
    l.Reset();
    EXPECT_NE(l.Generation(), g);
    EXPECT_EQ(l.Size(), 20);
    l.AddChunk("A\r");
    l.BlankAll();
    EXPECT_EQ(l.Size(), 21);
    EXPECT_EQ(l.At(19), "");
}

}  // namespace
}  // namespace parlenko

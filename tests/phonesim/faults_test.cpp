// The fault script: what tests make the phone do wrong, on purpose.

#include "phone_harness.h"
#include "phonesim/fault_script.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace phonesim::test {
namespace {

TEST(PhoneFaults, AChosenErrorAnswersTheChosenCommandOnly) {
    Harness h;
    h.Quiet();
    CommandFault f;
    f.command = "at+cpbr=2";  // compared without regard to case
    f.result = "+CME ERROR: 515";
    h.phone.AddFault(f);
    EXPECT_EQ(h.Ask("AT+CPBR=1").substr(0, 9), "\r\n+CPBR: ");
    EXPECT_EQ(h.Ask("AT+CPBR=2"), "\r\n+CME ERROR: 515\r\n");
    EXPECT_EQ(h.Ask("AT+CPBR=2").substr(0, 9), "\r\n+CPBR: ");  // used up
}

TEST(PhoneFaults, AnErrorForABodyCommandComesAfterTheBody) {
    Harness h;
    h.Quiet();
    CommandFault f;
    f.command = "AT+CMGW=";
    f.result = "+CMS ERROR: 322";
    h.phone.AddFault(f);
    EXPECT_EQ(h.Ask("AT+CMGW=12"), "\r\n> ");
    EXPECT_EQ(h.Send("001100039121F30000FF02E834\x1A"), "\r\n+CMS ERROR: 322\r\n");
    EXPECT_EQ(h.phone.State().smsMemories["SM"].messages.size(), 2u);  // nothing stored
}

TEST(PhoneFaults, AnUnansweredCommandIsEchoedAndNotCarriedOut) {
    Harness h;
    CommandFault f;
    f.command = "AT+CPBW=";
    f.noAnswer = true;
    h.phone.AddFault(f);
    EXPECT_EQ(h.Send("AT+CPBW=1\r"), "AT+CPBW=1\r");
    EXPECT_EQ(h.Drain(100000), "");
    EXPECT_TRUE(h.phone.State().phonebooks["SM"].entries.count(1));
    EXPECT_EQ(h.Send("AT\r"), "AT\r\r\nOK\r\n");
}

TEST(PhoneFaults, DelayedAnswersWaitAndEveryMatchingCommandCanBeHit) {
    Harness h;
    h.Quiet();
    CommandFault f;
    f.command = "AT+CSQ";
    f.delayMs = 3000;
    f.times = -1;
    h.phone.AddFault(f);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(h.Ask("AT+CSQ"), "");
        EXPECT_EQ(h.phone.NextEventMs(), h.now + 3000);
        EXPECT_EQ(h.Drain(h.now + 2999), "");
        EXPECT_EQ(h.Drain(h.now + 1), Ok("+CSQ: 20,99"));
    }
}

TEST(PhoneFaults, AnswersSplitIntoChunksArriveOneChunkAPoll) {
    Harness h;
    h.Quiet();
    CommandFault f;
    f.command = "AT+CGMI";
    f.splitAt = {5, 3};  // any order
    f.splitGapMs = 20;
    h.phone.AddFault(f);
    h.phone.Feed("AT+CGMI\r", 0);
    EXPECT_EQ(h.phone.Poll(0), "\r\nS");
    EXPECT_EQ(h.phone.Poll(19), "");
    EXPECT_EQ(h.phone.Poll(100), "IE");  // one chunk a poll even when both are due
    EXPECT_EQ(h.phone.Poll(100), "MENS\r\n\r\nOK\r\n");
    EXPECT_EQ(h.phone.Poll(100), "");
}

TEST(PhoneFaults, SplitsWithoutAGapStillEndAChunk) {
    Harness h;
    h.Quiet();
    CommandFault f;
    f.command = "AT+CGMM";
    f.splitAt = {2};
    h.phone.AddFault(f);
    h.phone.Feed("AT+CGMM\r", 0);
    EXPECT_EQ(h.phone.Poll(0), "\r\n");
    EXPECT_EQ(h.phone.Poll(0), "S45\r\n\r\nOK\r\n");
}

TEST(PhoneFaults, GarbageAndNoticesAroundAnAnswer) {
    Harness h;
    h.Quiet();
    CommandFault f;
    f.command = "AT+CBC";
    f.garbageBefore = std::string("\x00\xFF#", 3);
    f.unsolicitedAfter = {"RING", "+CLIP: \"+385911234567\",145"};
    h.phone.AddFault(f);
    EXPECT_EQ(h.Ask("AT+CBC"), std::string("\x00\xFF#", 3) + Ok("+CBC: 0,80") +
                                   "\r\nRING\r\n\r\n+CLIP: \"+385911234567\",145\r\n");
}

TEST(PhoneFaults, UnsolicitedLinesAndRawBytesAtAChosenMoment) {
    Harness h;
    h.Quiet();
    h.phone.UnsolicitedAt(500, "+CMTI: \"ME\",12");
    h.phone.SendRawAt(700, "RI");
    h.phone.SendRawAt(710, "NG\r\n");
    EXPECT_EQ(h.phone.NextEventMs(), 500);
    EXPECT_EQ(h.Drain(499), "");
    EXPECT_EQ(h.Drain(500), "\r\n+CMTI: \"ME\",12\r\n");
    EXPECT_EQ(h.Drain(705), "RI");
    EXPECT_EQ(h.Drain(710), "NG\r\n");
}

TEST(PhoneFaults, ANoticeDueDuringADelayedAnswerFollowsIt) {
    PhoneOptions o;
    o.answerDelayMs = 50;
    Harness h(MakeDefaultState(), o);
    h.Quiet();
    h.Drain(100);
    h.now = 1000;
    h.phone.Feed("AT\r", 1000);
    h.phone.UnsolicitedAt(1010, "RING");
    EXPECT_EQ(h.Drain(1060), "\r\nOK\r\n\r\nRING\r\n");
}

TEST(PhoneFaults, AScriptFileAddsUpPerCommandAndRefusesWhatItCannotRead) {
    const FaultScript script = ParseFaultScript(
        "# comment\n"
        "after at+csq unsolicited RING\n"
        "after AT+CSQ raw \\x7f~\\r\\n\r\n"
        "at 2000 silent 500\n"
        "after AT+CGMI close\n");
    Harness h;
    h.Quiet();
    script.ApplyTo(h.phone);
    EXPECT_EQ(h.Ask("AT+CSQ"), "\r\n+CSQ: 20,99\r\n\r\nOK\r\n\r\nRING\r\n\x7f~\r\n");
    EXPECT_EQ(h.Ask("AT+CSQ"), "\r\n+CSQ: 20,99\r\n\r\nOK\r\n");  // used up
    EXPECT_FALSE(script.SilentAt(1999));
    EXPECT_TRUE(script.SilentAt(2000));
    EXPECT_FALSE(script.SilentAt(2500));
    EXPECT_TRUE(script.ClosesAfter("at+cgmi"));
    EXPECT_FALSE(script.ClosesAfter("AT+CGMM"));

    for (const char* bad : {"after AT+CSQ\n", "at soon raw x\n", "at 5 raw \\x4\n",
                            "after AT+CSQ explode\n", "before AT+CSQ raw x\n"})
        EXPECT_THROW(ParseFaultScript(bad), std::runtime_error) << bad;
}

}  // namespace
}  // namespace phonesim::test

// The bytes of a conversation with the simulated phone: echo, answer framing,
// prompts and bodies, command-line parsing.

#include "phone_harness.h"

#include <gtest/gtest.h>

namespace phonesim::test {
namespace {

TEST(PhoneFraming, EchoesTheLineThenFramesInformationAndResult) {
    Harness h;
    EXPECT_EQ(h.Send("AT+CGMI\r"), "AT+CGMI\r\r\nSIEMENS\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Send("AT\r"), "AT\r\r\nOK\r\n");
    // What the engine's line assembly makes of it: echo, blank, answer, blank, OK.
    EXPECT_EQ(h.Send("AT+CREG=2\r"), "AT+CREG=2\r\r\nOK\r\n");
    EXPECT_EQ(h.Send("AT+CREG?\r"), "AT+CREG?\r\r\n+CREG: 2,1,\"0DA2\",\"5C1F\"\r\n\r\nOK\r\n");
}

TEST(PhoneFraming, EchoFollowsAteAndTheCaseOfTheCommandDoesNotMatter) {
    Harness h;
    EXPECT_EQ(h.Send("ate0\r"), "ate0\r\r\nOK\r\n");  // echoed before it takes effect
    EXPECT_EQ(h.Send("at+cgmm\r"), Ok("S45"));
    EXPECT_EQ(h.Send("ATE1\r"), Ok());  // not echoed: echo was off
    EXPECT_EQ(h.Send("aT+cGsN\r"), "aT+cGsN\r\r\n350123456789015\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Send("ATE2\r"), "ATE2\r\r\nERROR\r\n");
}

TEST(PhoneFraming, AtzRestoresTheSeededSettings) {
    PhoneState st = MakeDefaultState();
    st.settings.echo = false;
    Harness h(st);
    h.Send("ATE1\r");
    h.Send("AT+CMEE=1\r");
    EXPECT_EQ(h.Send("AT+CPBR=999\r"), "AT+CPBR=999\r\r\n+CME ERROR: 21\r\n");
    EXPECT_EQ(h.Send("ATZ\r"), "ATZ\r\r\nOK\r\n");
    EXPECT_EQ(h.Send("AT+CPBR=999\r"), "\r\nERROR\r\n");  // echo off and plain errors again
}

TEST(PhoneFraming, LinesArriveInPiecesAndNoiseBeforeAtIsIgnored) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Send("AT+CG"), "");
    EXPECT_EQ(h.Send("MR\r"), Ok("21"));
    EXPECT_EQ(h.Send("\n\x01xyzAT\r"), Ok());
    EXPECT_EQ(h.Send("hello\r"), "");                       // no "AT": no answer
    EXPECT_EQ(h.Send("AT+CGMX\b\bMM\r"), Ok("S45"));        // backspace edits the line
    EXPECT_EQ(h.Send("A/"), Ok("S45"));                     // repeats the last line
    EXPECT_EQ(h.Send("AT+CPBW=9,\"1\",,\"A/B\"\r"), Ok());  // "A/" inside a line is just text
    // The log keeps the lines as received, noise included.
    std::vector<std::string> lines;
    for (const auto& r : h.phone.Received()) lines.push_back(r.text);
    EXPECT_EQ(lines, (std::vector<std::string>{"ATE0", "AT+CMEE=1", "AT+CGMR", "\x01xyzAT",
                                               "AT+CGMM", "AT+CGMM", "AT+CPBW=9,\"1\",,\"A/B\""}));
}

TEST(PhoneFraming, UnknownCommandsAndBadArgumentsAnswerError) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+MODE=2"), "\r\nERROR\r\n");
    EXPECT_EQ(h.Ask("AT$TSSPCSW=?"), "\r\nERROR\r\n");
    EXPECT_EQ(h.Ask("AT+CPBS=\"XX\""), "\r\nERROR\r\n");
    EXPECT_EQ(h.Ask("AT+CPBS=\"SD\""), "\r\nERROR\r\n");  // only through ^SPBS
    EXPECT_EQ(h.Ask("AT^SPBS=\"SD\""), Ok());
    EXPECT_EQ(h.Ask("AT^SPBS?"), Ok("^SPBS: \"SD\",2,4"));
    EXPECT_EQ(h.Ask("AT+CFUN=1"), Ok());
}

TEST(PhoneFraming, ConcatenatedCommandsShareOneResult) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+CGMI;+CGMM"), "\r\nSIEMENS\r\nS45\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Ask("ATE0V1Q0&C1"), Ok());
    // The first command ran; the line stops at the one it does not know.
    EXPECT_EQ(h.Ask("AT+CGMI;+NOPE;+CGMM"), "\r\nSIEMENS\r\n\r\nERROR\r\n");
}

TEST(PhoneFraming, BodyCommandsPromptEchoTheBodyAndEndAtCtrlZ) {
    Harness h;
    h.Send("AT+CMEE=1\r");
    SubmitMessage m;
    m.destination = "+123";
    m.text = "hi";
    m.validity = 0xFF;
    std::string pdu = BuildSubmitPdu(m);
    ASSERT_EQ(pdu, "001100039121F30000FF02E834");
    EXPECT_EQ(h.Send("AT+CMGW=12\r"), "AT+CMGW=12\r\r\n> ");
    EXPECT_TRUE(h.phone.InBody());
    EXPECT_EQ(h.Send(pdu.substr(0, 10)), pdu.substr(0, 10));
    EXPECT_EQ(h.Send(pdu.substr(10) + "\x1A"), pdu.substr(10) + "\x1A\r\n+CMGW: 2\r\n\r\nOK\r\n");
    EXPECT_FALSE(h.phone.InBody());
    EXPECT_EQ(h.phone.State().smsMemories["SM"].messages.at(2).status, 2);
    EXPECT_EQ(h.phone.State().smsMemories["SM"].messages.at(2).pdu, pdu);
}

TEST(PhoneFraming, EscAbortsABodyAndIsIgnoredOutsideOne) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Send("\x1B"), "");
    EXPECT_EQ(h.Ask("AT+CMGS=12"), "\r\n> ");
    EXPECT_EQ(h.Send("0011\x1B"), Ok());
    EXPECT_FALSE(h.phone.InBody());
    EXPECT_TRUE(h.phone.State().sentPdus.empty());
    EXPECT_EQ(h.Ask("AT"), Ok());
    EXPECT_EQ(h.Send("\x1A"), "");  // a stray Ctrl-Z outside a body too
}

TEST(PhoneFraming, PacesOutputAtTheBaudRateAndDelaysAnswers) {
    PhoneOptions o;
    o.baud = 10000;  // one byte a millisecond
    o.answerDelayMs = 100;
    Harness h(MakeDefaultState(), o);
    h.phone.Feed("AT\r", 0);
    EXPECT_EQ(h.phone.Poll(1), "A");
    EXPECT_EQ(h.phone.Poll(3), "T\r");
    EXPECT_EQ(h.phone.Poll(50), "");  // the answer waits for the latency
    EXPECT_EQ(h.phone.NextEventMs(), 101);
    EXPECT_EQ(h.phone.Poll(102), "\r\n");
    EXPECT_EQ(h.phone.Poll(200), "OK\r\n");
    EXPECT_EQ(h.phone.NextEventMs(), std::nullopt);
}

}  // namespace
}  // namespace phonesim::test

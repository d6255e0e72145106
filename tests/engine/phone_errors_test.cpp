// "+CME ERROR: "/"+CMS ERROR: " answers: the general message and the codes
// that steer the operation in flight.

#include "engine/conversation/phone_errors.h"
#include "engine/sms/sms_actions.h"
#include "engine/text/error_texts.h"
#include "tests/support/engine_rig.h"

#include <gtest/gtest.h>

namespace parlenko::testing {
namespace {

const std::string kSelectMe = "AT+CPMS=\"ME\",\"ME\",\"ME\"\r";

std::string Message(int code) {
    return "Error occurred communicating with mobile!\r\rReason:  " + PhoneErrorText(code) + "  (" +
           std::to_string(code) + ")";
}

// The phone's answer to `command`: echo, blank, the error line.
std::string Refused(const std::string& command, const std::string& error) {
    return command + "\r\r\n" + error + "\r\n";
}

TEST(PhoneErrors, MessageNamesTheCodeAndItsText) {
    ScriptRig h;
    h.Receive(Refused("AT+CMGR=3", "+CMS ERROR: 302"));
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Error");
    EXPECT_EQ(h.host.dialogs[0].text, Message(302));
    EXPECT_EQ(h.host.dialogs[0].text,
              "Error occurred communicating with mobile!\r\rReason:  operation not allowed  (302)");
    EXPECT_EQ(h.host.dialogs[0].kind, DialogKind::Error);
    EXPECT_TRUE(h.host.mainWindowTakesInput);  // the exchange is over
    for (int i = 0; i < h.lines().Size(); ++i) EXPECT_TRUE(h.lines().IsBlank(i)) << i;
    EXPECT_EQ(h.Sent(), "");
}

TEST(PhoneErrors, EmptyMessagePositionContinuesTheReadQuietly) {
    ScriptRig h;
    h.Receive(Refused("AT+CMGR=7", "+CMS ERROR: 321"));
    h.Receive(Refused("AT+CMGR=8", "+CME ERROR: 32"));
    EXPECT_TRUE(h.host.dialogs.empty());
    for (int i = 0; i < h.lines().Size(); ++i) EXPECT_TRUE(h.lines().IsBlank(i)) << i;
}

TEST(PhoneErrors, EmptyPositionCodesOfOtherCommandsAreErrors) {
    ScriptRig h;
    h.Receive(Refused("AT+CPBR=7", "+CME ERROR: 321"));
    h.Receive(Refused("AT+CMGD=4", "+CMS ERROR: 32"));
    ASSERT_EQ(h.host.dialogs.size(), 2u);
    EXPECT_EQ(h.host.dialogs[0].text, Message(321));
    EXPECT_EQ(h.host.dialogs[1].text, Message(32));
}

TEST(PhoneErrors, FullMemoryStoresInThePhoneOnceThenTellsTheUser) {
    ScriptRig h;
    h.state().Sms.Op = SmsStore{PhoneMemory::Sim, "0011"};
    h.Receive(Refused("AT+CMGW=23", "+CMS ERROR: 322"));
    EXPECT_EQ(h.Sent(), kSelectMe);
    EXPECT_TRUE(h.host.dialogs.empty());

    h.Receive(Refused("AT+CMGW=23", "+CMS ERROR: 322"));
    EXPECT_EQ(h.Sent(), "");
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text, Message(322));
    EXPECT_TRUE(h.host.mainWindowTakesInput);

    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));  // the store is given up

    // The count starts again: the next store that meets a full memory retries in "ME".
    h.state().Sms.Op = SmsStore{PhoneMemory::Sim, "0011"};
    h.Receive(Refused("AT+CMGW=23", "+CMS ERROR: 322"));
    EXPECT_EQ(h.Sent(), kSelectMe);
    EXPECT_EQ(h.host.dialogs.size(), 1u);
}

TEST(PhoneErrors, StoredMessageGivesTheNextStoreItsRetry) {
    ScriptRig h;
    h.state().Sms.Op = SmsStore{PhoneMemory::Sim, "0011"};
    h.Receive(Refused("AT+CMGW=23", "+CMS ERROR: 322"));
    EXPECT_EQ(h.Sent(), kSelectMe);
    ResetStoreRetryCount(h.ctx());  // the store in "ME" succeeded
    h.Receive(Refused("AT+CMGW=30", "+CMS ERROR: 322"));
    EXPECT_EQ(h.Sent(), kSelectMe);
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(PhoneErrors, MissingMessageMemoryClosesTheReadAndEndsTheScan) {
    for (const char* code : {"303", "30", "3"}) {
        ScriptRig h;
        h.host.progressVisible = true;
        // A line above the error waits: the scan ends at the error.
        h.Receive("RING\r\n" +
                  Refused("AT+CPMS=\"SM\",\"SM\",\"SM\"", std::string("+CMS ERROR: ") + code));
        EXPECT_TRUE(h.host.dialogs.empty()) << code;
        EXPECT_EQ(h.host.progressCloses, 1) << code;
        EXPECT_FALSE(h.host.progressVisible);
        EXPECT_TRUE(h.host.mainWindowTakesInput);
        EXPECT_TRUE(h.host.newCallNotices.empty()) << code;
    }
}

TEST(PhoneErrors, MemoryCodesOfOtherCommandsDoWhatErrorDoes) {
    // A phonebook memory refused with a code is skipped as "ERROR" skips it.
    ScriptRig h;
    h.Receive(Refused("AT+CPBS=\"SM\"", "+CME ERROR: 3"));
    EXPECT_TRUE(h.host.dialogs.empty());
    EXPECT_EQ(h.Sent(), "AT+CPBS=\"ME\"\r");
}

TEST(PhoneErrors, StaleRegistrationFlagDoesNotSwallowAnotherError) {
    ScriptRig h;
    h.state().Chain.CregSetSent = true;  // a chain cut short after "AT+CREG=2"
    h.Receive(Refused("AT+CPBR=1", "+CME ERROR: 21"));
    EXPECT_EQ(h.Sent(), "");
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text, Message(21));
}

TEST(PhoneErrors, RegistrationSettingFallsBackWithoutMessage) {
    ScriptRig h;
    h.state().Chain.CregSetSent = true;
    h.Receive(Refused("AT+CREG=2", "+CME ERROR: 100"));
    EXPECT_EQ(h.Sent(), "AT+CREG=1\r");
    h.Receive(Refused("AT+CREG=1", "+CME ERROR: 100"));
    EXPECT_EQ(h.Sent(), "AT+CREG?\r");
    EXPECT_FALSE(h.state().Chain.CregSetSent);
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(PhoneErrors, VerboseErrorShowsThePhonesWords) {
    ScriptRig h;
    h.Receive(Refused("AT+CPBR=1", "+CME ERROR: SIM busy"));
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text,
              "Error occurred communicating with mobile!\r\rReason:  SIM busy");
}

}  // namespace
}  // namespace parlenko::testing

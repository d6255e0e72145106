// The engine against a phone that misbehaves or is busy with other things:
// a long connection, a call during a read, line noise, no phone at all.
#include "engine/at/at_commands.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/session/connection.h"
#include "tests/support/engine_rig.h"

#include <gtest/gtest.h>

#include <string>

namespace parlenko {
namespace {

// A phone with ten SIM entries and nothing else.
phonesim::PhoneState TenEntryPhone() {
    phonesim::PhoneState s;
    auto& sim = s.phonebooks["SM"];
    sim.capacity = 10;
    for (int p = 1; p <= 10; ++p)
        sim.entries[p] = {"+38591555" + std::to_string(1000 + p), 145,
                          "Osoba " + std::to_string(p)};
    return s;
}

// The simulated phone, read in full again and again.
struct ReadRig : testing::SimPhoneRig {
    using testing::SimPhoneRig::EngineRig;
    // One full read; true when it ran to its end.
    bool ReadPhonebook() {
        const int sorted = host.phonebookSorts;
        RefreshPhonebook(ctx(), PhoneMemory::Sim);
        return clock.RunUntil([&] { return host.phonebookSorts > sorted; }, 60000);
    }
    std::size_t Entries() { return state().Phonebook.PhonebookList.size(); }
};

TEST(LongConnection, ReceivedLinesStayBoundedOverAHundredReads) {
    ReadRig h(TenEntryPhone());
    int largest = 0;
    for (int read = 0; read < 100; ++read) {
        ASSERT_TRUE(h.ReadPhonebook()) << "read " << read;
        ASSERT_EQ(h.Entries(), 10u);
        largest = std::max(largest, h.engine.State().Receive.RxLines.Size());
    }
    // One read alone leaves about fifty lines; a hundred must not add up.
    EXPECT_LE(largest, 40);
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(LongConnection, APromptServedBeforeTheListShrankIsNotServedAgain) {
    testing::ScriptRig h;
    h.state().Sms.PduToSend = "0011000B91";
    h.Receive("AT+CSQ\r\r\n+CSQ: 20,99\r\n\r\nOK\r\n");  // lines to drop later
    h.Receive("AT+CMGS=23\r\r\n> ");
    EXPECT_EQ(h.Sent().find("0011000B91\x1a"), 0u);
    h.Receive("\n");  // nothing new: the prompt still stands, at a new index
    EXPECT_EQ(h.Sent(), "");
}

TEST(CallDuringARead, RingAndCallerIdInTheChunkOfAnOkDoNotStopTheRead) {
    ReadRig h(TenEntryPhone());
    phonesim::CommandFault call;
    call.command = "AT+CPBR=4";
    call.unsolicitedAfter = {"RING", "+CLIP: \"+385915551003\",145"};
    h.device.Phone().AddFault(call);
    ASSERT_TRUE(h.ReadPhonebook());
    EXPECT_EQ(h.Entries(), 10u);
    EXPECT_TRUE(h.host.dialogs.empty());
    ASSERT_FALSE(h.host.newCallNotices.empty());
    EXPECT_EQ(h.host.newCallNotices.back().name, "Osoba 3");
}

TEST(LineNoise, AFragmentLeftAfterAnExchangeDoesNotSwallowTheNextEcho) {
    testing::ScriptRig h;
    // Notices off answered, then noise without a carriage return.
    h.Receive("AT+CNMI=0,0,0,0\r\r\nOK\r\n\x7f\xfe#");
    ASSERT_TRUE(h.host.mainWindowEnabled);
    h.Sent();
    RefreshPhonebook(h.ctx(), PhoneMemory::Sim);
    EXPECT_EQ(h.Sent(), "AT+CPBS=\"SM\"\r");
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPBS?\r");
}

TEST(NoPhone, AConnectNobodyAnswersIsReportedOnceAndClosesThePort) {
    testing::ScriptRig h;  // the port is open; nothing ever answers
    ResetModem(h.ctx());
    h.clock.RunFor(30000);
    EXPECT_FALSE(h.port.Connected());
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Communication error!");

    // A phone that answers is left alone, even when it later goes quiet.
    testing::ScriptRig answered;
    ResetModem(answered.ctx());
    answered.Receive("ATZ\r\r\nOK\r\n");
    answered.clock.RunFor(30000);
    EXPECT_TRUE(answered.port.Connected());
    EXPECT_TRUE(answered.host.dialogs.empty());
}

}  // namespace
}  // namespace parlenko

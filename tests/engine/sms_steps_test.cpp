// The SMS read, store, send and delete steps against the simulated phone on
// virtual time, and the phone's other answers to a read played as chunks.
#include "engine/pdu/pdu_encoder.h"
#include "engine/sms/refresh_sms.h"
#include "engine/sms/sms_operations.h"
#include "engine/sms/sms_steps.h"
#include "tests/support/engine_rig.h"
#include "tests/support/phonesim/pdu.h"
#include "tests/support/phonesim/state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace parlenko {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::ScriptRig;
using testing::SimPhoneRig;

constexpr char kSelectSim[] = "AT+CPMS=\"SM\",\"SM\",\"SM\"";
constexpr char kSelectMe[] = "AT+CPMS=\"ME\",\"ME\",\"ME\"";

phonesim::PhoneState S45State() {
    return phonesim::LoadStateFile(PARLENKO_SOURCE_DIR "/tests/data/s45.state");
}

// A phone whose message memories hold exactly these messages.
phonesim::PhoneState PhoneWith(phonesim::SmsMemory sm, phonesim::SmsMemory me) {
    phonesim::PhoneState s;
    s.smsMemories = {{"SM", std::move(sm)}, {"ME", std::move(me)}};
    s.settings.cmee = 1;  // numeric error codes, as after the connect chain
    return s;
}
phonesim::SmsMemory Memory(int capacity, std::map<int, phonesim::StoredSms> messages = {}) {
    return {capacity, std::move(messages)};
}

std::string Deliver(const std::string& sender, const std::string& text) {
    phonesim::DeliverMessage m;
    m.smsc = "+385910401";
    m.sender = sender;
    m.text = text;
    return phonesim::BuildDeliverPdu(m);
}
std::string Submit(const std::string& destination, const std::string& text) {
    phonesim::SubmitMessage m;
    m.destination = destination;
    m.text = text;
    m.validity = 0xA7;
    return phonesim::BuildSubmitPdu(m);
}

void RunPhone(SimPhoneRig& h, int ms = 60000) { h.clock.RunFor(ms); }
void ReadSms(SimPhoneRig& h) {
    RefreshSms(h.ctx());
    RunPhone(h);
}

const AListSMS* Find(const SimPhoneRig& h, const std::string& location,
                     const std::string& position) {
    for (const auto& m : const_cast<SimPhoneRig&>(h).state().Sms.SmsList)
        if (m.Location == location && m.Position == position) return &m;
    return nullptr;
}

std::vector<std::string> Positions(const std::vector<SmsRow>& rows) {
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(r.Message.Location.substr(0, 3) + r.Message.Position);
    return out;
}

// --------------------------------------------------------------- full read

TEST(SmsRead, SeededPhoneGivesEveryMessageWithItsSenderDateAndText) {
    SimPhoneRig h(S45State());
    ReadSms(h);
    // Both memories have gaps; each position is asked once, up to the last message.
    EXPECT_THAT(
        h.Commands(),
        ElementsAre(kSelectSim, "AT+CMGR=1", "AT+CMGR=2", "AT+CMGR=3", "AT+CMGR=4", "AT+CMGR=5",
                    "AT+CMGR=6", "AT+CMGR=7", "AT+CMGR=8", "AT+CMGR=9", kSelectMe, "AT+CMGR=1",
                    "AT+CMGR=2", "AT+CMGR=3", "AT+CMGR=4", "AT+CMGR=5", "AT+CMGR=6", "AT+CMGR=7"));
    using Row = std::tuple<std::string, std::string, std::string, std::string, std::string,
                           std::string, std::string>;
    std::vector<Row> got;
    for (const auto& m : h.state().Sms.SmsList)
        got.emplace_back(m.Location + " " + m.Position, m.Status, m.Number, m.Date, m.Time,
                         m.Validity, m.Text);
    // The newest read first; texts are UTF-8, a UCS2 message keeps every letter.
    EXPECT_THAT(
        got,
        ElementsAre(
            Row{"Mobile memory 07", "1", "+385915550000", "01.03.2005", "07:30:00", "",
                "Vas racun za veljacu iznosi 123,45 kn."},
            Row{"Mobile memory 05", "3", "+38512784312", "", "", "24 hours", "Stigao sam."},
            Row{"Mobile memory 04", "2", "+4930123456", "", "", "24 hours",
                "Termin am Montag passt. Schöne Grüße"},
            Row{"Mobile memory 02", "0", "+385988557844", "15.03.2005", "11:59:59", "",
                "Ćao, jesi li dobila moju poruku?"},
            Row{"Mobile memory 01", "1", "0956303118", "28.02.2005", "16:40:00", "",
                "Sretan put! Javi se kad stignes."},
            Row{"SIM card 09", "1", "0989918231", "09.03.2005", "12:00:00", "",
                "Popis:\r\n- kruh\r\n- mlijeko\r\n- jaja @ 2$"},
            Row{"SIM card 08", "3", "+385950610995", "", "", "24 hours", "Moze, vidimo se u 8!"},
            Row{"SIM card 06", "2", "0989063601", "", "", "24 hours",
                "Kasnim 10 min, naruci mi kavu"},
            Row{"SIM card 05", "1", "0913933001", "10.03.2005", "21:17:03", "",
                "Račun je plaćen. Hvala! Čestitam na novom poslu."},
            Row{"SIM card 03", "0", "+385926921764", "15.03.2005", "08:45:30", "",
                "Računi: 12€ za pizzu, ostalo sutra. Grüße!"},
            Row{"SIM card 02", "1", "VIPnet", "13.03.2005", "10:00:00", "",
                "Dobrodosli u VIP mrezu. Vas VIP tim"},
            Row{"SIM card 01", "1", "+385950610995", "12.03.2005", "18:02:11", "",
                "Bok! Vidimo se sutra u 8 kod kina?"}));
    EXPECT_EQ(h.state().Sms.SmsList[0].Smsc, "HR VIP  [+385910401]");

    // Status picks the list and the image: "0" and "3" are marked.
    const auto& in = h.host.SmsRows(SmsFolder::Incoming);
    const auto& out = h.host.SmsRows(SmsFolder::Outgoing);
    EXPECT_THAT(Positions(in), ElementsAre("Mob07", "Mob02", "Mob01", "SIM09", "SIM05", "SIM03",
                                           "SIM02", "SIM01"));
    EXPECT_THAT(Positions(out), ElementsAre("Mob05", "Mob04", "SIM08", "SIM06"));
    std::vector<int> images;
    for (const auto& r : in) images.push_back(r.Image);
    for (const auto& r : out) images.push_back(r.Image);
    EXPECT_THAT(images, ElementsAre(25, 24, 25, 25, 25, 24, 25, 25, 24, 25, 24, 25));
    EXPECT_EQ(h.host.smsCounts[static_cast<int>(SmsFolder::Incoming)], "(8/2 new)");
    EXPECT_EQ(h.host.smsCounts[static_cast<int>(SmsFolder::Outgoing)], "(4/2 new)");
    EXPECT_TRUE(h.host.dialogs.empty());
    EXPECT_FALSE(h.host.progressVisible);
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    EXPECT_EQ(h.state().Mode, ActivityMode::Sms);
}

TEST(SmsRead, CaptionIsThePhonebookNameWithoutItsMark) {
    SimPhoneRig h(
        PhoneWith(Memory(5, {{1, {1, Deliver("+385911", "a")}}, {2, {1, Deliver("+385922", "b")}}}),
                  Memory(5)));
    h.state().Phonebook.PhonebookList = {{"Ana!", "+385911", "SIM card", "001"}};
    ReadSms(h);
    const auto& in = h.host.SmsRows(SmsFolder::Incoming);
    ASSERT_EQ(in.size(), 2u);
    EXPECT_EQ(in[0].Caption, "+385922");
    EXPECT_EQ(in[1].Caption, "Ana");
}

TEST(SmsRead, MessageTypeChoosesTheDecoderAndStatusTheList) {
    // A phone files a sent SMS-SUBMIT under "1" and a delivery report under "3".
    const std::string report = "069183950104F1062A0B915121551532F4621120410080006211204150000000";
    SimPhoneRig h(PhoneWith(
        Memory(5, {{1, {1, "0011000C918395051690590000A714CDB7BECC02D9D3E474FB0D9A974175102E04"}},
                   {2, {3, report}},
                   {3, {7, Deliver("+385933", "unknown status")}},
                   {4,
                    {1,
                     "069183950104F1400C9183951132547600005030419003510013050003AA0201B4647"
                     "9D8FE06CDEDE97618"}}}),
        Memory(5)));
    ReadSms(h);
    const AListSMS* submit = Find(h, "SIM card", "01");
    ASSERT_NE(submit, nullptr);
    EXPECT_EQ(submit->Number, "+385950610995");
    EXPECT_EQ(submit->Date, "");
    EXPECT_EQ(submit->Validity, "24 hours");
    EXPECT_EQ(submit->Text, "Moze, vidimo se u 8!");
    const AListSMS* delivered = Find(h, "SIM card", "02");
    ASSERT_NE(delivered, nullptr);
    EXPECT_EQ(delivered->Number, "Status Report");
    EXPECT_EQ(delivered->Date, "02.11.2026");
    EXPECT_EQ(delivered->Time, "14:05:00");
    EXPECT_THAT(delivered->Text, ::testing::HasSubstr("  (+15125551234)\r\n"));
    // A status this program does not know files the message nowhere.
    EXPECT_EQ(Find(h, "SIM card", "03"), nullptr);
    const AListSMS* header = Find(h, "SIM card", "04");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Text, "Zdravo svima");
    EXPECT_EQ(header->Date, "14.03.2005");
    EXPECT_THAT(Positions(h.host.SmsRows(SmsFolder::Incoming)), ElementsAre("SIM04", "SIM01"));
    EXPECT_THAT(Positions(h.host.SmsRows(SmsFolder::Outgoing)), ElementsAre("SIM02"));
    // The read still ends: four messages were counted.
    EXPECT_EQ(h.Commands().back(), "AT+CMGR=1");  // the empty phone memory
    EXPECT_FALSE(h.host.progressVisible);
}

TEST(SmsRead, EmptyPositionAsAnErrorCodeAndAPhoneCountingMoreThanItHolds) {
    ScriptRig h;
    h.host.progressVisible = true;
    h.state().CurrentMemory = "SM";
    h.Receive("AT+CPMS=\"SM\",\"SM\",\"SM\"\r\r\n+CPMS: 2,3,2,3,2,3\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CMGR=1\r");
    h.Receive("AT+CMGR=1\r\r\n+CMS ERROR: 321\r\n");
    EXPECT_EQ(h.Sent(), "AT+CMGR=2\r");
    h.Receive("AT+CMGR=2\r\r\n+CMGR: 0,,0\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CMGR=3\r");
    // Position 3 is the last place: the pass ends though 2 messages were counted.
    h.Receive("AT+CMGR=3\r\r\n+CME ERROR: 32\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPMS=\"ME\",\"ME\",\"ME\"\r");
    EXPECT_TRUE(h.host.dialogs.empty());
    for (int i = 0; i < h.lines().Size(); ++i) EXPECT_TRUE(h.lines().IsBlank(i)) << i;
}

// A phone without a SIM message memory (or without a phone memory): the
// read goes on with the memory that is there, and ends complete.
TEST(SmsRead, AnAbsentMessageMemoryIsSkipped) {
    const auto phone = [] {
        return PhoneWith(Memory(10, {{1, {1, Deliver("0911", "Na SIM-u")}}}),
                         Memory(25, {{1, {1, Deliver("0922", "U mobitelu")}},
                                     {2, {1, Deliver("0933", "Jos jedna")}}}));
    };
    for (const std::string code : {"+CMS ERROR: 303", "+CMS ERROR: 30", "+CME ERROR: 3"}) {
        for (const std::string absent : {kSelectSim, kSelectMe}) {
            const std::string what = absent + " / " + code;
            SimPhoneRig h(phone());
            h.phone().AddFault({.command = absent, .result = code});
            ReadSms(h);
            EXPECT_TRUE(h.host.dialogs.empty()) << what;
            EXPECT_FALSE(h.host.progressVisible) << what;
            EXPECT_FALSE(h.state().Sms.FullReadRunning) << what;
            EXPECT_EQ(h.state().Sms.FullReadsDone, 1) << what;
            const bool simThere = absent == kSelectMe;
            EXPECT_EQ(h.state().Sms.SmsList.size(), simThere ? 1u : 2u) << what;
            EXPECT_EQ(h.host.SmsRows(SmsFolder::Incoming).size(), simThere ? 1u : 2u) << what;
        }
        // A delete that needed the memory says that it failed, once; a
        // plain "ERROR" names the delete.
        for (const std::string& result : {code, std::string("ERROR")}) {
            SimPhoneRig h(phone());
            h.phone().AddFault({.command = kSelectSim, .result = result});
            DeleteSms(h.ctx(), PhoneMemory::Sim, "01");
            RunPhone(h, 15000);
            ASSERT_EQ(h.host.dialogs.size(), 1u) << result;
            if (result == "ERROR") {
                EXPECT_EQ(h.host.dialogs[0].text,
                          "Error occurred while trying to delete\rSMS message from mobile!");
            }
            EXPECT_FALSE(HasSmsOp(h.state().Sms.Op)) << result;
            EXPECT_EQ(h.phone().State().smsMemories["SM"].messages.size(), 1u) << result;
        }
    }
}

// ------------------------------------------------------- new-message notice

TEST(SmsNewMessage, NoticeOfAPhoneMemoryIndexAboveNinetyNine) {
    SimPhoneRig h(PhoneWith(Memory(5), Memory(150, {{120, {0, Deliver("+385944", "Hej!")}}})));
    h.state().Phonebook.PhonebookList = {{"Iva", "+385944", "Mobile memory", "001"}};
    h.Receive("\r\n+CMTI: \"ME\",120\r\n");
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(), ElementsAre(kSelectMe, "AT+CMGR=120"));
    ASSERT_EQ(h.host.newSmsNotices.size(), 1u);
    const auto& n = h.host.newSmsNotices[0];
    EXPECT_EQ(n.OsobaLab, "Iva");
    EXPECT_EQ(n.TelefonLab, "+385944");
    EXPECT_EQ(n.DatumLab, "15.03.2005     12:34:56");
    EXPECT_EQ(n.PorukaMemo, "Hej!");
    ASSERT_NE(Find(h, "Mobile memory", "120"), nullptr);
    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    EXPECT_EQ(h.host.progressShows, 0);
}

TEST(SmsNewMessage, NoticeOfAnEmptyPositionEndsQuietly) {
    SimPhoneRig h(PhoneWith(Memory(5), Memory(5)));
    h.Receive("\r\n+CMTI: \"SM\",3\r\n");
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(), ElementsAre(kSelectSim, "AT+CMGR=3"));
    EXPECT_TRUE(h.host.newSmsNotices.empty());
    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    for (int i = 0; i < h.lines().Size(); ++i) EXPECT_TRUE(h.lines().IsBlank(i)) << i;
    // A full read later reads both memories: nothing stale steers its selection.
    ReadSms(h);
    const auto commands = h.Commands();
    EXPECT_EQ(commands.back(), "AT+CMGR=1");
    EXPECT_EQ(std::count(commands.begin(), commands.end(), kSelectMe), 1);
}

TEST(SmsNewMessage, FullReadDropsAStaleNewMessageRead) {
    SimPhoneRig h(PhoneWith(Memory(5, {{1, {1, Deliver("+385911", "a")}}}), Memory(5)));
    h.phone().AddFault({.command = "AT+CPMS", .noAnswer = true});
    ReadNewSms(h.ctx(), PhoneMemory::Sim, "1");  // its answer never comes
    ReadSms(h);                                  // starts once the time-out has given that read up
    EXPECT_TRUE(h.host.newSmsNotices.empty());
    EXPECT_EQ(h.state().Sms.SmsList.size(), 1u);
    EXPECT_EQ(h.Commands().back(), "AT+CMGR=1");
}

// ------------------------------------------------------------------- store

TEST(SmsStore, StoredMessageTakesThePositionOfItsAnswer) {
    std::map<int, phonesim::StoredSms> four;
    for (int p = 1; p <= 4; ++p) four[p] = {1, Deliver("+3859" + std::to_string(p), "x")};
    SimPhoneRig h(PhoneWith(Memory(10, four), Memory(10)));
    h.state().Phonebook.PhonebookList = {{"", "+385955", "SIM card", "002"}};
    const std::string pdu = Submit("+385955", "Novi tekst");
    StoreSms(h.ctx(), pdu);
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(), ElementsAre(kSelectSim, "AT+CMGW=" + SmsPduLength(pdu)));
    EXPECT_EQ(h.phone().State().smsMemories["SM"].messages[5].pdu, pdu);
    const AListSMS* stored = Find(h, "SIM card", "05");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->Status, "2");
    EXPECT_EQ(stored->Number, "+385955");
    EXPECT_EQ(stored->Text, "Novi tekst");
    const auto& out = h.host.SmsRows(SmsFolder::Outgoing);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].Caption, "");  // the number's entry has no name
    EXPECT_EQ(out[0].Image, kImageSms);
    EXPECT_THAT(h.host.statusMessages, ElementsAre("SMS message succesfully saved in mobile!"));
    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

TEST(SmsStore, FullSimStoresInThePhoneMemoryOnceThenTellsTheUser) {
    const std::string pdu = Submit("+385955", "Novi");
    SimPhoneRig h(PhoneWith(Memory(1, {{1, {1, Deliver("+385911", "a")}}}), Memory(2)));
    StoreSms(h.ctx(), pdu);
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(), ElementsAre(kSelectSim, "AT+CMGW=15", kSelectMe, "AT+CMGW=15"));
    ASSERT_NE(Find(h, "Mobile memory", "01"), nullptr);
    EXPECT_TRUE(h.host.dialogs.empty());

    StoreSms(h.ctx(), pdu);  // "ME" has one place left
    RunPhone(h, 5000);
    StoreSms(h.ctx(), pdu);  // now both are full
    RunPhone(h, 5000);
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_THAT(h.host.dialogs[0].text, ::testing::HasSubstr("(322)"));
    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));
    EXPECT_EQ(h.state().Sms.SmsList.size(), 2u);
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

// -------------------------------------------------- send, delete and edit

// Both memories hold a stored message at position 4 (and more).

phonesim::PhoneState Twins() {
    return PhoneWith(
        Memory(10, {{4, {2, Submit("+385911", "sim")}}, {5, {1, Deliver("+385922", "sim in")}}}),
        Memory(10, {{4, {2, Submit("+385933", "me")}}, {5, {1, Deliver("+385944", "me in")}}}));
}

TEST(SmsSendStored, MarksTheRecordOfItsOwnMemory) {
    SimPhoneRig h(Twins());
    ReadSms(h);
    const auto before = h.CommandCount();
    SendStoredSms(h.ctx(), PhoneMemory::Phone, "04", "");
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(before), ElementsAre(kSelectMe, "AT+CMSS=04"));
    EXPECT_EQ(Find(h, "Mobile memory", "04")->Status, "3");
    EXPECT_EQ(Find(h, "SIM card", "04")->Status, "2");
    for (const auto& r : h.host.SmsRows(SmsFolder::Outgoing))
        EXPECT_EQ(r.Image, r.Message.Location == "Mobile memory" ? kImageSmsMarked : kImageSms);
    EXPECT_EQ(h.host.smsCounts[static_cast<int>(SmsFolder::Outgoing)], "(2/1 new)");
    EXPECT_THAT(h.host.statusMessages, ElementsAre("SMS message succesfully sent!"));
    EXPECT_EQ(h.phone().State().sentPdus.size(), 1u);
}

TEST(SmsSendStored, ANumberThatIsNoPhoneNumberNeverReachesThePhone) {
    SimPhoneRig h(Twins());
    const auto before = h.CommandCount();
    for (const char* number : {"0911\";AT+CMGD=1", "+385 91", "abc"}) {
        SendStoredSms(h.ctx(), PhoneMemory::Sim, "04", number);
        RunPhone(h, 2000);
    }
    EXPECT_EQ(h.CommandCount(), before);
    EXPECT_EQ(h.host.dialogs.size(), 3u);
    SendStoredSms(h.ctx(), PhoneMemory::Sim, "04", "+385955");
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(before), ElementsAre(kSelectSim, "AT+CMSS=04,+385955"));
}

TEST(SmsDelete, RemovesTheRecordAndRowOfItsMemoryOnly) {
    SimPhoneRig h(Twins());
    ReadSms(h);
    const auto before = h.CommandCount();
    DeleteSms(h.ctx(), PhoneMemory::Sim, "05");
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(before), ElementsAre(kSelectSim, "AT+CMGD=05"));
    EXPECT_EQ(Find(h, "SIM card", "05"), nullptr);
    EXPECT_NE(Find(h, "Mobile memory", "05"), nullptr);
    EXPECT_THAT(Positions(h.host.SmsRows(SmsFolder::Incoming)), ElementsAre("Mob05"));
    EXPECT_EQ(h.host.SmsRows(SmsFolder::Outgoing).size(), 2u);
    EXPECT_EQ(h.host.smsCounts[static_cast<int>(SmsFolder::Incoming)], "(1/0 new)");
    EXPECT_THAT(h.host.statusMessages, ElementsAre("SMS message succesfully deleted from mobile!"));
    EXPECT_EQ(h.phone().State().smsMemories["SM"].messages.count(5), 0u);
    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));
}

TEST(SmsDelete, AFailedDeleteLeavesNothingForTheNextSelection) {
    for (int cmee : {0, 1}) {  // "ERROR", then "+CMS ERROR: 321"
        auto phone = Twins();
        phone.settings.cmee = cmee;
        SimPhoneRig h(std::move(phone));
        DeleteSms(h.ctx(), PhoneMemory::Sim, "11");  // past the capacity
        RunPhone(h, 5000);
        ASSERT_EQ(h.host.dialogs.size(), 1u) << cmee;
        if (cmee == 0) {
            EXPECT_EQ(h.host.dialogs[0].text,
                      "Error occurred while trying to delete\rSMS message from mobile!");
        }
        EXPECT_FALSE(HasSmsOp(h.state().Sms.Op)) << cmee;
        // The next selection is the new message's read, not the delete again.
        const auto before = h.CommandCount();
        h.Receive("\r\n+CMTI: \"SM\",5\r\n");
        RunPhone(h, 5000);
        EXPECT_THAT(h.Commands(before), ElementsAre(kSelectSim, "AT+CMGR=5")) << cmee;
        EXPECT_EQ(h.host.newSmsNotices.size(), 1u) << cmee;
    }
}

TEST(SmsEdit, StoresTheNewVersionBeforeDeletingTheOriginalThenSends) {
    SimPhoneRig h(Twins());
    ReadSms(h);
    const auto before = h.CommandCount();
    const std::string pdu = Submit("+385911", "sim, popravljeno");
    EditStoredSms(h.ctx(), PhoneMemory::Sim, "04", pdu, true);
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(before), ElementsAre(kSelectSim, "AT+CMGW=" + SmsPduLength(pdu),
                                                "AT+CMGD=04", "AT+CMSS=01"));
    EXPECT_EQ(Find(h, "SIM card", "04"), nullptr);
    ASSERT_NE(Find(h, "SIM card", "01"), nullptr);
    EXPECT_EQ(Find(h, "SIM card", "01")->Status, "3");
    EXPECT_EQ(Find(h, "SIM card", "01")->Text, "sim, popravljeno");
    EXPECT_THAT(h.host.statusMessages, ElementsAre("SMS message succesfully saved in mobile!",
                                                   "SMS message succesfully sent!"));
    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));
}

TEST(SmsEdit, AFailedStoreKeepsTheOriginal) {
    // Both memories are full: the store fails in the SIM card and in the phone.
    SimPhoneRig h(PhoneWith(Memory(1, {{1, {2, Submit("+385911", "old")}}}),
                            Memory(1, {{1, {1, Deliver("+385922", "x")}}})));
    ReadSms(h);
    const auto before = h.CommandCount();
    EditStoredSms(h.ctx(), PhoneMemory::Sim, "01", Submit("+385911", "new"), false);
    RunPhone(h, 5000);
    const auto commands = h.Commands(before);
    EXPECT_TRUE(std::none_of(commands.begin(), commands.end(),
                             [](const std::string& c) { return c.starts_with("AT+CMGD="); }));
    EXPECT_EQ(h.phone().State().smsMemories["SM"].messages.count(1), 1u);
    ASSERT_NE(Find(h, "SIM card", "01"), nullptr);
    EXPECT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));
    // Nothing stale: the next full read reads.
    ReadSms(h);
    EXPECT_EQ(h.state().Sms.SmsList.size(), 2u);
}

TEST(SmsEdit, OnTheS45TheNewVersionTakesTheFirstFreePlaceAndIsSent) {
    SimPhoneRig h(S45State());
    ReadSms(h);
    const auto before = h.CommandCount();
    const std::string pdu = Submit("+4930123456", "Termin am Dienstag");
    EditStoredSms(h.ctx(), PhoneMemory::Phone, "04", pdu, true);
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(before),
                ElementsAre(kSelectMe, "AT+CMGW=" + SmsPduLength(pdu), "AT+CMGD=04", "AT+CMSS=03"));
    auto& me = h.phone().State().smsMemories["ME"].messages;
    EXPECT_EQ(me.count(4), 0u);
    ASSERT_EQ(me.count(3), 1u);
    EXPECT_EQ(me[3].status, 3);
    EXPECT_EQ(Find(h, "Mobile memory", "03")->Text, "Termin am Dienstag");
    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));
}

TEST(SmsEdit, OnTheS45AStoreAnsweredErrorKeepsTheOriginal) {
    SimPhoneRig h(S45State());
    ReadSms(h);
    phonesim::CommandFault fault;
    fault.command = "AT+CMGW";
    fault.result = "ERROR";
    h.phone().AddFault(fault);
    const auto before = h.CommandCount();
    const std::string pdu = Submit("+4930123456", "Termin am Dienstag");
    EditStoredSms(h.ctx(), PhoneMemory::Phone, "04", pdu, true);
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(before), ElementsAre(kSelectMe, "AT+CMGW=" + SmsPduLength(pdu)));
    EXPECT_EQ(h.phone().State().smsMemories["ME"].messages.count(4), 1u);
    EXPECT_NE(Find(h, "Mobile memory", "04"), nullptr);
    EXPECT_FALSE(HasSmsOp(h.state().Sms.Op));
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text,
              "Error occurred while trying to write\rSMS message in mobile!");
}

TEST(SmsSend, NewMessageGoesOutAtThePrompt) {
    SimPhoneRig h(PhoneWith(Memory(5), Memory(5)));
    const std::string pdu = Submit("+385955", "Bok");
    SendSms(h.ctx(), pdu);
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(), ElementsAre("AT+CMGS=" + SmsPduLength(pdu)));
    EXPECT_THAT(h.phone().State().sentPdus, ElementsAre(pdu));
    EXPECT_THAT(h.host.statusMessages, ElementsAre("SMS message succesfully sent!"));
    EXPECT_TRUE(h.host.mainWindowTakesInput);
}

// The compose window hands values over: the engine encodes them, and what the
// encoder refuses is told back and reaches no phone.
TEST(SmsSend, TheEngineEncodesTheComposedMessageAndARefusalSendsNothing) {
    SimPhoneRig h(PhoneWith(Memory(5), Memory(5)));
    EXPECT_EQ(h.engine.SendSms({.Number = "+385+955", .Text = "Bok"}),
              ComposedSmsResult::InvalidNumber);
    EXPECT_EQ(h.engine.StoreSms({.Number = "+385955", .Text = std::string(161, 'a')}),
              ComposedSmsResult::TextTooLong);
    EXPECT_EQ(h.engine.EditStoredSms(
                  PhoneMemory::Sim, "01",
                  {.Number = "+385955", .Text = std::string(70, 'a'), .Flash = true}, false),
              ComposedSmsResult::TextTooLong);
    RunPhone(h, 5000);
    EXPECT_THAT(h.Commands(), IsEmpty());

    const ComposedSms message{.Number = "+385955",
                              .Text = "Bok\r\nvidimo se",
                              .ValidityValue = 2,
                              .ValidityUnit = 2,
                              .StatusReport = true};
    EXPECT_EQ(h.engine.SendSms(message), ComposedSmsResult::Started);
    RunPhone(h, 5000);
    ASSERT_EQ(h.phone().State().sentPdus.size(), 1u);
    const std::string& pdu = h.phone().State().sentPdus[0];
    EXPECT_THAT(h.Commands(), ElementsAre("AT+CMGS=" + SmsPduLength(pdu)));
    const auto sent = phonesim::DecodePdu(pdu);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->address, "+385955");
    EXPECT_EQ(sent->text, "Bok\nvidimo se");
    EXPECT_TRUE(sent->statusReportRequested);
}

}  // namespace
}  // namespace parlenko

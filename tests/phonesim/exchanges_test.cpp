// Stateful exchanges: phonebooks, messages, binary objects, diverts, locks,
// calls and the clock, as a client sees them on the wire.

#include "phone_harness.h"
#include "phonesim/gsm_text.h"

#include <gtest/gtest.h>

namespace phonesim::test {
namespace {

TEST(PhoneExchanges, SelectsAPhonebookAndReadsOnePositionAtATime) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+CPBS=\"SM\""), Ok());
    EXPECT_EQ(h.Ask("AT+CPBS?"), Ok("+CPBS: \"SM\",3,250"));
    EXPECT_EQ(h.Ask("AT+CPBR=1"), Ok("+CPBR: 1,\"+385911234567\",145,\"Ana Horvat!\""));
    EXPECT_EQ(h.Ask("AT+CPBR=3"), Ok());  // empty: no entry line
    // The name travels in the GSM alphabet: u diaeresis is code 0x7E.
    EXPECT_EQ(h.Ask("AT+CPBR=2"), Ok("+CPBR: 2,\"0987654321\",129,\"M\x7Eller\""));
    EXPECT_EQ(h.Ask("AT+CPBR=251"), "\r\n+CME ERROR: 21\r\n");
    EXPECT_EQ(h.Ask("AT+CPBR=1,5"), Ok("+CPBR: 1,\"+385911234567\",145,\"Ana Horvat!\"\r\n+CPBR: "
                                       "2,\"0987654321\",129,\"M\x7Eller\"\r\n"
                                       "+CPBR: 5,\"+38512345678\",145,\"Posao\x11ured\""));
    EXPECT_EQ(h.Ask("AT+CPBS=\"LD\""), Ok());
    EXPECT_EQ(h.Ask("AT+CPBS?"), Ok("+CPBS: \"LD\",1,10"));
}

TEST(PhoneExchanges, WritesWithEscapedNamesAndDeletesEntries) {
    Harness h;
    h.Quiet();
    h.Ask("AT+CPBS=\"ME\"");
    // a diaeresis, underscore and the euro sign as the program escapes them.
    EXPECT_EQ(h.Ask("AT+CPBW=7,\"+385981234567\",145,\"M\\7Bller\\11\\1B\\65\""), Ok());
    const auto& e = h.phone.State().phonebooks.at("ME").entries.at(7);
    EXPECT_EQ(GsmToUtf8(e.name), "Mäller_€");
    EXPECT_EQ(e.type, 145);
    EXPECT_EQ(h.Ask("AT+CPBR=7"), Ok("+CPBR: 7,\"+385981234567\",145,\"M\x7Bller\x11\x1B\x65\""));
    EXPECT_EQ(h.Ask("AT+CPBW=007"), Ok());
    EXPECT_EQ(h.Ask("AT+CPBR=7"), Ok());
    // Too long a name, a byte outside the alphabet, a bad number, a read-only list.
    EXPECT_EQ(h.Ask("AT+CPBW=8,\"1\",129,\"ABCDEFGHIJKLMNOPQRS\""), "\r\n+CME ERROR: 24\r\n");
    EXPECT_EQ(h.Ask("AT+CPBW=8,\"1\",129,\"M\xE4ller\""), "\r\n+CME ERROR: 25\r\n");
    EXPECT_EQ(h.Ask("AT+CPBW=8,\"12a\",129,\"X\""), "\r\n+CME ERROR: 27\r\n");
    h.Ask("AT+CPBS=\"RC\"");
    EXPECT_EQ(h.Ask("AT+CPBW=1,\"1\",129,\"X\""), "\r\n+CME ERROR: 3\r\n");
    EXPECT_EQ(h.phone.State().phonebooks.at("ME").entries.size(), 1u);
}

TEST(PhoneExchanges, StoresReadsAndDeletesMessages) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+CPMS=\"SM\",\"SM\",\"SM\""), Ok("+CPMS: 2,10,2,10,2,10"));
    SubmitMessage m;
    m.destination = "0911234567";
    m.text = "Vidimo se";
    m.validity = 0xA7;
    std::string pdu = BuildSubmitPdu(m);
    int tpdu = static_cast<int>(pdu.size() / 2 - 1);
    EXPECT_EQ(h.Ask("AT+CMGW=" + std::to_string(tpdu + 1)), "\r\n> ");
    EXPECT_EQ(h.Send(pdu + "\x1A"), "\r\n+CMS ERROR: 304\r\n");  // the length does not match
    EXPECT_EQ(h.Ask("AT+CMGW=" + std::to_string(tpdu)), "\r\n> ");
    EXPECT_EQ(h.Send(pdu + "\x1A"), Ok("+CMGW: 2"));
    EXPECT_EQ(h.Ask("AT+CMGR=2"), Ok("+CMGR: 2,," + std::to_string(tpdu) + "\r\n" + pdu));
    EXPECT_EQ(h.Ask("AT+CMSS=2"), Ok("+CMSS: 1"));
    EXPECT_EQ(h.phone.State().smsMemories["SM"].messages.at(2).status, 3);
    ASSERT_EQ(h.phone.State().sentPdus.size(), 1u);
    EXPECT_EQ(DecodePdu(h.phone.State().sentPdus[0])->text, "Vidimo se");
    EXPECT_EQ(h.Ask("AT+CMGD=2"), Ok());
    EXPECT_EQ(h.Ask("AT+CMGR=2"), Ok("+CMGR: 0,,0"));  // an empty position: header only
    EXPECT_EQ(h.Ask("AT+CMGR=11"), "\r\n+CMS ERROR: 321\r\n");
    EXPECT_EQ(h.Ask("AT+CMGF=1"), "\r\n+CMS ERROR: 303\r\n");  // PDU mode only
}

TEST(PhoneExchanges, ReadingAnUnreadMessageMarksItRead) {
    Harness h;
    h.Quiet();
    h.Ask("AT+CNMI=1,1,0,2");
    DeliverMessage m;
    m.sender = "+385911234567";
    m.text = "Bok";
    int index = h.phone.ReceiveSms(h.now, BuildDeliverPdu(m));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(h.Drain(h.now), "\r\n+CMTI: \"SM\",2\r\n");
    EXPECT_EQ(h.Ask("AT+CMGR=2").substr(0, 12), "\r\n+CMGR: 0,,");
    EXPECT_EQ(h.Ask("AT+CMGR=2").substr(0, 12), "\r\n+CMGR: 1,,");
}

TEST(PhoneExchanges, FullMemoryRefusesAStoreAndReportsOverflow) {
    PhoneState st = MakeDefaultState();
    st.smsMemories["SM"].capacity = 3;
    st.smsMemories["ME"].capacity = 0;
    Harness h(st);
    h.Quiet();
    h.Ask("AT^SMGO=1");
    h.phone.ReceiveSms(h.now, BuildDeliverPdu(DeliverMessage()));
    EXPECT_EQ(h.Drain(h.now), "\r\n^SMGO: 1,1\r\n");
    EXPECT_EQ(h.Ask("AT+CMGW=12"), "\r\n+CMS ERROR: 322\r\n");
    EXPECT_EQ(h.phone.ReceiveSms(h.now, BuildDeliverPdu(DeliverMessage())), -1);
    EXPECT_EQ(h.Drain(h.now), "\r\n^SMGO: 1,2\r\n");
    EXPECT_EQ(h.Ask("AT+CMGD=1"), "\r\nOK\r\n\r\n^SMGO: 1,0\r\n");
}

TEST(PhoneExchanges, UploadsAnObjectInPacketsAndReadsItBack) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT^SBNR=?"), Ok("^SBNR: (\"bmp\",(0-2)),(\"mid\",(0-2)),(\"vcs\",(0-49))"));
    std::string data(200, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i);
    std::string hex = ToHex(data);
    EXPECT_EQ(h.Ask("AT^SBNW=\"mid\",1,1,2"), "\r\n> ");
    EXPECT_EQ(h.Send(hex.substr(0, 352) + "\x1A"), Ok());
    EXPECT_EQ(h.Ask("AT^SBNW=\"mid\",1,1,2"), "\r\n> ");  // packet 1 again restarts the upload
    EXPECT_EQ(h.Send(hex.substr(0, 352) + "\x1A"), Ok());
    EXPECT_EQ(h.Ask("AT^SBNW=\"mid\",1,2,2"), "\r\n> ");
    EXPECT_EQ(h.Send(hex.substr(352) + "\x1A"), Ok());
    EXPECT_EQ(h.phone.State().objects["mid"].objects.at(1), data);
    EXPECT_EQ(h.Ask("AT^SBNR=\"mid\",1"), Ok("^SBNR: \"mid\",1,1,2\r\n" + hex.substr(0, 352) +
                                             "\r\n^SBNR: \"mid\",1,2,2\r\n" + hex.substr(352)));
    // Out of order, too big a packet, outside the range.
    EXPECT_EQ(h.Ask("AT^SBNW=\"mid\",2,2,2"), "\r\n+CME ERROR: 3\r\n");
    EXPECT_EQ(h.Ask("AT^SBNW=\"mid\",2,1,1"), "\r\n> ");
    EXPECT_EQ(h.Send(hex + "\x1A"), "\r\nERROR\r\n");
    EXPECT_EQ(h.Ask("AT^SBNR=\"mid\",3"), "\r\n+CME ERROR: 21\r\n");
    // Delete, and an empty slot reads as "OK" alone.
    EXPECT_EQ(h.Ask("AT^SBNW=\"mid\",1,0"), Ok());
    EXPECT_EQ(h.Ask("AT^SBNR=\"mid\",1"), Ok());
}

TEST(PhoneExchanges, SwitchingABarringOnSwitchesItsGroupOffForThatClass) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+CLCK=\"OI\",1,0000,3"), Ok());
    EXPECT_EQ(h.Ask("AT+CLCK=\"OI\",2"), Ok("+CLCK: 1,1\r\n+CLCK: 1,2\r\n+CLCK: 0,4"));
    EXPECT_EQ(h.Ask("AT+CLCK=\"AO\",1,0000,1"), Ok());
    EXPECT_EQ(h.Ask("AT+CLCK=\"OI\",2"), Ok("+CLCK: 0,1\r\n+CLCK: 1,2\r\n+CLCK: 0,4"));
    EXPECT_EQ(h.Ask("AT+CLCK=\"AO\",2"), Ok("+CLCK: 1,1\r\n+CLCK: 0,2\r\n+CLCK: 0,4"));
    // The incoming group is another group.
    EXPECT_EQ(h.Ask("AT+CLCK=\"AI\",1,0000,1"), Ok());
    EXPECT_EQ(h.Ask("AT+CLCK=\"AO\",2"), Ok("+CLCK: 1,1\r\n+CLCK: 0,2\r\n+CLCK: 0,4"));
    EXPECT_EQ(h.Ask("AT+CLCK=\"AI\",0,9999,1"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(h.Ask("AT+CLCK=\"AB\",0,0000"), Ok());
    EXPECT_EQ(h.phone.State().locks.at("AI") | h.phone.State().locks.at("AO") |
                  h.phone.State().locks.at("OI"),
              0);
}

TEST(PhoneExchanges, LocksAndSecurityCodes) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+CLCK=\"SC\",2"), Ok("+CLCK: 1"));
    EXPECT_EQ(h.Ask("AT+CLCK=\"SC\",0,1111"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(h.Ask("AT+CLCK=\"SC\",0,1234"), Ok());
    EXPECT_EQ(h.Ask("AT+CLCK=\"SC\",2"), Ok("+CLCK: 0"));
    EXPECT_EQ(h.Ask("AT+CLCK=\"CS\",1"), Ok());  // the keypad lock takes no code
    // A PIN that is not asked for cannot be changed.
    EXPECT_EQ(h.Ask("AT+CPWD=\"SC\",1234,4321"), "\r\n+CME ERROR: 3\r\n");
    EXPECT_EQ(h.Ask("AT+CLCK=\"SC\",1,1234"), Ok());
    EXPECT_EQ(h.Ask("AT+CPWD=\"SC\",1234,4321"), Ok());
    EXPECT_EQ(h.Ask("AT+CPWD=\"SC\",1234,5555"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(h.Ask("AT+CPWD=\"P2\",5678,12"), "\r\n+CME ERROR: 3\r\n");
    EXPECT_EQ(h.phone.State().passwords.at("SC"), "4321");
    EXPECT_EQ(h.Ask("AT+CPUC=\"EUR\",\"0.20\",\"5678\""), Ok());
    EXPECT_EQ(h.Ask("AT+CPUC?"), Ok("+CPUC: \"EUR\",\"0.20\""));
}

TEST(PhoneExchanges, WrongPinsBlockThePinUntilThePuk) {
    Harness h;
    h.Quiet();
    // Two wrong tries, then the right code gives all three back.
    EXPECT_EQ(h.Ask("AT+CLCK=\"SC\",0,9999"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(h.Ask("AT+CPWD=\"SC\",9999,4321"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(h.Ask("AT+CLCK=\"SC\",1,1234"), Ok());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(h.Ask("AT+CLCK=\"SC\",0,9999"), "\r\n+CME ERROR: 16\r\n") << i;
    EXPECT_EQ(h.Ask("AT+CLCK=\"SC\",0,1234"), "\r\n+CME ERROR: 12\r\n");
    EXPECT_EQ(h.Ask("AT+CPWD=\"SC\",1234,4321"), "\r\n+CME ERROR: 12\r\n");
    EXPECT_EQ(h.Ask("AT+CPIN?"), Ok("+CPIN: SIM PUK"));
    EXPECT_EQ(h.Ask("AT+CPIN=\"11111111\",\"4321\""), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(h.Ask("AT+CPIN=\"12345678\",\"4321\""), Ok());
    EXPECT_EQ(h.Ask("AT+CPIN?"), Ok("+CPIN: READY"));
    EXPECT_EQ(h.Ask("AT+CLCK=\"SC\",0,4321"), Ok());

    // The PIN2 of fixed dialling, its change and the price per unit.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(h.Ask("AT+CLCK=\"FD\",1,1111"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(h.Ask("AT+CLCK=\"FD\",1,5678"), "\r\n+CME ERROR: 18\r\n");
    EXPECT_EQ(h.Ask("AT+CPWD=\"P2\",5678,8765"), "\r\n+CME ERROR: 18\r\n");
    EXPECT_EQ(h.Ask("AT+CPUC=\"EUR\",\"0.20\",\"5678\""), "\r\n+CME ERROR: 18\r\n");
    EXPECT_EQ(h.phone.State().locks.at("FD"), 0);
}

TEST(PhoneExchanges, ABarringRefusedForWantOfNetworkStaysAsItWas) {
    PhoneState st = MakeDefaultState();
    st.regStatus = 0;
    Harness h(st);
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+CLCK=\"AO\",1,0000,1"), "\r\n+CME ERROR: 30\r\n");
    EXPECT_EQ(h.phone.State().locks.at("AO"), 0);
}

TEST(PhoneExchanges, DivertsAnswerOneLinePerClass) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+CCFC=2,3,\"+385981234567\",,1,,,25"), Ok());
    EXPECT_EQ(h.Ask("AT+CCFC=2,2"),
              Ok("+CCFC: 1,1,\"+385981234567\",145,,,25\r\n+CCFC: 0,2\r\n+CCFC: 0,4"));
    EXPECT_EQ(h.Ask("AT+CCFC=2,0,\"\",,1"), Ok());
    EXPECT_EQ(h.Ask("AT+CCFC=2,2"), Ok("+CCFC: 0,1\r\n+CCFC: 0,2\r\n+CCFC: 0,4"));
    EXPECT_EQ(h.Ask("AT+CCFC=2,1,\"\",,1"), Ok());  // the registered number is kept
    EXPECT_EQ(h.Ask("AT+CCFC=2,2,,,1"), Ok("+CCFC: 1,1,\"+385981234567\",145,,,25"));
    EXPECT_EQ(h.Ask("AT+CCFC=4,4"), Ok());
    EXPECT_EQ(h.Ask("AT+CCFC=2,2,,,1"), Ok("+CCFC: 0,1"));
}

TEST(PhoneExchanges, TheClockRunsWithTimeAndCanBeSet) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+CCLK?"), Ok("+CCLK: \"05/03/15,12:34:56\""));
    h.now = 65000;
    EXPECT_EQ(h.Ask("AT+CCLK?"), Ok("+CCLK: \"05/03/15,12:36:01\""));
    EXPECT_EQ(h.Ask("AT+CCLK=\"04/02/29,23:59:59\""), Ok());
    h.now = 66000;
    EXPECT_EQ(h.Ask("AT+CCLK?"), Ok("+CCLK: \"04/03/01,00:00:00\""));
    EXPECT_EQ(h.Ask("AT+CCLK=\"05/02/29,10:00:00\""), "\r\n+CME ERROR: 3\r\n");
}

TEST(PhoneExchanges, CallsDialAnswerAndHangUp) {
    Harness h;
    h.Quiet();
    h.Ask("AT+CLIP=1");
    EXPECT_EQ(h.Ask("ATD+385915550000;"), "\r\nBUSY\r\n");
    EXPECT_EQ(h.Ask("ATD*101#;"), Ok("VIPme saldo: 45,20 kn"));
    EXPECT_EQ(h.Ask("ATD0987654321;"), Ok());
    EXPECT_EQ(h.phone.Call(), CallState::Active);
    EXPECT_EQ(h.Ask("AT+CPAS"), Ok("+CPAS: 4"));
    EXPECT_EQ(h.Ask("AT+VTS=\"12#\""), Ok());
    const auto& ld = h.phone.State().phonebooks.at("LD").entries;
    EXPECT_EQ(ld.at(1).number, "0987654321");
    EXPECT_EQ(GsmToUtf8(ld.at(1).name), "Müller");
    EXPECT_EQ(ld.at(3).number, "+385911234567");  // the older entries moved down
    h.phone.RemoteHangup(h.now);
    EXPECT_EQ(h.Drain(h.now), "\r\nNO CARRIER\r\n");
    EXPECT_EQ(h.Ask("AT+VTS=1"), "\r\n+CME ERROR: 3\r\n");

    h.phone.IncomingCall(h.now, "+385911234567");
    EXPECT_EQ(h.Drain(h.now), "\r\nRING\r\n\r\n+CLIP: \"+385911234567\",145\r\n");
    EXPECT_EQ(h.Drain(h.now + 4999), "");
    EXPECT_EQ(h.Drain(h.now + 1), "\r\nRING\r\n\r\n+CLIP: \"+385911234567\",145\r\n");
    EXPECT_EQ(h.Ask("ATA"), Ok());
    EXPECT_EQ(h.Drain(h.now + 60000), "");  // no more rings once answered
    EXPECT_EQ(h.Ask("AT+CHUP"), Ok());
    EXPECT_EQ(h.Ask("ATA"), "\r\nNO CARRIER\r\n");

    // Unanswered: a missed call after the ring time-out.
    h.phone.IncomingCall(h.now, "0911111111", 129);
    h.Drain(h.now + 31000);
    EXPECT_EQ(h.phone.Call(), CallState::Idle);
    EXPECT_EQ(h.phone.State().phonebooks.at("MC").entries.at(1).number, "0911111111");
    EXPECT_EQ(h.Ask("AT^SDLD"), Ok());
    EXPECT_TRUE(h.phone.State().phonebooks.at("LD").entries.empty());
}

TEST(PhoneExchanges, SwitchedOffThePhoneHearsNothing) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT^SMSO"), Ok());
    EXPECT_FALSE(h.phone.PoweredOn());
    EXPECT_EQ(h.Send("ATE1\r"), "");
    h.phone.PowerOn();
    EXPECT_EQ(h.Send("AT\r"), "AT\r\r\nOK\r\n");  // the seeded settings again
}

TEST(PhoneExchanges, RegistrationNoticesFollowTheCregMode) {
    Harness h;
    h.Quiet();
    h.phone.SetRegistration(h.now, 1, "0DA3", "5C20");
    EXPECT_EQ(h.Drain(h.now), "");
    h.Ask("AT+CREG=2");
    h.phone.SetRegistration(h.now, 5, "0DA4", "5C21");
    EXPECT_EQ(h.Drain(h.now), "\r\n+CREG: 5,\"0DA4\",\"5C21\"\r\n");
    h.Ask("AT+CREG=1");
    h.phone.SetRegistration(h.now, 2, "", "");
    EXPECT_EQ(h.Drain(h.now), "\r\n+CREG: 2\r\n");
    EXPECT_EQ(h.Ask("AT+COPS?"), Ok("+COPS: 0"));
    EXPECT_EQ(h.Ask("ATD112;"), "\r\nNO CARRIER\r\n");
}

TEST(PhoneExchanges, UssdAnswersArriveLaterAsNotices) {
    PhoneOptions o;
    o.networkDelayMs = 2000;
    Harness h(MakeDefaultState(), o);
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+CUSD=1,\"*101#\",15"), Ok());
    EXPECT_EQ(h.Drain(h.now + 1999), "");
    EXPECT_EQ(h.Drain(h.now + 1), "\r\n+CUSD: 0,\"VIPme saldo: 45,20 kn\",15\r\n");
    EXPECT_EQ(h.Ask("AT+CUSD=1,\"*999#\",15"), Ok());
    EXPECT_EQ(h.Drain(h.now + 2000), "\r\n+CUSD: 4\r\n");
}

TEST(PhoneExchanges, ASentMessageThatAskedForAReportGetsOne) {
    PhoneOptions o;
    o.statusReportDelayMs = 4000;
    Harness h(MakeDefaultState(), o);
    h.Quiet();
    h.Ask("AT+CNMI=1,1,0,2");
    SubmitMessage m;
    m.destination = "+385911234567";
    m.text = "Stigao sam";
    m.statusReport = true;
    m.validity = 0xA7;
    std::string pdu = BuildSubmitPdu(m);
    EXPECT_EQ(h.Ask("AT+CMGS=" + std::to_string(pdu.size() / 2 - 1)), "\r\n> ");
    EXPECT_EQ(h.Send(pdu + "\x1A"), Ok("+CMGS: 1"));
    EXPECT_EQ(h.Drain(h.now + 3999), "");
    EXPECT_EQ(h.Drain(h.now + 1), "\r\n+CDSI: \"SM\",2\r\n");
    std::string report = h.Ask("AT+CMGR=2");
    // Header, then the report: centre, first octet 06, reference 01, the recipient.
    EXPECT_EQ(report.substr(0, 16), "\r\n+CMGR: 0,,25\r\n");
    EXPECT_NE(report.find("\r\n0691839501"
                          "04F1"
                          "0601"
                          "0C91"
                          "8395"),
              std::string::npos)
        << report;
    // Without a report request nothing follows.
    m.statusReport = false;
    pdu = BuildSubmitPdu(m);
    h.Ask("AT+CMGS=" + std::to_string(pdu.size() / 2 - 1));
    h.Send(pdu + "\x1A");
    EXPECT_EQ(h.Drain(h.now + 60000), "");
}

TEST(PhoneExchanges, CellBroadcastPagesFollowCnmi) {
    Harness h;
    h.Quiet();
    std::string page(176, '3');
    h.phone.CellBroadcast(h.now, page);
    EXPECT_EQ(h.Drain(h.now), "");
    h.Ask("AT+CNMI=1,1,2,2");
    h.Ask("AT+CSCB=1");
    h.phone.CellBroadcast(h.now, page);
    EXPECT_EQ(h.Drain(h.now), "\r\n+CBM: 88\r\n" + page + "\r\n");
}

TEST(PhoneExchanges, AnEntryWithoutNumberAndNameIsDeleted) {
    Harness h;
    h.Quiet();
    EXPECT_EQ(h.Ask("AT+CPBW=1,\"\",,\"\""), Ok());
    EXPECT_FALSE(h.phone.State().phonebooks.at("SM").entries.count(1));
    EXPECT_EQ(h.Ask("AT+CPBW=,\"0911\",,\"Novi\""), Ok());  // no index: the first free position
    EXPECT_EQ(GsmToUtf8(h.phone.State().phonebooks.at("SM").entries.at(1).name), "Novi");
    EXPECT_EQ(h.phone.State().phonebooks.at("SM").entries.at(1).type, 129);
}

}  // namespace
}  // namespace phonesim::test

#include "tests/support/engine_rig.h"
#include "engine/sms/sms_commands.h"
#include "engine/settings/settings_commands.h"
#include "engine/session/connect_commands.h"
#include "engine/services/service_commands.h"
#include "engine/phonebook/phonebook_commands.h"
#include "engine/objects/object_commands.h"
#include "engine/melodies/melody_commands.h"
#include "engine/general/general_commands.h"
#include "engine/conversation/command_send.h"
#include "engine/conversation/command_lines.h"
#include "engine/calls/call_commands.h"

#include <gtest/gtest.h>

#include <functional>

namespace parlenko {
namespace {

using testing::ScriptRig;

struct WriterCase {
    const char* name;
    std::function<void(EngineContext&)> send;
    std::string line;
};

// Every writer, byte for byte, as it reaches the port.
TEST(CommandWriters, EveryLineByteForByte) {
    const std::vector<WriterCase> cases = {
        {"Cgmi", SendAtCgmi, "AT+CGMI\r"},
        {"Cgmm", SendAtCgmm, "AT+CGMM\r"},
        {"Cgmr", SendAtCgmr, "AT+CGMR\r"},
        {"Cpas", SendAtCpas, "AT+CPAS\r"},
        {"Cgsn", SendAtCgsn, "AT+CGSN\r"},
        {"Cimi", SendAtCimi, "AT+CIMI\r"},
        {"Scid", SendAtScid, "AT^SCID\r"},
        {"CclkSet", [](auto& c) { SendAtCclk(c, 0, "\"05/03/15,12:34:56\""); },
         "AT+CCLK=\"05/03/15,12:34:56\"\r"},
        {"CclkQuery", [](auto& c) { SendAtCclk(c, 1, "ignored"); }, "AT+CCLK?\r"},
        {"Cbc", SendAtCbc, "AT+CBC\r"},
        {"CopsAuto", SendAtCopsAuto, "AT+COPS=0,0\r"},
        {"CopsQuery", SendAtCopsQuery, "AT+COPS?\r"},
        {"CregSet", [](auto& c) { SendAtCregSet(c, 2); }, "AT+CREG=2\r"},
        {"CregQuery", SendAtCregQuery, "AT+CREG?\r"},
        {"Csq", SendAtCsq, "AT+CSQ\r"},
        {"Smso", SendAtSmso, "AT^SMSO\r"},
        {"EchoOn", SendAtEchoOn, "ATE1\r"},
        {"Cmee", SendAtCmee, "AT+CMEE=1\r"},
        {"CscaSet", [](auto& c) { SendAtCsca(c, 0, "+385910401"); }, "AT+CSCA=\"+385910401\"\r"},
        {"CscaQuery", [](auto& c) { SendAtCsca(c, 1); }, "AT+CSCA?\r"},
        {"Csms", SendAtCsms, "AT+CSMS=1\r"},
        {"Cnmi0", [](auto& c) { SendAtCnmi(c, 0); }, "AT+CNMI=1,1,0,2\r"},
        {"Cnmi1", [](auto& c) { SendAtCnmi(c, 1); }, "AT+CNMI=1,1,2,2\r"},
        {"Smgo", SendAtSmgo, "AT^SMGO=1\r"},
        {"Clip", SendAtClip, "AT+CLIP=1\r"},
        {"Cmgf", SendAtCmgf, "AT+CMGF=0\r"},
        {"Cscb", SendAtCscb, "AT+CSCB=1\r"},
        {"Dial", [](auto& c) { SendAtDial(c, "#31#0911234567"); }, "ATD#31#0911234567;\r"},
        {"DialEmpty", [](auto& c) { SendAtDial(c, ""); }, "ATD;\r"},
        {"Chup", SendAtChup, "AT+CHUP\r"},
        {"Answer", SendAtAnswer, "ATA\r"},
        {"CcfcRegisterNoReply", [](auto& c) { SendAtCcfc(c, "2", "+38591", "1", "20", 3); },
         "AT+CCFC=2,3,\"+38591\",,1,,,20\r"},
        {"CcfcEnableBusy", [](auto& c) { SendAtCcfc(c, "1", "0911", "1", "20", 1); },
         "AT+CCFC=1,1,\"0911\",,1\r"},
        {"CcfcDisable", [](auto& c) { SendAtCcfc(c, "0", "", "1", "", 0); },
         "AT+CCFC=0,0,\"\",,1\r"},
        {"CcfcQuery", [](auto& c) { SendAtCcfc(c, "3", "x", "1", "5", 2); }, "AT+CCFC=3,2\r"},
        {"CcfcErase", [](auto& c) { SendAtCcfc(c, "0", "x", "1", "5", 4); }, "AT+CCFC=0,4\r"},
        {"CcfcOtherMode", [](auto& c) { SendAtCcfc(c, "0", "x", "1", "5", 9); }, "AT+CCFC=\r"},
        {"CpbsSM", [](auto& c) { SendAtCpbs(c, PhoneMemory::Sim); }, "AT+CPBS=\"SM\"\r"},
        {"CpbsME", [](auto& c) { SendAtCpbs(c, PhoneMemory::Phone); }, "AT+CPBS=\"ME\"\r"},
        {"CpbsON", [](auto& c) { SendAtCpbs(c, PhoneMemory::Own); }, "AT+CPBS=\"ON\"\r"},
        {"CpbsSD", [](auto& c) { SendAtCpbs(c, PhoneMemory::Service); }, "AT^SPBS=\"SD\"\r"},
        {"CpbsLD", [](auto& c) { SendAtCpbs(c, PhoneMemory::Dialled); }, "AT+CPBS=\"LD\"\r"},
        {"CpbsRC", [](auto& c) { SendAtCpbs(c, PhoneMemory::Received); }, "AT+CPBS=\"RC\"\r"},
        {"CpbsMC", [](auto& c) { SendAtCpbs(c, PhoneMemory::Missed); }, "AT+CPBS=\"MC\"\r"},
        {"CpbsQuery", [](auto& c) { SendAtCpbsQuery(c, PhoneMemory::Dialled); }, "AT+CPBS?\r"},
        {"SpbsQuery", [](auto& c) { SendAtCpbsQuery(c, PhoneMemory::Service); }, "AT^SPBS?\r"},
        {"Cpbr", [](auto& c) { SendAtCpbr(c, "1"); }, "AT+CPBR=1\r"},
        {"Cpbw", [](auto& c) { SendAtCpbw(c, "12"); }, "AT+CPBW=12\r"},
        {"Raw", [](auto& c) { SendAtRaw(c, "AT+CPBW=3,\"091\",129,\"Ana\"\r"); },
         "AT+CPBW=3,\"091\",129,\"Ana\"\r"},
        {"RawAddsNoCr", [](auto& c) { SendAtRaw(c, "AT"); }, "AT"},
        {"CpmsSM", [](auto& c) { SendAtCpms(c, PhoneMemory::Sim); },
         "AT+CPMS=\"SM\",\"SM\",\"SM\"\r"},
        {"CpmsME", [](auto& c) { SendAtCpms(c, PhoneMemory::Phone); },
         "AT+CPMS=\"ME\",\"ME\",\"ME\"\r"},
        {"CpmsOther", [](auto& c) { SendAtCpms(c, PhoneMemory::Own); }, ""},
        {"Cmgr", [](auto& c) { SendAtCmgr(c, "07"); }, "AT+CMGR=07\r"},
        {"Cmgw", [](auto& c) { SendAtCmgw(c, "23"); }, "AT+CMGW=23\r"},
        {"Cmgd", [](auto& c) { SendAtCmgd(c, "03"); }, "AT+CMGD=03\r"},
        {"Cmgs", [](auto& c) { SendAtCmgs(c, "23"); }, "AT+CMGS=23\r"},
        {"Cmss", [](auto& c) { SendAtCmss(c, "3,\"0911\""); }, "AT+CMSS=3,\"0911\"\r"},
        {"PduNoCr", [](auto& c) { SendAtPdu(c, "0011000B91"); }, std::string("0011000B91\x1a")},
        {"Sdld", SendAtSdld, "AT^SDLD\r"},
        {"SbnrTest", SendAtSbnrTest, "AT^SBNR=?\r"},
        {"SbnrVcs", [](auto& c) { SendAtSbnr(c, 1, 5); }, "AT^SBNR=\"vcs\",5\r"},
        {"SbnrMid", [](auto& c) { SendAtSbnr(c, 2, 0); }, "AT^SBNR=\"mid\",0\r"},
        {"SbnrBmp", [](auto& c) { SendAtSbnr(c, 3, 1); }, "AT^SBNR=\"bmp\",1\r"},
        {"Sbnw", [](auto& c) { SendAtSbnw(c, 1, 4, 2, 3); }, "AT^SBNW=\"vcs\",4,2,3\r"},
        {"SbnwDeleteVcs", [](auto& c) { SendAtSbnwDelete(c, 1, "7"); }, "AT^SBNW=\"vcs\",7,0\r"},
        {"SbnwDeleteBmp", [](auto& c) { SendAtSbnwDelete(c, 3, "0"); }, "AT^SBNW=\"bmp\",0,0\r"},
        {"EscapeNoCr", SendAtEscape, "\x1b"},
        {"ClckQueryBarring", [](auto& c) { SendAtClck(c, 5, 2, 7, "1234"); }, "AT+CLCK=\"AO\",2\r"},
        {"ClckKeypadLock", [](auto& c) { SendAtClck(c, 1, 1, 7, "1234"); }, "AT+CLCK=\"CS\",1\r"},
        {"ClckSimPin", [](auto& c) { SendAtClck(c, 3, 0, 7, "1234"); }, "AT+CLCK=\"SC\",0,1234\r"},
        {"ClckBarring", [](auto& c) { SendAtClck(c, 9, 1, 1, "0000"); },
         "AT+CLCK=\"IR\",1,0000,1\r"},
        {"Cpwd", [](auto& c) { SendAtCpwd(c, 2, "1111", "2222"); }, "AT+CPWD=\"P2\",1111,2222\r"},
        {"SrtcList", [](auto& c) { SendAtSrtc(c, 0); }, "AT^SRTC=?\r"},
        {"SrtcQuery", [](auto& c) { SendAtSrtc(c, 1); }, "AT^SRTC?\r"},
        {"SrtcSet", [](auto& c) { SendAtSrtc(c, 2, 3, 4); }, "AT^SRTC=3,4\r"},
        {"SrtcOther", [](auto& c) { SendAtSrtc(c, 7); }, "AT^SRTC\r"},
        {"VtsTone", [](auto& c) { SendAtVtsTone(c, "5", 3); }, "AT+VTS=5,3\r"},
        {"VtsString", [](auto& c) { SendAtVtsString(c, "12*#"); }, "AT+VTS=\"12*#\"\r"},
        {"CalmSet", [](auto& c) { SendAtCalm(c, 0, 2); }, "AT+CALM=2\r"},
        {"CalmQuery", [](auto& c) { SendAtCalm(c, 1); }, "AT+CALM?\r"},
        {"CrslSet", [](auto& c) { SendAtCrsl(c, 0, 4); }, "AT+CRSL=4\r"},
        {"CrslQuery", [](auto& c) { SendAtCrsl(c, 1); }, "AT+CRSL?\r"},
        {"CvibSet", [](auto& c) { SendAtCvib(c, 0, 1); }, "AT+CVIB=1\r"},
        {"CvibQuery", [](auto& c) { SendAtCvib(c, 1); }, "AT+CVIB?\r"},
        {"CpucSet", [](auto& c) { SendAtCpuc(c, 0, "HRK", "1.50", "1234"); },
         "AT+CPUC=\"HRK\",\"1.50\",\"1234\"\r"},
        {"CpucQuery", [](auto& c) { SendAtCpuc(c, 1); }, "AT+CPUC?\r"},
    };
    for (const auto& c : cases) {
        ScriptRig h;
        c.send(h.ctx());
        EXPECT_EQ(h.Sent(), c.line) << c.name;
        EXPECT_TRUE(h.host.dialogs.empty()) << c.name;
    }
}

// Every facility of both tables, and what each kind of facility carries.
TEST(CommandWriters, LockAndPasswordFacilityTables) {
    const std::vector<std::string> lockLines = {
        "AT+CLCK=\"CS\",1\r",        "AT+CLCK=\"PS\",1,9876\r",   "AT+CLCK=\"SC\",1,9876\r",
        "AT+CLCK=\"FD\",1,9876\r",   "AT+CLCK=\"AO\",1,9876,7\r", "AT+CLCK=\"OI\",1,9876,7\r",
        "AT+CLCK=\"OX\",1,9876,7\r", "AT+CLCK=\"AI\",1,9876,7\r", "AT+CLCK=\"IR\",1,9876,7\r"};
    for (int i = 1; i <= 9; ++i) {
        ScriptRig h;
        SendAtClck(h.ctx(), i, 1, 7, "9876");
        EXPECT_EQ(h.Sent(), lockLines[static_cast<std::size_t>(i - 1)]) << i;
    }
    // Unlocking carries the same fields; a query carries none for any facility.
    EXPECT_EQ(at::Clck(4, 0, 1, "1234"), "AT+CLCK=\"FD\",0,1234\r");
    EXPECT_EQ(at::Clck(8, 0, 1, "1234"), "AT+CLCK=\"AI\",0,1234,1\r");
    EXPECT_EQ(at::Clck(3, 2, 1, "1234"), "AT+CLCK=\"SC\",2\r");
    EXPECT_EQ(at::Clck(1, 2, 1, "1234"), "AT+CLCK=\"CS\",2\r");

    const std::vector<std::string> pwdFacilities = {"SC", "P2", "PS", "AO", "OI", "OX", "AI", "IR"};
    for (int k = 1; k <= 8; ++k) {
        ScriptRig h;
        SendAtCpwd(h.ctx(), k, "0000", "1234");
        EXPECT_EQ(h.Sent(),
                  "AT+CPWD=\"" + pwdFacilities[static_cast<std::size_t>(k - 1)] + "\",0000,1234\r")
            << k;
    }
}

// The no-reply time follows the class for reason "2" whatever the mode that
// carries a number; queries and erasures never carry it.
TEST(CommandWriters, DivertNoReplyTimeFollowsEveryNumberMode) {
    EXPECT_EQ(at::Ccfc("2", "0911", "1", "30", 0), "AT+CCFC=2,0,\"0911\",,1,,,30\r");
    EXPECT_EQ(at::Ccfc("2", "0911", "1", "30", 1), "AT+CCFC=2,1,\"0911\",,1,,,30\r");
    EXPECT_EQ(at::Ccfc("3", "0911", "1", "30", 3), "AT+CCFC=3,3,\"0911\",,1\r");
    EXPECT_EQ(at::Ccfc("2", "0911", "1", "30", 2), "AT+CCFC=2,2\r");
    EXPECT_EQ(at::Ccfc("2", "0911", "1", "30", 4), "AT+CCFC=2,4\r");
}

TEST(CommandWriters, CregFlagFollowsTheLastRegistrationCommand) {
    ScriptRig h;
    EXPECT_FALSE(h.state().Chain.CregSetSent);
    SendAtCregSet(h.ctx(), 1);
    EXPECT_TRUE(h.state().Chain.CregSetSent);
    SendAtCregQuery(h.ctx());
    EXPECT_FALSE(h.state().Chain.CregSetSent);
}

TEST(CommandWriters, MelodyDeleteNeedsAUserMelodySelected) {
    ScriptRig h;
    auto& m = h.state().Melodies;
    m.MelodijeCB = {"Standard 1", "Standard 2", "Individual 1", "Individual 2"};
    m.MelodijeIndex = 2;
    SendAtSbnwDelete(h.ctx(), 2, "1");
    EXPECT_EQ(h.Sent(), "AT^SBNW=\"mid\",1,0\r");

    m.MelodijeIndex = 0;  // not an individual melody: nothing at all
    SendAtSbnwDelete(h.ctx(), 2, "0");
    m.MelodijeIndex = -1;  // nothing selected
    SendAtSbnwDelete(h.ctx(), 2, "0");
    EXPECT_EQ(h.Sent(), "");
    EXPECT_TRUE(h.host.dialogs.empty());
}

TEST(CommandWriters, SelectorsOutsideTheirTablesSendNothing) {
    EXPECT_EQ(at::Clck(0, 1, 1, "x"), "");
    EXPECT_EQ(at::Clck(10, 1, 1, "x"), "");
    EXPECT_EQ(at::Cpwd(9, "1", "2"), "");
    EXPECT_EQ(at::Cpms(PhoneMemory::Dialled), "");
    EXPECT_EQ(at::Cnmi(2), "");
    EXPECT_EQ(at::Sbnr(4, 1), "");
    EXPECT_EQ(at::Calm(2, 1), "");
}

// Data that would end its field or start a second command builds no line
// at all, in every builder that carries data; and the entry write escapes
// what its name holds.
TEST(CommandWriters, DataThatWouldBreakItsLineBuildsNothing) {
    const std::string forged = "1\",,\"X\"\r\nAT+CPBW=5";
    const std::vector<std::pair<const char*, std::string>> lines = {
        {"Dial", at::Dial(forged)},
        {"Csca", at::Csca(0, forged)},
        {"Ccfc", at::Ccfc("1", forged, "1", "", 3)},
        {"CpbwEntry", at::CpbwEntry("3", forged, "Ana")},
        {"CpbwEntryPosition", at::CpbwEntry(forged, "091", "Ana")},
        {"Cpbw", at::Cpbw(forged)},
        {"Cpbr", at::Cpbr(forged)},
        {"Raw", at::Raw("AT+CPBW=3,\"1\",,\"A\"\rAT+CPBW=5\r")},
        {"Cmgd", at::Cmgd(forged)},
        {"Cmss", at::Cmss("3," + forged)},
        {"Pdu", at::Pdu("0011\x1a"
                        "00")},
        {"Clck", at::Clck(3, 1, 1, forged)},
        {"Cpwd", at::Cpwd(1, "1234", forged)},
        {"VtsString", at::VtsString(forged)},
        {"Cpuc", at::Cpuc(0, "HRK\"", "1.50", "1234")},
        {"Cclk", at::Cclk(0, "\"05/03/15,12:34:56\"\rATD112;")},
    };
    for (const auto& [name, line] : lines) EXPECT_EQ(line, "") << name;
    EXPECT_EQ(at::CpbwEntry("3", "091", "A\"\r\n"), "AT+CPBW=3,\"091\",,\"A\\22\\0D\\0A\"\r");
    EXPECT_EQ(at::CpbwEntry("3", "091", "Khardi\x9A"), "");  // no letter of the phone's
}

TEST(CommandWriters, FailedWriteIsReportedAndTheCommandDropped) {
    ScriptRig h;
    h.device.SetWriteFails(true);
    SendAtCgmi(h.ctx());
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Communication error!");
    EXPECT_EQ(h.host.dialogs[0].kind, DialogKind::Error);
}

TEST(CommandWriters, ClosedPortIsAFailedWrite) {
    ScriptRig h({.openPort = false});
    SendAtCsq(h.ctx());
    EXPECT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.Sent(), "");
}

}  // namespace
}  // namespace parlenko

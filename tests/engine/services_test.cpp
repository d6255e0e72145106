// Diverts, locks, barrings, security codes and the ringer melody: the checks
// and changes the pages start, against the simulated phone, and the answers
// a real phone gives that the simulated one does not, scripted.

#include "engine/melodies/ringer_answers.h"
#include "engine/services/service_answers.h"
#include "tests/support/engine_rig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace parlenko::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A connected simulated phone whose connect chain has finished.
struct Sim {
    explicit Sim(phonesim::PhoneState seeded = phonesim::MakeDefaultState()) : s(seeded) {
        s.state().Options.GeneralPageShown = false;
        s.Connect();
        from = s.CommandCount();
        s.host.statusMessages.clear();
        s.host.dialogs.clear();
    }
    std::vector<std::string> Commands() { return s.Commands(from); }
    void Run(int ms = 5000) { s.clock.RunFor(ms); }
    SimPhoneRig s;
    std::size_t from = 0;
};

// What the page's button shows after the changes the host recorded: the
// last "<button>=<0|1>" of them; "" before any.
std::string ButtonShown(const RecordingHost& host, const std::string& button) {
    for (auto c = host.serviceChanges.rbegin(); c != host.serviceChanges.rend(); ++c)
        if (c->starts_with(button + "=")) return *c;
    return "";
}

std::vector<int> Percents(const std::vector<ProgressWindowView>& views) {
    std::vector<int> out;
    for (const auto& v : views) out.push_back(v.ProgressBar1);
    return out;
}

TEST(Diverts, CheckAsksTheFourReasonsAndShowsWhatIsDiverted) {
    auto seeded = phonesim::MakeDefaultState();
    seeded.diverts[{0, 1}] = {.active = true, .number = "+385911111111"};
    seeded.diverts[{2, 2}] = {.active = true, .number = "+385912222222", .time = 5};
    seeded.diverts[{2, 4}] = {.active = true, .number = "0123", .type = 129, .time = 20};
    Sim t(seeded);
    t.s.engine.CheckDiverts();
    EXPECT_TRUE(t.s.host.progressVisible);
    EXPECT_EQ(ButtonShown(t.s.host, "DivertBtn"), "DivertBtn=0");
    t.Run();

    EXPECT_THAT(t.Commands(),
                ElementsAre("AT+CCFC=0,2", "AT+CCFC=1,2", "AT+CCFC=2,2", "AT+CCFC=3,2"));
    const auto& views = t.s.host.progressViews;
    ASSERT_EQ(views.size(), 4u);
    EXPECT_EQ(views[0].Caption, "Checking call diverts . . .");
    EXPECT_EQ(views[0].PozicijaLab, "Divert type:  Always . . .");
    EXPECT_EQ(views[1].PozicijaLab, "Divert type:  If busy . . .");
    EXPECT_EQ(views[2].PozicijaLab, "Divert type:  If no reply . . .");
    EXPECT_EQ(views[3].PozicijaLab, "Divert type:  If not reachable . . .");
    EXPECT_THAT(Percents(views), ElementsAre(0, 25, 50, 75));
    EXPECT_EQ(views[3].ProgresLab, "75%");
    EXPECT_FALSE(t.s.host.progressVisible);
    EXPECT_EQ(t.s.host.progressCloses, 1);
    EXPECT_TRUE(t.s.host.mainWindowTakesInput);

    const ServicesView& v = t.s.engine.Services();
    EXPECT_EQ(v.DivertPB, (std::array<int, 12>{1, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0}));
    EXPECT_EQ(v.DivertLab[0], "+385911111111");
    EXPECT_EQ(v.DivertLab[7], "+385912222222");
    EXPECT_EQ(v.DivertLab[8], "0123");
    EXPECT_EQ(v.DivertSekLab, (std::array<std::string, 3>{"", "5", "20"}));
    EXPECT_EQ(ButtonShown(t.s.host, "DivertBtn"), "DivertBtn=1");
    EXPECT_THAT(t.s.host.statusMessages, IsEmpty());
    EXPECT_THAT(t.s.host.dialogs, IsEmpty());
}

TEST(Diverts, ASwitchIsQueriedAgainAndItsAnswerReportsSuccess) {
    Sim t;
    ASSERT_TRUE(t.s.engine.SetDivert(1, "+38591222", 1, "20", true));
    t.Run();
    EXPECT_THAT(t.Commands(), ElementsAre("AT+CCFC=1,3,\"+38591222\",,1", "AT+CCFC=1,2"));
    EXPECT_THAT(t.s.host.statusMessages, ElementsAre("Divert succesfully activated!"));
    EXPECT_EQ(t.s.engine.Services().DivertPB[3], 1);
    EXPECT_EQ(t.s.engine.Services().DivertLab[3], "+38591222");

    ASSERT_TRUE(t.s.engine.SetDivert(2, "+38591333", 4, "15", true));
    t.Run();
    EXPECT_EQ((t.s.phone().State().diverts[{2, 4}].time), 15);
    EXPECT_EQ(t.s.engine.Services().DivertSekLab[2], "15");

    t.s.host.statusMessages.clear();
    ASSERT_TRUE(t.s.engine.SetDivert(1, "+38591222", 1, "", false));
    t.Run();
    EXPECT_THAT(t.s.host.statusMessages, ElementsAre("Divert succesfully deactivated!"));
    EXPECT_EQ(t.s.engine.Services().DivertPB[3], 0);
    EXPECT_TRUE(t.s.host.mainWindowTakesInput);
}

// What a real phone answers: one line for all classes when nothing is
// diverted, lines of classes the pages have no column for, and a query
// answered with no line at all. Each ends its query and the check goes on.
TEST(Diverts, EveryFormOfAnswerEndsItsQueryAndOnlyClassesOneTwoFourLight) {
    ScriptRig h;
    h.engine.CheckDiverts();
    EXPECT_EQ(h.Sent(), "AT+CCFC=0,2\r");
    h.Receive("AT+CCFC=0,2\r\r\n+CCFC: 0,7\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CCFC=1,2\r");
    h.Receive(
        "AT+CCFC=1,2\r\r\n+CCFC: 1,16,\"+3851\",145\r\n+CCFC: 1,1,\"+3852\",145\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CCFC=2,2\r");
    h.Receive(
        "AT+CCFC=2,2\r\r\n+CCFC: 1,32,\"+3853\",145,,,10\r\n+CCFC: 1,4,\"+3854\",145,,,5\r\n"
        "\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CCFC=3,2\r");
    h.Receive("AT+CCFC=3,2\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "");
    EXPECT_EQ(h.state().Services.DivertStep, 4);
    EXPECT_EQ(h.host.progressCloses, 1);

    const ServicesView& v = h.engine.Services();
    EXPECT_EQ(v.DivertPB, (std::array<int, 12>{0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(v.DivertLab[3], "+3852");
    EXPECT_EQ(v.DivertSekLab, (std::array<std::string, 3>{"", "", "5"}));
    EXPECT_EQ(ButtonShown(h.host, "DivertBtn"), "DivertBtn=1");
    // The received lines are blank again: nothing is taken twice.
    for (int k = 0; k < h.lines().Size(); ++k) EXPECT_EQ(h.lines().At(k), "") << k;

    // A change says nothing until its re-query is answered.
    ASSERT_TRUE(h.engine.SetDivert(3, "+3855", 2, "", true));
    EXPECT_EQ(h.Sent(), "AT+CCFC=3,3,\"+3855\",,2\r");
    h.Receive("AT+CCFC=3,3,\"+3855\",,2\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CCFC=3,2\r");
    EXPECT_THAT(h.host.statusMessages, IsEmpty());
    h.Receive("AT+CCFC=3,2\r\r\n+CCFC: 1,2,\"+3855\",145\r\n\r\nOK\r\n");
    EXPECT_THAT(h.host.statusMessages, ElementsAre("Divert succesfully activated!"));
    EXPECT_EQ(h.engine.Services().DivertPB[10], 1);
}

TEST(Locks, CheckReadsTheFourLocksAndAChangeReportsItsResult) {
    auto seeded = phonesim::MakeDefaultState();
    seeded.locks["FD"] = 1;
    Sim t(seeded);
    t.s.engine.CheckLocks();
    t.Run();
    EXPECT_THAT(t.Commands(), ElementsAre("AT+CLCK=\"CS\",2", "AT+CLCK=\"PS\",2",
                                          "AT+CLCK=\"SC\",2", "AT+CLCK=\"FD\",2"));
    EXPECT_EQ(t.s.engine.Services().LockPB, (std::array<int, 4>{0, 0, 1, 1}));
    EXPECT_EQ(t.s.host.progressShows, 0);
    EXPECT_THAT(t.s.host.statusMessages, IsEmpty());

    ASSERT_TRUE(t.s.engine.SetLock(3, false, "1234"));
    t.Run();
    EXPECT_THAT(t.s.host.statusMessages, ElementsAre("Lock succesfully deactivated!"));
    EXPECT_EQ(t.s.engine.Services().LockPB[2], 0);
    EXPECT_EQ(t.s.phone().State().locks["SC"], 0);

    t.s.host.statusMessages.clear();
    ASSERT_TRUE(t.s.engine.SetLock(1, true, "ignored"));
    t.Run();
    EXPECT_EQ(t.Commands().back(), "AT+CLCK=\"CS\",2");
    EXPECT_THAT(t.s.host.statusMessages, ElementsAre("Lock succesfully activated!"));
    EXPECT_EQ(t.s.engine.Services().LockPB[0], 1);

    t.s.host.statusMessages.clear();
    // The PIN is no longer asked for, so its code is the PIN 2's to change.
    ASSERT_TRUE(t.s.engine.ChangeSecurityCode(2, "5678", "8765"));
    t.Run();
    EXPECT_THAT(t.s.host.statusMessages, ElementsAre("Security code succesfully changed!"));
    EXPECT_EQ(t.s.phone().State().passwords["P2"], "8765");
}

TEST(Barrings, CheckStepsThroughTheFiveAndASwitchOnClearsItsGroup) {
    auto seeded = phonesim::MakeDefaultState();
    seeded.locks["AO"] = 1;  // voice
    seeded.locks["IR"] = 6;  // data and fax
    Sim t(seeded);
    t.s.engine.CheckBarrings();
    t.Run();
    EXPECT_THAT(t.Commands(),
                ElementsAre("AT+CLCK=\"AO\",2", "AT+CLCK=\"OI\",2", "AT+CLCK=\"OX\",2",
                            "AT+CLCK=\"AI\",2", "AT+CLCK=\"IR\",2"));
    EXPECT_THAT(Percents(t.s.host.progressViews), ElementsAre(0, 20, 40, 60, 80));
    EXPECT_EQ(t.s.host.progressViews[0].Caption, "Checking call barrings . . .");
    EXPECT_EQ(t.s.host.progressCloses, 1);
    EXPECT_EQ(t.s.engine.Mode(), ActivityMode::Barrings);
    const ServicesView& v = t.s.engine.Services();
    //                                       AO OI OX AI IR (voice, data, fax)
    EXPECT_EQ(v.BarPB, (std::array<int, 15>{1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(ButtonShown(t.s.host, "BarringBtn"), "BarringBtn=1");

    t.s.host.serviceChanges.clear();
    ASSERT_TRUE(t.s.engine.SetBarring(6, true, 1, "0000"));
    t.Run();
    EXPECT_EQ(t.Commands().end()[-2], "AT+CLCK=\"OI\",1,0000,1");
    // The outgoing barrings of the voice column go off first; the re-query
    // then shows "OI" on for voice and off for data and fax.
    EXPECT_THAT(t.s.host.serviceChanges,
                ElementsAre("Bar1=0", "Bar2=0", "Bar3=0", "Bar2=1", "Bar7=0", "Bar12=0"));
    EXPECT_THAT(t.s.host.statusMessages, ElementsAre("Barring succesfully activated!"));
}

TEST(Barrings, AOneLineAnswerEndsItsQueryAndTheCheckGoesOn) {
    ScriptRig h;
    h.engine.CheckBarrings();
    EXPECT_EQ(h.Sent(), "AT+CLCK=\"AO\",2\r");
    h.Receive("AT+CLCK=\"AO\",2\r\r\n+CLCK: 0,7\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CLCK=\"OI\",2\r");
    h.Receive("AT+CLCK=\"OI\",2\r\r\n+CLCK: 1,16\r\n+CLCK: 1,2\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CLCK=\"OX\",2\r");
    EXPECT_EQ(h.engine.Services().BarPB, (std::array<int, 15>{0, 0, 0, 0, 0, 0, 1}));
    // A single barring change answered the same way names the barring, and
    // only once its re-query is answered.
    h.Receive("AT+CLCK=\"OX\",2\r\r\nOK\r\n");
    h.Sent();
    ASSERT_TRUE(h.engine.SetBarring(8, false, 4, "0000"));
    EXPECT_EQ(h.Sent(), "AT+CLCK=\"AI\",0,0000,4\r");
    h.Receive("AT+CLCK=\"AI\",0,0000,4\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CLCK=\"AI\",2\r");
    EXPECT_THAT(h.host.statusMessages, IsEmpty());
    h.Receive("AT+CLCK=\"AI\",2\r\r\n+CLCK: 0,7\r\n\r\nOK\r\n");
    EXPECT_THAT(h.host.statusMessages, ElementsAre("Barring succesfully deactivated!"));
}

TEST(Services, ChangesRefuseWhatCannotMakeAValidLine) {
    ScriptRig h;
    EXPECT_FALSE(h.engine.SetDivert(4, "+3851", 1, "", true));
    EXPECT_FALSE(h.engine.SetDivert(0, "+385\"1", 1, "", true));
    EXPECT_FALSE(h.engine.SetDivert(0, "", 1, "", false));
    EXPECT_FALSE(h.engine.SetDivert(0, "+3851", 3, "", true));
    EXPECT_FALSE(h.engine.SetDivert(2, "+3851", 1, "2\r0", true));
    EXPECT_FALSE(h.engine.SetBarring(4, true, 1, "0000"));
    EXPECT_FALSE(h.engine.SetBarring(5, true, 1, "00,1"));
    EXPECT_FALSE(h.engine.SetLock(2, true, ""));
    EXPECT_FALSE(h.engine.ChangeSecurityCode(9, "1234", "4321"));
    EXPECT_FALSE(h.engine.ChangeSecurityCode(1, "1234", "43a1"));
    // The codes go unquoted into the line: digits only, of the lengths a SIM
    // or the network takes.
    EXPECT_FALSE(h.engine.SetBarring(5, true, 1, "000"));
    EXPECT_FALSE(h.engine.SetLock(3, false, "12;4"));
    EXPECT_FALSE(h.engine.SetLock(3, false, "123"));
    EXPECT_FALSE(h.engine.ChangeSecurityCode(1, "123", "4321"));
    EXPECT_FALSE(h.engine.ChangeSecurityCode(4, "0000", "12345"));
    EXPECT_FALSE(h.engine.PlayMelody(0, 0));  // no melody list yet
    EXPECT_EQ(h.Sent(), "");
}

// Every refusal shows its text (a query the check's, a change the
// setting's); the echo is taken so nothing else acts on it.
TEST(Services, EveryErrorShowsItsText) {
    const std::pair<const char*, const char*> cases[] = {
        {"AT+CCFC=0,2", "Error occured while trying to check divert!"},
        {"AT+CCFC=1,3,\"+3851\",,1", "Error occured while trying to set divert!"},
        {"AT+CLCK=\"SC\",0,1234", "Error occured while trying to set barring or lock!"},
        {"AT+CLCK=\"AO\",2,,1", "Error occured while trying to check barring or lock!"},
        {"AT+CPWD=\"SC\",1234,4321", "Error occured while trying to change security code!"},
        {"AT^SRTC=?", "Error occured while trying to read\rmelodies from mobile!"},
        {"AT^SRTC?", "Error occured while trying to read\rmelodies from mobile!"},
        {"AT^SRTC", "Error occured while trying to\rplay melody from mobile!"},
        {"AT^SRTC=3,2", "Error occured while trying to\rset melody in mobile!"},
    };
    for (const auto& [echo, text] : cases) {
        ScriptRig h;
        h.Receive(std::string(echo) + "\r\r\nERROR\r\n");
        ASSERT_EQ(h.host.dialogs.size(), 1u) << echo;
        EXPECT_EQ(h.host.dialogs[0].caption, "Error");
        EXPECT_EQ(h.host.dialogs[0].text, text);
        EXPECT_EQ(h.host.dialogs[0].kind, DialogKind::Error);
        EXPECT_EQ(h.Sent(), "") << echo;
        for (int k = 0; k < h.lines().Size(); ++k) EXPECT_EQ(h.lines().At(k), "") << echo;
    }
}

TEST(Ringer, AModelWithoutATableGetsNumberedMelodies) {
    auto seeded = phonesim::MakeDefaultState();
    seeded.melodyHighest = 11;
    seeded.volumeHighest = 5;
    Sim t(seeded);
    t.s.state().Chain.PhoneModel = "X99";
    t.s.engine.ReadMelodies();
    t.Run();
    EXPECT_THAT(t.Commands(), ElementsAre("AT^SRTC=?", "AT^SRTC?"));
    const MelodyListView& m = t.s.engine.Melodies();
    ASSERT_EQ(m.MelodijeCB.size(), 12u);
    EXPECT_EQ(m.MelodijeCB[0], "01 - Melody no. 1");
    EXPECT_EQ(m.MelodijeCB[8], "09 - Melody no. 9");
    EXPECT_EQ(m.MelodijeCB[9], "10 - Melody no. 10");
    EXPECT_THAT(m.SaveMelMemCB, ElementsAre("12 - Melody no. 12"));
    EXPECT_EQ(m.SaveMelMemIndex, 0);
    EXPECT_EQ(m.VolumeMax, 5);
    EXPECT_EQ(t.s.host.melodyListChanges, 1);
    // The state: melody 1 at volume 3, idle, kept.
    EXPECT_EQ(m.MelodijeIndex, 1);
    EXPECT_EQ(m.VolumeTB, 3);
    EXPECT_TRUE(m.PlayMelBtnEnabled && m.MelodijeCBEnabled && !m.StopMelBtnEnabled);
    EXPECT_EQ(t.s.state().Services.KeptMelody, 1);
    EXPECT_EQ(t.s.state().Services.KeptVolume, 3);
    EXPECT_EQ(t.s.host.ringerStates.size(), 1u);
}

TEST(Ringer, APlayedMelodyIsStoppedAndTheKeptOneRestored) {
    Sim t;
    t.s.state().Chain.PhoneModel = "S45";
    t.s.engine.ReadMelodies();
    t.Run();
    const MelodyListView& m = t.s.engine.Melodies();
    EXPECT_FALSE(m.SaveMelMemCB.empty());
    for (const auto& item : m.SaveMelMemCB) EXPECT_NE(item.find("Individual"), std::string::npos);

    t.from = t.s.CommandCount();
    ASSERT_TRUE(t.s.engine.PlayMelody(5, 2));
    EXPECT_FALSE(m.MelodijeCBEnabled);
    t.Run(1000);
    EXPECT_THAT(t.Commands(), ElementsAre("AT^SRTC=5,2", "AT^SRTC", "AT^SRTC?"));
    EXPECT_TRUE(m.Playing);
    EXPECT_TRUE(m.StopMelBtnEnabled && !m.PlayMelBtnEnabled && !m.SaveToMidiBtnEnabled);

    t.from = t.s.CommandCount();
    t.s.engine.StopMelody();
    t.Run(1000);
    EXPECT_THAT(t.Commands(), ElementsAre("AT^SRTC", "AT^SRTC?", "AT^SRTC=1,3"));
    EXPECT_FALSE(m.Playing);
    EXPECT_EQ(t.s.phone().State().ringerMelody, 1);
    EXPECT_EQ(t.s.phone().State().ringerVolume, 3);
    EXPECT_THAT(t.s.host.statusMessages, IsEmpty());

    // Setting keeps the new melody: a later idle answer restores nothing.
    ASSERT_TRUE(t.s.engine.SetMelody(7, 4));
    t.Run(1000);
    EXPECT_THAT(t.s.host.statusMessages, ElementsAre("Melody and volume succesfully set!"));
    EXPECT_EQ(t.s.state().Services.KeptMelody, 7);
    t.from = t.s.CommandCount();
    t.s.engine.ReadMelodies();
    t.Run(1000);
    EXPECT_THAT(t.Commands(), ElementsAre("AT^SRTC=?", "AT^SRTC?"));
}

TEST(Ringer, ARefusedPlayLeavesTheChoiceUsableAndPlaysNothingLater) {
    Sim t;
    t.s.state().Chain.PhoneModel = "S45";
    t.s.engine.ReadMelodies();
    t.Run();
    t.s.phone().AddFault({.command = "AT^SRTC=", .result = "ERROR"});
    t.from = t.s.CommandCount();
    ASSERT_TRUE(t.s.engine.PlayMelody(5, 2));
    t.Run(1000);
    EXPECT_THAT(t.Commands(), ElementsAre("AT^SRTC=5,2"));
    ASSERT_EQ(t.s.host.dialogs.size(), 1u);
    EXPECT_EQ(t.s.host.dialogs[0].text, "Error occured while trying to\rset melody in mobile!");
    EXPECT_TRUE(t.s.engine.Melodies().MelodijeCBEnabled);
    EXPECT_TRUE(t.s.engine.Melodies().VolumeTBEnabled);
    // The next setting is a setting only.
    ASSERT_TRUE(t.s.engine.SetMelody(6, 1));
    t.Run(1000);
    EXPECT_EQ(t.Commands().back(), "AT^SRTC=6,1");
}

TEST(ServiceAnswers, LinesAreReadFieldByField) {
    const auto d = ParseCcfcLine("+CCFC: 1,1,\"+385911\",145,,,20");
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->active);
    EXPECT_EQ(d->cls, 1);
    EXPECT_EQ(d->number, "+385911");
    EXPECT_EQ(d->time, "20");
    EXPECT_EQ(ParseCcfcLine("+CCFC: 0,16")->cls, 16);
    EXPECT_EQ(ParseCcfcLine("+CCFC: 0,7")->number, "");
    EXPECT_FALSE(ParseCcfcLine("+CCFC: x,1"));
    EXPECT_FALSE(ParseCcfcLine("+CLCK: 1,1"));

    EXPECT_FALSE(ParseClckLine("+CLCK: 1")->cls);
    EXPECT_EQ(ParseClckLine("+CLCK: 1,4")->cls, 4);
    EXPECT_FALSE(ParseClckLine("+CLCK: "));

    const auto lock = ParseClckEcho("AT+CLCK=\"IR\",1,0000,2");
    EXPECT_EQ(lock.facility, 9);
    EXPECT_EQ(lock.mode, 1);
    EXPECT_EQ(lock.cls, 2);
    EXPECT_FALSE(ParseClckEcho("AT+CLCK=\"XX\",1").facility);  // never an index
    EXPECT_EQ(ParseCcfcEcho("AT+CCFC=2,3,\"+3851\",,1,,,20").mode, 3);

    const auto ranges = ParseSrtcTest("^SRTC: (0-41),(1-5)");
    ASSERT_TRUE(ranges);
    EXPECT_EQ(ranges->melodyCount, 42);
    EXPECT_EQ(ranges->volumeMin, 1);
    EXPECT_EQ(ranges->volumeMax, 5);
    EXPECT_EQ(ParseSrtcTest("^SRTC: (0-99999999999),(0-4)")->melodyCount, kMaxMelodyCount);
    EXPECT_FALSE(ParseSrtcTest("^SRTC: 0-41,(0-4)"));

    EXPECT_TRUE(ParseSrtcQuery("^SRTC: 3,2,1")->playing);
    EXPECT_FALSE(ParseSrtcQuery("^SRTC: 3,2,0")->playing);
    EXPECT_FALSE(ParseSrtcQuery("^SRTC: ,2,0"));
}

// A play the phone never answered is given up with the exchange: the
// ringer restored later is not played.
TEST(Ringer, ATimedOutPlayDoesNotPlayALaterSetting) {
    ScriptRig h;
    h.Receive("AT^SRTC=?\r\r\n^SRTC: (0-9),(0-4)\r\n\r\nOK\r\n");
    h.Receive("AT^SRTC?\r\r\n^SRTC: 1,3,0\r\n\r\nOK\r\n");
    ASSERT_TRUE(h.engine.PlayMelody(4, 3));
    h.clock.RunFor(11000);
    h.Sent();
    h.Receive("AT^SRTC?\r\r\n^SRTC: 4,3,0\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT^SRTC=1,3\r");
    h.Receive("AT^SRTC=1,3\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "");
}

// An answer that cannot be read changes nothing and sends nothing: the
// ringer is not "restored" to a melody nobody chose.
TEST(Ringer, AnUnreadableStateChangesNothing) {
    ScriptRig h;
    h.Receive("AT^SRTC?\r\r\n^SRTC: 2,3,0\r\n\r\nOK\r\n");
    EXPECT_EQ(h.state().Services.KeptMelody, 2);
    h.Receive("AT^SRTC?\r\r\n^SRTC: ?,3,0\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "");
    EXPECT_EQ(h.state().Services.KeptMelody, 2);
    h.Receive("AT^SRTC?\r\r\n^SRTC: 4,3,0\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT^SRTC=2,3\r");
}

}  // namespace
}  // namespace parlenko::testing

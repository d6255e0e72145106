// Calendar entries, melodies and the logo moved to and from the simulated
// phone on virtual time: the slot read, the packet upload, the object reads
// joined from their parts, the deletes, and object data that is not hex.
#include "engine/objects/object_answers.h"
#include "engine/conversation/receive_scan.h"
#include "engine/text/hex_text.h"
#include "engine/text/vcalendar.h"
#include "exchange/formats/atomic_file.h"
#include "tests/support/engine_rig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace parlenko {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Vcs(const std::string& lines) {
    return "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n" + lines +
           "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

// Bytes 0, 1, 2 ... of the given length.
std::string Bytes(std::size_t n) {
    std::string s;
    for (std::size_t k = 0; k < n; ++k) s += static_cast<char>(k % 251);
    return s;
}

// The phone with calendar slots 1..4 (2 empty) and no melody or logo.
phonesim::PhoneState PhoneWithCalendar() {
    auto st = phonesim::MakeDefaultState();
    auto& vcs = st.objects["vcs"];
    vcs.lowest = 0;
    vcs.highest = 4;
    vcs.objects.clear();
    vcs.objects[1] =
        Vcs("CATEGORIES:MEETING\r\nDALARM:20050316T090000\r\nDTSTART:20050316T090000\r\n"
            "DESCRIPTION:Team meeting\r\n");
    vcs.objects[3] =
        Vcs("CATEGORIES:PHONE CALL\r\nDTSTART:20050401T120000\r\nRRULE:D1\r\n"
            "DESCRIPTION:+385911234567\r\n");
    // Longer than one packet: the phone sends it in two parts.
    vcs.objects[4] = Vcs("CATEGORIES:MISCELLANEOUS\r\nDTSTART:20051231T235959\r\nDESCRIPTION:" +
                         std::string(150, 'x') + "\r\n");
    st.objects["mid"].objects.clear();
    st.objects["bmp"].objects.clear();
    return st;
}

constexpr testing::RigOptions kWithData{.dataFolder = true};

struct ObjectsHarness : testing::SimPhoneRig {
    explicit ObjectsHarness(phonesim::PhoneState seeded = PhoneWithCalendar())
        : testing::SimPhoneRig(std::move(seeded), kWithData) {
        Connect();
    }
    std::string file(std::string_view name) { return exchange::JoinPath(dataDir(), name); }
    std::vector<std::string> ObjectCommands(std::size_t from) {
        std::vector<std::string> out;
        for (const auto& c : Commands(from))
            if (c.rfind("AT^SBN", 0) == 0) out.push_back(c);
        return out;
    }
};

TEST(ObjectTransfer, AppointmentReadAsksEverySlotAndSkipsTheGaps) {
    ObjectsHarness s;
    s.state().Phonebook.PhonebookList = {{"Ana!", "+385911234567", "SIM card", "001"}};
    ASSERT_EQ(s.state().Capabilities.AppointmentSlots, 4);
    const auto from = s.CommandCount();
    s.host.progressVisible = false;
    s.engine.RefreshAppointments();
    s.clock.RunFor(10000);

    EXPECT_THAT(s.ObjectCommands(from), ElementsAre("AT^SBNR=\"vcs\",1", "AT^SBNR=\"vcs\",2",
                                                    "AT^SBNR=\"vcs\",3", "AT^SBNR=\"vcs\",4"));
    const std::vector<AppointmentRow> expected = {
        {"Team meeting", "Meeting", "Once", "16.03.2005", "09:00:00", "1", kImageMeetingAlarm,
         "Team meeting"},
        // The caption names the number; the row keeps the number itself.
        {"Ana", "Phone call", "Daily", "01.04.2005", "12:00:00", "3", kImagePhoneCallAlarm + 1,
         "+385911234567"},
        {std::string(150, 'x'), "Memo", "Once", "31.12.2005", "23:59:59", "4", kImageMemoAlarm + 1,
         std::string(150, 'x')},
    };
    EXPECT_EQ(s.host.appointmentRows, expected);
    EXPECT_EQ(s.state().Objects.AppointmentsList, expected);
    EXPECT_THAT(s.state().Objects.AppointmentFreePositions, ElementsAre("", "2", "", ""));
    EXPECT_EQ(s.host.progressShows, 1);
    EXPECT_EQ(s.host.progressCloses, 1);
    EXPECT_FALSE(s.host.progressVisible);
    EXPECT_TRUE(s.host.mainWindowTakesInput);
    EXPECT_THAT(s.host.dialogs, IsEmpty());

    // The list is read afresh: the same rows, not twice.
    s.engine.RefreshAppointments();
    s.clock.RunFor(10000);
    EXPECT_EQ(s.host.appointmentRows, expected);

    // Deleting slot 3 frees it and removes its row.
    s.engine.DeleteAppointment(3);
    s.clock.RunFor(2000);
    EXPECT_EQ(s.phone().State().objects.at("vcs").objects.count(3), 0u);
    EXPECT_THAT(s.state().Objects.AppointmentFreePositions, ElementsAre("", "2", "3", ""));
    ASSERT_EQ(s.host.appointmentRows.size(), 2u);
    EXPECT_EQ(s.host.appointmentRows[1].Position, "4");
    EXPECT_EQ(s.host.statusMessages.back(), "Appointment succesfully deleted from mobile!");
}

// A slot whose data is not hex (a line hit by noise), and one whose header
// comes without its data line, give a row with empty texts; the read goes on
// to the last slot without a message.
TEST(ObjectTransfer, AnUndecodableOrMissingSlotGivesAnEmptyRowAndTheReadGoesOn) {
    ObjectsHarness s;
    phonesim::CommandFault noise;
    noise.command = "AT^SBNR=\"vcs\",1";
    noise.result = "OK";
    noise.garbageBefore = "\r\n^SBNR: \"vcs\",1,1,1\r\n424547494E3Z\r\n";
    s.phone().AddFault(noise);
    phonesim::CommandFault headerAlone;
    headerAlone.command = "AT^SBNR=\"vcs\",3";
    headerAlone.result = "OK";
    headerAlone.garbageBefore = "\r\n^SBNR: \"vcs\",3,1,1\r\n";
    s.phone().AddFault(headerAlone);
    const auto from = s.CommandCount();
    s.engine.RefreshAppointments();
    s.clock.RunFor(10000);

    EXPECT_THAT(s.ObjectCommands(from), ElementsAre("AT^SBNR=\"vcs\",1", "AT^SBNR=\"vcs\",2",
                                                    "AT^SBNR=\"vcs\",3", "AT^SBNR=\"vcs\",4"));
    std::vector<std::string> positions;
    for (const auto& row : s.host.appointmentRows) positions.push_back(row.Position);
    EXPECT_THAT(positions, ElementsAre("1", "3", "4"));
    ASSERT_EQ(s.host.appointmentRows.size(), 3u);
    EXPECT_EQ(s.host.appointmentRows[0],
              (AppointmentRow{"", "", "Once", "", "", "1", kImageMemoAlarm + 1, ""}));
    EXPECT_EQ(s.host.appointmentRows[1],
              (AppointmentRow{"", "", "Once", "", "", "3", kImageMemoAlarm + 1, ""}));
    EXPECT_THAT(s.state().Objects.AppointmentFreePositions, ElementsAre("", "2", "", ""));
    EXPECT_THAT(s.host.dialogs, IsEmpty());
    EXPECT_FALSE(s.host.progressVisible);
    EXPECT_TRUE(s.host.mainWindowTakesInput);
}

TEST(ObjectTransfer, ThreePacketUploadIsAcknowledgedPacketByPacket) {
    ObjectsHarness s;
    s.engine.RefreshAppointments();
    s.clock.RunFor(10000);
    const auto rowsBefore = s.host.appointmentRows.size();

    VCalendarEntry e;
    e.Category = AppointmentCategory::Anniversary;
    e.Repeat = AppointmentRepeat::Yearly;
    e.Text = std::string(240, 'b');  // with the lines around it, more than two packets
    e.Alarm = true;
    e.Date = std::chrono::year_month_day{std::chrono::year{2006}, std::chrono::month{7},
                                         std::chrono::day{14}};
    e.Time = std::chrono::hours(8);
    const std::string object = BuildVCalendar(e, VCalendarForm::File);
    ASSERT_GT(object.size(), 2 * 176u);
    ASSERT_LE(object.size(), 3 * 176u);

    const auto from = s.CommandCount();
    s.engine.SaveAppointment(e, 2, /*isNew=*/true);
    s.clock.RunFor(5000);

    EXPECT_THAT(
        s.ObjectCommands(from),
        ElementsAre("AT^SBNW=\"vcs\",2,1,3", "AT^SBNW=\"vcs\",2,2,3", "AT^SBNW=\"vcs\",2,3,3"));
    std::string stored = object;
    // The phone keeps the description line (the file form's SUMMARY is the only difference).
    stored.replace(stored.find("SUMMARY:"), 8, "DESCRIPTION:");
    EXPECT_EQ(s.phone().State().objects.at("vcs").objects.at(2), stored);
    ASSERT_EQ(s.host.appointmentRows.size(), rowsBefore + 1);
    EXPECT_EQ(s.host.appointmentRows.back(),
              (AppointmentRow{std::string(240, 'b'), "Anniversary", "Annualy", "14.07.2006",
                              "08:00:00", "2", kImageAnniversaryAlarm, std::string(240, 'b')}));
    EXPECT_THAT(s.state().Objects.AppointmentFreePositions, ElementsAre("", "", "", ""));
    EXPECT_EQ(s.host.appointmentFocuses.back(), "2");
    EXPECT_EQ(s.host.statusMessages.back(), "Appointment succesfully saved in mobile!");
    EXPECT_FALSE(s.state().Upload.SendingAppointment);

    // A stray acknowledgement of packet 4 of 3 (while a guard is still
    // up) sends nothing and changes no row.
    s.state().Upload.SendingAppointment = true;
    const auto sentBefore = s.CommandCount();
    const auto statusBefore = s.host.statusMessages.size();
    ReceiveText(s.ctx(), "AT^SBNW=\"vcs\",2,4,3\r\r\n> 41\x1a\r\nOK\r\n");
    s.clock.RunFor(1000);
    EXPECT_EQ(s.CommandCount(), sentBefore);
    EXPECT_EQ(s.host.appointmentRows.size(), rowsBefore + 1);
    EXPECT_EQ(s.host.statusMessages.size(), statusBefore);

    // Editing the entry replaces its row.
    s.state().Upload.SendingAppointment = false;
    e.Text = "Rodjendan";
    e.Alarm = false;
    s.engine.SaveAppointment(e, 2, /*isNew=*/false);
    s.clock.RunFor(5000);
    ASSERT_EQ(s.host.appointmentRows.size(), rowsBefore + 1);
    EXPECT_EQ(s.host.appointmentRows.back().Caption, "Rodjendan");
    EXPECT_EQ(s.host.appointmentRows.back().Image, kImageAnniversaryAlarm + 1);
}

TEST(ObjectTransfer, MelodyReadJoinsItsPartsIntoTheChosenFile) {
    auto st = PhoneWithCalendar();
    const std::string melody = Bytes(2 * 176 + 50);  // three parts
    st.objects["mid"].objects[1] = melody;
    ObjectsHarness s(st);
    // Three user melodies: rank 1 is slot 1, rank 0 slot 2.
    s.state().Melodies.MelodijeCB = {"39  -  Melody no. 39", "40  -  Individual",
                                     "41  -  Individual", "42  -  Individual"};

    s.host.saveFileAnswer = s.file("Ringer");
    s.engine.ReadUserMelody(1);
    s.clock.RunFor(3000);
    ASSERT_EQ(s.host.saveDialogs.size(), 1u);
    EXPECT_EQ(s.host.saveDialogs[0].Title, "Save melody to . . .");
    EXPECT_EQ(s.host.saveDialogs[0].FileName, "Individual");
    EXPECT_EQ(s.host.saveDialogs[0].Folder, s.file("Melodies"));
    EXPECT_EQ(exchange::ReadFileBytes(s.file("Ringer.mid")), melody);
    EXPECT_EQ(s.host.statusMessages.back(), "Melody succesfully saved on disc!");
    EXPECT_TRUE(s.host.mainWindowTakesInput);

    // A name that ends in ".MID" keeps its name; a cancelled dialog writes nothing.
    s.host.saveFileAnswer = s.file("Second.MID");
    s.engine.ReadUserMelody(1);
    s.clock.RunFor(3000);
    EXPECT_EQ(exchange::ReadFileBytes(s.file("Second.MID")), melody);
    s.host.saveFileAnswer.clear();
    const auto statusBefore = s.host.statusMessages.size();
    s.engine.ReadUserMelody(1);
    s.clock.RunFor(3000);
    EXPECT_EQ(s.host.statusMessages.size(), statusBefore);

    // An empty user slot is reported.
    s.engine.ReadUserMelody(0);
    s.clock.RunFor(3000);
    ASSERT_FALSE(s.host.dialogs.empty());
    EXPECT_EQ(s.host.dialogs.back().text, "No melody found in user's memory!");
    EXPECT_EQ(s.host.saveDialogs.size(), 3u);
}

TEST(ObjectTransfer, LogoReadShowsTheFileOrTheEmptyState) {
    auto st = PhoneWithCalendar();
    const std::string logo = "BM" + Bytes(300);  // two parts
    st.objects["bmp"].objects[0] = logo;
    ObjectsHarness s(st);
    const std::string path = s.file(kLogoFileName);

    s.engine.ReadLogo(0);
    s.clock.RunFor(3000);
    EXPECT_EQ(exchange::ReadFileBytes(path), logo);
    EXPECT_THAT(s.host.logos, ElementsAre(path));

    // No screensaver: "EMPTY!"; no operator logo: the operator's name.
    s.engine.ReadLogo(1);
    s.clock.RunFor(3000);
    s.engine.DeleteLogo(0);  // the delete reads the slot again
    s.clock.RunFor(3000);
    EXPECT_EQ(s.host.statusMessages.back(), "Logo succesfully deleted from mobile!");
    ASSERT_FALSE(s.state().GeneralInfo.OperLab.empty());
    EXPECT_THAT(s.host.logos,
                ElementsAre(path, "no logo: EMPTY!", "no logo: " + s.state().GeneralInfo.OperLab));
    EXPECT_TRUE(s.host.mainWindowTakesInput);
}

TEST(ObjectTransfer, LogoUploadEndsWithItsReadBack) {
    ObjectsHarness s;
    const std::string logo = "BM" + Bytes(400);  // three packets
    const auto from = s.CommandCount();
    ASSERT_TRUE(s.engine.UploadLogo(logo, 1));
    s.clock.RunFor(5000);
    EXPECT_THAT(s.ObjectCommands(from),
                ElementsAre("AT^SBNW=\"bmp\",2,1,3", "AT^SBNW=\"bmp\",2,2,3",
                            "AT^SBNW=\"bmp\",2,3,3", "AT^SBNR=\"bmp\",2"));
    EXPECT_EQ(s.phone().State().objects.at("bmp").objects.at(2), logo);
    EXPECT_EQ(exchange::ReadFileBytes(s.file(kLogoFileName)), logo);
    EXPECT_EQ(s.state().Capabilities.LogosIndex, 1);
    EXPECT_EQ(s.host.statusMessages.back(), "Logo succesfully saved in mobile!");
    EXPECT_FALSE(s.state().Upload.SendingLogo);
    EXPECT_EQ(s.host.progressCloses, 1);

    // A read-back that finds nothing ends the upload too.
    s.phone().AddFault({.command = "AT^SBNR", .result = "OK"});
    ASSERT_TRUE(s.engine.UploadLogo(logo, 0));
    s.clock.RunFor(5000);
    EXPECT_FALSE(s.state().Upload.SendingLogo);
    EXPECT_EQ(s.host.logos.back(), "no logo: " + s.state().GeneralInfo.OperLab);

    // 8801 bytes would take 51 packets: refused, nothing sent.
    const auto sent = s.CommandCount();
    EXPECT_FALSE(s.engine.UploadLogo(Bytes(8801), 0));
    EXPECT_EQ(s.host.dialogs.back().text, "Logo too big!");
    EXPECT_EQ(s.CommandCount(), sent);
    EXPECT_FALSE(s.state().Upload.SendingLogo);
}

TEST(ObjectTransfer, MelodyUploadShowsEachAcknowledgedPacket) {
    ObjectsHarness s;
    const std::string melody = Bytes(200);  // two packets
    const auto from = s.CommandCount();
    ASSERT_TRUE(s.engine.UploadMelody(melody, 1));
    s.clock.RunFor(5000);
    EXPECT_THAT(s.ObjectCommands(from),
                ElementsAre("AT^SBNW=\"mid\",1,1,2", "AT^SBNW=\"mid\",1,2,2"));
    EXPECT_EQ(s.phone().State().objects.at("mid").objects.at(1), melody);
    std::vector<std::string> positions;
    for (const auto& v : s.host.progressViews) positions.push_back(v.PozicijaLab);
    EXPECT_THAT(positions, ElementsAre("Sending packet no. 1 of 2", "Sending packet no. 1 of 2"));
    EXPECT_EQ(s.host.progressViews.back().ProgresLab, "50%");
    EXPECT_EQ(s.host.statusMessages.back(), "Melody succesfully saved in mobile!");
    EXPECT_FALSE(s.state().Upload.SendingMelody);
    EXPECT_FALSE(s.host.progressVisible);
}

// Object data that is not hex, or none: the melody's and the logo's read
// error, no file, not busy.
TEST(ObjectTransfer, CorruptedHexIsReportedAndWritesNothing) {
    testing::ScriptRig h(kWithData);
    const std::string logoFile = exchange::JoinPath(h.dataDir(), kLogoFileName);
    h.Receive("AT^SBNR=\"bmp\",0\r\r\n^SBNR: \"bmp\",0,1,1\r\n424D0\r\n\r\nOK\r\n");
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text, kLogoReadFailed);
    EXPECT_FALSE(exchange::FileExists(logoFile));

    h.host.saveFileAnswer = exchange::JoinPath(h.dataDir(), "Melody");
    h.Receive("AT^SBNR=\"mid\",0\r\r\n^SBNR: \"mid\",0,1,1\r\n4D54G86B\r\n\r\nOK\r\n");
    ASSERT_EQ(h.host.dialogs.size(), 2u);
    EXPECT_EQ(h.host.dialogs[1].text, kMelodyReadFailed);
    EXPECT_THAT(h.host.saveDialogs, IsEmpty());
    // A header without its data line: no logo either.
    h.Receive("AT^SBNR=\"bmp\",0\r\r\n^SBNR: \"bmp\",0,1,1\r\n\r\nOK\r\n");
    ASSERT_EQ(h.host.dialogs.size(), 3u);
    EXPECT_EQ(h.host.dialogs[2].text, kLogoReadFailed);
    EXPECT_FALSE(exchange::FileExists(logoFile));
    h.host.dialogs.pop_back();

    // A bad slot in the appointment read gives an empty row; the read goes on.
    h.state().Capabilities.AppointmentSlots = 5;
    h.engine.RefreshAppointments();
    h.Sent();
    h.Receive("AT^SBNR=\"vcs\",1\r\r\n^SBNR: \"vcs\",1,1,1\r\n4245474E3Z\r\n\r\nOK\r\n");
    EXPECT_EQ(h.host.dialogs.size(), 2u);
    EXPECT_EQ(h.Sent(), "AT^SBNR=\"vcs\",2\r");
    ASSERT_EQ(h.host.appointmentRows.size(), 1u);
    EXPECT_EQ(h.host.appointmentRows[0].Caption, "");
}

// A slot the phone did not announce has no line in the free-slot list: its
// row is shown, its read and its delete mark nothing.
TEST(ObjectTransfer, ASlotOutsideTheAnnouncedRangeMarksNothing) {
    testing::ScriptRig h;
    h.state().Capabilities.AppointmentSlots = 2;
    h.engine.RefreshAppointments();
    h.Receive("AT^SBNR=\"vcs\",9\r\r\n^SBNR: \"vcs\",9,1,1\r\n" +
              BytesToHex(Vcs("DESCRIPTION:Late\r\n")) + "\r\n\r\nOK\r\n");
    ASSERT_EQ(h.host.appointmentRows.size(), 1u);
    EXPECT_EQ(h.host.appointmentRows[0].Position, "9");
    EXPECT_THAT(h.state().Objects.AppointmentFreePositions, ElementsAre("1", "2"));

    h.Receive("AT^SBNW=\"vcs\",9,0\r\r\nOK\r\n");
    EXPECT_THAT(h.host.appointmentRows, IsEmpty());
    EXPECT_THAT(h.state().Objects.AppointmentFreePositions, ElementsAre("1", "2"));
}

// A refused upload ends the upload: the next logo read is no read-back.
TEST(ObjectTransfer, ARefusedUploadEndsTheUpload) {
    testing::ScriptRig h(kWithData);
    ASSERT_TRUE(h.engine.UploadLogo("BM", 0));
    EXPECT_THAT(h.Sent(), ::testing::HasSubstr("AT^SBNW=\"bmp\",0,1,1"));
    h.Receive("AT^SBNW=\"bmp\",0,1,1\r\r\nERROR\r\n");
    ASSERT_FALSE(h.host.dialogs.empty());
    EXPECT_EQ(h.host.dialogs.back().text, kLogoSaveFailed);
    EXPECT_FALSE(h.state().Upload.SendingLogo);

    h.engine.ReadLogo(0);
    h.Receive("AT^SBNR=\"bmp\",0\r\r\n^SBNR: \"bmp\",0,1,1\r\n424D\r\n\r\nOK\r\n");
    EXPECT_EQ(h.host.logos.size(), 1u);
    EXPECT_THAT(h.host.statusMessages, IsEmpty());
}

}  // namespace
}  // namespace parlenko

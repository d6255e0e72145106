// The phonebook and call-list reads against the simulated phone on virtual
// time, and a few phone misbehaviours played as scripted chunks.
#include "engine/phonebook/free_positions.h"
#include "tests/support/engine_inside.h"
#include "engine/phonebook/phonebook_cache.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "exchange/formats/phonebook_file.h"
#include "tests/support/engine_rig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace parlenko {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

phonesim::Phonebook Book(int capacity, std::map<int, phonesim::PhonebookEntry> entries) {
    phonesim::Phonebook b;
    b.capacity = capacity;
    b.entries = std::move(entries);
    return b;
}

// A phone with only the memories a test gives; every other selection
// answers "ERROR".
phonesim::PhoneState PhoneWith(std::map<std::string, phonesim::Phonebook> books) {
    phonesim::PhoneState s;
    s.phonebooks = std::move(books);
    return s;
}

// The reads run against the simulated phone; the answers of a misbehaving
// phone are scripted. Both keep the phonebook cache in a fresh data folder.
using ReadRig = testing::SimPhoneRig;
using testing::ScriptRig;
constexpr testing::RigOptions kWithData{.dataFolder = true};

// A whole read (from the phonebook page, or the call lists), run to its end.
void ReadPhonebook(ReadRig& h, int runMs = 60000) {
    RefreshPhonebook(h.ctx(), PhoneMemory::Sim);
    h.clock.RunFor(runMs);
}
void ReadCalls(ReadRig& h, int runMs = 60000) {
    RefreshCalls(h.ctx(), PhoneMemory::Dialled);
    h.clock.RunFor(runMs);
}
std::vector<int> Percentages(const testing::RecordingHost& host) {
    std::vector<int> out;
    for (const auto& v : host.progressViews) out.push_back(v.ProgressBar1);
    return out;
}

std::vector<std::string> Slice(const std::vector<std::string>& v, const std::string& from,
                               const std::string& to) {
    auto b = std::find(v.begin(), v.end(), from);
    auto e = std::find(b, v.end(), to);
    return {b, e};
}

// ----------------------------------------------------------- phonebook read

TEST(PhonebookRead, EmptySimGoesStraightToMobileMemory) {
    ReadRig h(PhoneWith({{"SM", Book(250, {})},
                         {"ME", Book(100, {{1, {"0911111", 129, "Ivo"}}})},
                         {"SD", Book(20, {})}}),
              kWithData);
    ReadPhonebook(h);
    const auto commands = h.Commands();
    EXPECT_THAT(Slice(commands, "AT+CPBS=\"SM\"", "AT+CPBS=\"ME\""),
                ElementsAre("AT+CPBS=\"SM\"", "AT+CPBS?"));
    EXPECT_EQ(h.state().PhonebookRead.Of(PhoneMemory::Sim).Capacity, 250);
    EXPECT_EQ(h.state().PhonebookRead.Of(PhoneMemory::Sim).FreePositions.size(), 250u);
    ASSERT_EQ(h.state().Phonebook.PhonebookList.size(), 1u);
    EXPECT_EQ(h.state().Phonebook.PhonebookList[0].Location, "Mobile memory");
    EXPECT_GE(h.host.progressCloses, 1);
}

TEST(PhonebookRead, EmptyPositionsAdvanceThePositionButNotTheCount) {
    ReadRig h(PhoneWith({{"SM", Book(250, {{1, {"+385911", 145, "Ana"}},
                                           {5, {"+385915", 145, "Bo"}},
                                           {9, {"+385919", 145, "Cia"}}})}}),
              kWithData);
    ReadPhonebook(h);
    const auto commands = h.Commands();
    EXPECT_THAT(Slice(commands, "AT+CPBR=1", "AT+CPBS=\"ME\""),
                ElementsAre("AT+CPBR=1", "AT+CPBR=2", "AT+CPBR=3", "AT+CPBR=4", "AT+CPBR=5",
                            "AT+CPBR=6", "AT+CPBR=7", "AT+CPBR=8", "AT+CPBR=9"));
    const auto& free = h.state().PhonebookRead.Of(PhoneMemory::Sim).FreePositions;
    ASSERT_EQ(free.size(), 250u);
    EXPECT_EQ(free[0], "");
    EXPECT_EQ(free[1], "002");
    EXPECT_EQ(free[4], "");
    EXPECT_EQ(free[8], "");
    EXPECT_EQ(free[9], "010");
    EXPECT_EQ(FirstFreePosition(free), "002");

    ASSERT_EQ(h.host.phonebookRows.size(), 3u);
    EXPECT_EQ(h.host.phonebookRows[1],
              (PhonebookRow{"Bo", "+385915", "SIM card", "005", kImageEntry}));
    EXPECT_EQ(h.state().Phonebook.PhonebookList[2].Position, "009");
    // The phone had nothing else: every other memory answered "ERROR" and the
    // read still ended.
    EXPECT_FALSE(h.host.progressVisible);
    EXPECT_EQ(h.host.phonebookSorts, 1);
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    EXPECT_THAT(h.host.dialogs, IsEmpty());
}

TEST(PhonebookRead, VipMarkStaysInRecordAndCacheButNotInTheView) {
    ReadRig h(PhoneWith({{"SM", Book(250, {{1, {"+385911", 145, "Ana!"}}, {2, {"0912", 129, ""}}})},
                         {"SD", Book(20, {{1, {"112", 129, "Hitni!"}}})}}),
              kWithData);
    ReadPhonebook(h);
    const auto& list = h.state().Phonebook.PhonebookList;
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Name, "Ana!");
    EXPECT_EQ(h.host.phonebookRows[0].Caption, "Ana");
    EXPECT_EQ(h.host.phonebookRows[0].Image, kImageVip);
    EXPECT_EQ(h.host.phonebookRows[1].Caption, "");
    EXPECT_EQ(h.host.phonebookRows[1].Image, kImageEntry);
    // Every service number has its own image, a VIP mark or not.
    EXPECT_EQ(h.host.phonebookRows[2],
              (PhonebookRow{"Hitni", "112", "Service numbers", "001", kImageService}));

    const auto cache = exchange::LoadPhonebookFile(h.dataDir());
    ASSERT_EQ(cache.entries.size(), 3u);
    EXPECT_EQ(cache.entries[0],
              (exchange::PhonebookFileEntry{"Ana!", "+385911", "SIM card", "001"}));
    EXPECT_EQ(cache.entries[2].Location, "Service numbers");
    EXPECT_EQ(cache.entries[2].Name, "Hitni!");

    // The names reached the SMS and call views, without the mark; an entry
    // without a name pushes nothing.
    ASSERT_EQ(h.host.smsNamePushes.size(), 2u);
    EXPECT_EQ(h.host.smsNamePushes[0].name, "Ana");
    EXPECT_EQ(h.host.smsNamePushes[0].number, "+385911");
    EXPECT_EQ(h.host.callNamePushes.size(), 6u);
}

TEST(PhonebookRead, MemoriesAreReadInOrderAndOwnNumbersErrorGoesOnToService) {
    ReadRig h(PhoneWith({{"SM", Book(250, {{1, {"1", 129, "A"}}})},
                         {"ME", Book(100, {{3, {"2", 129, "B"}}})},
                         {"SD", Book(20, {{1, {"3", 129, "C"}}})}}),
              kWithData);
    ReadPhonebook(h);
    std::vector<std::string> selections;
    for (const auto& c : h.Commands())
        if (c.find("PBS=") != std::string::npos || c.find("PBS?") != std::string::npos)
            selections.push_back(c);
    EXPECT_THAT(selections, ElementsAre("AT+CPBS=\"SM\"", "AT+CPBS?", "AT+CPBS=\"ME\"", "AT+CPBS?",
                                        "AT+CPBS=\"ON\"", "AT^SPBS=\"SD\"", "AT^SPBS?"));
    EXPECT_THAT(h.host.dialogs, IsEmpty());
    EXPECT_FALSE(h.state().PhonebookRead.Of(PhoneMemory::Own).Loaded);
    EXPECT_TRUE(h.state().PhonebookRead.Of(PhoneMemory::Service).Loaded);
    EXPECT_FALSE(h.host.phonebookViewEnabled[3]);
    EXPECT_TRUE(h.host.phonebookViewEnabled[4]);
    EXPECT_EQ(h.state().Phonebook.PhonebookList.size(), 3u);
    EXPECT_EQ(h.state().PhonebookRead.Of(PhoneMemory::Service).Capacity, 20);
}

// The end of the read happens once, however the service numbers answer.
struct EndCase {
    const char* name;
    bool hasService;
    int serviceCapacity;
    bool serviceEntry;
};

class PhonebookReadEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(PhonebookReadEnd, ClosesSortsAndStartsWhatWaits) {
    const auto& c = GetParam();
    std::map<std::string, phonesim::Phonebook> books = {{"SM", Book(250, {{1, {"1", 129, "A"}}})}};
    if (c.hasService) {
        std::map<int, phonesim::PhonebookEntry> sd;
        if (c.serviceEntry) sd[1] = {"112", 129, "Hitni"};
        books["SD"] = Book(c.serviceCapacity, sd);
    }
    auto phone = PhoneWith(books);
    phone.smsMemories = {{"SM", {10, {}}}, {"ME", {10, {}}}};  // the SMS read finds nothing
    ReadRig h(std::move(phone), kWithData);
    h.state().PhonebookRead.ReadSmsAfterPhonebook = true;
    h.state().PhonebookRead.BackupRefreshing = true;
    ReadPhonebook(h, 30000);
    EXPECT_FALSE(h.host.progressVisible);
    EXPECT_EQ(h.host.phonebookSorts, 1);
    EXPECT_EQ(h.host.smsListClears, 1) << "the SMS read starts";
    EXPECT_EQ(h.state().Mode, ActivityMode::Sms);
    EXPECT_EQ(h.host.backupRefreshFinishes, 1);
    EXPECT_FALSE(h.state().PhonebookRead.ReadSmsAfterPhonebook);
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    // Nothing is left for the time-out to report as a failed read.
    h.clock.RunFor(20000);
    EXPECT_THAT(h.host.dialogs, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(ServiceNumbers, PhonebookReadEnd,
                         ::testing::Values(EndCase{"Read", true, 20, true},
                                           EndCase{"Empty", true, 20, false},
                                           EndCase{"NoCapacity", true, 0, false},
                                           EndCase{"Error", false, 0, false}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(PhonebookRead, ProgressRoundsHalvesToEven) {
    std::map<int, phonesim::PhonebookEntry> entries;
    for (int p = 1; p <= 8; ++p) entries[p] = {std::to_string(p), 129, "N" + std::to_string(p)};
    ReadRig h(PhoneWith({{"SM", Book(250, entries)}}), kWithData);
    ReadPhonebook(h);
    // 1/8 = 12.5 -> 12, 3/8 = 37.5 -> 38, 5/8 -> 62, 7/8 -> 88; the last entry does not step.
    EXPECT_THAT(Percentages(h.host), ElementsAre(0, 12, 25, 38, 50, 62, 75, 88));
    EXPECT_EQ(h.host.progressViews[1].ProgresLab, "12%");
    EXPECT_EQ(h.host.progressViews[1].PozicijaLab, "Reading entry from position no. 2");
    EXPECT_EQ(h.host.progressViews[0].UpisanoLab, "8 of 250");
    EXPECT_EQ(h.host.progressViews[0].LokacijaLab, "SIM card");
    EXPECT_EQ(h.host.progressViews[0].Caption, "Reading entries from phonebook . . .");
    EXPECT_EQ(h.host.backupView.PercLab, "88%");
    EXPECT_EQ(h.host.progressShows, 1);
}

TEST(PhonebookRead, StopsAtTheLastPositionOfTheMemory) {
    // Three entries counted, one of them beyond the capacity where no
    // position read reaches it: the loop ends after position 3.
    ReadRig h(
        PhoneWith(
            {{"SM", Book(3, {{1, {"1", 129, "A"}}, {2, {"2", 129, "B"}}, {7, {"7", 129, "G"}}})}}),
        kWithData);
    ReadPhonebook(h);
    EXPECT_THAT(Slice(h.Commands(), "AT+CPBR=1", "AT+CPBS=\"ME\""),
                ElementsAre("AT+CPBR=1", "AT+CPBR=2", "AT+CPBR=3"));
    EXPECT_EQ(h.state().Phonebook.PhonebookList.size(), 2u);
    EXPECT_THAT(h.host.dialogs, IsEmpty());
}

TEST(PhonebookRead, RefreshReplacesTheCacheAndAFailedWriteIsReportedOnce) {
    ReadRig h(PhoneWith({{"SM", Book(250, {{1, {"1", 129, "A"}}, {2, {"2", 129, "B"}}})}}),
              kWithData);
    ASSERT_TRUE(exchange::SavePhonebookFile(h.dataDir(), {{"Old", "9", "SIM card", "001"}}).ok());
    h.state().Phonebook.PhonebookList = {{"Old", "9", "SIM card", "001"}};
    ReadPhonebook(h);
    const auto cache = exchange::LoadPhonebookFile(h.dataDir());
    ASSERT_EQ(cache.entries.size(), 2u);
    EXPECT_EQ(cache.entries[0].Name, "A");
    EXPECT_EQ(h.state().Phonebook.PhonebookList.size(), 2u);
    EXPECT_TRUE(h.state().Phonebook.PhonebookLoaded);
    EXPECT_EQ(h.host.phonebookClears, 1);

    // A data folder that cannot be written: one message box, the read goes on.
    h.state().Options.DataDir = h.dataDir() + "/missing/folder";
    ReadPhonebook(h);
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Error");
    EXPECT_EQ(h.state().Phonebook.PhonebookList.size(), 2u);
    EXPECT_FALSE(h.host.progressVisible);
}

TEST(PhonebookRead, DoesNothingWhileDisconnected) {
    ReadRig h(PhoneWith({{"SM", Book(250, {})}}), kWithData);
    h.port.Disconnect();
    ReadPhonebook(h, 1000);
    EXPECT_THAT(h.Commands(), IsEmpty());
    EXPECT_FALSE(h.state().Phonebook.PhonebookLoaded);
}

// -------------------------------------------------------------- call lists

TEST(CallListRead, EmptyDialledListGoesOnToReceivedAndMissed) {
    ReadRig h(PhoneWith({{"LD", Book(10, {})},
                         {"RC", Book(10, {{1, {"0911", 129, "Ivo!"}}, {2, {"0922", 129, ""}}})},
                         {"MC", Book(10, {{2, {"0933", 129, ""}}})}}),
              kWithData);
    h.state().Phonebook.PhonebookList = {{"Mara!", "0933", "SIM card", "001"}};
    ReadCalls(h);
    EXPECT_THAT(h.Commands(),
                ElementsAre("AT+CPBS=\"LD\"", "AT+CPBS?", "AT+CPBS=\"RC\"", "AT+CPBS?", "AT+CPBR=1",
                            "AT+CPBR=2", "AT+CPBS=\"MC\"", "AT+CPBS?", "AT+CPBR=1", "AT+CPBR=2"));
    ASSERT_EQ(h.host.callRows.size(), 3u);
    EXPECT_EQ(h.host.callRows[0].list, CallListView::Received);
    EXPECT_EQ(h.host.callRows[0].caption, "Ivo");
    EXPECT_EQ(h.host.callRows[0].image, kImageCall);
    EXPECT_EQ(h.host.callRows[1].caption, "");
    // A missed call without a name takes the phonebook's name of its number.
    EXPECT_EQ(h.host.callRows[2].list, CallListView::Missed);
    EXPECT_EQ(h.host.callRows[2].caption, "Mara");
    EXPECT_EQ(h.host.callCapacities[static_cast<int>(CallListView::Dialled)], 10);
    EXPECT_EQ(h.host.callListClears, 1);
    EXPECT_TRUE(h.state().Mode == ActivityMode::Calls);
    EXPECT_FALSE(h.host.progressVisible);
    EXPECT_EQ(h.host.progressViews.back().PozicijaLab, "Reading call from position no. 2");
    EXPECT_TRUE(h.host.mainWindowTakesInput);
    h.clock.RunFor(20000);
    EXPECT_THAT(h.host.dialogs, IsEmpty());
}

// ------------------------------------------------- scripted phone answers

TEST(PhonebookReadScript, PositionBeyondTheFreeListIsIgnored) {
    ScriptRig h(kWithData);
    RefreshPhonebook(EngineInside::Context(h.engine), PhoneMemory::Sim);
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    h.Receive("AT+CPBS?\r\r\n+CPBS: \"SM\",2,3\r\n\r\nOK\r\n");
    h.Receive("AT+CPBR=1\r\r\n+CPBR: 7,\"0917\",129,\"Far\"\r\n\r\nOK\r\n");
    const auto& r = EngineInside::State(h.engine).PhonebookRead;
    EXPECT_THAT(r.Of(PhoneMemory::Sim).FreePositions, ElementsAre("001", "002", "003"));
    ASSERT_EQ(EngineInside::State(h.engine).Phonebook.PhonebookList.size(), 1u);
    EXPECT_EQ(EngineInside::State(h.engine).Phonebook.PhonebookList[0].Position, "007");
    EXPECT_NE(h.Sent().find("AT+CPBR=2\r"), std::string::npos);
}

TEST(PhonebookReadScript, PhoneAnsweringOkPastItsCapacityCannotKeepTheLoopGoing) {
    ScriptRig h(kWithData);
    RefreshPhonebook(EngineInside::Context(h.engine), PhoneMemory::Sim);
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    h.Receive("AT+CPBS?\r\r\n+CPBS: \"SM\",2,3\r\n\r\nOK\r\n");
    h.Sent();
    for (int p = 1; p <= 3; ++p) h.Receive("AT+CPBR=" + std::to_string(p) + "\r\r\nOK\r\n");
    // Used 2 of 3, yet nothing found in positions 1..3: the memory is done.
    EXPECT_EQ(h.Sent(), "AT+CPBR=2\rAT+CPBR=3\rAT+CPBS=\"ME\"\r");
}

TEST(PhonebookReadScript, EmptyPositionWithAnExtraBlankLineAdvancesToo) {
    ScriptRig h(kWithData);
    RefreshPhonebook(EngineInside::Context(h.engine), PhoneMemory::Sim);
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    h.Receive("AT+CPBS?\r\r\n+CPBS: \"SM\",1,3\r\n\r\nOK\r\n");
    h.Sent();
    h.Receive("AT+CPBR=1\r\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPBR=2\r");
    EXPECT_EQ(EngineInside::State(h.engine).PhonebookRead.ReadPosition, 2);
}

TEST(PhonebookReadScript, StorageAnswerWithoutNumbersChangesNothing) {
    ScriptRig h(kWithData);
    RefreshPhonebook(EngineInside::Context(h.engine), PhoneMemory::Sim);
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    h.Sent();
    h.Receive("AT+CPBS?\r\r\n+CPBS: \"SM\",x,250\r\n\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "");
    EXPECT_THAT(h.host.dialogs, IsEmpty());
}

TEST(CallListReadScript, NameFromThePhonebookLosesOnlyItsVipMark) {
    ScriptRig h(kWithData);
    // The VIP entry "Wow!" is stored as "Wow!!".
    EngineInside::State(h.engine).Phonebook.PhonebookList = {
        {"Ana", "0911", "SIM card", "001"},
        {"Wow!!", "0933", "SIM card", "002"},
        {"Other", "0933", "Mobile memory", "001"}};
    RefreshCalls(EngineInside::Context(h.engine), PhoneMemory::Missed);
    h.Receive("AT+CPBS=\"MC\"\r\r\nOK\r\n");
    h.Receive("AT+CPBS?\r\r\n+CPBS: \"MC\",1,10\r\n\r\nOK\r\n");
    h.Receive("AT+CPBR=1\r\r\n+CPBR: 1,\"0933\",129,\"\"\r\n\r\nOK\r\n");
    ASSERT_EQ(h.host.callRows.size(), 1u);
    EXPECT_EQ(h.host.callRows[0].caption, "Wow!");
    EXPECT_EQ(h.host.callRows[0].number, "0933");
}

TEST(PhonebookReadScript, ReadErrorClosesTheProgressWindow) {
    ScriptRig h(kWithData);
    h.host.progressVisible = true;
    EngineInside::State(h.engine).CurrentMemory = "SM";
    h.Receive("AT+CPBR=4\r\r\nERROR\r\n");
    EXPECT_FALSE(h.host.progressVisible);
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text,
              "Error occurred while trying to read\rentry from mobile phonebook!");
}

TEST(PhonebookCache, StartUpLoadsWhatIsSoundOfADamagedCache) {
    ScriptRig h(kWithData);
    std::string bytes = exchange::EncodePhonebookRecords(
        {{"Ana!", "1", "SIM card", "001"}, {"Ivo", "2", "Own numbers", "002"}});
    bytes += std::string(30, '\x7f');  // an incomplete last record
    ASSERT_TRUE(
        exchange::WriteFileAtomically(exchange::PhonebookFilePath(h.dataDir()), bytes).ok());
    LoadPhonebookCache(EngineInside::Context(h.engine));
    const auto& list = EngineInside::State(h.engine).Phonebook.PhonebookList;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Name, "Ana!");
    EXPECT_EQ(list[1].Location, "Own numbers");
    EXPECT_TRUE(h.host.phonebookViewEnabled[1]);
    EXPECT_FALSE(h.host.phonebookViewEnabled[2]);
    EXPECT_TRUE(h.host.phonebookViewEnabled[3]);
    EXPECT_FALSE(h.host.phonebookViewEnabled[4]);
    EXPECT_FALSE(EngineInside::State(h.engine).Phonebook.PhonebookLoaded);
    // The record left out is counted in one message.
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].caption, "Error");
    EXPECT_EQ(h.host.dialogs[0].text,
              "Phonebook file is damaged!\r\r1 entry could not be read from \"" +
                  exchange::PhonebookFilePath(h.dataDir()) + "\".");
}

TEST(PhonebookCache, ACacheOfJunkSaysHowManyEntriesCouldNotBeReadOnce) {
    ScriptRig h(kWithData);
    const std::string path = exchange::PhonebookFilePath(h.dataDir());
    ASSERT_TRUE(exchange::WriteFileAtomically(path, std::string(10 * 76, '\xff')).ok());
    h.engine.LoadPhonebookCache();
    EXPECT_THAT(EngineInside::State(h.engine).Phonebook.PhonebookList, IsEmpty());
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text,
              "Phonebook file is damaged!\r\r10 entries could not be read from \"" + path + "\".");
    EXPECT_EQ(h.host.dialogs[0].kind, DialogKind::Error);
}

TEST(PhonebookCache, StartUpRemovesTheTemporaryFilesOfWritesThatWereCutOff) {
    ScriptRig h(kWithData);
    const auto put = [&](const std::string& name) {
        ASSERT_TRUE(exchange::WriteFileAtomically(exchange::JoinPath(h.dataDir(), name), "x").ok());
    };
    // What a killed program leaves: each data file's own temporary files.
    for (const char* stale :
         {"Phonebook.dat.tmp4242_0", "Phonebook.dat.tmp4242_17", "Locations.dat.tmp1_2",
          "BackupPaths.bup.tmp99_0", "ParlenkoLogo.bmp.tmp7_3"})
        put(stale);
    // Anything else stays: other names, near misses, a folder, a link.
    const std::vector<std::string> kept = {
        "Phonebook.dat",       "Phonebook.dat.tmp",     "Phonebook.dat.tmp12_",
        "Phonebook.dat.tmp_1", "Phonebook.dat.tmpx_1",  "Phonebook.dat.tmp1_2.bak",
        "Notes.txt.tmp1_2",    "xPhonebook.dat.tmp1_2", "Parlenko.ini"};
    for (const auto& name : kept) put(name);
    ASSERT_TRUE(std::filesystem::create_directory(h.dataDir() + "/Locations.dat.tmp3_3"));
    std::filesystem::create_symlink(h.dataDir() + "/Parlenko.ini",
                                    h.dataDir() + "/Phonebook.dat.tmp5_5");
    // The backups' folder: the temporary files of backups written there go,
    // with or without their backup; other files stay.
    ASSERT_TRUE(std::filesystem::create_directory(h.dataDir() + "/Backup"));
    const std::vector<std::string> backupsKept = {"Phonebook.dat.tmp8_8", "Imenik 1.pbb",
                                                  "Imenik 1.pbb.tmp", "Imenik 1.pbb.tmp3_x",
                                                  "notes.txt.tmp1_1"};
    for (const auto& name : backupsKept) put("Backup/" + name);
    for (const char* stale : {"Imenik 1.pbb.tmp4242_0", "Stari.pbb.tmp7_12"})
        put(std::string("Backup/") + stale);

    h.engine.RemoveStaleTempFiles();
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(h.dataDir()))
        left.push_back(e.path().filename().string());
    std::vector<std::string> expected = kept;
    expected.insert(expected.end(), {"Locations.dat.tmp3_3", "Phonebook.dat.tmp5_5", "Backup"});
    EXPECT_THAT(left, ::testing::UnorderedElementsAreArray(expected));
    std::vector<std::string> backups;
    for (const auto& e : std::filesystem::directory_iterator(h.dataDir() + "/Backup"))
        backups.push_back(e.path().filename().string());
    EXPECT_THAT(backups, ::testing::UnorderedElementsAreArray(backupsKept));
    EXPECT_THAT(h.host.dialogs, IsEmpty());
}

// A read that the phone leaves in the middle of a memory (it falls silent
// there: the time-out ends the read) keeps the cache of the last complete
// read byte for byte, the list shows that read again, and the next start
// loads it whole. The four
// memories hold 2, 3, 4 and 5 entries, so "AT+CPBR=k" is first asked of the
// (k-1)-th memory.
class PhonebookReadCut : public ::testing::TestWithParam<const char*> {};

TEST_P(PhonebookReadCut, KeepsTheLastCompleteCacheByteForByte) {
    std::map<std::string, phonesim::Phonebook> books;
    const char* memories[] = {"SM", "ME", "ON", "SD"};
    for (int m = 0; m < 4; ++m) {
        std::map<int, phonesim::PhonebookEntry> entries;
        for (int p = 1; p <= m + 2; ++p) {
            // Appended: GCC 12 warns falsely (-Wrestrict) on "text" + a temporary string.
            const std::string n = std::to_string(10 * m + p);
            entries[p] = {std::string("09").append(n), 129, std::string("N").append(n)};
        }
        books[memories[m]] = Book(20, entries);
    }
    ReadRig h(PhoneWith(books), kWithData);
    ReadPhonebook(h);
    const std::string path = exchange::PhonebookFilePath(h.dataDir());
    const auto complete = exchange::ReadFileBytes(path);
    ASSERT_TRUE(complete);
    ASSERT_EQ(complete->size(), 14 * exchange::kPhonebookRecordSize);

    phonesim::CommandFault silent;
    silent.command = GetParam();
    silent.noAnswer = true;
    h.phone().AddFault(silent);
    ReadPhonebook(h);
    EXPECT_FALSE(h.state().Phonebook.PhonebookReadRunning);
    EXPECT_TRUE(h.state().Phonebook.PhonebookLoaded);
    EXPECT_EQ(h.state().Phonebook.PhonebookList.size(), 14u);
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    const auto kept = exchange::ReadFileBytes(path);
    EXPECT_TRUE(kept == complete) << (kept ? kept->size() : 0) << " bytes kept";
    LoadPhonebookCache(h.ctx());
    EXPECT_EQ(h.state().Phonebook.PhonebookList.size(), 14u);
}

INSTANTIATE_TEST_SUITE_P(EachMemory, PhonebookReadCut,
                         ::testing::Values("AT+CPBR=2", "AT+CPBR=3", "AT+CPBR=4", "AT+CPBR=5"));

// ------------------------------------------------------ entry write answers

TEST(PhonebookWrite, DeleteRemovesTheRecordAndRewritesTheCache) {
    ScriptRig h(kWithData);
    auto& s = EngineInside::State(h.engine);
    s.Phonebook.PhonebookList = {{"A", "1", "SIM card", "007"},
                                 {"B", "2", "Mobile memory", "007"},
                                 {"C", "3", "Mobile memory", "008"}};
    s.PhonebookRead.Of(PhoneMemory::Phone).Capacity = 10;
    s.Phonebook.Op = DeletePending{PhoneMemory::Phone, "7"};
    h.Receive("AT+CPBS=\"ME\"\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPBW=7\r");
    h.Receive("AT+CPBW=7\r\r\nOK\r\n");
    ASSERT_EQ(s.Phonebook.PhonebookList.size(), 2u);
    EXPECT_EQ(s.Phonebook.PhonebookList[1].Name, "C");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(s.Phonebook.Op));
    EXPECT_THAT(h.host.statusMessages,
                ElementsAre("Entry succesfully deleted from mobile phonebook!"));
    EXPECT_EQ(exchange::LoadPhonebookFile(h.dataDir()).entries.size(), 2u);
    // Position 7 of the mobile memory is free again, 8 is not.
    EXPECT_EQ(s.PhonebookRead.Of(PhoneMemory::Phone).FreePositions[6], "007");
    EXPECT_EQ(s.PhonebookRead.Of(PhoneMemory::Phone).FreePositions[7], "");
}

TEST(PhonebookWrite, SaveOfANewEntryAppendsItAndTakesItsPosition) {
    ScriptRig h(kWithData);
    auto& s = EngineInside::State(h.engine);
    s.PhonebookRead.Of(PhoneMemory::Sim).FreePositions = {"001", "002", "003"};
    s.Phonebook.Op =
        WritePending{"AT+CPBW=2,\"0912\",129,\"Ivo\"\r", {"Ivo", "0912", "SIM card", "002"}};
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPBW=2,\"0912\",129,\"Ivo\"\r");
    h.Receive("AT+CPBW=2,\"0912\",129,\"Ivo\"\r\r\nOK\r\n");
    EXPECT_EQ(PendingWrite(s.Phonebook.Op), nullptr);
    EXPECT_THAT(s.PhonebookRead.Of(PhoneMemory::Sim).FreePositions, ElementsAre("001", "", "003"));
    ASSERT_EQ(s.Phonebook.PhonebookList.size(), 1u);
    EXPECT_EQ(s.Phonebook.PhonebookList[0].Name, "Ivo");
    EXPECT_THAT(h.host.statusMessages, ElementsAre("Entry succesfully saved in mobile phonebook!"));
    ASSERT_EQ(h.host.smsNamePushes.size(), 1u);
    EXPECT_EQ(h.host.smsNamePushes[0].number, "0912");
    ASSERT_EQ(h.host.savedEntries.size(), 1u);
    EXPECT_EQ(h.host.savedEntries[0].position, "002");
    EXPECT_EQ(exchange::LoadPhonebookFile(h.dataDir()).entries.size(), 1u);
}

TEST(PhonebookWrite, SavedNameWithEscapedCharactersReachesTheListsAsText) {
    ScriptRig h(kWithData);
    auto& s = EngineInside::State(h.engine);
    s.PhonebookRead.Of(PhoneMemory::Sim).FreePositions = {"001", "002", "003"};
    // "M\xFCller \"Jr\"!" (a VIP entry) as the entry dialog writes it.
    const std::string line = "AT+CPBW=3,\"0913\",129,\"M\\7Eller \\22Jr\\22!\"";
    s.Phonebook.Op = WritePending{line + "\r", {"M\xFCller \"Jr\"!", "0913", "SIM card", "003"}};
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    h.Receive(line + "\r\r\nOK\r\n");
    ASSERT_EQ(h.host.smsNamePushes.size(), 1u);
    EXPECT_EQ(h.host.smsNamePushes[0].name, "M\xFCller \"Jr\"");
    EXPECT_EQ(h.host.smsNamePushes[0].number, "0913");
    ASSERT_EQ(h.host.savedEntries.size(), 1u);
    EXPECT_EQ(h.host.savedEntries[0].name, "M\xFCller \"Jr\"");
    EXPECT_EQ(h.host.savedEntries[0].position, "003");
}

TEST(PhonebookWrite, MoveWritesTheTargetThenDeletesTheOldPosition) {
    ScriptRig h(kWithData);
    auto& s = EngineInside::State(h.engine);
    s.Phonebook.PhonebookList = {{"Ivo", "0912", "SIM card", "004"}};
    s.PhonebookRead.Of(PhoneMemory::Sim).Capacity = 5;
    s.PhonebookRead.Of(PhoneMemory::Phone).Capacity = 5;
    s.Phonebook.Op =
        MoveEntry{DeletePending{PhoneMemory::Sim, "4"},
                  PhoneMemory::Phone,
                  {"AT+CPBW=1,\"0912\",129,\"Ivo\"\r", {"Ivo", "0912", "Mobile memory", "001"}}};
    h.Receive("AT+CPBS=\"ME\"\r\r\nOK\r\n");
    h.Receive("AT+CPBW=1,\"0912\",129,\"Ivo\"\r\r\nOK\r\n");
    // Written, not yet deleted: the entry is in both memories.
    EXPECT_NE(PendingDelete(s.Phonebook.Op), nullptr);
    EXPECT_EQ(s.Phonebook.PhonebookList.size(), 2u);
    EXPECT_THAT(h.host.statusMessages, IsEmpty());
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    h.Receive("AT+CPBW=4\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPBW=1,\"0912\",129,\"Ivo\"\rAT+CPBS=\"SM\"\rAT+CPBW=4\r");
    EXPECT_THAT(h.host.statusMessages,
                ElementsAre("Entry succesfully moved to another location in mobile!"));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(s.Phonebook.Op));
    ASSERT_EQ(s.Phonebook.PhonebookList.size(), 1u);
    EXPECT_EQ(s.Phonebook.PhonebookList[0].Location, "Mobile memory");
    EXPECT_EQ(s.PhonebookRead.Of(PhoneMemory::Phone).FreePositions[0], "");
    EXPECT_EQ(s.PhonebookRead.Of(PhoneMemory::Sim).FreePositions[3], "004");
    const auto cache = exchange::LoadPhonebookFile(h.dataDir());
    ASSERT_EQ(cache.entries.size(), 1u);
    EXPECT_EQ(cache.entries[0].Location, "Mobile memory");
}

TEST(PhonebookWrite, FailedSelectionWithAPendingWriteReportsAndDropsIt) {
    ScriptRig h(kWithData);
    EngineInside::State(h.engine).Phonebook.Op =
        WritePending{"AT+CPBW=1,\"0912\",129,\"Ivo\"\r", {}};
    h.Receive("AT+CPBS=\"SM\"\r\r\nERROR\r\n");
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_EQ(h.host.dialogs[0].text,
              "Error occurred while trying to write or\rdelete entry in mobile phonebook!");
    EXPECT_EQ(h.Sent(), "");
    // The next selection reads the memory; the failed write is not sent again.
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    EXPECT_EQ(h.Sent(), "AT+CPBS?\r");
}

TEST(PhonebookWrite, RefusedWriteIsReportedAndDropped) {
    ScriptRig h(kWithData);
    auto& s = EngineInside::State(h.engine);
    s.Phonebook.Op = DeletePending{PhoneMemory::Sim, "4"};
    h.Receive("AT+CPBS=\"SM\"\r\r\nOK\r\n");
    h.Receive("AT+CPBW=4\r\r\nERROR\r\n");
    ASSERT_EQ(h.host.dialogs.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(s.Phonebook.Op));
}

}  // namespace
}  // namespace parlenko

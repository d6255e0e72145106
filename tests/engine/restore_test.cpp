// The backup wizard's restore run against the simulated phone on virtual
// time: the order of selections, writes and deletes, the two modes, and how
// a refused or unanswered step ends.
#include "tests/support/engine_rig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace parlenko {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// SIM card of 5 positions (entries at 1, 2, 5), mobile memory of 3 (one
// entry at 1), after a full read.
struct RestoreRig {
    explicit RestoreRig() : h(SmallPhone()) {
        h.engine.RefreshPhonebook();
        h.clock.RunFor(60000);
        mark = h.CommandCount();
    }
    static phonesim::PhoneState SmallPhone() {
        auto st = phonesim::MakeDefaultState();
        st.phonebooks["SM"].capacity = 5;
        st.phonebooks["ME"].capacity = 3;
        return st;
    }
    std::vector<std::string> Writes() {
        std::vector<std::string> out;
        for (auto& c : h.Commands(mark))
            if (c.rfind("AT+CPBW=", 0) == 0 || c.rfind("AT+CPBS=", 0) == 0) out.push_back(c);
        return out;
    }
    std::map<int, phonesim::PhonebookEntry>& Book(const std::string& m) {
        return h.phone().State().phonebooks[m].entries;
    }
    void Fault(const std::string& command, const std::string& result) {
        phonesim::CommandFault f;
        f.command = command;
        f.result = result;
        h.phone().AddFault(f);
    }
    RestoreOutcome Outcome() {
        EXPECT_EQ(h.host.restoreOutcomes.size(), 1u);
        return h.host.restoreOutcomes.empty() ? RestoreOutcome{} : h.host.restoreOutcomes.back();
    }
    testing::SimPhoneRig h;
    std::size_t mark = 0;
};

const RestoreRow kSimAna{PhoneMemory::Sim, "Ana", "0911", true};
const RestoreRow kSimIvo{PhoneMemory::Sim, "Ivo", "0912", false};
const RestoreRow kSimEva{PhoneMemory::Sim, "Eva", "0913", false};
const RestoreRow kMeMarko{PhoneMemory::Phone, "Marko", "0921", false};

TEST(Restore, OverwriteWritesFromOneDeletesToTheCapacityThenTheNextMemory) {
    RestoreRig p;
    ASSERT_TRUE(p.h.engine.PhonebookReadComplete());
    // A SIM row stored after the mobile memory's row still goes to the SIM card.
    ASSERT_TRUE(
        p.h.engine.StartRestore({kSimAna, kSimIvo, kMeMarko, kSimEva}, RestoreMode::Overwrite));
    p.h.clock.RunFor(30000);
    EXPECT_THAT(
        p.Writes(),
        ElementsAre("AT+CPBS=\"SM\"", "AT+CPBW=1,\"0911\",,\"Ana!\"", "AT+CPBW=2,\"0912\",,\"Ivo\"",
                    "AT+CPBW=3,\"0913\",,\"Eva\"", "AT+CPBW=4", "AT+CPBW=5", "AT+CPBS=\"ME\"",
                    "AT+CPBW=1,\"0921\",,\"Marko\"", "AT+CPBW=2", "AT+CPBW=3"));
    EXPECT_EQ(p.Book("SM").size(), 3u);
    EXPECT_EQ(p.Book("SM")[3].number, "0913");
    EXPECT_EQ(p.Book("ME").size(), 1u);
    EXPECT_TRUE(p.Book("ON").count(1));  // no own numbers chosen: untouched
    EXPECT_TRUE(p.Outcome().Succeeded());
    EXPECT_EQ(p.Outcome().Steps, 8);
    EXPECT_TRUE(p.h.host.dialogs.empty());
    EXPECT_FALSE(p.h.engine.PhonebookReadComplete());
    // Closing the wizard reads the phonebook again.
    p.h.engine.BackupWizardClosed();
    p.h.clock.RunFor(60000);
    EXPECT_TRUE(p.h.engine.PhonebookReadComplete());
    EXPECT_EQ(p.h.engine.PhonebookList().size(), 4u + 1u + 2u);  // SIM, ME, ON, SD
}

TEST(Restore, FreePositionsModeWritesAtTheFirstFreePositionsAsThreeDigits) {
    RestoreRig p;
    ASSERT_TRUE(p.h.engine.StartRestore({kSimIvo, kSimEva}, RestoreMode::FreePositions));
    p.h.clock.RunFor(30000);
    EXPECT_THAT(p.Writes(), ElementsAre("AT+CPBS=\"SM\"", "AT+CPBW=003,\"0912\",,\"Ivo\"",
                                        "AT+CPBW=004,\"0913\",,\"Eva\""));
    EXPECT_EQ(p.Book("SM").size(), 5u);
    EXPECT_TRUE(p.Outcome().Succeeded());
    EXPECT_EQ(p.h.host.restoreViews.back().RestorePosLab, "Saving entry on position no. 004");
}

TEST(Restore, RefusedSelectionWritesNothingAndCountsItsRowsAsFailed) {
    RestoreRig p;
    p.Fault("AT+CPBS=\"SM\"", "ERROR");
    ASSERT_TRUE(p.h.engine.StartRestore({kSimAna, kSimIvo}, RestoreMode::Overwrite));
    p.h.clock.RunFor(30000);
    EXPECT_THAT(p.Writes(), ElementsAre("AT+CPBS=\"SM\""));
    EXPECT_EQ(p.Outcome().Failed, 2);
    EXPECT_FALSE(p.Outcome().NoAnswer);
    EXPECT_THAT(p.Outcome().NotWritten,
                ElementsAre(RestoreFailure{kSimAna, "ERROR"}, RestoreFailure{kSimIvo, "ERROR"}));
    EXPECT_EQ(p.Book("SM").size(), 3u);
}

TEST(Restore, RefusedStepIsCountedWithoutABoxAndTheRunGoesOn) {
    RestoreRig p;
    p.Fault("AT+CPBW=2,", "ERROR");
    p.Fault("AT+CPBW=4", "+CME ERROR: 21");
    ASSERT_TRUE(p.h.engine.StartRestore({kSimAna, kSimIvo, kSimEva}, RestoreMode::Overwrite));
    p.h.clock.RunFor(30000);
    EXPECT_EQ(p.Writes().size(), 6u);  // the selection and five steps
    EXPECT_EQ(p.Outcome().Steps, 5);
    EXPECT_EQ(p.Outcome().Failed, 2);
    // The refused write's entry with the phone's word; a refused delete names none.
    EXPECT_THAT(p.Outcome().NotWritten, ElementsAre(RestoreFailure{kSimIvo, "ERROR"}));
    EXPECT_TRUE(p.h.host.dialogs.empty());
    EXPECT_EQ(p.Book("SM")[3].number, "0913");
}

// A row whose number would end its field and start a second command (a
// backup written by anything but this program): nothing of it is sent, it
// counts as failed, and the next row takes the free position.
TEST(Restore, RowThatWouldBreakItsLineSendsNothingAndCountsAsFailed) {
    RestoreRig p;
    const RestoreRow forged{PhoneMemory::Sim, "Ana", "0911\",,\"X\"\r\nAT+CPBW=5", false};
    ASSERT_TRUE(p.h.engine.StartRestore({forged, kSimIvo}, RestoreMode::FreePositions));
    p.h.clock.RunFor(30000);
    EXPECT_THAT(p.Writes(), ElementsAre("AT+CPBS=\"SM\"", "AT+CPBW=003,\"0912\",,\"Ivo\""));
    EXPECT_EQ(p.Outcome().Steps, 2);
    EXPECT_EQ(p.Outcome().Failed, 1);
    EXPECT_THAT(p.Outcome().NotWritten,
                ElementsAre(RestoreFailure{forged, "Characters the mobile cannot store"}));
    EXPECT_TRUE(p.Book("SM").count(5));
    EXPECT_TRUE(p.h.host.dialogs.empty());
}

TEST(Restore, TimeOutStopsTheRun) {
    RestoreRig p;
    phonesim::CommandFault silent;
    silent.command = "AT+CPBW=2,";
    silent.noAnswer = true;
    p.h.phone().AddFault(silent);
    ASSERT_TRUE(p.h.engine.StartRestore({kSimAna, kSimIvo, kSimEva}, RestoreMode::Overwrite));
    p.h.clock.RunFor(30000);
    EXPECT_EQ(p.Writes().back(), "AT+CPBW=2,\"0912\",,\"Ivo\"");
    EXPECT_TRUE(p.Outcome().NoAnswer);
    EXPECT_THAT(p.Outcome().NotWritten,
                ElementsAre(RestoreFailure{kSimIvo, "No answer from mobile"},
                            RestoreFailure{kSimEva, "Not sent: the restore stopped"}));
    EXPECT_FALSE(IsRestoring(p.h.state().Phonebook.Op));
}

TEST(Restore, ClosedPortStopsTheRun) {
    RestoreRig p;
    phonesim::CommandFault slow;
    slow.command = "AT+CPBW=1,";
    slow.delayMs = 2000;
    p.h.phone().AddFault(slow);
    ASSERT_TRUE(p.h.engine.StartRestore({kSimAna, kSimIvo}, RestoreMode::Overwrite));
    p.h.clock.RunFor(1000);
    p.h.engine.Disconnect();
    p.h.clock.RunFor(30000);
    EXPECT_TRUE(p.Outcome().NoAnswer);
    EXPECT_FALSE(IsRestoring(p.h.state().Phonebook.Op));
    EXPECT_FALSE(p.h.engine.StartRestore({kSimAna}, RestoreMode::Overwrite));
}

TEST(Restore, StopRequestEndsTheRunAfterTheAnswerInFlightThenReads) {
    RestoreRig p;
    phonesim::CommandFault slow;
    slow.command = "AT+CPBW=1,";
    slow.delayMs = 2000;
    p.h.phone().AddFault(slow);
    ASSERT_TRUE(p.h.engine.StartRestore({kSimAna, kSimIvo}, RestoreMode::Overwrite));
    p.h.clock.RunFor(1000);
    ASSERT_EQ(p.Writes().back(), "AT+CPBW=1,\"0911\",,\"Ana!\"");
    p.h.engine.BackupWizardClosed();  // the write is still in flight
    EXPECT_THAT(p.h.host.restoreOutcomes, IsEmpty());
    p.h.clock.RunFor(60000);
    const auto after = p.Writes();
    EXPECT_EQ(std::count_if(after.begin(), after.end(),
                            [](const std::string& c) { return c.rfind("AT+CPBW=", 0) == 0; }),
              1);
    EXPECT_TRUE(p.Outcome().Stopped);
    EXPECT_TRUE(p.h.engine.PhonebookReadComplete());  // the phonebook was read again
}

TEST(Restore, CheckFreeSpaceNamesEachMemoryShortOfSpace) {
    RestoreRig p;
    // Free positions: SIM 2 free (3 of 5 used), mobile 2 free (1 of 3 used).
    const std::vector<RestoreRow> rows = {kSimAna, kSimIvo, kSimEva, kMeMarko};
    EXPECT_EQ(p.h.engine.CheckRestoreSpace(rows, RestoreMode::FreePositions),
              "It's not possible to restore entries to mobile, because\rthere's no enough free "
              "space.\r\rSpace missing on SIM card:  1\r\rIf you want to restore entries on free "
              "memories in mobile, delete\rfew entries from mobile or select less entries for "
              "restore.");
    EXPECT_EQ(p.h.engine.CheckRestoreSpace(rows, RestoreMode::Overwrite), "");
    std::vector<RestoreRow> many(6, kSimIvo);
    many.push_back(kMeMarko);
    const auto text = p.h.engine.CheckRestoreSpace(many, RestoreMode::Overwrite);
    EXPECT_NE(text.find("Space missing on SIM card:  1\r\rSelect less entries for restore."),
              std::string::npos)
        << text;
}

// The wizard's re-read for a backup: it ends with BackupRefreshFinished only
// when it ran to its end; refused or unanswered, the wizard hears that it
// failed (and the time-out says so, though no progress window is open).
TEST(BackupRefresh, OnlyAReadThatRanToItsEndFinishes) {
    {
        testing::SimPhoneRig h(RestoreRig::SmallPhone());
        ASSERT_TRUE(h.engine.RefreshPhonebookForBackup());
        h.clock.RunFor(60000);
        EXPECT_EQ(h.host.backupRefreshFinishes, 1);
        EXPECT_EQ(h.host.backupRefreshFailures, 0);
        EXPECT_TRUE(h.engine.PhonebookReadComplete());
    }
    {
        testing::SimPhoneRig h(RestoreRig::SmallPhone());
        phonesim::CommandFault silent;
        silent.command = "AT+CPBR=2";
        silent.noAnswer = true;
        h.phone().AddFault(silent);
        ASSERT_TRUE(h.engine.RefreshPhonebookForBackup());
        h.clock.RunFor(60000);
        EXPECT_EQ(h.host.backupRefreshFinishes, 0);
        EXPECT_EQ(h.host.backupRefreshFailures, 1);
        EXPECT_FALSE(h.engine.PhonebookReadComplete());
        ASSERT_EQ(h.host.dialogs.size(), 1u);
        EXPECT_EQ(h.host.dialogs[0].text,
                  "Unknown error occurred while trying\rto read data from mobile!\r\rPlease, try "
                  "againg!!!");
    }
    {
        testing::SimPhoneRig h(RestoreRig::SmallPhone());
        phonesim::CommandFault refused;
        refused.command = "AT+CPBR=2";
        refused.result = "ERROR";
        h.phone().AddFault(refused);
        ASSERT_TRUE(h.engine.RefreshPhonebookForBackup());
        h.clock.RunFor(60000);
        EXPECT_EQ(h.host.backupRefreshFinishes, 0);
        EXPECT_EQ(h.host.backupRefreshFailures, 1);
        EXPECT_FALSE(h.engine.PhonebookReadComplete());
    }
}

}  // namespace
}  // namespace parlenko

#include "components/midi/midi_data.h"

#include "components/midi/memory_stream.h"
#include "components/midi/riff_stream.h"
#include "tests/components/midi_bytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace parlenko::midi {
namespace {

using testing::Bytes;
using testing::Cat;
using testing::HeaderChunk;
using testing::RiffChunk;
using testing::Text;
using testing::TrackChunk;
using testing::WriteFile;

const Bytes kNoteTrack =
    TrackChunk({0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00});

void Load(TMidiData& midi, const Bytes& bytes) {
    TMemoryStream stream;
    stream.Write(bytes.data(), bytes.size());
    stream.Seek(0, soFromBeginning);
    midi.LoadFromStream(stream);
}

std::string LoadError(TMidiData& midi, const Bytes& bytes) {
    try {
        Load(midi, bytes);
    } catch (const Exception& e) {
        return e.what();
    }
    return "no error";
}

void ExpectClosed(const TMidiData& midi) {
    EXPECT_FALSE(midi.Active());
    EXPECT_EQ(midi.TrackCount(), 0);
    EXPECT_EQ(midi.Format(), 1);
    EXPECT_EQ(midi.HeaderTrackCount(), 0);
    EXPECT_EQ(midi.PPQN(), 180);
    EXPECT_TRUE(midi.ExtraHeader().empty());
}

int NoteOnCount(const TMidiData& midi) {
    int notes = 0;
    for (int i = 0; i < midi.TrackCount(); ++i)
        for (int j = 0; j < midi.GetTrack(i)->EventCount(); ++j)
            notes += midi.GetTrack(i)->GetEvent(j)->Status == 0x90;
    return notes;
}

TEST(MidiData, ANewModelIsFormatOneWithDivision180) {
    TMidiData midi;
    ExpectClosed(midi);
    EXPECT_EQ(midi.GetTrack(0), nullptr);
    EXPECT_EQ(midi.GetTrack(-1), nullptr);
}

TEST(MidiData, LoadsHeaderAndTracks) {
    TMidiData midi;
    Load(midi, Cat({HeaderChunk(1, 2, 96), kNoteTrack, kNoteTrack}));
    EXPECT_TRUE(midi.Active());
    EXPECT_EQ(midi.Format(), 1);
    EXPECT_EQ(midi.PPQN(), 96);
    ASSERT_EQ(midi.TrackCount(), 2);
    EXPECT_EQ(midi.GetTrack(2), nullptr);
    EXPECT_EQ(midi.GetTrack(1)->EventCount(), 3);
    EXPECT_EQ(NoteOnCount(midi), 2);
    EXPECT_FALSE(midi.Modified());
    midi.SetPPQN(96);
    EXPECT_FALSE(midi.Modified());
    midi.SetPPQN(480);
    EXPECT_TRUE(midi.Modified());
    EXPECT_EQ(midi.Header()[4], 0x01);  // kept big-endian
    EXPECT_EQ(midi.Header()[5], 0xE0);
}

TEST(MidiData, HeaderLengthBelowSixIsRefusedAndExtraBytesAreKept) {
    TMidiData midi;
    Bytes five = Cat({Text("MThd"), testing::BigEndian32(5), {0, 0, 0, 1, 0}, kNoteTrack});
    EXPECT_EQ(LoadError(midi, five), "Invalid MIDI header size");
    ExpectClosed(midi);

    Load(midi, Cat({HeaderChunk(0, 1, 120), kNoteTrack}));
    EXPECT_TRUE(midi.ExtraHeader().empty());

    Load(midi, Cat({HeaderChunk(0, 1, 120, {1, 2, 3, 4}), kNoteTrack}));
    EXPECT_EQ(midi.ExtraHeader(), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(midi.TrackCount(), 1);

    EXPECT_EQ(LoadError(midi, Cat({Text("MTrk"), testing::BigEndian32(6), {0, 0, 0, 1, 0, 96}})),
              "Invalid MIDI file ID");
    // A header length that passes the data is a read error, not an allocation.
    EXPECT_EQ(
        LoadError(midi, Cat({Text("MThd"), testing::BigEndian32(0xFFFFFFF0), {0, 0, 0, 1, 0, 96}})),
        "Stream read error");
}

TEST(MidiData, FewerTracksThanAnnouncedLeaveTheModelClosed) {
    TMidiData midi;
    EXPECT_EQ(LoadError(midi, Cat({HeaderChunk(1, 3, 96), kNoteTrack, kNoteTrack})),
              "Invalid track start ID");
    ExpectClosed(midi);
    // A track that fails inside closes the model as well.
    EXPECT_EQ(
        LoadError(midi, Cat({HeaderChunk(1, 2, 96), kNoteTrack, TrackChunk({0x00, 0x3C, 0x40})})),
        "Error in Running Status");
    ExpectClosed(midi);
}

TEST(MidiData, TooShortAStreamLoadsNothingWithoutError) {
    TMidiData midi;
    Load(midi, Cat({HeaderChunk(0, 1, 96), kNoteTrack}));
    EXPECT_EQ(LoadError(midi, Text("MThd")), "no error");
    ExpectClosed(midi);
}

TEST(MidiData, RiffWrappedFilesAreUnwrapped) {
    const Bytes smf = Cat({HeaderChunk(0, 1, 240), kNoteTrack});
    const Bytes rmid = RiffChunk(
        "RIFF",
        Cat({Text("RMID"), RiffChunk("LIST", Cat({Text("INFO"), RiffChunk("INAM", Text("odd"))})),
             RiffChunk("xtra", {7}), RiffChunk("data", smf)}));
    TMidiData midi;
    Load(midi, rmid);
    EXPECT_EQ(midi.PPQN(), 240);
    EXPECT_EQ(midi.TrackCount(), 1);
    EXPECT_EQ(NoteOnCount(midi), 1);

    // "riff" in lower case takes the RIFF road too (and finds no RIFF form).
    Bytes lower = rmid;
    lower[0] = 'r';
    lower[1] = 'i';
    EXPECT_EQ(LoadError(midi, lower), "Unable to descend into RMID");
    ExpectClosed(midi);

    const Bytes noData = RiffChunk("RIFF", Cat({Text("RMID"), RiffChunk("junk", smf)}));
    EXPECT_EQ(LoadError(midi, noData), "Unable to descend into data");
}

TEST(MidiData, OpensFilesByNameWhenActivated) {
    const std::string dir = ::testing::TempDir();
    const Bytes smf = Cat({HeaderChunk(0, 1, 240), kNoteTrack});
    const std::string mid = dir + "midi_data_test.mid";
    const std::string rmi = dir + "midi_data_test.rmi";
    WriteFile(mid, smf);
    const Bytes riff = RiffChunk("RIFF", Cat({Text("RMID"), RiffChunk("data", smf)}));
    WriteFile(rmi, riff);

    TMidiData midi;
    midi.SetFileName(mid);
    midi.SetActive(true);
    EXPECT_TRUE(midi.Active());
    EXPECT_FALSE(midi.IsRiff());
    EXPECT_EQ(midi.TrackCount(), 1);
    midi.SetActive(false);
    ExpectClosed(midi);

    midi.SetFileName(rmi);
    midi.SetActive(true);
    EXPECT_TRUE(midi.IsRiff());
    EXPECT_EQ(midi.PPQN(), 240);
    EXPECT_EQ(midi.FileName(), dir + "midi_data_test.MID");
    midi.SetActive(false);

    std::remove(rmi.c_str());
    midi.SetFileName(rmi);
    try {
        midi.SetActive(true);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to open " + rmi);
    }
    ExpectClosed(midi);

    midi.SetFileName("");
    midi.SetActive(true);
    EXPECT_TRUE(midi.Active());
    EXPECT_EQ(midi.TrackCount(), 0);
    std::remove(mid.c_str());
}

}  // namespace
}  // namespace parlenko::midi

#include "components/midi/midi_track_stream.h"

#include "components/midi/memory_stream.h"
#include "tests/components/midi_bytes.h"

#include <gtest/gtest.h>

#include <string>

namespace parlenko::midi {
namespace {

using testing::Bytes;
using testing::Cat;
using testing::RichTrackEvents;
using testing::TrackChunk;

std::unique_ptr<TMidiTrackStream> LoadChunk(const Bytes& chunk, int maxEvents = 1000) {
    TMemoryStream stream;
    stream.Write(chunk.data(), chunk.size());
    stream.Seek(0, soFromBeginning);
    auto track = std::make_unique<TMidiTrackStream>(maxEvents);
    track->LoadFromStream(stream);
    return track;
}

std::unique_ptr<TMidiTrackStream> LoadEvents(const Bytes& events) {
    return LoadChunk(TrackChunk(events));
}

std::string LoadError(const Bytes& events) {
    try {
        LoadEvents(events);
    } catch (const EMidiTrackStream& e) {
        return e.what();
    }
    return "no error";
}

bool IsEndOfTrack(const TMidiTrackStream& t, const TMidiTrackEvent& e) {
    const auto block = t.EventBlock(e);
    return e.Status == 0xFF && block.size() == 1 && block[0] == 0x2F;
}

std::string BlockText(const TMidiTrackStream& t, const TMidiTrackEvent& e) {
    const auto block = t.EventBlock(e);
    return std::string(block.begin(), block.end());
}

TEST(MidiTrackStream, RunningStatusSurvivesMetaAndSysexAndResolvesEveryRecord) {
    const auto t = LoadEvents(RichTrackEvents());
    ASSERT_EQ(t->EventCount(), 16);
    const TMidiTrackEvent& name = *t->GetEvent(0);
    EXPECT_EQ(name.Status, 0xFF);
    EXPECT_EQ(int{name.Length}, 5);  // type byte + 4
    EXPECT_EQ(BlockText(*t, name), "\x03Lead");

    const TMidiTrackEvent& sysex = *t->GetEvent(3);
    EXPECT_EQ(sysex.Status, 0xF0);
    EXPECT_EQ(int{sysex.Length}, 3);
    EXPECT_EQ(BlockText(*t, sysex), std::string("\x43\x12\x00", 3));
    EXPECT_EQ(t->GetEvent(4)->Status, 0xF7);
    EXPECT_EQ(int{t->GetEvent(4)->Tick}, 128);

    // 90 3C 40, then a data byte under running status after a sysex.
    EXPECT_EQ(t->GetEvent(6)->Status, 0x90);
    EXPECT_EQ(t->GetEvent(6)->DataBytes[0], 0x40);
    EXPECT_EQ(t->GetEvent(6)->DataBytes[1], 0x40);
    // After a text meta, running status still applies.
    const TMidiTrackEvent& afterMeta = *t->GetEvent(8);
    EXPECT_EQ(int{afterMeta.Tick}, 224);
    EXPECT_EQ(afterMeta.Status, 0x90);
    EXPECT_EQ(afterMeta.DataBytes[0], 0x3C);
    EXPECT_EQ(afterMeta.DataBytes[1], 0x00);

    const TMidiTrackEvent& last = *t->GetEvent(15);
    EXPECT_TRUE(IsEndOfTrack(*t, last));
    EXPECT_EQ(int{last.Tick}, 240 + 65535);
    EXPECT_EQ(t->GetEvent(14)->Status, 0xF8);  // no data bytes
    EXPECT_EQ(t->GetEvent(-1), nullptr);
    EXPECT_EQ(t->GetEvent(t->EventCount()), nullptr);
    EXPECT_FALSE(t->Modified());
}

TEST(MidiTrackStream, ChannelMessagesTakeOneOrTwoDataBytes) {
    const auto t = LoadEvents({0x00, 0xC1, 0x05, 0x00, 0x06,  // program change, twice (running)
                               0x00, 0xD2, 0x40, 0x00, 0x41,  // channel pressure, twice
                               0x00, 0xE3, 0x01, 0x40, 0x00, 0x02, 0x41,  // pitch bend, twice
                               0x00, 0xB4, 0x07, 0x64, 0x00, 0xFF, 0x2F, 0x00});
    ASSERT_EQ(t->EventCount(), 8);
    const int expected[][3] = {{0xC1, 5, 0},    {0xC1, 6, 0},    {0xD2, 0x40, 0}, {0xD2, 0x41, 0},
                               {0xE3, 1, 0x40}, {0xE3, 2, 0x41}, {0xB4, 7, 0x64}};
    for (int i = 0; i < 7; ++i) {
        const TMidiTrackEvent& e = *t->GetEvent(i);
        EXPECT_EQ(e.Status, expected[i][0]) << i;
        EXPECT_EQ(e.DataBytes[0], expected[i][1]) << i;
        EXPECT_EQ(e.DataBytes[1], expected[i][2]) << i;
        EXPECT_EQ(e.DataBytes[2], 0) << i;
        EXPECT_EQ(e.DataBytes[3], 0) << i;
    }
}

TEST(MidiTrackStream, RecordsLieFifteenBytesApartInTheStreamMemory) {
    // Note-on at tick 128, a one-byte program change, end of track.
    const auto t =
        LoadEvents({0x81, 0x00, 0x90, 0x3C, 0x64, 0x00, 0xC5, 0x07, 0x00, 0xFF, 0x2F, 0x00});
    ASSERT_EQ(t->EventCount(), 3);
    EXPECT_EQ(t->Position(), 45) << "the position stands after the last record";
    const std::uint8_t* m = t->Memory();
    ASSERT_EQ(reinterpret_cast<const std::uint8_t*>(t->GetEvent(1)), m + 15);
    // Tick (32-bit), Length (16-bit), Status, four data bytes, Link.
    EXPECT_EQ(Bytes(m, m + 15), (Bytes{0x80, 0, 0, 0, 0, 0, 0x90, 0x3C, 0x64, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(m + 15, m + 26), (Bytes{0x80, 0, 0, 0, 0, 0, 0xC5, 0x07, 0, 0, 0}));
    EXPECT_EQ(m[30 + 6], 0xFF);
    EXPECT_EQ(m[30 + 4], 1) << "meta Length = data length + 1";
    EXPECT_EQ(m[30 + 5], 0);
}

TEST(MidiTrackStream, RunningStatusNeedsAnEarlierChannelMessage) {
    EXPECT_EQ(LoadError({0x00, 0x3C, 0x40}), "Error in Running Status");
    // Neither a sysex nor a meta event gives a running status.
    EXPECT_EQ(LoadError({0x00, 0xF0, 0x01, 0xF7, 0x00, 0x3C, 0x40}), "Error in Running Status");
    EXPECT_EQ(LoadError({0x00, 0xFF, 0x01, 0x00, 0x00, 0x3C, 0x40}), "Error in Running Status");
}

TEST(MidiTrackStream, MissingEndOfTrackIsAddedLastAtTheFinalTick) {
    const auto t = LoadEvents({0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x00});
    ASSERT_EQ(t->EventCount(), 3);
    EXPECT_EQ(t->GetEvent(1)->Status, 0x80);
    EXPECT_TRUE(IsEndOfTrack(*t, *t->GetEvent(2)));
    EXPECT_EQ(int{t->GetEvent(2)->Tick}, 0x60);
    EXPECT_EQ(int{t->GetEvent(2)->Length}, 1);
    EXPECT_EQ(t->LinkedEvent(*t->GetEvent(1)), t->GetEvent(0));

    const auto empty = LoadEvents({});
    ASSERT_EQ(empty->EventCount(), 1);
    EXPECT_TRUE(IsEndOfTrack(*empty, *empty->GetEvent(0)));
    EXPECT_EQ(int{empty->GetEvent(0)->Tick}, 0);
}

TEST(MidiTrackStream, NotesPairLastInFirstOutWithVelocityZeroAsNoteOff) {
    // Two overlapping C4 on different channels, closed by a 9x velocity 0 and an 8x.
    const auto t =
        LoadEvents({0x00, 0x90, 0x3C, 0x40, 0x10, 0x91, 0x3C, 0x50, 0x10, 0x90, 0x3C, 0x00,
                    0x10, 0x80, 0x3C, 0x00, 0x00, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(t->LinkedEvent(*t->GetEvent(2)), t->GetEvent(1));
    EXPECT_EQ(t->LinkedEvent(*t->GetEvent(1)), t->GetEvent(2));
    EXPECT_EQ(t->LinkedEvent(*t->GetEvent(3)), t->GetEvent(0));
    EXPECT_EQ(t->LinkedEvent(*t->GetEvent(0)), t->GetEvent(3));
    EXPECT_EQ(t->LinkedEvent(*t->GetEvent(4)), nullptr);  // nothing left open
}

TEST(MidiTrackStream, AtMostFiveOpenNotesOfOneNumberAreStacked) {
    Bytes events;
    for (int i = 0; i < 6; ++i)
        events.insert(events.end(), {0x00, 0x90, 0x40, static_cast<std::uint8_t>(10 + i)});
    for (int i = 0; i < 6; ++i) events.insert(events.end(), {0x00, 0x80, 0x40, 0x00});
    const auto t = LoadEvents(events);
    EXPECT_EQ(t->LinkedEvent(*t->GetEvent(6)),
              t->GetEvent(4));  // the sixth note-on was not stacked
    EXPECT_EQ(t->LinkedEvent(*t->GetEvent(5)), nullptr);
    EXPECT_EQ(t->LinkedEvent(*t->GetEvent(10)), t->GetEvent(0));
    EXPECT_EQ(t->LinkedEvent(*t->GetEvent(11)), nullptr);
}

TEST(MidiTrackStream, SplitSysexMustBeContinuedByAnF7Packet) {
    EXPECT_EQ(LoadError({0x00, 0xF0, 0x02, 0x43, 0x12, 0x00, 0x90, 0x3C, 0x40}), "Error in Sysex");
    EXPECT_EQ(LoadError({0x00, 0xF0, 0x02, 0x43, 0x12, 0x00, 0xFF, 0x2F, 0x00}), "Error in Sysex");
    // An empty continuation packet leaves the sysex open...
    EXPECT_EQ(LoadError({0x00, 0xF0, 0x01, 0x43, 0x00, 0xF7, 0x00, 0x00, 0x90, 0x3C, 0x40}),
              "Error in Sysex");
    // ...and an empty sysex does not open one.
    EXPECT_EQ(LoadError({0x00, 0xF0, 0x00, 0x00, 0x90, 0x3C, 0x40}), "no error");
    const auto t = LoadEvents(
        {0x00, 0xF0, 0x01, 0x43, 0x00, 0xF7, 0x00, 0x00, 0xF7, 0x01, 0xF7, 0x00, 0xC0, 0x01});
    EXPECT_EQ(t->EventCount(), 5);
}

TEST(MidiTrackStream, LengthsAreCheckedAgainstTheChunk) {
    EXPECT_EQ(LoadError({0x00, 0xF0, 0x05, 0x01, 0xF7}), "Event runs past the end of the track");
    EXPECT_EQ(LoadError({0x00, 0xFF, 0x01, 0x8F, 0xFF, 0xFF, 0x7F, 'x'}),
              "Event runs past the end of the track");
    EXPECT_EQ(LoadError({0x00, 0x90, 0x3C}), "Event runs past the end of the track");
    EXPECT_EQ(LoadError({0x80}), "Event runs past the end of the track");
    EXPECT_EQ(LoadError({0x81, 0x80, 0x80, 0x80, 0x00, 0xF8}),
              "Variable-length number longer than four bytes");
    // 0x0FFFFFFF ticks nine times passes the signed 32-bit range.
    Bytes far;
    for (int i = 0; i < 9; ++i) far.insert(far.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0xF8});
    EXPECT_EQ(LoadError(far), "Event time beyond the range of a track");
    // The chunk's own length beyond the stream's bytes is a read error.
    Bytes shortChunk = TrackChunk({0x00, 0xFF, 0x2F, 0x00});
    shortChunk[7] = 5;
    EXPECT_THROW(LoadChunk(shortChunk), EReadError);
    EXPECT_THROW(LoadChunk(Cat({testing::Text("MTrx"), {0, 0, 0, 0}})), EMidiTrackStream);
}

TEST(MidiTrackStream, MoreEventsThanRoomExceedTheCapacity) {
    const Bytes events = {0x00, 0xF8, 0x00, 0xF8, 0x00, 0xF8};
    EXPECT_THROW(LoadChunk(TrackChunk(events), 3), EVirtualMemory);  // plus the end-of-track
    EXPECT_EQ(LoadChunk(TrackChunk(events), 4)->EventCount(), 4);
}

TEST(MidiTrackStream, EveryPrefixOfARichTrackLoadsOrRaisesAModelError) {
    const Bytes events = RichTrackEvents();
    const Bytes whole = TrackChunk(events);
    int loaded = 0;
    for (std::size_t n = 0; n <= events.size(); ++n) {
        const Bytes prefix(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(n));
        // The prefix as a whole chunk, and the full chunk header cut short.
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        for (const Bytes& chunk : {TrackChunk(prefix), cut}) {
            try {
                const auto t = LoadChunk(chunk);
                ++loaded;
                ASSERT_GT(t->EventCount(), 0);
                EXPECT_TRUE(IsEndOfTrack(*t, *t->GetEvent(t->EventCount() - 1))) << n;
            } catch (const Exception&) {
            } catch (...) {
                ADD_FAILURE() << "unexpected exception type at prefix " << n;
            }
        }
    }
    EXPECT_GT(loaded, 10);
}

TEST(MidiTrackStream, FindEventFindsRunsOfEqualTicks) {
    const auto t = LoadEvents({0x00, 0xC0, 0x01, 0x10, 0xC0, 0x02, 0x00, 0xC0, 0x03, 0x00, 0xC0,
                               0x04, 0x10, 0xC0, 0x05, 0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(t->FindEvent(0x10, 0), 1);
    EXPECT_EQ(t->FindEvent(0x10, 1), 3);
    EXPECT_EQ(t->FindEvent(0x08, 0), 1);   // the first greater tick
    EXPECT_EQ(t->FindEvent(0x21, 0), -1);  // beyond every tick
    EXPECT_EQ(TMidiTrackStream(10).FindEvent(0, 0), -1);
}

TEST(MidiTrackStream, InsertGoesAfterEqualTicksAndKeepsEndOfTrackLast) {
    auto t = LoadEvents({0x00, 0xC0, 0x01, 0x10, 0xC0, 0x02, 0x00, 0xC0, 0x03, 0x10, 0xC0, 0x04,
                         0x00, 0xFF, 0x2F, 0x00});
    const TMidiEventData program{0xC0, {0x09, 0, 0, 0}};
    EXPECT_EQ(t->InsertEvent(0x10, program, 0), t->GetEvent(3));
    EXPECT_EQ(t->GetEvent(3)->DataBytes[0], 0x09);
    EXPECT_EQ(t->GetEvent(4)->DataBytes[0], 0x04);
    EXPECT_TRUE(t->Modified());

    // Beyond the end: the end-of-track moves to the new tick and stays last.
    t->AddMetaEvent(0x100, 0x01, 3, "abc");
    ASSERT_EQ(t->EventCount(), 7);
    EXPECT_EQ(BlockText(*t, *t->GetEvent(5)),
              "\x01"
              "abc");
    EXPECT_EQ(int{t->GetEvent(5)->Length}, 4);
    EXPECT_TRUE(IsEndOfTrack(*t, *t->GetEvent(6)));
    EXPECT_EQ(int{t->GetEvent(6)->Tick}, 0x100);
}

TEST(MidiTrackStream, InsertBeyondATrackWithoutEndOfTrackFails) {
    TMidiTrackStream t(10);
    const TMidiEventData program{0xC0, {0x01, 0, 0, 0}};
    t.InsertEvent(5, program, 0);
    try {
        t.InsertEvent(6, program, 0);
        FAIL() << "no error";
    } catch (const EMidiTrackStream& e) {
        EXPECT_STREQ(e.what(), "System error inserting event");
    }
}

TEST(MidiTrackStream, InsertThatMovesRecordsLeavesNoStalePartner) {
    auto t = LoadEvents({0x00, 0x90, 0x3C, 0x40, 0x10, 0x90, 0x3E, 0x40, 0x10, 0x80,
                         0x3C, 0x00, 0x10, 0x80, 0x3E, 0x00, 0x00, 0xFF, 0x2F, 0x00});
    t->InsertEvent(0x08, TMidiEventData{0xC0, {0x01, 0, 0, 0}}, 0);
    t->InsertEvent(0x30, TMidiEventData{0xC0, {0x02, 0, 0, 0}}, 0);  // just before the last record
    for (int i = 0; i < t->EventCount(); ++i) {
        const TMidiTrackEvent& e = *t->GetEvent(i);
        const TMidiTrackEvent* partner = t->LinkedEvent(e);
        if ((e.Status & 0xF0) == 0x90 || (e.Status & 0xF0) == 0x80) {
            ASSERT_NE(partner, nullptr) << i;
            EXPECT_EQ(partner->DataBytes[0], e.DataBytes[0]) << i;
            EXPECT_EQ(t->LinkedEvent(*partner), &e) << i;
        } else {
            EXPECT_EQ(partner, nullptr) << i;
        }
    }
}

TEST(MidiTrackStream, LongBlocksKeepTheirFullSize) {
    Bytes events = {0x00, 0xF0, 0x84, 0x80, 0x01};  // 65537 bytes
    events.insert(events.end(), 65536, 0x11);
    events.push_back(0xF7);
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    const auto t = LoadEvents(events);
    EXPECT_EQ(int{t->GetEvent(0)->Length}, 1);  // the low 16 bits
    EXPECT_EQ(t->EventBlock(*t->GetEvent(0)).size(), 65537u);
}

}  // namespace
}  // namespace parlenko::midi

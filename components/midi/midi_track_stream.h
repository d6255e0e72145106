#pragma once
// One track of a Standard MIDI File held as a flat array of fixed-size event
// records inside a TVirtualMemoryStream: record i lies at byte i * 15 of the
// stream's memory, so GetEvent is a multiplication and FindEvent a binary
// search. Meta and system exclusive events keep their bytes in data blocks
// owned by the track; a record refers to its block by index.

#include "components/midi/stream.h"
#include "components/midi/virtual_memory_stream.h"

#include <cstdint>
#include <span>
#include <vector>

namespace parlenko::midi {

#pragma pack(push, 1)
// The event record. Fields of a packed record are read and written by value.
struct TMidiTrackEvent {
    std::int32_t Tick;     // absolute time in ticks from the track start
    std::uint16_t Length;  // $F0/$F7/$FF: low 16 bits of the block size
    std::uint8_t Status;   // status byte, running status resolved
    // Channel messages: first and second data byte (second 0 when the message
    // has one), then two zeros. $F0/$F7/$FF: the 32-bit index of the data
    // block in the track's block table (little-endian).
    std::uint8_t DataBytes[4];
    std::uint32_t Link;  // 1-based index of the paired note-on/note-off, 0 = none
};
// The value handed to InsertEvent: the status followed by the four data bytes.
struct TMidiEventData {
    std::uint8_t Status;
    std::uint8_t DataBytes[4];
};
#pragma pack(pop)
static_assert(sizeof(TMidiTrackEvent) == 15, "a track event record is 15 bytes");
static_assert(sizeof(TMidiEventData) == 5, "event data is 5 bytes");

class EMidiTrackStream : public Exception {
public:
    using Exception::Exception;
};

class TMidiTrackStream : public TVirtualMemoryStream {
public:
    static constexpr std::int32_t kRecordSize = 15;

    // Room for maxEvents records; empty.
    explicit TMidiTrackStream(std::int32_t maxEvents);

    // Reads one "MTrk" chunk at the stream's position. Every length in the
    // chunk is checked against the bytes that remain; a bad chunk raises
    // EMidiTrackStream (or the stream's EReadError) before anything is stored.
    // A track without an end-of-track event gets one, last, at its final tick.
    void LoadFromStream(TStream& stream);

    std::int32_t EventCount() const { return count_; }
    // Record index, or nullptr when index is negative or not below the count.
    TMidiTrackEvent* GetEvent(std::int32_t index);
    const TMidiTrackEvent* GetEvent(std::int32_t index) const;

    // Index of the event at tick: mode 0 the first of a run of equal ticks,
    // mode 1 the last, other modes the one the search met; when no event has
    // that tick, the first with a greater one; -1 when none is greater.
    std::int32_t FindEvent(std::int32_t tick, int mode) const;
    // Inserts an event after every event of the same or smaller tick, except
    // that a trailing event of the same tick (the end-of-track) stays last.
    // A trailing end-of-track moves up to a later tick. For status $F0, $F7
    // and $FF the data bytes hold a block index from AddBlock.
    TMidiTrackEvent* InsertEvent(std::int32_t tick, const TMidiEventData& eventData,
                                 std::uint16_t length);
    // Inserts a meta event whose block holds metaType and dataLength bytes of data.
    TMidiTrackEvent* AddMetaEvent(std::int32_t tick, std::uint8_t metaType,
                                  std::uint32_t dataLength, const void* data);
    // Stores a data block in the track and returns its index.
    std::uint32_t AddBlock(std::vector<std::uint8_t> block);
    // Links each note-off with the most recent open note-on of its note
    // number (channel not considered; at most five open per note). Links
    // made before are cleared first.
    void PairNotes();

    // The data block of an $F0, $F7 or $FF record (the meta type first for
    // $FF); empty for other records.
    std::span<const std::uint8_t> EventBlock(const TMidiTrackEvent& event) const;
    // The record's note partner, or nullptr.
    const TMidiTrackEvent* LinkedEvent(const TMidiTrackEvent& event) const;

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    static bool HasBlock(std::uint8_t status) {
        return status == 0xF0 || status == 0xF7 || status == 0xFF;
    }
    // Data bytes of a channel message by its status (1 or 2), 0 for others.
    static int ChannelDataBytes(std::uint8_t status);

private:
    struct PassResult {
        std::int64_t count = 0;
        bool hasEndOfTrack = false;
        std::int32_t finalTick = 0;
    };
    template <bool Store>
    PassResult ParseTrack(const std::vector<std::uint8_t>& chunk);
    TMidiTrackEvent* Record(std::int32_t index) const;
    std::uint32_t BlockIndexOf(const TMidiTrackEvent& event) const;

    std::int32_t count_ = 0;
    bool modified_ = false;
    std::vector<std::vector<std::uint8_t>> blocks_;
};

}  // namespace parlenko::midi

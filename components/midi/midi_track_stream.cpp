#include "components/midi/midi_track_stream.h"

#include <array>
#include <cstring>
#include <limits>

namespace parlenko::midi {
namespace {

constexpr char kRunsPastEnd[] = "Event runs past the end of the track";

// Reads the bytes of one track chunk; every read is checked against its end.
class ChunkReader {
public:
    explicit ChunkReader(const std::vector<std::uint8_t>& chunk) : chunk_(chunk) {}

    bool AtEnd() const { return pos_ >= chunk_.size(); }

    std::uint8_t Byte() {
        if (pos_ >= chunk_.size()) throw EMidiTrackStream(kRunsPastEnd);
        return chunk_[pos_++];
    }

    // 7 bits per byte, most significant group first; at most four bytes.
    std::uint32_t VariableLength() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = Byte();
            value = (value << 7) | (b & 0x7Fu);
            if ((b & 0x80u) == 0) return value;
        }
        throw EMidiTrackStream("Variable-length number longer than four bytes");
    }

    const std::uint8_t* Take(std::uint32_t count) {
        if (count > chunk_.size() - pos_) throw EMidiTrackStream(kRunsPastEnd);
        const std::uint8_t* p = chunk_.data() + pos_;
        pos_ += count;
        return p;
    }

private:
    const std::vector<std::uint8_t>& chunk_;
    std::size_t pos_ = 0;
};

TMidiEventData BlockEventData(std::uint8_t status, std::uint32_t blockIndex) {
    TMidiEventData data{};
    data.Status = status;
    std::memcpy(data.DataBytes, &blockIndex, sizeof blockIndex);
    return data;
}

// The bytes of a sysex ($F0, $F7) or meta ($FF) event after its status.
struct BlockBytes {
    bool present = false;
    bool meta = false;
    std::uint8_t type = 0;  // a meta event's type
    const std::uint8_t* bytes = nullptr;
    std::uint32_t length = 0;
};

BlockBytes ReadBlock(ChunkReader& in, std::uint8_t status) {
    BlockBytes block;
    block.present = true;
    block.meta = status == 0xFF;
    if (block.meta) block.type = in.Byte();
    block.length = in.VariableLength();
    block.bytes = in.Take(block.length);
    return block;
}

// Keeps the block in the stream and points the record at it; a meta
// event's block starts with its type.
void StoreBlock(TMidiTrackStream& stream, TMidiTrackEvent& record, const BlockBytes& block) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(block.length + 1u);
    if (block.meta) bytes.push_back(block.type);
    bytes.insert(bytes.end(), block.bytes, block.bytes + block.length);
    record.Length = static_cast<std::uint16_t>(bytes.size());
    const TMidiEventData data = BlockEventData(record.Status, stream.AddBlock(std::move(bytes)));
    std::memcpy(record.DataBytes, data.DataBytes, sizeof data.DataBytes);
}

// Where the parse of a track stands between two events.
struct TrackCursor {
    std::int64_t tick = 0;
    std::uint8_t runningStatus = 0;
    bool sysexOpen = false;  // a sysex packet waits for its $F7 continuation
};

// Reads one event: its time, its status (or the running one) and a channel
// message's data bytes; a sysex or meta event's bytes go into `block`.
TMidiTrackEvent ReadEvent(ChunkReader& in, TrackCursor& cursor, BlockBytes& block) {
    cursor.tick += in.VariableLength();
    if (cursor.tick > std::numeric_limits<std::int32_t>::max())
        throw EMidiTrackStream("Event time beyond the range of a track");
    const std::uint8_t b = in.Byte();
    if (cursor.sysexOpen && b != 0xF7) throw EMidiTrackStream("Error in Sysex");
    const bool statusPresent = (b & 0x80) != 0;
    if (!statusPresent && cursor.runningStatus == 0)
        throw EMidiTrackStream("Error in Running Status");
    const std::uint8_t status = statusPresent ? b : cursor.runningStatus;

    TMidiTrackEvent record{};
    record.Tick = static_cast<std::int32_t>(cursor.tick);
    record.Status = status;
    block = {};
    if (status < 0xF0) {
        record.DataBytes[0] = statusPresent ? in.Byte() : b;
        if (statusPresent) cursor.runningStatus = status;
        record.DataBytes[1] = TMidiTrackStream::ChannelDataBytes(status) == 2 ? in.Byte() : 0;
    } else if (TMidiTrackStream::HasBlock(status)) {
        block = ReadBlock(in, status);
        // An empty packet changes nothing.
        if (!block.meta && block.length > 0)
            cursor.sysexOpen = block.bytes[block.length - 1] != 0xF7;
    }
    return record;
}

}  // namespace

namespace {

std::int32_t CapacityFor(std::int32_t maxEvents) {
    if (maxEvents > std::numeric_limits<std::int32_t>::max() / TMidiTrackStream::kRecordSize)
        throw EVirtualMemory("Invalid capacity");
    return maxEvents > 0 ? maxEvents * TMidiTrackStream::kRecordSize : 0;
}

}  // namespace

TMidiTrackStream::TMidiTrackStream(std::int32_t maxEvents)
    : TVirtualMemoryStream(CapacityFor(maxEvents), 0) {}

int TMidiTrackStream::ChannelDataBytes(std::uint8_t status) {
    static constexpr std::array<int, 16> kByNibble = {0, 0, 0, 0, 0, 0, 0, 0,
                                                      2, 2, 2, 2, 1, 1, 2, 0};
    return kByNibble[status >> 4];
}

TMidiTrackEvent* TMidiTrackStream::Record(std::int32_t index) const {
    return reinterpret_cast<TMidiTrackEvent*>(Memory() +
                                              static_cast<std::size_t>(index) * kRecordSize);
}

TMidiTrackEvent* TMidiTrackStream::GetEvent(std::int32_t index) {
    return index < 0 || index >= count_ ? nullptr : Record(index);
}

const TMidiTrackEvent* TMidiTrackStream::GetEvent(std::int32_t index) const {
    return index < 0 || index >= count_ ? nullptr : Record(index);
}

std::uint32_t TMidiTrackStream::BlockIndexOf(const TMidiTrackEvent& event) const {
    std::uint32_t index = 0;
    std::memcpy(&index, event.DataBytes, sizeof index);
    return index;
}

std::span<const std::uint8_t> TMidiTrackStream::EventBlock(const TMidiTrackEvent& event) const {
    if (!HasBlock(event.Status)) return {};
    const std::uint32_t index = BlockIndexOf(event);
    if (index >= blocks_.size()) return {};
    return blocks_[index];
}

const TMidiTrackEvent* TMidiTrackStream::LinkedEvent(const TMidiTrackEvent& event) const {
    const std::uint32_t link = event.Link;
    if (link == 0 || link > static_cast<std::uint32_t>(count_)) return nullptr;
    return Record(static_cast<std::int32_t>(link - 1));
}

std::uint32_t TMidiTrackStream::AddBlock(std::vector<std::uint8_t> block) {
    blocks_.push_back(std::move(block));
    return static_cast<std::uint32_t>(blocks_.size() - 1);
}

template <bool Store>
TMidiTrackStream::PassResult TMidiTrackStream::ParseTrack(const std::vector<std::uint8_t>& chunk) {
    PassResult result;
    ChunkReader in(chunk);
    TrackCursor cursor;
    BlockBytes block;
    while (!in.AtEnd()) {
        TMidiTrackEvent record = ReadEvent(in, cursor, block);
        if (block.meta && block.type == 0x2F) result.hasEndOfTrack = true;
        if constexpr (Store) {
            if (block.present) StoreBlock(*this, record, block);
            std::memcpy(Record(static_cast<std::int32_t>(result.count)), &record, kRecordSize);
        }
        ++result.count;
    }
    result.finalTick = static_cast<std::int32_t>(cursor.tick);
    return result;
}

void TMidiTrackStream::LoadFromStream(TStream& stream) {
    char id[4] = {};
    if (stream.Read(id, 4) != 4 || std::memcmp(id, "MTrk", 4) != 0)
        throw EMidiTrackStream("Invalid track start ID");
    std::uint32_t length = 0;
    stream.ReadBuffer(&length, 4);
    length = SwapLong(length);
    if (length > static_cast<std::uint64_t>(stream.Remaining()))
        throw EReadError("Stream read error");
    std::vector<std::uint8_t> chunk(length);
    stream.ReadBuffer(chunk.data(), chunk.size());

    const PassResult counted = ParseTrack<false>(chunk);
    const std::int64_t records = counted.count + (counted.hasEndOfTrack ? 0 : 1);
    if (records * kRecordSize > Capacity()) throw EVirtualMemory("Size exceeds capacity");

    blocks_.clear();
    count_ = 0;
    SetSize(counted.count * kRecordSize);
    ParseTrack<true>(chunk);
    count_ = static_cast<std::int32_t>(counted.count);
    if (!counted.hasEndOfTrack) {
        // Appended rather than inserted: the end-of-track must be the last event.
        const std::int64_t needed = (static_cast<std::int64_t>(count_) + 1) * kRecordSize;
        if (Size() < needed) SetSize(needed);
        TMidiTrackEvent end{};
        end.Tick = counted.finalTick;
        end.Status = 0xFF;
        end.Length = 1;
        const TMidiEventData data = BlockEventData(0xFF, AddBlock({0x2F}));
        std::memcpy(end.DataBytes, data.DataBytes, sizeof data.DataBytes);
        std::memcpy(Record(count_), &end, kRecordSize);
        ++count_;
    }
    Seek(static_cast<std::int64_t>(count_) * kRecordSize, soFromBeginning);
    PairNotes();
}

std::int32_t TMidiTrackStream::FindEvent(std::int32_t tick, int mode) const {
    if (count_ == 0) return -1;
    std::int32_t low = 0;
    std::int32_t high = count_ - 1;
    std::int32_t middle = 0;
    while (low <= high) {
        middle = low + (high - low) / 2;
        const std::int32_t t = Record(middle)->Tick;
        if (t == tick) break;
        if (tick < t) high = middle - 1;
        else low = middle + 1;
    }
    std::int32_t i = middle;
    while (i < count_ && tick > Record(i)->Tick) ++i;
    if (i >= count_) return -1;
    if (Record(i)->Tick != tick) return i;
    if (mode == 0) {
        while (i > 0 && Record(i - 1)->Tick == tick) --i;
    } else if (mode == 1) {
        while (i < count_ - 1 && Record(i + 1)->Tick == tick) ++i;
    }
    return i;
}

TMidiTrackEvent* TMidiTrackStream::InsertEvent(std::int32_t tick, const TMidiEventData& eventData,
                                               std::uint16_t length) {
    if (count_ > 0) {
        TMidiTrackEvent* last = Record(count_ - 1);
        const auto block = EventBlock(*last);
        if (last->Status == 0xFF && !block.empty() && block[0] == 0x2F && last->Tick < tick)
            last->Tick = tick;
    }
    const std::int64_t needed = (static_cast<std::int64_t>(count_) + 1) * kRecordSize;
    if (Size() < needed) SetSize(needed);

    std::int32_t index = 0;
    if (count_ > 0) {
        index = FindEvent(tick, 1);
        if (index < 0) throw EMidiTrackStream("System error inserting event");
        if (index < count_ - 1 && Record(index)->Tick == tick) ++index;
        std::memmove(Record(index + 1), Record(index),
                     static_cast<std::size_t>(count_ - index) * kRecordSize);
    }
    TMidiTrackEvent record{};
    record.Tick = tick;
    record.Length = length;
    record.Status = eventData.Status;
    std::memcpy(record.DataBytes, eventData.DataBytes, sizeof record.DataBytes);
    std::memcpy(Record(index), &record, kRecordSize);
    const std::int32_t oldCount = count_;
    ++count_;
    // Records moved: every stored partner index after the insertion point is stale.
    if (index < oldCount) PairNotes();
    modified_ = true;
    return Record(index);
}

TMidiTrackEvent* TMidiTrackStream::AddMetaEvent(std::int32_t tick, std::uint8_t metaType,
                                                std::uint32_t dataLength, const void* data) {
    std::vector<std::uint8_t> block(static_cast<std::size_t>(dataLength) + 1);
    block[0] = metaType;
    if (dataLength > 0) std::memcpy(block.data() + 1, data, dataLength);
    const std::uint32_t index = AddBlock(std::move(block));
    return InsertEvent(tick, BlockEventData(0xFF, index),
                       static_cast<std::uint16_t>(dataLength + 1));
}

void TMidiTrackStream::PairNotes() {
    constexpr std::size_t kMaxOpen = 5;
    std::array<std::array<std::int32_t, kMaxOpen>, 128> open{};
    std::array<std::size_t, 128> depth{};
    for (std::int32_t i = 0; i < count_; ++i) Record(i)->Link = 0;
    for (std::int32_t i = 0; i < count_; ++i) {
        TMidiTrackEvent* event = Record(i);
        const std::uint8_t kind = event->Status >> 4;
        const std::uint8_t note = event->DataBytes[0];
        if (note > 127) continue;  // not a note number: a damaged message
        const bool noteOn = kind == 0x9 && event->DataBytes[1] != 0;
        const bool noteOff = kind == 0x8 || (kind == 0x9 && event->DataBytes[1] == 0);
        if (noteOn) {
            if (depth[note] < kMaxOpen) open[note][depth[note]++] = i;
        } else if (noteOff && depth[note] > 0) {
            const std::int32_t partner = open[note][--depth[note]];
            event->Link = static_cast<std::uint32_t>(partner) + 1;
            Record(partner)->Link = static_cast<std::uint32_t>(i) + 1;
        }
    }
}

}  // namespace parlenko::midi

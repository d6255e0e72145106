#pragma once
// A Standard MIDI File in memory: the "MThd" header (kept big-endian as in
// the file), any header bytes beyond the standard six, and one
// TMidiTrackStream per "MTrk" chunk. Reads plain files and files wrapped in
// a RIFF form (".RMI"); a failed load leaves the model closed.

#include "components/midi/midi_track_stream.h"
#include "components/midi/stream.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace parlenko::midi {

// "Invalid MIDI file ID", "Invalid MIDI header size".
class EMidiData : public Exception {
public:
    using Exception::Exception;
};

class TMidiData {
public:
    static constexpr std::int32_t kMaxEventsPerTrack = 100000;

    // A new model: format 1, no tracks, division 180.
    TMidiData();
    ~TMidiData();
    TMidiData(const TMidiData&) = delete;
    TMidiData& operator=(const TMidiData&) = delete;

    // The header's division in the machine's byte order (0..65535). Setting
    // a different value sets the modified mark.
    int PPQN() const;
    void SetPPQN(int value);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }

    // True opens FileName (".RMI"/".RIFF" as a RIFF file, whose FileName then
    // ends in ".MID"), or makes a new empty model when FileName is empty;
    // False closes. Errors pass on with the model closed.
    bool Active() const { return active_; }
    void SetActive(bool value);

    // Reads a MIDI file, or a RIFF file ("RIFF" in any case at the start),
    // from the stream. Fewer than 5 bytes leave the model closed and empty.
    void LoadFromStream(TStream& stream);

    int TrackCount() const { return static_cast<int>(tracks_.size()); }
    // The track, or nullptr when index is negative or not below TrackCount.
    TMidiTrackStream* GetTrack(int index) const;

    // The six header bytes as in the file, and their fields.
    const std::array<std::uint8_t, 6>& Header() const { return header_; }
    int Format() const { return header_[0] << 8 | header_[1]; }
    int HeaderTrackCount() const { return header_[2] << 8 | header_[3]; }
    // Header bytes beyond the first six (empty when none).
    const std::vector<std::uint8_t>& ExtraHeader() const { return extraHeader_; }

    bool Modified() const { return modified_; }
    // The last file opened by name was a RIFF file.
    bool IsRiff() const { return riff_; }

private:
    void Close();
    void Open();
    void ReadHeader(TStream& stream);
    void ReadTracks(TStream& stream);
    void ReadContents(TStream& stream);
    void ReadRiffContents(TStream& stream);

    std::vector<std::unique_ptr<TMidiTrackStream>> tracks_;
    std::string fileName_;
    std::vector<std::uint8_t> extraHeader_;
    std::array<std::uint8_t, 6> header_{};
    bool modified_ = false;
    bool active_ = false;
    bool riff_ = false;
};

}  // namespace parlenko::midi

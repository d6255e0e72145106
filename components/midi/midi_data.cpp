#include "components/midi/midi_data.h"

#include "components/midi/file_stream.h"
#include "components/midi/memory_stream.h"
#include "components/midi/riff_stream.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace parlenko::midi {
namespace {

constexpr int kNewFormat = 1;
constexpr int kNewDivision = 180;

// The extension from the last dot of the file's own name ("" when none).
std::string::size_type ExtensionStart(const std::string& fileName) {
    const auto dot = fileName.find_last_of('.');
    const auto slash = fileName.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string::npos;
    return dot;
}

std::string UpperExtension(const std::string& fileName) {
    const auto dot = ExtensionStart(fileName);
    std::string ext = dot == std::string::npos ? std::string() : fileName.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    return ext;
}

std::string ChangeFileExt(const std::string& fileName, const std::string& ext) {
    const auto dot = ExtensionStart(fileName);
    return (dot == std::string::npos ? fileName : fileName.substr(0, dot)) + ext;
}

}  // namespace

TMidiData::TMidiData() { Close(); }

TMidiData::~TMidiData() = default;

void TMidiData::Close() {
    extraHeader_.clear();
    tracks_.clear();
    header_ = {0, kNewFormat, 0, 0, kNewDivision >> 8, kNewDivision & 0xFF};
    modified_ = false;
    active_ = false;
}

int TMidiData::PPQN() const { return header_[4] << 8 | header_[5]; }

void TMidiData::SetPPQN(int value) {
    if (value == PPQN()) return;
    header_[4] = static_cast<std::uint8_t>(value >> 8);
    header_[5] = static_cast<std::uint8_t>(value);
    modified_ = true;
}

TMidiTrackStream* TMidiData::GetTrack(int index) const {
    if (index < 0 || index >= TrackCount()) return nullptr;
    return tracks_[static_cast<std::size_t>(index)].get();
}

void TMidiData::SetActive(bool value) {
    if (value == active_) return;
    if (!value) {
        Close();
    } else if (!fileName_.empty()) {
        Open();
    } else {
        Close();
        fileName_.clear();
        active_ = true;
    }
}

void TMidiData::Open() {
    Close();
    const std::string ext = UpperExtension(fileName_);
    riff_ = ext == ".RMI" || ext == ".RIFF";
    try {
        if (riff_) {
            TRiffFileStream stream(fileName_, fmOpenRead | fmShareDenyWrite);
            stream.Descend("RMID", MMIO_FINDRIFF);
            stream.Descend("data", MMIO_FINDCHUNK);
            ReadContents(stream);
        } else {
            TFileStream stream(fileName_, fmOpenRead | fmShareDenyWrite);
            ReadContents(stream);
        }
    } catch (...) {
        Close();
        throw;
    }
    active_ = true;
    if (riff_) fileName_ = ChangeFileExt(fileName_, ".MID");
}

void TMidiData::LoadFromStream(TStream& stream) {
    Close();
    if (stream.Size() < 5) return;
    char id[4] = {};
    stream.Read(id, 4);
    stream.Seek(0, soFromBeginning);
    const bool riff = std::toupper(static_cast<unsigned char>(id[0])) == 'R' &&
                      std::toupper(static_cast<unsigned char>(id[1])) == 'I' &&
                      std::toupper(static_cast<unsigned char>(id[2])) == 'F' &&
                      std::toupper(static_cast<unsigned char>(id[3])) == 'F';
    try {
        if (riff) ReadRiffContents(stream);
        else ReadContents(stream);
    } catch (...) {
        Close();
        throw;
    }
    active_ = true;
}

void TMidiData::ReadRiffContents(TStream& stream) {
    TMemoryStream copy;
    copy.CopyFrom(stream, 0);
    TRiffMemoryStream riff(copy.Memory(), static_cast<std::size_t>(copy.Size()));
    riff.Descend("RMID", MMIO_FINDRIFF);
    riff.Descend("data", MMIO_FINDCHUNK);
    ReadContents(riff);
}

void TMidiData::ReadContents(TStream& stream) {
    ReadHeader(stream);
    ReadTracks(stream);
    modified_ = false;
}

void TMidiData::ReadHeader(TStream& stream) {
    char id[4] = {};
    if (stream.Read(id, 4) != 4 || std::memcmp(id, "MThd", 4) != 0)
        throw EMidiData("Invalid MIDI file ID");
    std::uint32_t length = 0;
    stream.ReadBuffer(&length, 4);
    length = SwapLong(length);
    if (length < 6) throw EMidiData("Invalid MIDI header size");
    stream.ReadBuffer(header_.data(), header_.size());
    if (length > 6) {
        const std::uint32_t extra = length - 6;
        if (extra > static_cast<std::uint64_t>(stream.Remaining()))
            throw EReadError("Stream read error");
        extraHeader_.resize(extra);
        stream.ReadBuffer(extraHeader_.data(), extra);
    }
}

void TMidiData::ReadTracks(TStream& stream) {
    const int count = HeaderTrackCount();
    for (int i = 0; i < count; ++i) {
        auto track = std::make_unique<TMidiTrackStream>(kMaxEventsPerTrack);
        track->LoadFromStream(stream);
        track->SetModified(false);
        tracks_.push_back(std::move(track));
    }
}

}  // namespace parlenko::midi

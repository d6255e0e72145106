#pragma once
// Builders of MIDI and RIFF bytes for the model's tests.

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace parlenko::midi::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

inline Bytes BigEndian32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

inline Bytes LittleEndian32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

inline Bytes TrackChunk(const Bytes& events) {
    return Cat({Text("MTrk"), BigEndian32(static_cast<std::uint32_t>(events.size())), events});
}

inline Bytes HeaderChunk(int format, int tracks, int division, const Bytes& extra = {}) {
    return Cat({Text("MThd"),
                BigEndian32(static_cast<std::uint32_t>(6 + extra.size())),
                {static_cast<std::uint8_t>(format >> 8), static_cast<std::uint8_t>(format),
                 static_cast<std::uint8_t>(tracks >> 8), static_cast<std::uint8_t>(tracks),
                 static_cast<std::uint8_t>(division >> 8), static_cast<std::uint8_t>(division)},
                extra});
}

// A RIFF chunk with its pad byte when the size is odd.
inline Bytes RiffChunk(const std::string& id, const Bytes& data) {
    Bytes out = Cat({Text(id), LittleEndian32(static_cast<std::uint32_t>(data.size())), data});
    if (data.size() % 2) out.push_back(0);
    return out;
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A track using running status, metas, a split sysex, every channel message
// kind, and an end-of-track.
inline Bytes RichTrackEvents() {
    return {0x00, 0xFF, 0x03, 0x04, 'L',  'e',  'a',  'd',  // track name
            0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,       // tempo
            0x00, 0xC0, 0x05,                               // program change
            0x00, 0xF0, 0x03, 0x43, 0x12, 0x00,             // sysex, continued below
            0x81, 0x00, 0xF7, 0x02, 0x43, 0xF7,             // continuation at +128
            0x00, 0x90, 0x3C, 0x40,                         // note on
            0x00, 0x40, 0x40,                               // running status
            0x60, 0xFF, 0x01, 0x02, 'h',  'i',              // text meta keeps running status
            0x00, 0x3C, 0x00,                               // note off by velocity 0
            0x10, 0x80, 0x40, 0x00,                         // note off
            0x00, 0xB0, 0x07, 0x64,                         // controller
            0x00, 0xD0, 0x30,                               // channel pressure
            0x00, 0xE0, 0x00, 0x40,                         // pitch bend
            0x00, 0xA0, 0x3C, 0x10,                         // key pressure
            0x83, 0xFF, 0x7F, 0xF8,                         // a one-byte system message
            0x00, 0xFF, 0x2F, 0x00};
}

}  // namespace parlenko::midi::testing

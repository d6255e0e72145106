// Prints what the MIDI model reads from each file named on the command line,
// one JSON object per line, for comparison with another parser:
//   {"file":..., "format":F, "tracks_announced":N, "division":D, "extra_header":"hex",
//    "tracks":[[{"tick":T,"status":S,"data":[..]} | {...,"meta":M,"block":"hex"} | {...,"block":"hex"}]]}
// or {"file":..., "error":"message", "class":"EMidiTrackStream"} when the model refuses it.
// The file is read into memory and loaded from there, as the melody page does.
#include "components/midi/file_stream.h"
#include "components/midi/memory_stream.h"
#include "components/midi/midi_data.h"
#include "components/midi/riff_stream.h"
#include "components/midi/virtual_memory_stream.h"

#include <cstdio>
#include <exception>
#include <span>
#include <string>

using namespace parlenko::midi;

namespace {

std::string Hex(std::span<const std::uint8_t> bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

std::string Quoted(const std::string& s) {
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c < 0x20 || c >= 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out + "\"";
}

const char* ClassOf(const Exception& e) {
    if (dynamic_cast<const EMidiTrackStream*>(&e)) return "EMidiTrackStream";
    if (dynamic_cast<const EMidiData*>(&e)) return "EMidiData";
    if (dynamic_cast<const EVirtualMemory*>(&e)) return "EVirtualMemory";
    if (dynamic_cast<const EReadError*>(&e)) return "EReadError";
    if (dynamic_cast<const EStreamError*>(&e)) return "EStreamError";
    return "Exception";
}

void DumpTrack(const TMidiTrackStream& track, std::string& out) {
    out += "[";
    for (int i = 0; i < track.EventCount(); ++i) {
        const TMidiTrackEvent& e = *track.GetEvent(i);
        if (i) out += ",";
        out += "{\"tick\":" + std::to_string(e.Tick) + ",\"status\":" + std::to_string(e.Status);
        const auto block = track.EventBlock(e);
        if (e.Status == 0xFF) {
            out += ",\"meta\":" + std::to_string(block.empty() ? -1 : block[0]);
            out += ",\"block\":\"" + Hex(block.empty() ? block : block.subspan(1)) + "\"";
        } else if (TMidiTrackStream::HasBlock(e.Status)) {
            out += ",\"block\":\"" + Hex(block) + "\"";
        } else if (e.Status < 0xF0) {
            out += ",\"data\":[" + std::to_string(e.DataBytes[0]);
            if (TMidiTrackStream::ChannelDataBytes(e.Status) == 2)
                out += "," + std::to_string(e.DataBytes[1]);
            out += "]";
        }
        out += "}";
    }
    out += "]";
}

}  // namespace

int main(int argc, char** argv) {
    for (int a = 1; a < argc; ++a) {
        const std::string file = argv[a];
        std::string out = "{\"file\":" + Quoted(file);
        try {
            TMemoryStream stream;
            stream.LoadFromFile(file);
            TMidiData midi;
            midi.LoadFromStream(stream);
            out += ",\"active\":" + std::string(midi.Active() ? "true" : "false");
            out += ",\"format\":" + std::to_string(midi.Format());
            out += ",\"tracks_announced\":" + std::to_string(midi.HeaderTrackCount());
            out += ",\"division\":" + std::to_string(midi.PPQN());
            out += ",\"extra_header\":\"" + Hex(midi.ExtraHeader()) + "\"";
            out += ",\"tracks\":[";
            for (int t = 0; t < midi.TrackCount(); ++t) {
                if (t) out += ",";
                DumpTrack(*midi.GetTrack(t), out);
            }
            out += "]";
        } catch (const Exception& e) {
            out += ",\"error\":" + Quoted(e.what()) + ",\"class\":\"" + ClassOf(e) + "\"";
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: unexpected exception: %s\n", file.c_str(), e.what());
            return 2;
        }
        out += "}\n";
        std::fputs(out.c_str(), stdout);
    }
    return 0;
}

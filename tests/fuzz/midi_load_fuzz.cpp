// fuzz-links: parlenko_midi
// Any bytes loaded as a MIDI file (plain or RIFF-wrapped): either the model
// loads them and every record holds together, or it raises one of its own
// errors and is left closed. Any other exception escapes and is reported.
#include "components/midi/memory_stream.h"
#include "components/midi/midi_data.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace parlenko::midi;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

void Walk(TMidiTrackStream& track) {
    const int count = track.EventCount();
    Check(count > 0);
    std::int32_t previous = 0;
    for (int i = 0; i < count; ++i) {
        const TMidiTrackEvent& e = *track.GetEvent(i);
        Check(e.Tick >= previous);
        previous = e.Tick;
        const auto block = track.EventBlock(e);
        if (TMidiTrackStream::HasBlock(e.Status))
            Check(static_cast<std::uint16_t>(block.size()) == e.Length);
        if (const TMidiTrackEvent* partner = track.LinkedEvent(e))
            Check(track.LinkedEvent(*partner) == &e);
    }
    const TMidiTrackEvent& last = *track.GetEvent(count - 1);
    Check(track.FindEvent(last.Tick, 1) == count - 1);
    Check(track.FindEvent(0, 0) == 0);
    // Inserting keeps the order; it may only fail with the model's own errors.
    try {
        track.AddMetaEvent(last.Tick / 2, 0x01, 2, "ab");
        track.InsertEvent(last.Tick, TMidiEventData{0x90, {0x3C, 0x40, 0, 0}}, 0);
    } catch (const Exception&) {}
    for (int i = 1; i < track.EventCount(); ++i)
        Check(track.GetEvent(i - 1)->Tick <= track.GetEvent(i)->Tick);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    stream.Write(data, size);
    stream.Seek(0, soFromBeginning);
    TMidiData midi;
    try {
        midi.LoadFromStream(stream);
    } catch (const Exception&) {
        Check(!midi.Active() && midi.TrackCount() == 0 && midi.GetTrack(0) == nullptr);
        return 0;
    }
    Check(midi.TrackCount() == (midi.Active() ? midi.HeaderTrackCount() : 0));
    for (int i = 0; i < midi.TrackCount(); ++i) Walk(*midi.GetTrack(i));
    Check(midi.GetTrack(midi.TrackCount()) == nullptr && midi.GetTrack(-1) == nullptr);
    return 0;
}

// The MIDI file model lives in this folder.
namespace parlenko::midi {
int ModelVersion() { return 1; }
}  // namespace parlenko::midi

// The file formats of the exchange layer live in this folder; this unit keeps
// the library non-empty while it grows.
namespace parlenko::exchange {
int FormatsVersion() { return 1; }
}  // namespace parlenko::exchange

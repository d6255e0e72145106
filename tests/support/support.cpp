// Test support for the engine lives in this folder.
namespace parlenko::testing {
int SupportVersion() { return 1; }
}  // namespace parlenko::testing

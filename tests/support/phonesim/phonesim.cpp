// The simulated phone lives in this folder.
namespace phonesim {
int Version() { return 1; }
}  // namespace phonesim

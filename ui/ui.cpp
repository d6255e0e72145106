// The windows live in this folder.
namespace parlenko::ui {
int UiVersion() { return 1; }
}  // namespace parlenko::ui

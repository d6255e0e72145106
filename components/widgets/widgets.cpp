// The widgets of our own live in this folder.
namespace parlenko::widgets {
int WidgetsVersion() { return 1; }
}  // namespace parlenko::widgets

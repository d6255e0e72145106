#pragma once
// What the window manager makes of the program's windows, read from the X
// server: the window tests under Xvfb with a window manager (openbox) check
// titles, stacking and activation with these. Everything answers "nothing"
// off the X11 platform or without a window manager.

#include <QPixmap>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class QWidget;

namespace parlenko::ui::testing {

// The program runs on the X11 platform (xcb) and a window manager runs
// there, waited for up to maxMs.
bool OnX11();
bool WaitForWindowManager(int maxMs);

using X11Window = std::uint32_t;
// The native window of a top-level widget (0 when it has none).
X11Window NativeWindow(const QWidget& window);
// The title the window manager shows (_NET_WM_NAME).
QString WindowTitle(const QWidget& window);
// The active window and the stacking order from bottom to top, as the
// window manager keeps them (_NET_ACTIVE_WINDOW, _NET_CLIENT_LIST_STACKING).
X11Window ActiveWindow();
std::vector<X11Window> Stacking();
// Whether a lies above b in the stacking order (both managed).
bool Above(const QWidget& a, const QWidget& b);
// The managed windows of a process (_NET_WM_PID), bottom to top, and the
// title of a native window.
std::vector<X11Window> WindowsOf(long long pid);
QString TitleOf(X11Window window);
// The frame the window manager draws around the window: left, right, top,
// bottom (_NET_FRAME_EXTENTS; zeros when it draws none).
std::array<long, 4> FrameExtents(const QWidget& window);

// Asks the window manager to close the window, as its title bar's close
// button or Alt+F4 does (_NET_CLOSE_WINDOW); the window manager then asks the
// program (WM_DELETE_WINDOW).
void RequestClose(const QWidget& window);

// Brings a shown window to the front and waits until the display shows it
// whole: framed, when a window manager runs (for up to three seconds, as the
// window manager may be slow), then painted.
void SettleForPicture(QWidget& window);
// What the screen shows of an area once it holds still (two grabs a moment
// apart agree); a null picture off the X11 platform.
QPixmap StillScreen(const QRect& area);

}  // namespace parlenko::ui::testing

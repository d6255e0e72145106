#pragma once
// Small windows centre themselves on the main window when shown.

class QWidget;

namespace parlenko::ui {

// The window's inside centred on the main window's, at the same place at
// every showing (the window manager's frame, not known before the first
// showing, does not move it). Nothing happens without a main window.
// Called when the window's size is final (its showing).
void CenterOnWindow(QWidget* window, const QWidget* main);
// The window's inside centred on the screen the window is on.
void CenterOnScreen(QWidget* window);

}  // namespace parlenko::ui

#pragma once
// Small windows centre themselves on the main window when shown.

class QWidget;

namespace parlenko::ui {

// left := main left + main width div 2 - own width div 2; top likewise.
// Nothing happens without a main window.
void CenterOnWindow(QWidget* window, const QWidget* main);
// Centre on the screen the window is on.
void CenterOnScreen(QWidget* window);

}  // namespace parlenko::ui

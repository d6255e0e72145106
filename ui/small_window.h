#pragma once
// What the small windows of the program share: the interface font on the
// cream background, and (for those that belong to the main window) centring
// on the main window each time they are shown.

#include <QDialog>

namespace parlenko::ui {

// The interface font and the cream window background, filled.
void ApplyWindowLook(QWidget* window);

// A small window of the main window. It is not the main window's child: the
// main window is disabled while the phone answers, and that must not disable
// this one. It wears the shared look and centres itself on the main window
// (if any) whenever it is shown.
class TSmallWindow : public QDialog {
public:
    explicit TSmallWindow(QWidget* mainWindow);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* main_;
};

}  // namespace parlenko::ui

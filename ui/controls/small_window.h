#pragma once
// What the small windows of the program share: the interface font on the
// cream background, and (for those that belong to the main window) centring
// on the main window each time they are shown.

#include <QDialog>

namespace parlenko::ui {

// The interface font and the cream window background, filled.
void ApplyWindowLook(QWidget* window);

// A small window of the main window. It wears the shared look and, whenever
// it is shown, belongs to the window that opens it (window_owner.h) and
// centres itself on the main window (if any). It is no child of the main
// window: its owner changes with the window that opens it, and whoever made
// it deletes it.
class TSmallWindow : public QDialog {
public:
    explicit TSmallWindow(QWidget* mainWindow);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* main_;
};

}  // namespace parlenko::ui

#include "ui/controls/small_window.h"

#include "ui/artwork/artwork.h"
#include "ui/controls/window_owner.h"
#include "ui/controls/window_placement.h"

#include <QPalette>

namespace parlenko::ui {

void ApplyWindowLook(QWidget* window) {
    window->setFont(artwork::UiFont(8.5));
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, artwork::kCream);
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

TSmallWindow::TSmallWindow(QWidget* mainWindow) : QDialog(nullptr), main_(mainWindow) {
    ApplyWindowLook(this);
}

void TSmallWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    OwnByOpeningWindow(this, main_);
    CenterOnWindow(this, main_);
}

}  // namespace parlenko::ui

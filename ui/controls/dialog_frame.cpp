#include "ui/controls/dialog_frame.h"

namespace parlenko::ui {

void FrameDialog(QDialog* window, const char* name, const QString& title, Qt::WindowFlags flags,
                 const QSize& size, Modality modality) {
    window->setObjectName(name);
    window->setWindowTitle(title);
    window->setWindowFlags(flags);
    if (modality == Modality::Modal) window->setModal(true);
    window->setFixedSize(size);
}

}  // namespace parlenko::ui

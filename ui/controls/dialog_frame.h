#pragma once
// The frame every fixed-size window of the program sets up the same way:
// its name, its title, its window flags, whether it is modal, its size.

#include <QDialog>
#include <QSize>
#include <QString>

namespace parlenko::ui {

// A dialog with a title bar and a close box, and nothing else of the
// system's (no maximize, no help).
constexpr Qt::WindowFlags kClosableDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

enum class Modality { Modal, Modeless };

void FrameDialog(QDialog* window, const char* name, const QString& title, Qt::WindowFlags flags,
                 const QSize& size, Modality modality = Modality::Modal);

}  // namespace parlenko::ui

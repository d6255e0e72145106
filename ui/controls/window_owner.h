#pragma once
// Every dialog and message box belongs to the window that opens it: it is
// transient for that window, so the window manager shows it in front of
// it (also of a window that stays on top, as the exchange windows do) and
// keeps it there. The dialogs are made once and opened from several windows
// (the entry dialog from the phonebook page and from the contacts
// exchange), so the owner is settled each time one is shown.

class QWidget;

namespace parlenko::ui {

// The window that opens a dialog now: the modal window in front, else the
// active window, else fallback's window (the main window). Never dialog
// itself; null when there is none of them.
QWidget* OpeningWindow(const QWidget* dialog, QWidget* fallback);

// Makes dialog (a window, about to be shown) transient for owner's window.
// Nothing without an owner or when owner is dialog itself.
void SetOwner(QWidget* dialog, const QWidget* owner);

// Both: dialog is owned by the window that opens it now.
void OwnByOpeningWindow(QWidget* dialog, QWidget* fallback);

}  // namespace parlenko::ui

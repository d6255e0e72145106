#pragma once
// A line edit for a security code: each character typed shows as "#".

class QLineEdit;
class QRect;
class QWidget;

namespace parlenko::ui {

void ShowCodeAsHashes(QLineEdit* edit);

// An edit for a code of at most maxLength characters (0: no limit of its
// own), named, at its place, showing "#" for each character.
QLineEdit* CodeEdit(QWidget* parent, const char* name, const QRect& r, int maxLength = 0);

}  // namespace parlenko::ui

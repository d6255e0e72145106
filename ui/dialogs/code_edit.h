#pragma once
// A line edit for a security code: each character typed shows as "#".

class QLineEdit;

namespace parlenko::ui {

void ShowCodeAsHashes(QLineEdit* edit);

}  // namespace parlenko::ui

#pragma once
// The other side of a call or a message in the windows that show it: its
// name (OsobaLab) and its number (TelefonLab).

#include <string>

class QLabel;

namespace parlenko::ui {

struct TPartyLabels {
    QLabel* name = nullptr;
    QLabel* number = nullptr;
    // The engine's Windows-1252 texts.
    void Show(const std::string& nameText, const std::string& numberText) const;
    void Clear() const;
};

}  // namespace parlenko::ui

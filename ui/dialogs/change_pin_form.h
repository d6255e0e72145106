#pragma once
// "Promjena tajnog broja": the old code and the new one twice. "U redu"
// closes with OK once all three are codes of the chosen kind; the locks
// page compares the new ones and sends the change. The codes are emptied on
// every showing.

#include "ui/controls/small_window.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace parlenko::ui {

class TChangePinForm : public TSmallWindow {
    Q_OBJECT
public:
    explicit TChangePinForm(QWidget* mainWindow);

    // kind 1..8 as the locks page's radios; caption: the code's name.
    void SetKind(int kind, const QString& caption);
    void OldPinEditChange();

    // The codes as typed: the old one, the new one, and whether its
    // repetition is the same.
    QString OldCode() const;
    QString NewCode() const;
    bool NewCodesMatch() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* PinTypeLab = nullptr;
    // OldPinEdit, New1PinEdit, New2PinEdit: the old code, the new one and
    // its repetition, checked alike.
    std::array<QLineEdit*, 3> Codes{};
    QPushButton* Button1 = nullptr;  // "U redu"
    QPushButton* Button2 = nullptr;  // "Odustani"

    // Kinds 4..8 are the network's barring password.
    bool NetworkPassword() const { return kind_ >= 4; }
    int kind_ = 1;
};

}  // namespace parlenko::ui

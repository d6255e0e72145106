#pragma once
// "Zaključavanja i otključavanja . . .": locks or unlocks the keypad (no
// code), the phone to its SIM card (phone code), the SIM card (PIN) or
// dialling outside the fixed numbers (PIN 2). The chosen lock is kept
// between openings; the code is emptied on every showing.

#include "ui/controls/on_off_buttons.h"
#include "ui/controls/small_window.h"

#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TChangeLockForm : public TSmallWindow {
    Q_OBJECT
public:
    TChangeLockForm(QWidget* mainWindow, PhoneEngine& engine);

    void RadioButton1Click(int tag);  // Tag 1..4: "CS", "PS", "SC", "FD"
    void PinEditChange();
    void Button1Click(int tag);  // 10 lock, 20 unlock

    int Facility() const { return facility_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QRadioButton*, 4> RadioButton{};
    QLabel* PinTypeLab = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* PinEdit = nullptr;
    controls::OnOffButtons Buttons;  // Button1 "Zaključaj", Button2 "Otključaj", Button3
    PhoneEngine& engine_;
    int facility_ = 1;
};

}  // namespace parlenko::ui

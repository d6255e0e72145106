#pragma once
// "Postavljanje zabrane poziva . . .": switches one call barring on or off
// for one class of calls with the network's barring password. The chosen
// barring and class are kept between openings; the password is emptied on
// every showing.

#include "ui/controls/on_off_buttons.h"
#include "ui/controls/small_window.h"

class QLineEdit;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TBarringForm : public TSmallWindow {
    Q_OBJECT
public:
    TBarringForm(QWidget* mainWindow, PhoneEngine& engine);

    void RadioButton1Click(int tag);  // a barring (Tag 5..9)
    void RadioButton6Click(int tag);  // a class (Tag 1, 2, 4)
    void PswdEditChange();
    void ActivateBtnClick(int tag);  // 1 on, 2 off

    int Facility() const { return facility_; }
    int CallClass() const { return class_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* PswdEdit = nullptr;
    controls::OnOffButtons Buttons;  // ActivateBtn, DeactivateBtn, Button3
    PhoneEngine& engine_;
    // The choices of the radios: RadioButton1..5 the barrings "AO", "OI",
    // "OX", "AI", "IR"; RadioButton6..8 voice, data, fax.
    int facility_ = 5;
    int class_ = 1;
};

}  // namespace parlenko::ui

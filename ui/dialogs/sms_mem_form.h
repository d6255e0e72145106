#pragma once
// "Upiši telefonski broj . . .": the recipient of a stored message that has
// none, asked when it is sent. Closes with OK (Send) once TelEdit holds a
// phone number, else with Cancel.

#include "ui/controls/hint_balloon.h"
#include "ui/controls/small_window.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TSmsMemForm : public TSmallWindow {
    Q_OBJECT
public:
    TSmsMemForm(PhoneEngine& engine, QWidget* mainWindow);
    ~TSmsMemForm() override;

    void FormShow();
    void NazivCBChange();
    void TelEditChange(bool edited);
    // The number typed (or chosen by its name).
    QString Number() const;
    widgets::TTessaryHintWindow* Hint() const { return balloon_.Window(); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PhoneEngine& engine_;
    THintBalloon balloon_{this};

    QComboBox* NazivCB = nullptr;
    QLineEdit* TelEdit = nullptr;
    QPushButton* SendBtn = nullptr;
    QPushButton* Button2 = nullptr;
};

}  // namespace parlenko::ui

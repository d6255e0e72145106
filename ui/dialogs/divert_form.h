#pragma once
// "Preusmjeravanje poziva": registers and switches on, or switches off, the
// divert of one reason for one class of calls. It opens on "Uvijek" and
// voice; choosing a reason or class shows the page's current number (and,
// for no reply, the time). A phonebook name fills its number; a typed known
// number selects its name. A number with other characters than digits, "+",
// "*" and "#" shows a balloon and blocks both buttons.

#include "ui/controls/hint_balloon.h"
#include "ui/controls/on_off_buttons.h"
#include "ui/controls/small_window.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::widgets {
class TTessaryHintWindow;
}

namespace parlenko::ui {

class TDivertForm : public TSmallWindow {
    Q_OBJECT
public:
    TDivertForm(QWidget* mainWindow, PhoneEngine& engine);

    void FillNameList();
    void NazivCBChange();
    void TelEditChange();
    void TelEditExit();
    void ClassCBChange();
    void ActivateBtnClick(int tag);  // 1 activate, 2 deactivate

    // The validation balloon while one is shown.
    widgets::TTessaryHintWindow* Balloon() const { return balloon_.Window(); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Which divert: its reason (ReasonCB) and the class of calls (ClassCB,
    // with its picture ClassPB).
    struct DivertChoice {
        QComboBox* reason = nullptr;
        QComboBox* callClass = nullptr;
        QWidget* picture = nullptr;
        // "Uvijek" and voice, without telling the handlers.
        void Reset() const;
    } Which;
    QComboBox* NazivCB = nullptr;
    QLineEdit* TelEdit = nullptr;
    // The time of no reply before the call is diverted, there only for
    // that reason: "Nakon:" (Label3), TimeEdit with TimeUpDown, "sek" (Label4).
    struct NoReplyTime {
        QLabel* caption = nullptr;
        QLineEdit* edit = nullptr;
        QSpinBox* upDown = nullptr;
        QLabel* unit = nullptr;
        void SetEnabled(bool enabled) const;
    } Time;
    controls::OnOffButtons Buttons;  // ActivateBtn, DeactivateBtn, CloseBtn

    PhoneEngine& engine_;
    THintBalloon balloon_;
};

}  // namespace parlenko::ui

#pragma once
// "Preusmjeravanje poziva": registers and switches on, or switches off, the
// divert of one reason for one class of calls. It opens on "Uvijek" and
// voice; choosing a reason or class shows the page's current number (and,
// for no reply, the time). A phonebook name fills its number; a typed known
// number selects its name. A number with other characters than digits, "+",
// "*" and "#" shows a balloon and blocks both buttons.

#include "ui/controls/small_window.h"

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
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
    ~TDivertForm() override;

    void FillNameList();
    void NazivCBChange();
    void TelEditChange();
    void TelEditExit();
    void ClassCBChange();
    void ActivateBtnClick(int tag);  // 1 activate, 2 deactivate

    // The validation balloon while one is shown.
    widgets::TTessaryHintWindow* Balloon() const { return balloon_.get(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* ReasonCB = nullptr;
    QComboBox* ClassCB = nullptr;
    QWidget* ClassPB = nullptr;
    QComboBox* NazivCB = nullptr;
    QLineEdit* TelEdit = nullptr;
    QLineEdit* TimeEdit = nullptr;
    QSpinBox* TimeUpDown = nullptr;
    QLabel* Label3 = nullptr;  // "Nakon:"
    QLabel* Label4 = nullptr;  // "sek"
    QPushButton* ActivateBtn = nullptr;
    QPushButton* DeactivateBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    void FreeBalloon();

    PhoneEngine& engine_;
    std::unique_ptr<widgets::TTessaryHintWindow> balloon_;
};

}  // namespace parlenko::ui

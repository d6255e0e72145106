#pragma once
// The locks sub-page "Zakljucavanja": the four phone locks with their
// indicators ("Osvježi" asks the phone, "Izmjeni" opens the lock dialog),
// and the change of the eight security codes: a radio button per code and
// "Promjeni", which opens the code dialog.

#include <QWidget>

#include <array>
#include <memory>

class QPushButton;
class QRadioButton;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TChangeLockForm;
class TChangePinForm;
class TIndicatorBox;

class TLocksPage : public QWidget {
    Q_OBJECT
public:
    TLocksPage(PhoneEngine& engine, QWidget* mainWindow);
    ~TLocksPage() override;

    // Also run when the sub-page is entered while connected.
    void RefreshLocksBtnClick();
    void LockBtnClick();
    // The eight code radios: the kind of code to change.
    void Psw1RBClick(int tag);
    // The code dialog; equal new codes are sent, different ones asked about.
    void Button3Click();

    // The indicator picture of lock 1..4 ("CS", "PS", "SC", "FD").
    void ShowLock(int number, int picture);
    // 1 PIN, 2 PIN 2, 3 phone code, 4..8 the barring passwords.
    int SecurityCodeKind() const { return securityCodeKind_; }
    TChangeLockForm* ChangeLockForm() const { return lockForm_.get(); }
    TChangePinForm* ChangePinForm() const { return pinForm_.get(); }

private:
    std::array<TIndicatorBox*, 4> LockPB{};  // "CS", "PS", "SC", "FD"
    QPushButton* RefreshLocksBtn = nullptr;
    QPushButton* LockBtn = nullptr;
    std::array<QRadioButton*, 8> PswRB{};  // Psw1RB..Psw8RB, Tag 1..8
    QPushButton* Button3 = nullptr;
    int securityCodeKind_ = 1;
    PhoneEngine& engine_;
    QWidget* mainWindow_;
    std::unique_ptr<TChangeLockForm> lockForm_;
    std::unique_ptr<TChangePinForm> pinForm_;
};

}  // namespace parlenko::ui

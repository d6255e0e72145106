#pragma once
// The four small call windows: the dial dialog, the window of a call in
// progress with its DTMF keypad, the incoming-call notice and the prepaid
// balance. Each stays on top and centres itself on the main window when
// shown. They start operations through PhoneEngine only; TCallWindows
// (call_windows.h) shows them for the engine.

#include "ui/controls/small_window.h"
#include "ui/dialogs/party_labels.h"

#include <QString>

#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

// "Pozovi telefonski broj . . .": the number to dial, the name the phonebook
// knows for it, and the hide-my-number box. Accepted (DialBtn) only with a
// number the phone can dial; the title-bar close and Esc cancel.
class TDialForm : public TSmallWindow {
    Q_OBJECT
public:
    TDialForm(QWidget* mainWindow, PhoneEngine& engine);

    // BlockNumberCheck unchecked, the name and number given, TelEdit focused.
    void Preset(const QString& name, const QString& number);
    // The number as it is dialled: the trimmed text of TelEdit.
    QString Number() const;
    // The name shown for it (OsobaLab).
    QString Name() const;
    // "Sakrij svoj broj" is ticked.
    bool HidesOwnNumber() const;

    void TelEditChange();

private:
    QLabel* OsobaLab = nullptr;
    QLineEdit* TelEdit = nullptr;
    QCheckBox* BlockNumberCheck = nullptr;
    QPushButton* DialBtn = nullptr;
    QPushButton* Button1 = nullptr;  // "Odustani"
    PhoneEngine& engine_;
};

// "Telefonski poziv . . .": the other party, the hang-up button and the DTMF
// keypad. Only the hang-up (or the end of the call) closes it.
class TTalkingToForm : public TSmallWindow {
    Q_OBJECT
public:
    TTalkingToForm(QWidget* mainWindow, PhoneEngine& engine);

    // The other party (the engine's Windows-1252 texts).
    void ShowParty(const std::string& name, const std::string& number);

    // The tones of DtmfStrEdit as they are sent: trimmed, a-d as A-D. Empty
    // when the text holds anything but tones.
    std::string Tones() const;

    void HangUpBtnClick();
    void DtmfStrEditChange();
    void SendStrBtnClick();
    void btnTone1Click(int tag);

    // Closing (hang-up or the end of the call) blanks the labels.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Esc and the title bar do not close it.
    void reject() override;

private:
    TPartyLabels Party;
    QPushButton* HangUpBtn = nullptr;
    // btnTone0 .. btnTone9, btnToneZvj ("*"), btnToneLjest ("#"), btnToneA .. btnToneD,
    // by Tag 0..15.
    std::array<QPushButton*, 16> ToneButtons{};
    QLineEdit* DtmfStrEdit = nullptr;
    QPushButton* SendStrBtn = nullptr;
    QSpinBox* DurationUD = nullptr;  // with its edit, 1..255

    PhoneEngine& engine_;
};

// "Dolazni poziv!": who calls, answer or reject. Not modal; it closes by
// itself CloseTimer after the last call to Present. While another window of
// the program is modal it is shown as that window's child, so that it still
// takes clicks.
class TNewCallForm : public TSmallWindow {
    Q_OBJECT
public:
    TNewCallForm(QWidget* mainWindow, PhoneEngine& engine);

    // Shows the texts (engine's Windows-1252), brings the notice up and
    // restarts CloseTimer.
    void Present(const std::string& name, const std::string& number);

    void Button1Click();
    void Button2Click();

    // Every way of closing: the timer stops, the labels are blanked and the
    // engine is told.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TPartyLabels Party;
    QPushButton* Button1 = nullptr;  // answer
    QPushButton* Button2 = nullptr;  // reject
    QTimer* CloseTimer = nullptr;

    // Back to a window of its own (no parent), shown again when it was.
    void LeaveModalParent();
    PhoneEngine& engine_;
    std::string name_;
    std::string number_;
    QWidget* modalParent_ = nullptr;
};

// "Stanje na računu": the prepaid balance the operator answered.
class TKreditForm : public TSmallWindow {
    Q_OBJECT
public:
    explicit TKreditForm(QWidget* mainWindow);

    // The operator's caption and the balance it answered (Windows-1252).
    void ShowBalance(const std::string& caption, const std::string& balance);

private:
    QLabel* SaldoLab = nullptr;
    QPushButton* Button1 = nullptr;  // "Zatvori"
};

}  // namespace parlenko::ui

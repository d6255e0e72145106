#pragma once
// "Nova SMS poruka!": the notice of a message just received, with its
// sender, time and text. It closes itself 30 s after it was last filled;
// "Zatvori" and "Odgovori na poruku" clear the new-message indicator, the
// latter opening the compose window to the sender. A message read while
// the notice is up refills it.

#include "engine/sms/sms_view.h"
#include "ui/small_window.h"

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TNewSmsForm : public TSmallWindow {
    Q_OBJECT
public:
    TNewSmsForm(PhoneEngine& engine, QWidget* mainWindow);

    // Fills the notice and restarts its timer; shows it modally unless it
    // is up already (then it is only raised).
    void ShowNotice(const NewSmsNotice& notice);
    // Whether Reply may open the compose window (it is not open already).
    std::function<bool()> CanReply;
    // Opens the compose window to the sender (name, number), modally.
    std::function<void(const QString& name, const QString& number)> Reply;

    void FormShow();
    void CloseTimerTimer();
    void Button1Click();
    void Button2Click();

    QLabel* OsobaLab = nullptr;
    QLabel* TelefonLab = nullptr;
    QLabel* DatumLab = nullptr;
    QPlainTextEdit* PorukaMemo = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QTimer* CloseTimer = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    PhoneEngine& engine_;
    bool inLoop_ = false;
};

}  // namespace parlenko::ui

#pragma once
// "Nova SMS poruka!": the notice of a message just received, with its
// sender, time and text. It closes itself 30 s after it was last filled;
// "Zatvori" and "Odgovori na poruku" clear the new-message indicator, the
// latter asking for the compose window to the sender (ReplyRequested). A
// message read while the notice is up refills it.

#include "engine/sms/sms_view.h"
#include "ui/controls/small_window.h"
#include "ui/dialogs/party_labels.h"

#include <QString>

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
    // is up already (then it is only raised). replyAllowed: the reply button
    // is on (the compose window is not open already).
    void ShowNotice(const NewSmsNotice& notice, bool replyAllowed);

    void FormShow();
    void CloseTimerTimer();
    void Button1Click();
    void Button2Click();

    void done(int result) override;

signals:
    // The compose window to the sender (name, number), modally.
    void ReplyRequested(const QString& name, const QString& number);

protected:
    void showEvent(QShowEvent* event) override;

private:
    PhoneEngine& engine_;
    bool inLoop_ = false;
    // The sender the reply goes to.
    QString senderName_;
    QString senderNumber_;

    TPartyLabels Sender;
    QLabel* DatumLab = nullptr;
    QPlainTextEdit* PorukaMemo = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QTimer* CloseTimer = nullptr;
};

}  // namespace parlenko::ui

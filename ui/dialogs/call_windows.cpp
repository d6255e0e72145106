#include "ui/dialogs/call_windows.h"

#include "engine/session/phone_engine.h"
#include "ui/base/text_codec.h"
#include "ui/dialogs/call_forms.h"

namespace parlenko::ui {

TCallWindows::TCallWindows(QWidget* mainWindow, PhoneEngine& engine)
    : engine_(engine),
      dial_(std::make_unique<TDialForm>(mainWindow, engine)),
      talking_(std::make_unique<TTalkingToForm>(mainWindow, engine)),
      newCall_(std::make_unique<TNewCallForm>(mainWindow, engine)),
      kredit_(std::make_unique<TKreditForm>(mainWindow)) {}

TCallWindows::~TCallWindows() = default;

void TCallWindows::DialSequence(const QString& name, const QString& number) {
    if (!engine_.Connected()) return;
    dial_->Preset(name, number);
    if (dial_->exec() != QDialog::Accepted) return;
    engine_.Dial(ToAnsi(dial_->Name()), ToAnsi(dial_->Number()), dial_->HidesOwnNumber());
}

void TCallWindows::ShowNewCallNotice(const std::string& name, const std::string& number) {
    newCall_->Present(name, number);
}

void TCallWindows::CloseNewCallNotice() {
    if (newCall_->isVisible()) newCall_->done(QDialog::Rejected);
}

void TCallWindows::CloseTalkingWindow() {
    if (talking_->isVisible()) talking_->done(QDialog::Rejected);
}

void TCallWindows::SetDialButtonEnabled(bool enabled) { emit DialButtonEnabledChanged(enabled); }

void TCallWindows::ShowTalkingWindow(const std::string& name, const std::string& number) {
    if (talking_->isVisible()) {
        talking_->raise();
        talking_->activateWindow();
        return;
    }
    talking_->ShowParty(name, number);
    talking_->exec();
}

void TCallWindows::ShowBalanceWindow(const std::string& caption, const std::string& balance) {
    kredit_->ShowBalance(caption, balance);
    kredit_->exec();
}

}  // namespace parlenko::ui

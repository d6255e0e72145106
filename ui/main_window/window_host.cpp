#include "ui/main_window/window_host.h"

#include "ui/base/text_codec.h"
#include "ui/controls/message_dialog.h"
#include "ui/controls/window_owner.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/main_window/glavna.h"

#include <QDir>
#include <QFileDialog>

namespace parlenko::ui {

int TWindowHost::ShowMessageDialog(const std::string& caption, const std::string& text,
                                   DialogKind kind, DialogButtons buttons) {
    // The engine's messages belong to the window in front: the progress
    // window, an exchange window, a dialog waiting for the phone, else the
    // main window.
    return ui::ShowMessageDialog(OpeningWindow(nullptr, glavna_), caption, text, kind, buttons);
}

void TWindowHost::ShowStatusMessage(const std::string& text) {
    if (statusFrm_ != nullptr) statusFrm_->ShowStatusMessage(ToDisplay(text));
}

void TWindowHost::SetMainWindowInputLocked(bool locked) {
    if (glavna_ != nullptr) glavna_->SetBusy(locked);
}

void TWindowHost::PortTrafficChanged(int frame) {
    if (glavna_ != nullptr) glavna_->PortTrafficChanged(frame);
}

void TWindowHost::NewSmsIndicatorChanged(int phase, const std::string& hint) {
    if (glavna_ != nullptr) glavna_->NewSmsIndicatorChanged(phase, ToDisplay(hint));
}

void TWindowHost::NewCallIndicatorChanged(int phase, const std::string& hint) {
    if (glavna_ != nullptr) glavna_->NewCallIndicatorChanged(phase, ToDisplay(hint));
}

void TWindowHost::ConnectionChanged(bool connected) {
    if (glavna_ != nullptr) glavna_->ConnectionChanged(connected);
}

bool TWindowHost::IsProgressWindowVisible() {
    return citamForm_ != nullptr && citamForm_->isVisible();
}

void TWindowHost::HideProgressWindow() {
    if (citamForm_ != nullptr) citamForm_->hide();
}

void TWindowHost::CloseProgressWindow() {
    if (citamForm_ != nullptr) citamForm_->done(QDialog::Rejected);
}

void TWindowHost::ShowProgressWindow() {
    if (citamForm_ != nullptr) citamForm_->ShowProgress();
}

void TWindowHost::ProgressWindowChanged(const ProgressWindowView& view) {
    if (citamForm_ != nullptr) citamForm_->Render(view);
}

std::string TWindowHost::AskSaveFileName(const SaveFileDialog& dialog) {
    return AskSaveFileNameDialog(OpeningWindow(nullptr, glavna_), dialog);
}

std::string AskSaveFileNameDialog(QWidget* parent, const SaveFileDialog& dialog) {
    // "MIDI melodies (*.mid)|*.mid": the part before the bar is Qt's filter.
    const QString filter =
        FromAnsi(std::string_view(dialog.Filter).substr(0, dialog.Filter.find('|')));
    QFileDialog::Options options;
    if (!dialog.ConfirmOverwrite) options |= QFileDialog::DontConfirmOverwrite;
    const QString start =
        QDir(QString::fromStdString(dialog.Folder)).filePath(FromAnsi(dialog.FileName));
    return QFileDialog::getSaveFileName(parent, FromAnsi(dialog.Title), start, filter, nullptr,
                                        options)
        .toStdString();
}

}  // namespace parlenko::ui

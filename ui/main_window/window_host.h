#pragma once
// The engine's host: what every page shares (message box, status notice,
// busy state, connection, indicators, progress window), done by the windows.
// Each page's own window is its page's view and is set on the engine apart. The windows are attached after they are created; a call that needs
// a window that is not there yet does nothing (the message box then has no
// parent).
//
// To serve a new host call: override it here and forward it to the window
// that shows it.

#include "engine/core/host.h"

class QWidget;

namespace parlenko::ui {

class TCitamForm;
class TGlavna;
class TStatusFrm;

// Qt's save dialog as the engine asks for it, over parent; "" when cancelled.
std::string AskSaveFileNameDialog(QWidget* parent, const SaveFileDialog& dialog);

class TWindowHost final : public IHost {
public:
    void SetMainWindow(TGlavna* w) { glavna_ = w; }
    void SetStatusFrm(TStatusFrm* w) { statusFrm_ = w; }
    void SetCitamForm(TCitamForm* w) { citamForm_ = w; }

    // --- messages
    int ShowMessageDialog(const std::string& caption, const std::string& text, DialogKind kind,
                          DialogButtons buttons) override;
    void ShowStatusMessage(const std::string& text) override;
    // --- busy state
    void SetMainWindowInputLocked(bool locked) override;
    // --- status-bar indicators
    void PortTrafficChanged(int frame) override;
    void NewSmsIndicatorChanged(int phase, const std::string& hint) override;
    void NewCallIndicatorChanged(int phase, const std::string& hint) override;
    // --- connection
    void ConnectionChanged(bool connected) override;
    // --- progress window
    bool IsProgressWindowVisible() override;
    void HideProgressWindow() override;
    void CloseProgressWindow() override;
    void ShowProgressWindow() override;
    void ProgressWindowChanged(const ProgressWindowView& view) override;
    // --- save dialog
    std::string AskSaveFileName(const SaveFileDialog& dialog) override;

private:
    TGlavna* glavna_ = nullptr;
    TStatusFrm* statusFrm_ = nullptr;
    TCitamForm* citamForm_ = nullptr;
};

}  // namespace parlenko::ui

#pragma once
// A host that records what the engine shows, for tests. A test can answer a
// message box (and run the loop from inside it, as a modal window does)
// through onMessageDialog.

#include "engine/core/host.h"

#include <functional>
#include <string>
#include <vector>

namespace parlenko::testing {

struct RecordedDialog {
    std::string caption;
    std::string text;
    DialogKind kind;
    DialogButtons buttons;
};

class RecordingHost : public IHost {
public:
    int ShowMessageDialog(const std::string& caption, const std::string& text, DialogKind kind,
                          DialogButtons buttons) override {
        dialogs.push_back({caption, text, kind, buttons});
        if (onMessageDialog) return onMessageDialog(dialogs.back());
        return buttons == DialogButtons::Ok ? DialogResult::Ok : DialogResult::Yes;
    }
    void ShowStatusMessage(const std::string& text) override { statusMessages.push_back(text); }
    void SetMainWindowEnabled(bool enabled) override {
        mainWindowEnabled = enabled;
        enabledChanges.push_back(enabled);
    }

    std::vector<RecordedDialog> dialogs;
    std::vector<std::string> statusMessages;
    std::vector<bool> enabledChanges;
    bool mainWindowEnabled = true;
    std::function<int(const RecordedDialog&)> onMessageDialog;
};

}  // namespace parlenko::testing

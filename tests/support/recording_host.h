#pragma once
// A host that records what the engine shows, for tests. A test can answer a
// message box (and run the loop from inside it, as a modal window does)
// through onMessageDialog.

#include "engine/core/host.h"
#include "engine/session/engine_state.h"

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

    void PortTrafficChanged(int frame) override { portTrafficFrames.push_back(frame); }
    void NewSmsIndicatorChanged(int phase, const std::string& hint) override {
        newSmsPhases.push_back(phase);
        newSmsHint = hint;
    }
    void NewCallIndicatorChanged(int phase, const std::string& hint) override {
        newCallPhases.push_back(phase);
        newCallHint = hint;
    }
    void ShowNewCallNotice(const std::string& name, const std::string& number) override {
        newCallNotices.push_back({name, number});
        newCallNoticeVisible = true;
    }
    void CloseNewCallNotice() override {
        if (newCallNoticeVisible) ++newCallNoticeCloses;
        newCallNoticeVisible = false;
    }
    void CloseTalkingWindow() override { ++talkingWindowCloses; }
    void SetDialButtonEnabled(bool enabled) override { dialButtonEnabled = enabled; }
    void GeneralInfoChanged(const GeneralInfoView& view) override {
        generalInfo = view;
        ++generalInfoChanges;
    }
    void ShowPhonePicture(const std::string& model) override { phonePictures.push_back(model); }
    void PhoneSettingsChanged(const PhoneSettingsView& view) override {
        phoneSettings = view;
        ++phoneSettingsChanges;
    }
    void ObjectCapabilitiesChanged(const ObjectCapabilitiesView& view) override {
        capabilities = view;
        ++capabilitiesChanges;
    }
    void ConnectionChanged(bool connected) override { connectionChanges.push_back(connected); }
    bool IsProgressWindowVisible() override { return progressVisible; }
    void HideProgressWindow() override { progressVisible = false; }
    void CloseProgressWindow() override {
        progressVisible = false;
        ++progressCloses;
    }

    std::vector<RecordedDialog> dialogs;
    std::vector<std::string> statusMessages;
    std::vector<bool> enabledChanges;
    bool mainWindowEnabled = true;
    std::function<int(const RecordedDialog&)> onMessageDialog;

    std::vector<int> portTrafficFrames;
    std::vector<int> newSmsPhases;
    std::string newSmsHint;
    std::vector<int> newCallPhases;
    std::string newCallHint;
    struct Notice {
        std::string name;
        std::string number;
    };
    std::vector<Notice> newCallNotices;
    bool newCallNoticeVisible = false;
    int newCallNoticeCloses = 0;
    int talkingWindowCloses = 0;
    bool dialButtonEnabled = true;
    GeneralInfoView generalInfo;
    int generalInfoChanges = 0;
    bool progressVisible = false;  // a test sets it to play an open progress window
    int progressCloses = 0;
    std::vector<std::string> phonePictures;
    PhoneSettingsView phoneSettings;
    int phoneSettingsChanges = 0;
    ObjectCapabilitiesView capabilities;
    int capabilitiesChanges = 0;
    std::vector<bool> connectionChanges;
};

}  // namespace parlenko::testing

#pragma once
// A host that records what the engine shows, for tests: it is the shared
// host and every page's view at once (Attach sets it as the views of an
// engine). A test can answer a message box (and run the loop from inside it,
// as a modal window does) through onMessageDialog.

#include "engine/core/host.h"
#include "engine/session/engine_state.h"
#include "engine/session/phone_engine.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace parlenko::testing {

struct RecordedDialog {
    std::string caption;
    std::string text;
    DialogKind kind;
    DialogButtons buttons;
};

class RecordingHost : public IHost,
                      public IGeneralView,
                      public IPhonebookView,
                      public ICallListsView,
                      public ICallsView,
                      public ISmsView,
                      public ISettingsView,
                      public IObjectsView,
                      public ILogoView,
                      public IBackupView,
                      public IServicesView,
                      public IMelodiesView {
public:
    // Sets this host as every view of engine.
    void Attach(PhoneEngine& engine) {
        engine.SetView<IGeneralView>(this);
        engine.SetView<IPhonebookView>(this);
        engine.SetView<ICallListsView>(this);
        engine.SetView<ICallsView>(this);
        engine.SetView<ISmsView>(this);
        engine.SetView<ISettingsView>(this);
        engine.SetView<IObjectsView>(this);
        engine.SetView<ILogoView>(this);
        engine.SetView<IBackupView>(this);
        engine.SetView<IServicesView>(this);
        engine.SetView<IMelodiesView>(this);
    }

    int ShowMessageDialog(const std::string& caption, const std::string& text, DialogKind kind,
                          DialogButtons buttons) override {
        dialogs.push_back({caption, text, kind, buttons});
        if (onMessageDialog) return onMessageDialog(dialogs.back());
        return buttons == DialogButtons::Ok ? DialogResult::Ok : DialogResult::Yes;
    }
    void ShowStatusMessage(const std::string& text) override { statusMessages.push_back(text); }
    void SetMainWindowInputLocked(bool locked) override { mainWindowTakesInput = !locked; }

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
    // Modal: the test plays the open window through onTalkingWindow.
    void ShowTalkingWindow(const std::string& name, const std::string& number) override {
        talkingWindows.push_back({name, number});
        if (onTalkingWindow) onTalkingWindow();
    }
    void ShowBalanceWindow(const std::string& caption, const std::string& balance) override {
        balanceWindows.push_back({caption, balance});
    }
    void DialledCallsDeleted() override { ++dialledCallsDeletions; }
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
    void LogoKindsChanged(const ObjectCapabilitiesView& view) override { logoKinds = view; }
    // Services and melodies pages: every indicator change in order
    // ("Divert7=1 +385911", "Time1=20", "Bar2=0", "Lock3=1", "DivertBtn=1").
    void DivertChanged(int number, int picture, const std::string& divertNumber) override {
        serviceChanges.push_back("Divert" + std::to_string(number) + "=" + std::to_string(picture) +
                                 (divertNumber.empty() ? "" : " " + divertNumber));
    }
    void DivertTimeChanged(int column, const std::string& seconds) override {
        serviceChanges.push_back("Time" + std::to_string(column) + "=" + seconds);
    }
    void BarringChanged(int number, int picture) override {
        serviceChanges.push_back("Bar" + std::to_string(number) + "=" + std::to_string(picture));
    }
    void LockChanged(int number, int picture) override {
        serviceChanges.push_back("Lock" + std::to_string(number) + "=" + std::to_string(picture));
    }
    void DivertButtonEnabled(bool enabled) override {
        serviceChanges.push_back(std::string("DivertBtn=") + (enabled ? "1" : "0"));
    }
    void BarringButtonEnabled(bool enabled) override {
        serviceChanges.push_back(std::string("BarringBtn=") + (enabled ? "1" : "0"));
    }
    void MelodyListChanged(const MelodyListView& view) override {
        melodyList = view;
        ++melodyListChanges;
    }
    void RingerStateChanged(const MelodyListView& view) override { ringerStates.push_back(view); }

    void ConnectionChanged(bool connected) override { connectionChanges.push_back(connected); }
    bool IsProgressWindowVisible() override { return progressVisible; }
    void HideProgressWindow() override { progressVisible = false; }
    void CloseProgressWindow() override {
        progressVisible = false;
        ++progressCloses;
    }
    void ShowProgressWindow() override {
        progressVisible = true;
        ++progressShows;
    }
    void ProgressWindowChanged(const ProgressWindowView& view) override {
        progressViews.push_back(view);
    }
    void ClearPhonebookRows() override {
        phonebookRows.clear();
        ++phonebookClears;
    }
    void AddPhonebookRow(const PhonebookRow& row) override { phonebookRows.push_back(row); }
    void SortPhonebookRows() override { ++phonebookSorts; }
    void SetPhonebookViewEnabled(PhonebookMemory memory, bool enabled) override {
        phonebookViewEnabled[static_cast<int>(memory)] = enabled;
    }
    void ShowPhonebookSummary(const PhonebookCapacities&) override { ++phonebookSummaries; }
    void ReapplyPhonebookFilter() override { ++phonebookFilterRuns; }
    void FocusFirstPhonebookRow(bool) override { ++phonebookFocuses; }
    void PhonebookEntrySaved(const std::string& name, const std::string& number,
                             const std::string& position) override {
        savedEntries.push_back({name, number, position});
    }
    void BackupReadProgressChanged(const BackupReadView& view) override { backupView = view; }
    void BackupRefreshFinished() override { ++backupRefreshFinishes; }
    void BackupRefreshFailed() override { ++backupRefreshFailures; }
    void PhonebookReadFinished() override { ++phonebookReadFinishes; }
    void RestoreProgressChanged(const RestoreProgressView& view) override {
        restoreViews.push_back(view);
    }
    void RestoreFinished(const RestoreOutcome& outcome) override {
        restoreOutcomes.push_back(outcome);
    }
    void ClearSmsLists() override {
        smsRows.clear();
        ++smsListClears;
    }
    void InsertSmsRow(SmsFolder folder, const SmsRow& row) override {
        auto& rows = smsRows[static_cast<int>(folder)];
        rows.insert(rows.begin(), row);
    }
    void RemoveSmsRows(SmsFolder folder, const std::string& position,
                       const std::string& location) override {
        std::erase_if(smsRows[static_cast<int>(folder)], [&](const SmsRow& r) {
            return r.Message.Position == position && r.Message.Location == location;
        });
    }
    void SetSmsRowImage(SmsFolder folder, const std::string& position, const std::string& location,
                        int image) override {
        for (auto& r : smsRows[static_cast<int>(folder)])
            if (r.Message.Position == position && r.Message.Location == location) r.Image = image;
    }
    void SetSmsFolderCount(SmsFolder folder, const std::string& text) override {
        smsCounts[static_cast<int>(folder)] = text;
    }
    void ShowNewSmsNotice(const NewSmsNotice& notice) override { newSmsNotices.push_back(notice); }
    // The rows of a list, top first.
    const std::vector<SmsRow>& SmsRows(SmsFolder folder) {
        return smsRows[static_cast<int>(folder)];
    }
    void ClearCallLists() override {
        callRows.clear();
        ++callListClears;
    }
    void AddCallListRow(CallListView list, const CallListRow& row) override {
        callRows.push_back({list, row.Caption, row.Number, row.Image});
    }
    void SetCallListCapacity(CallListView list, int capacity) override {
        callCapacities[static_cast<int>(list)] = capacity;
    }
    void FocusFirstCallRows() override { ++callFocuses; }
    void SetNameInSmsLists(const std::string& name, const std::string& number) override {
        smsNamePushes.push_back({name, number});
    }
    void SetNameInListView(CallListView list, const std::string& name,
                           const std::string& number) override {
        callNamePushes.push_back({list, name, number});
    }

    std::string AskSaveFileName(const SaveFileDialog& dialog) override {
        saveDialogs.push_back(dialog);
        return saveFileAnswer;
    }
    void ClearAppointmentRows() override { appointmentRows.clear(); }
    void AddAppointmentRow(const AppointmentRow& row) override { appointmentRows.push_back(row); }
    void UpdateAppointmentRow(const AppointmentRow& row) override {
        for (auto& r : appointmentRows)
            if (r.Position == row.Position) r = row;
    }
    void RemoveAppointmentRows(const std::string& position) override {
        std::erase_if(appointmentRows,
                      [&](const AppointmentRow& r) { return r.Position == position; });
    }
    void FocusAppointmentRow(const std::string& position) override {
        appointmentFocuses.push_back(position);
    }
    void ShowLogo(const std::string& path) override { logos.push_back(path); }
    void ShowNoLogo(const std::string& text) override { logos.push_back("no logo: " + text); }

    std::vector<RecordedDialog> dialogs;
    std::vector<std::string> statusMessages;
    bool mainWindowTakesInput = true;
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
    std::vector<Notice> talkingWindows;  // name and number of each call window shown
    std::function<void()> onTalkingWindow;
    struct Balance {
        std::string caption;
        std::string balance;
    };
    std::vector<Balance> balanceWindows;
    int dialledCallsDeletions = 0;
    bool dialButtonEnabled = true;
    GeneralInfoView generalInfo;
    int generalInfoChanges = 0;
    bool progressVisible = false;  // a test sets it to play an open progress window
    int progressCloses = 0;
    int progressShows = 0;
    std::vector<ProgressWindowView> progressViews;
    std::vector<PhonebookRow> phonebookRows;
    int phonebookClears = 0;
    int phonebookSorts = 0;
    std::map<int, bool> phonebookViewEnabled;  // by PhonebookMemory
    int phonebookSummaries = 0;
    int phonebookFilterRuns = 0;
    int phonebookFocuses = 0;
    struct SavedEntry {
        std::string name;
        std::string number;
        std::string position;
    };
    std::vector<SavedEntry> savedEntries;
    BackupReadView backupView;
    int backupRefreshFinishes = 0;
    int backupRefreshFailures = 0;
    int phonebookReadFinishes = 0;
    std::vector<RestoreProgressView> restoreViews;
    std::vector<RestoreOutcome> restoreOutcomes;
    int smsListClears = 0;
    std::map<int, std::vector<SmsRow>> smsRows;  // by SmsFolder, top first
    std::map<int, std::string> smsCounts;        // by SmsFolder
    std::vector<NewSmsNotice> newSmsNotices;
    struct CallRow {
        CallListView list;
        std::string caption;
        std::string number;
        int image;
    };
    std::vector<CallRow> callRows;
    int callListClears = 0;
    std::map<int, int> callCapacities;  // by CallListView
    int callFocuses = 0;
    struct NamePush {
        std::string name;
        std::string number;
    };
    std::vector<NamePush> smsNamePushes;
    struct ListNamePush {
        CallListView list;
        std::string name;
        std::string number;
    };
    std::vector<ListNamePush> callNamePushes;
    std::vector<std::string> phonePictures;
    PhoneSettingsView phoneSettings;
    int phoneSettingsChanges = 0;
    std::vector<std::string> serviceChanges;
    MelodyListView melodyList;
    int melodyListChanges = 0;
    std::vector<MelodyListView> ringerStates;
    ObjectCapabilitiesView capabilities;
    ObjectCapabilitiesView logoKinds;  // the logo view's last LogoKindsChanged
    int capabilitiesChanges = 0;
    std::vector<bool> connectionChanges;
    std::vector<SaveFileDialog> saveDialogs;
    std::string saveFileAnswer;  // the path the save dialog gives ("" cancels)
    std::vector<AppointmentRow> appointmentRows;
    std::vector<std::string> appointmentFocuses;
    std::vector<std::string> logos;  // ShowLogo paths, "no logo: " + text for ShowNoLogo
};

}  // namespace parlenko::testing

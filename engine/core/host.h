#pragma once
// What the engine asks of the windows. The windows implement it (ui/); tests
// use a recording fake (tests/support). Calls are typed and grouped by what
// the user sees. Only the message box and the status notice must be
// implemented; everything else defaults to doing nothing, so a plain caller
// with no windows needs no code for it.
//
// Modal calls (the message box and the windows marked modal) run the event
// loop while open: the receive handler may be entered again from inside them.

#include "engine/objects/appointment_row.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/phonebook/phonebook_views.h"
#include "engine/session/progress_window.h"

#include <string>

namespace parlenko {

struct GeneralInfoView;         // engine/session/engine_state.h
struct PhoneSettingsView;       // engine/session/engine_state.h
struct ObjectCapabilitiesView;  // engine/session/engine_state.h

enum class DialogKind { Error = 1, Information = 2, Confirmation = 3 };
enum class DialogButtons { YesNo = 3, Ok = 4 };

// Results of ShowMessageDialog.
namespace DialogResult {
constexpr int Ok = 1;
constexpr int Closed = 2;  // closed by the title bar
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace DialogResult

// A save dialog asking for a file name.
struct SaveFileDialog {
    std::string Title;
    std::string Folder;    // where it opens
    std::string FileName;  // the name offered
    std::string Filter;    // "MIDI melodies (*.mid)|*.mid"
    // The dialog asks before it lets the user pick an existing file.
    bool ConfirmOverwrite = true;
};

class IHost {
public:
    virtual ~IHost() = default;

    // --- messages --------------------------------------------------------
    // Modal message box; returns one of DialogResult.
    virtual int ShowMessageDialog(const std::string& caption, const std::string& text,
                                  DialogKind kind, DialogButtons buttons) = 0;
    // Success notice in the status window (the window applies its options).
    virtual void ShowStatusMessage(const std::string& text) = 0;

    // --- busy state --------------------------------------------------------
    // The main window takes no input while busy.
    virtual void SetMainWindowEnabled(bool enabled) { (void)enabled; }

    // --- status-bar indicators ---------------------------------------------
    // Repaint the port-traffic indicator with this frame (0 = idle).
    virtual void PortTrafficChanged(int frame) { (void)frame; }
    // Repaint the new-SMS indicator (phase: 0 none, 1/2 blink, -1 dark) and set its hint.
    virtual void NewSmsIndicatorChanged(int phase, const std::string& hint) {
        (void)phase;
        (void)hint;
    }
    // Repaint the new-call indicator (phase: 3 none, 4/5 blink) and set its hint.
    virtual void NewCallIndicatorChanged(int phase, const std::string& hint) {
        (void)phase;
        (void)hint;
    }

    // --- calls ---------------------------------------------------------------
    // Show the incoming-call notice (not modal) with these texts, or bring it
    // to the front when shown, and restart its close timer. When the notice
    // closes (its timer, a button) the window calls
    // PhoneEngine::NewCallNoticeClosed.
    virtual void ShowNewCallNotice(const std::string& name, const std::string& number) {
        (void)name;
        (void)number;
    }
    // Close the incoming-call notice when it is shown.
    virtual void CloseNewCallNotice() {}
    // Close the call window when it is shown.
    virtual void CloseTalkingWindow() {}
    // Enable or disable the dial button of the tool bar.
    virtual void SetDialButtonEnabled(bool enabled) { (void)enabled; }

    // --- general page and status bar ---------------------------------------
    // The general page's texts or the network caption changed; redraw them.
    virtual void GeneralInfoChanged(const GeneralInfoView& view) { (void)view; }
    // The phone model changed: show its picture.
    virtual void ShowPhonePicture(const std::string& model) { (void)model; }

    // --- settings page, compose dialog, logo and appointments pages ---------
    // The settings read from the phone (and the SMS centre) changed.
    virtual void PhoneSettingsChanged(const PhoneSettingsView& view) { (void)view; }
    // Calendar slots and logo kinds read at connect changed.
    virtual void ObjectCapabilitiesChanged(const ObjectCapabilitiesView& view) { (void)view; }

    // --- connection ------------------------------------------------------------
    // The port was opened or closed by the engine: the connect, disconnect and
    // switch-off menu items and the connection indicator follow.
    virtual void ConnectionChanged(bool connected) { (void)connected; }

    // --- progress window of the phone reads ----------------------------------
    virtual bool IsProgressWindowVisible() { return false; }
    virtual void HideProgressWindow() {}
    // Close it. A closing ends the busy state: the engine calls EndBusy after
    // this call, and a window closed by the user calls PhoneEngine::EndBusy.
    virtual void CloseProgressWindow() {}
    // Show it without blocking (the read goes on in the receive handler).
    virtual void ShowProgressWindow() {}
    // Its texts or percentage changed; redraw them.
    virtual void ProgressWindowChanged(const ProgressWindowView& view) { (void)view; }

    // --- phonebook page ----------------------------------------------------
    // Empty the view, put the "all numbers" button down and stop keeping the
    // rows sorted until SortPhonebookRows.
    virtual void ClearPhonebookRows() {}
    virtual void AddPhonebookRow(const PhonebookRow& row) { (void)row; }
    // Sort the view by caption and keep it sorted.
    virtual void SortPhonebookRows() {}
    // Enable or disable a memory's view button (SimNumTB .. SerNumTB).
    virtual void SetPhonebookViewEnabled(PhonebookMemory memory, bool enabled) {
        (void)memory;
        (void)enabled;
    }
    // Rewrite the summary labels (capacities from the state, entries from the view).
    virtual void ShowPhonebookSummary(const PhonebookReadState& counters) { (void)counters; }
    // Apply the view button that is down again (after an entry changed).
    virtual void ReapplyPhonebookFilter() {}
    // A memory was read: when the phonebook page is shown focus its view
    // (when onlyWhenActive, only if the main window is the active window);
    // select, focus and show row 0 when there is one.
    virtual void FocusFirstPhonebookRow(bool onlyWhenActive) { (void)onlyWhenActive; }
    // An entry was saved from the entry dialog: select and show its row.
    virtual void PhonebookEntrySaved(const std::string& name, const std::string& number,
                                     const std::string& position) {
        (void)name;
        (void)number;
        (void)position;
    }
    // The backup wizard's mirror of the read changed.
    virtual void BackupReadProgressChanged(const BackupReadView& view) { (void)view; }
    // The wizard's re-read finished: it writes its file and turns to its last page.
    virtual void BackupRefreshFinished() {}
    // A restore run writes its next entry.
    virtual void RestoreNextEntry() {}
    // The restore run wrote every entry chosen: the wizard turns to its last page.
    virtual void RestoreFinished() {}
    // Start the SMS read (the SMS page's refresh), asked for after the phonebook.
    virtual void RefreshSms() {}

    // --- call lists page -----------------------------------------------------
    // Empty the three lists and set their count and capacity labels to "0".
    virtual void ClearCallLists() {}
    virtual void AddCallListRow(CallListView list, const std::string& caption,
                                const std::string& number, int image) {
        (void)list;
        (void)caption;
        (void)number;
        (void)image;
    }
    // The list's capacity label (Calls2Lab, Calls4Lab, Calls6Lab).
    virtual void SetCallListCapacity(CallListView list, int capacity) {
        (void)list;
        (void)capacity;
    }
    // A call list was read: focus CallsOutList when the page is shown and
    // select row 0 of each list.
    virtual void FocusFirstCallRows() {}

    // --- names found in the phonebook ------------------------------------------
    // Every row of both SMS lists whose caption is number (no name was known)
    // now shows name; the detail panel follows. name is never empty.
    virtual void SetNameInSmsLists(const std::string& name, const std::string& number) {
        (void)name;
        (void)number;
    }
    // Every row of the call list whose number is number now shows name.
    virtual void SetNameInListView(CallListView list, const std::string& name,
                                   const std::string& number) {
        (void)list;
        (void)name;
        (void)number;
    }

    // --- save dialog ---------------------------------------------------------
    // Modal; the path chosen, or "" when the user cancelled.
    virtual std::string AskSaveFileName(const SaveFileDialog& dialog) {
        (void)dialog;
        return {};
    }

    // --- appointments, melodies and logo pages -------------------------------
    // Empty the appointments list.
    virtual void ClearAppointmentRows() {}
    virtual void AddAppointmentRow(const AppointmentRow& row) { (void)row; }
    // The row whose position is row.Position shows row.
    virtual void UpdateAppointmentRow(const AppointmentRow& row) { (void)row; }
    // Remove every row of this calendar slot.
    virtual void RemoveAppointmentRows(const std::string& position) { (void)position; }
    // Select, focus, scroll to and show the details of the row of this slot
    // ("": the first row, when there is one); the memory summary follows.
    virtual void FocusAppointmentRow(const std::string& position) { (void)position; }
    // Draw the logo read from the phone, kept as a bitmap file at path.
    virtual void ShowLogo(const std::string& path) { (void)path; }
    // The phone has no logo of the kind read: show text in its place.
    virtual void ShowNoLogo(const std::string& text) { (void)text; }
};

}  // namespace parlenko

#pragma once
// What every page shares and the engine asks of the windows: the message
// box, the status notice, the busy state of the main window, the connection,
// the status-bar indicators and the progress window. What a single page
// shows goes through that page's own view (engine/*/..._view.h). The windows
// implement it (ui/); tests use a recording fake (tests/support). Only the
// message box and the status notice must be implemented; everything else
// defaults to doing nothing, so a plain caller with no windows needs no code
// for it. A call only shows: it never calls back into the engine.
//
// Modal calls (the message box and the windows marked modal) run the event
// loop while open: the receive handler may be entered again from inside them.

#include "engine/core/progress_window.h"

#include <string>

namespace parlenko {

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
    // While locked, no click, key or shortcut reaches the main window, its
    // controls or its menus; its dialogs and message boxes take input as
    // always.
    virtual void SetMainWindowInputLocked(bool locked) { (void)locked; }

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

    // --- connection ------------------------------------------------------------
    // The port was opened or closed by the engine: the connect, disconnect and
    // switch-off menu items and the connection indicator follow.
    virtual void ConnectionChanged(bool connected) { (void)connected; }

    // --- progress window of the phone reads ----------------------------------
    virtual bool IsProgressWindowVisible() { return false; }
    virtual void HideProgressWindow() {}
    // Close it. A closing ends the busy state: the engine ends it along with
    // this call, and a window closed by the user reports it through
    // PhoneEngine::ProgressWindowClosed.
    virtual void CloseProgressWindow() {}
    // Show it without blocking (the read goes on in the receive handler).
    virtual void ShowProgressWindow() {}
    // Its texts or percentage changed; redraw them.
    virtual void ProgressWindowChanged(const ProgressWindowView& view) { (void)view; }

    // --- save dialog ---------------------------------------------------------
    // Modal; the path chosen, or "" when the user cancelled.
    virtual std::string AskSaveFileName(const SaveFileDialog& dialog) {
        (void)dialog;
        return {};
    }
};

}  // namespace parlenko

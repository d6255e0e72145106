#pragma once
// What the engine asks of the windows. The windows implement it (ui/); tests
// use a recording fake (tests/support). Calls are typed and grouped by what
// the user sees. Only the message box and the status notice must be
// implemented; everything else defaults to doing nothing, so a plain caller
// with no windows needs no code for it.
//
// Modal calls (the message box and the windows marked modal) run the event
// loop while open: the receive handler may be entered again from inside them.

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
};

}  // namespace parlenko

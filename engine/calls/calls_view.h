#pragma once
// The call windows: the incoming-call notice, the window of a call in
// progress, the prepaid-balance window and the dial button of the tool bar.
// A view call only shows; the notice reports its closing through
// PhoneEngine::NewCallNoticeClosed.

#include <string>

namespace parlenko {

class ICallsView {
public:
    virtual ~ICallsView() = default;
    // Show the incoming-call notice (not modal) with these texts, or bring it
    // to the front when shown, and restart its close timer.
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
    // Modal: show the call window with the other party's name and number and
    // return when it closes; when it is already shown, bring it to the front
    // and return at once.
    virtual void ShowTalkingWindow(const std::string& name, const std::string& number) {
        (void)name;
        (void)number;
    }
    // Modal: show the prepaid-balance window with this caption and balance
    // text; returns when it closes.
    virtual void ShowBalanceWindow(const std::string& caption, const std::string& balance) {
        (void)caption;
        (void)balance;
    }
};

}  // namespace parlenko

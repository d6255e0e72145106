#pragma once
// The call windows: the incoming-call notice, the window of a call in
// progress and the dial button of the tool bar. A view call only shows; the
// notice reports its closing through PhoneEngine::NewCallNoticeClosed.

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
};

}  // namespace parlenko

#pragma once
// The engine's calls view: the incoming-call notice, the window of a call in
// progress and the prepaid-balance window, shown as the phone's answers
// arrive; and the dial sequence the phonebook, SMS and call-list pages share.
// The tool bar's dial button belongs to the phonebook page: it follows the
// call through DialButtonEnabledChanged.

#include "engine/calls/calls_view.h"

#include <QObject>
#include <QString>

#include <memory>

class QWidget;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TDialForm;
class TKreditForm;
class TNewCallForm;
class TTalkingToForm;

class TCallWindows final : public QObject, public ICallsView {
    Q_OBJECT
public:
    // The windows centre on mainWindow; they are not its children.
    TCallWindows(QWidget* mainWindow, PhoneEngine& engine);
    ~TCallWindows() override;
    TCallWindows(const TCallWindows&) = delete;
    TCallWindows& operator=(const TCallWindows&) = delete;

    // The dial dialog preset with name and number (both empty without a
    // row); unless it is cancelled, the dialog's number is dialled ("#31#"
    // in front when the hide box is ticked) and the call window will show
    // the dialog's name and number. Does nothing while disconnected.
    void DialSequence(const QString& name, const QString& number);

    void ShowNewCallNotice(const std::string& name, const std::string& number) override;
    void CloseNewCallNotice() override;
    void CloseTalkingWindow() override;
    void SetDialButtonEnabled(bool enabled) override;
    void ShowTalkingWindow(const std::string& name, const std::string& number) override;
    void ShowBalanceWindow(const std::string& caption, const std::string& balance) override;

    TDialForm* DialForm() const { return dial_.get(); }
    TTalkingToForm* TalkingToForm() const { return talking_.get(); }
    TNewCallForm* NewCallForm() const { return newCall_.get(); }
    TKreditForm* KreditForm() const { return kredit_.get(); }

signals:
    // The phonebook page's dial button follows the call.
    void DialButtonEnabledChanged(bool enabled);

private:
    PhoneEngine& engine_;
    std::unique_ptr<TDialForm> dial_;
    std::unique_ptr<TTalkingToForm> talking_;
    std::unique_ptr<TNewCallForm> newCall_;
    std::unique_ptr<TKreditForm> kredit_;
};

}  // namespace parlenko::ui

#pragma once
// The status notice: a small window that announces a success for a few
// seconds ("Status Messages Interval") when "Show Status Messages" is set.

#include "ui/controls/small_window.h"

#include <functional>

class QGroupBox;
class QLabel;
class QTimer;

namespace parlenko::ui {

class TStatusFrm : public TSmallWindow {
    Q_OBJECT
public:
    explicit TStatusFrm(QWidget* mainWindow = nullptr);

    // Whether notices are shown (the option "Show Status Messages").
    void SetEnabledSource(std::function<bool()> enabled) { enabled_ = std::move(enabled); }

    // Shows text (replacing one already shown) and restarts the full interval;
    // nothing when the option is off.
    void ShowStatusMessage(const QString& text);
    void CloseTimerTimer();
    // How long a notice stays: "Status Messages Interval" x 1000 ms.
    void SetCloseInterval(int ms);

private:
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* PorukaLab = nullptr;
    QTimer* CloseTimer = nullptr;
    std::function<bool()> enabled_;
};

}  // namespace parlenko::ui

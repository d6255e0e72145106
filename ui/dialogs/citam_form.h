#pragma once
// The progress window of a multi-step read or write of the phone. The
// operation that shows it sets the texts; the picture follows the activity
// mode. It is shown without blocking (the caller goes on at once) and keeps
// the user out of the other windows while it is up. It closes with its
// operation (or the time-out), which always ends the busy state; Escape and
// the window manager's close request (Alt+F4) do nothing.

#include "engine/core/progress_window.h"
#include "ui/controls/small_window.h"

#include <functional>

class QLabel;
class QProgressBar;

namespace parlenko::widgets {
class TFlatPanel;
}

namespace parlenko::ui {

class TCitamForm : public TSmallWindow {
    Q_OBJECT
public:
    explicit TCitamForm(QWidget* mainWindow = nullptr);

    // Where the picture's activity mode comes from.
    void SetModeSource(std::function<int()> mode) { mode_ = std::move(mode); }
    // Called whenever the window closes (ends the busy state).
    void SetOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

    // Shows the window centred on the main window, without waiting.
    void ShowProgress();
    // Sets the percentage on the bar and in ProgresLab.
    void SetPercent(int percent);
    // Back to the texts the window starts with.
    void ResetTexts();
    // The texts and percentage the running operation keeps.
    void Render(const ProgressWindowView& view);
    // What a read of the computer's side shows: the folder (or memory) and
    // how many entries it holds, then the position being read.
    void ShowLocation(const QString& location, const QString& entries);
    void ShowPosition(const QString& text);

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    widgets::TFlatPanel* FlatPanel1 = nullptr;  // holds the controls below
    QLabel* Label1 = nullptr;                   // "Upisano:"
    QLabel* Label2 = nullptr;                   // "Lokacija:"
    QLabel* Label3 = nullptr;                   // "Trenutak, molim . . ."
    QLabel* LokacijaLab = nullptr;              // memory being read
    QLabel* UpisanoLab = nullptr;               // entries in that memory
    QLabel* PozicijaLab = nullptr;              // current position
    QLabel* ProgresLab = nullptr;               // percentage text
    QProgressBar* ProgressBar1 = nullptr;
    QWidget* CitamSlika = nullptr;  // picture of the running operation

    void CitamSlikaPaint();
    std::function<int()> mode_;
    std::function<void()> onClosed_;
};

}  // namespace parlenko::ui

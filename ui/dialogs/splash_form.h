#pragma once
// The start-up window: one picture, no border, centred on the screen. Its
// timer switches itself off after 3000 ms; the start-up waits for exactly that.

#include <QWidget>

class QLabel;
class QTimer;

namespace parlenko::ui {

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    TSplashForm();

    void SplashTimerTimer();
    // Shows the window, paints it at once, starts SplashTimer and processes
    // events until the timer has switched itself off.
    void ShowAndWait();
    // Ends the wait at once (the program is told to end during it).
    void EndWait();

private:
    QLabel* Image1 = nullptr;
    QTimer* SplashTimer = nullptr;  // 3000 ms, created stopped
};

}  // namespace parlenko::ui

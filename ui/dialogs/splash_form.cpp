#include "ui/dialogs/splash_form.h"

#include "ui/artwork/artwork.h"
#include "ui/controls/controls.h"
#include "ui/controls/window_placement.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

namespace parlenko::ui {

TSplashForm::TSplashForm() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("SplashForm");
    setFixedSize(350, 234);
    Image1 = controls::Picture(this, "Image1", QRect(0, 0, 350, 234), artwork::SplashPicture());
    SplashTimer = controls::Timer(this, "SplashTimer", 3000);
    connect(SplashTimer, &QTimer::timeout, this, &TSplashForm::SplashTimerTimer);
}

void TSplashForm::SplashTimerTimer() { SplashTimer->stop(); }

void TSplashForm::EndWait() { SplashTimer->stop(); }

void TSplashForm::ShowAndWait() {
    CenterOnScreen(this);
    show();
    repaint();
    SplashTimer->start();
    while (SplashTimer->isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace parlenko::ui

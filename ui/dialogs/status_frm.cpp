#include "ui/dialogs/status_frm.h"

#include "ui/artwork/artwork.h"
#include "ui/controls/controls.h"
#include "ui/controls/own_frame.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

namespace parlenko::ui {

TStatusFrm::TStatusFrm(QWidget* mainWindow) : TSmallWindow(mainWindow) {
    setObjectName("StatusFrm");
    setWindowTitle(QString::fromUtf8("Statusne poruke . . ."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(244, 113);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(8, 4, 228, 101);
    Image1 =
        controls::Picture(GroupBox1, "Image1", QRect(12, 34, 32, 32), artwork::StatusPicture());
    PorukaLab = controls::Value(GroupBox1, "PorukaLab", QRect(54, 10, 164, 82));
    PorukaLab->setWordWrap(true);
    PorukaLab->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette lp = PorukaLab->palette();
    lp.setColor(QPalette::WindowText, QColor(0x00, 0x64, 0x00));
    PorukaLab->setPalette(lp);

    CloseTimer = controls::Timer(this, "CloseTimer", 3000);
    connect(CloseTimer, &QTimer::timeout, this, &TStatusFrm::CloseTimerTimer);
    // A caption without title-bar buttons: the notice closes by its timer.
    TOwnFrame::Install(*this, QSize(244, 113));
}

void TStatusFrm::ShowStatusMessage(const QString& text) {
    if (enabled_ && !enabled_()) return;
    CloseTimer->stop();
    if (!isVisible()) show();
    PorukaLab->setText(text);
    CloseTimer->start();
}

void TStatusFrm::SetCloseInterval(int ms) { CloseTimer->setInterval(ms); }

void TStatusFrm::CloseTimerTimer() {
    CloseTimer->stop();
    close();
}

}  // namespace parlenko::ui

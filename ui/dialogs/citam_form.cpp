#include "ui/dialogs/citam_form.h"

#include "components/widgets/flat_panel.h"
#include "ui/artwork/artwork.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/own_frame.h"

#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>

namespace parlenko::ui {
namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 129;

// A line of the window's width, centred.
QLabel* Line(QWidget* panel, const char* name, const QString& text, int y, int height) {
    QLabel* l = controls::Label(panel, name, text, QRect(1, y, kWidth - 8 - 2, height));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

}  // namespace

TCitamForm::TCitamForm(QWidget* mainWindow) : TSmallWindow(mainWindow) {
    setObjectName("CitamForm");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(kWidth, kHeight);

    // The controls sit on a flat panel framed in the inactive border colour.
    FlatPanel1 = new widgets::TFlatPanel(this);
    FlatPanel1->setObjectName("FlatPanel1");
    FlatPanel1->setGeometry(4, 4, kWidth - 8, kHeight - 8);
    FlatPanel1->SetColorHighLight(widgets::clInactiveBorder);
    FlatPanel1->SetColorShadow(widgets::clInactiveBorder);
    QWidget* panel = FlatPanel1;
    const int inner = kWidth - 8;

    CitamSlika = new QWidget(panel);
    CitamSlika->setObjectName("CitamSlika");
    CitamSlika->setGeometry(8, 4, 36, 37);
    CitamSlika->installEventFilter(this);

    Label2 = controls::Label(panel, "Label2", "Lokacija:", QRect(56, 5, 60, 16));
    LokacijaLab = controls::Value(panel, "LokacijaLab", QRect(118, 5, 146, 16));
    Label1 = controls::Label(panel, "Label1", "Upisano:", QRect(56, 23, 60, 16));
    UpisanoLab = controls::Value(panel, "UpisanoLab", QRect(118, 23, 146, 16));
    PozicijaLab = Line(panel, "PozicijaLab", QString(), 46, 16);
    ProgressBar1 = new QProgressBar(panel);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(8, 66, inner - 16, 14);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgresLab = Line(panel, "ProgresLab", QString(), 82, 15);
    Label3 = Line(panel, "Label3", "Trenutak, molim . . .", 101, 16);
    Label3->setStyleSheet(QStringLiteral("color: #1D3A66;"));
    ResetTexts();
    // A caption without title-bar buttons: the window closes with its operation.
    TOwnFrame::Install(*this, QSize(kWidth, kHeight));
}

void TCitamForm::ResetTexts() {
    setWindowTitle(QString::fromUtf8("Čitam podatke iz telefonskog imenika . . ."));
    LokacijaLab->clear();
    UpisanoLab->clear();
    Label1->show();
    PozicijaLab->setText(QString::fromUtf8("Čitam podatke sa pozicije br. 1"));
    SetPercent(0);
}

void TCitamForm::Render(const ProgressWindowView& view) {
    if (!view.Caption.empty()) setWindowTitle(FromAnsi(view.Caption));
    LokacijaLab->setText(FromAnsi(view.LokacijaLab));
    Label1->setVisible(view.Label1Visible);
    UpisanoLab->setText(FromAnsi(view.UpisanoLab));
    PozicijaLab->setText(FromAnsi(view.PozicijaLab));
    ProgressBar1->setValue(
        view.ProgressBar1 < 0 ? 0 : (view.ProgressBar1 > 100 ? 100 : view.ProgressBar1));
    ProgresLab->setText(FromAnsi(view.ProgresLab));
    CitamSlika->update();
}

void TCitamForm::ShowLocation(const QString& location, const QString& entries) {
    LokacijaLab->setText(location);
    Label1->setVisible(true);
    UpisanoLab->setText(entries);
}

void TCitamForm::ShowPosition(const QString& text) { PozicijaLab->setText(text); }

void TCitamForm::SetPercent(int percent) {
    ProgressBar1->setValue(percent < 0 ? 0 : (percent > 100 ? 100 : percent));
    ProgresLab->setText(QString::number(percent) + "%");
}

void TCitamForm::ShowProgress() {
    if (!isVisible()) show();
    raise();
    CitamSlika->update();
}

void TCitamForm::done(int result) {
    QDialog::done(result);
    if (onClosed_) onClosed_();
}

void TCitamForm::keyPressEvent(QKeyEvent* event) {
    // No Escape: the window closes when its operation ends.
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void TCitamForm::closeEvent(QCloseEvent* event) {
    // The window manager's request (Alt+F4): the read goes on, and with it
    // the window. The program's own close() is the operation's end.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool TCitamForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CitamSlika && event->type() == QEvent::Paint) {
        CitamSlikaPaint();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TCitamForm::CitamSlikaPaint() {
    QPainter p(CitamSlika);
    p.drawImage(0, 1, artwork::ActivityPicture(mode_ ? mode_() : 0));
}

}  // namespace parlenko::ui

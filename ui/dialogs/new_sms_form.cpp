#include "ui/dialogs/new_sms_form.h"

#include "engine/session/phone_engine.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/dialog_frame.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace parlenko::ui {
namespace {

constexpr int kCloseMs = 30000;

}  // namespace

TNewSmsForm::TNewSmsForm(PhoneEngine& engine, QWidget* mainWindow)
    : TSmallWindow(mainWindow), engine_(engine) {
    FrameDialog(this, "NewSmsForm", U("Nova SMS poruka!"), windowFlags() | Qt::WindowStaysOnTopHint,
                {348, 300});
    using namespace controls;
    ValueRows(Group(this, " Osnovni podaci poruke:", QRect(8, 6, 332, 90)), {12, 100, 114, 206}, 22,
              21,
              {{&Sender.name, "Naziv osobe:", "OsobaLab"},
               {&Sender.number, "Telefonski broj:", "TelefonLab"},
               {&DatumLab, "Datum i vrijeme:", "DatumLab"}});
    QGroupBox* text = Group(this, " Tekst poruke:", QRect(8, 100, 332, 156));
    PorukaMemo = new QPlainTextEdit(text);
    PorukaMemo->setObjectName("PorukaMemo");
    PorukaMemo->setReadOnly(true);
    PorukaMemo->setGeometry(10, 20, 312, 126);
    Button1 = Button(this, "Button1", "Zatvori", QRect(8, 264, 120, 26));
    Button2 = Button(this, "Button2", "Odgovori na poruku", QRect(220, 264, 120, 26));
    CloseTimer = Timer(this, "CloseTimer", kCloseMs);
    CloseTimer->setSingleShot(true);
    connect(CloseTimer, &QTimer::timeout, this, [this] { CloseTimerTimer(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TNewSmsForm::ShowNotice(const NewSmsNotice& notice, bool replyAllowed) {
    senderName_ = FromAnsi(notice.OsobaLab);
    senderNumber_ = FromAnsi(notice.TelefonLab);
    Sender.Show(notice.OsobaLab, notice.TelefonLab);
    DatumLab->setText(FromAnsi(notice.DatumLab));
    PorukaMemo->setPlainText(WithLineFeeds(FromUtf8(notice.PorukaMemo)));
    Button2->setEnabled(replyAllowed);
    CloseTimer->stop();
    CloseTimer->start();
    if (inLoop_) {
        // Qt runs one modal loop of a dialog at a time.
        if (!isVisible()) show();
        raise();
        activateWindow();
        return;
    }
    inLoop_ = true;
    exec();
    inLoop_ = false;
}

void TNewSmsForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);
    FormShow();
}

void TNewSmsForm::FormShow() { Button1->setFocus(); }

void TNewSmsForm::CloseTimerTimer() { reject(); }

void TNewSmsForm::Button1Click() {
    engine_.ClearNewSms();
    reject();
}

void TNewSmsForm::Button2Click() {
    engine_.ClearNewSms();
    hide();
    emit ReplyRequested(senderName_, senderNumber_);
    reject();
}

void TNewSmsForm::done(int result) {
    CloseTimer->stop();
    TSmallWindow::done(result);
}

}  // namespace parlenko::ui

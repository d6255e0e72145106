#include "ui/dialogs/sms_mem_form.h"

#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/dialog_frame.h"
#include "ui/dialogs/sms_names.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlenko::ui {

TSmsMemForm::TSmsMemForm(PhoneEngine& engine, QWidget* mainWindow)
    : TSmallWindow(mainWindow), engine_(engine) {
    FrameDialog(this, "SmsMemForm", U("Upiši telefonski broj . . ."),
                windowFlags() | Qt::WindowStaysOnTopHint, {330, 150});
    using namespace controls;
    QGroupBox* group = Group(this, " Primatelj poruke:", QRect(8, 6, 314, 98));
    Caption(group, "Naziv osobe:", QRect(12, 24, 96, 21));
    NazivCB = Combo(group, "NazivCB", QRect(110, 24, 192, 22));
    Caption(group, "Telefonski broj:", QRect(12, 58, 96, 21));
    TelEdit = Edit(group, "TelEdit", QRect(110, 58, 192, 22));
    TelEdit->setMaxLength(20);
    std::tie(SendBtn, Button2) =
        ActionAndCancel(this, "SendBtn", "&Pošalji", "Button2", "&Odustani", 114);
    connect(NazivCB, &QComboBox::activated, this, [this] { NazivCBChange(); });
    connect(TelEdit, &QLineEdit::textEdited, this, [this] { TelEditChange(true); });
    connect(TelEdit, &QLineEdit::textChanged, this, [this] { TelEditChange(false); });
    connect(SendBtn, &QPushButton::clicked, this, &QDialog::accept);
    TelEdit->installEventFilter(this);
}

TSmsMemForm::~TSmsMemForm() = default;

void TSmsMemForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);
    FormShow();
}

void TSmsMemForm::FormShow() {
    FillNameCombo(NazivCB, engine_.PhonebookList());
    TelEdit->clear();
    SendBtn->setEnabled(false);
    TelEdit->setFocus();
}

QString TSmsMemForm::Number() const { return TelEdit->text(); }

void TSmsMemForm::NazivCBChange() {
    TelEdit->setText(PhoneOfName(engine_.PhonebookList(), NazivCB->currentData().toString()));
}

void TSmsMemForm::TelEditChange(bool edited) {
    if (edited) SelectNameOfNumber(NazivCB, engine_.PhonebookList(), TelEdit->text());
    if (IsValidNumber(ToAnsi(TelEdit->text()))) {
        balloon_.Free();
        SendBtn->setEnabled(!TelEdit->text().trimmed().isEmpty());
    } else {
        if (isVisible()) balloon_.Show(InvalidNumberHint(), x() + 36, y() + 158);
        SendBtn->setEnabled(false);
    }
}

bool TSmsMemForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TelEdit && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            balloon_.Free();
    }
    return TSmallWindow::eventFilter(watched, event);
}

}  // namespace parlenko::ui

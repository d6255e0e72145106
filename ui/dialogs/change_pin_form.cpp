#include "ui/dialogs/change_pin_form.h"

#include "engine/text/gsm_alphabet.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/dialog_frame.h"
#include "ui/dialogs/code_edit.h"

#include <QLineEdit>

namespace parlenko::ui {

TChangePinForm::TChangePinForm(QWidget* mainWindow) : TSmallWindow(mainWindow) {
    using namespace controls;
    FrameDialog(this, "ChangePinForm", U("Promjena tajnog broja"),
                kClosableDialog | Qt::WindowStaysOnTopHint, {380, 222});

    QGroupBox* kind = Group(this, "KindGB", " Vrsta tajnog broja:", {8, 6, 364, 48});
    PinTypeLab = Label(kind, "PinTypeLab", "", {12, 20, 346, 20});
    PinTypeLab->setStyleSheet(QStringLiteral("color: #1D3A66; font-weight: bold;"));

    QGroupBox* change = Group(this, "ChangeGB", " Promjeni tajni broj:", {8, 58, 364, 116});
    const char* captions[3] = {"Stari broj:", "Novi broj:", "Ponovi novi broj:"};
    const char* names[3] = {"OldPinEdit", "New1PinEdit", "New2PinEdit"};
    for (int k = 0; k < 3; ++k) {
        Label(change, nullptr, captions[k], {12, 22 + k * 30, 120, 20});
        QLineEdit* edit = CodeEdit(change, names[k], {136, 21 + k * 30, 100, 22});
        connect(edit, &QLineEdit::textChanged, this, &TChangePinForm::OldPinEditChange);
        Codes[static_cast<std::size_t>(k)] = edit;
    }

    Button1 = Button(this, "Button1", "U redu", {202, 184, 80, 26});
    Button2 = Button(this, "Button2", "Odustani", {288, 184, 84, 26});
    Button1->setEnabled(false);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    SetKind(1, {});
}

void TChangePinForm::SetKind(int kind, const QString& caption) {
    kind_ = kind;
    PinTypeLab->setText(caption);
}

QString TChangePinForm::OldCode() const { return Codes[0]->text(); }

QString TChangePinForm::NewCode() const { return Codes[1]->text(); }

bool TChangePinForm::NewCodesMatch() const { return Codes[1]->text() == Codes[2]->text(); }

void TChangePinForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);
    const int most = NetworkPassword() ? 4 : 8;
    for (QLineEdit* e : Codes) {
        e->clear();
        e->setMaxLength(most);
    }
    OldPinEditChange();
    Codes[0]->setFocus();
}

// Codes of the chosen kind in all three fields: digits only, 4 to 8 of them
// (a barring password 4), so nothing a SIM refuses is sent.
void TChangePinForm::OldPinEditChange() {
    const bool network = NetworkPassword();
    bool valid = true;
    for (const QLineEdit* e : Codes)
        valid = valid && IsValidSecurityCode(ToAnsi(e->text()), network);
    Button1->setEnabled(valid);
}

}  // namespace parlenko::ui

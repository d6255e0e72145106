#include "ui/dialogs/change_lock_form.h"

#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/dialogs/code_edit.h"

#include <QLineEdit>

namespace parlenko::ui {
namespace {

constexpr const char* kLocks[4] = {
    " . . . tipkovnice na mobitelu",
    " . . . mobitela na trenutnu SIM karticu",
    " . . . SIM kartice",
    " . . . pozivanja telefonskih brojeva koji nisu u imeniku",
};
// What the code field asks for, by lock (the keypad needs none).
constexpr const char* kCodeNames[4] = {"", "Enter PHONECODE:", "Enter PIN:", "Enter PIN 2:"};

}  // namespace

TChangeLockForm::TChangeLockForm(QWidget* mainWindow, PhoneEngine& engine)
    : TSmallWindow(mainWindow), engine_(engine) {
    using namespace controls;
    setObjectName("ChangeLockForm");
    setWindowTitle(U("Zaključavanja i otključavanja . . ."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(380, 236);

    QGroupBox* locks =
        Group(this, "LockGB", " Zaključavanje / Otključavanje . . .", {8, 6, 364, 102});
    for (int k = 0; k < 4; ++k) {
        const int tag = k + 1;
        QRadioButton* rb = Radio(locks, QStringLiteral("RadioButton%1").arg(tag), kLocks[k],
                                 {12, 20 + k * 20, 346, 20});
        rb->setProperty("Tag", tag);
        RadioButton[static_cast<std::size_t>(k)] = rb;
        connect(rb, &QRadioButton::clicked, this, [this, tag] { RadioButton1Click(tag); });
    }
    RadioButton[0]->setChecked(true);

    QGroupBox* code = Group(this, "CodeGB", " Tajni broj:", {8, 112, 364, 78});
    PinTypeLab = Label(code, "PinTypeLab", "Upiši PIN:", {12, 24, 110, 20});
    PinEdit = new QLineEdit(code);
    PinEdit->setObjectName("PinEdit");
    PinEdit->setGeometry(126, 23, 90, 22);
    PinEdit->setMaxLength(8);
    ShowCodeAsHashes(PinEdit);
    Label1 = Label(code, "Label1", "Potrebno je upisati tajni broj!", {12, 50, 340, 18});
    for (QWidget* w : std::initializer_list<QWidget*>{PinTypeLab, Label1, PinEdit})
        w->setEnabled(false);

    Button1 = Button(this, "Button1", "Zaključaj", {116, 200, 80, 26});
    Button2 = Button(this, "Button2", "Otključaj", {202, 200, 80, 26});
    Button3 = Button(this, "Button3", "Odustani", {288, 200, 84, 26});
    connect(PinEdit, &QLineEdit::textChanged, this, &TChangeLockForm::PinEditChange);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(10); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button1Click(20); });
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
    PinEditChange();
}

void TChangeLockForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);
    PinEdit->clear();
    PinEditChange();
    if (PinEdit->isEnabled()) PinEdit->setFocus();
}

void TChangeLockForm::RadioButton1Click(int tag) {
    if (tag < 1 || tag > 4) return;
    PinEdit->clear();
    facility_ = tag;
    const bool needsCode = tag != 1;
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, PinTypeLab, PinEdit})
        w->setEnabled(needsCode);
    if (needsCode) {
        PinEdit->setFocus();
        PinTypeLab->setText(QString::fromLatin1(kCodeNames[tag - 1]));
    }
    PinEditChange();
}

// The code goes unquoted into the command: 4 to 8 digits.
void TChangeLockForm::PinEditChange() {
    const bool valid =
        RadioButton[0]->isChecked() || IsValidSecurityCode(ToAnsi(PinEdit->text()), false);
    Button1->setEnabled(valid);
    Button2->setEnabled(valid);
}

void TChangeLockForm::Button1Click(int tag) {
    engine_.SetLock(facility_, tag == 10, ToAnsi(PinEdit->text()));
    accept();
}

}  // namespace parlenko::ui

#include "ui/dialogs/change_lock_form.h"

#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/dialog_frame.h"
#include "ui/controls/radio_choice.h"
#include "ui/dialogs/code_edit.h"

#include <QLineEdit>

namespace parlenko::ui {
namespace {

constexpr std::array<controls::RadioOption, 4> kLocks = {{
    {" . . . tipkovnice na mobitelu", 1},
    {" . . . mobitela na trenutnu SIM karticu", 2},
    {" . . . SIM kartice", 3},
    {" . . . pozivanja telefonskih brojeva koji nisu u imeniku", 4},
}};
// What the code field asks for, by lock (the keypad needs none).
constexpr const char* kCodeNames[4] = {"", "Enter PHONECODE:", "Enter PIN:", "Enter PIN 2:"};

}  // namespace

TChangeLockForm::TChangeLockForm(QWidget* mainWindow, PhoneEngine& engine)
    : TSmallWindow(mainWindow), engine_(engine) {
    using namespace controls;
    FrameDialog(this, "ChangeLockForm", U("Zaključavanja i otključavanja . . ."), kClosableDialog,
                {380, 236});

    RadioButton = RadioChoice(
        Group(this, "LockGB", " Zaključavanje / Otključavanje . . .", {8, 6, 364, 102}), 1, kLocks,
        {12, 20, 346, 20}, {0, 20}, [this](int tag) { RadioButton1Click(tag); });

    QGroupBox* code = Group(this, "CodeGB", " Tajni broj:", {8, 112, 364, 78});
    PinTypeLab = Label(code, "PinTypeLab", "Upiši PIN:", {12, 24, 110, 20});
    PinEdit = CodeEdit(code, "PinEdit", {126, 23, 90, 22}, 8);
    Label1 = Label(code, "Label1", "Potrebno je upisati tajni broj!", {12, 50, 340, 18});
    for (QWidget* w : std::initializer_list<QWidget*>{PinTypeLab, Label1, PinEdit})
        w->setEnabled(false);

    Buttons = MakeOnOffButtons(this, {"Button1", "Zaključaj"}, {"Button2", "Otključaj"},
                               {"Button3", "Odustani"}, 200,
                               [this](bool on) { Button1Click(on ? 10 : 20); });
    connect(PinEdit, &QLineEdit::textChanged, this, &TChangeLockForm::PinEditChange);
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
    Buttons.SetEnabled(RadioButton[0]->isChecked() ||
                       IsValidSecurityCode(ToAnsi(PinEdit->text()), false));
}

void TChangeLockForm::Button1Click(int tag) {
    engine_.SetLock(facility_, tag == 10, ToAnsi(PinEdit->text()));
    accept();
}

}  // namespace parlenko::ui

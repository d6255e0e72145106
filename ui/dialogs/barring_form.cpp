#include "ui/dialogs/barring_form.h"

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

constexpr std::array<controls::RadioOption, 5> kBarrings = {{
    {" Svih odlaznih", 5},
    {" Odlaznih internacionalnih", 6},
    {" Odlaznih internacionalnih, osim prema vlastitoj državi", 7},
    {" Svih dolaznih", 8},
    {" Dolaznih, ako je mobitel prijavljen na stranu mrežu (Roaming)", 9},
}};
constexpr std::array<controls::RadioOption, 3> kClasses = {
    {{" Glasovni", 1}, {" Podatkovni", 2}, {" Faks", 4}}};

}  // namespace

TBarringForm::TBarringForm(QWidget* mainWindow, PhoneEngine& engine)
    : TSmallWindow(mainWindow), engine_(engine) {
    using namespace controls;
    FrameDialog(this, "BarringForm", U("Postavljanje zabrane poziva . . ."),
                kClosableDialog | Qt::WindowStaysOnTopHint, {400, 292});

    RadioChoice(Group(this, "BarringGB", " Zabrana poziva:", {8, 6, 384, 122}), 1, kBarrings,
                {12, 20, 366, 20}, {0, 20}, [this](int tag) { RadioButton1Click(tag); });
    RadioChoice(Group(this, "ClassGB", " Vrsta poziva:", {8, 132, 384, 48}), 6, kClasses,
                {12, 20, 110, 20}, {120, 0}, [this](int tag) { RadioButton6Click(tag); });

    QGroupBox* code = Group(this, "CodeGB", " Tajni broj:", {8, 184, 384, 66});
    Label(code, nullptr, "Upiši lozinku:", {12, 22, 90, 20});
    PswdEdit = CodeEdit(code, "PswdEdit", {104, 21, 80, 22}, 4);
    Label(code, nullptr, "Potrebno je upisati tajni broj!", {12, 44, 360, 18});

    Buttons = MakeOnOffButtons(this, {"ActivateBtn", "Aktiviraj"}, {"DeactivateBtn", "Deaktiviraj"},
                               {"Button3", "Odustani"}, 258,
                               [this](bool on) { ActivateBtnClick(on ? 1 : 2); });
    connect(PswdEdit, &QLineEdit::textChanged, this, &TBarringForm::PswdEditChange);
}

void TBarringForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);
    PswdEdit->clear();
    PswdEditChange();
    PswdEdit->setFocus();
}

void TBarringForm::RadioButton1Click(int tag) { facility_ = tag; }

void TBarringForm::RadioButton6Click(int tag) { class_ = tag; }

// The password goes unquoted into the command: four digits or nothing.
void TBarringForm::PswdEditChange() {
    Buttons.SetEnabled(IsValidSecurityCode(ToAnsi(PswdEdit->text()), true));
}

void TBarringForm::ActivateBtnClick(int tag) {
    engine_.SetBarring(facility_, tag == 1, class_, ToAnsi(PswdEdit->text()));
    accept();
}

}  // namespace parlenko::ui

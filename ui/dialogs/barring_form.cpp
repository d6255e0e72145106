#include "ui/dialogs/barring_form.h"

#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/dialogs/code_edit.h"

#include <QLineEdit>

namespace parlenko::ui {
namespace {

struct Choice {
    const char* caption;
    int tag;
};
constexpr Choice kBarrings[5] = {
    {" Svih odlaznih", 5},
    {" Odlaznih internacionalnih", 6},
    {" Odlaznih internacionalnih, osim prema vlastitoj državi", 7},
    {" Svih dolaznih", 8},
    {" Dolaznih, ako je mobitel prijavljen na stranu mrežu (Roaming)", 9},
};
constexpr Choice kClasses[3] = {{" Glasovni", 1}, {" Podatkovni", 2}, {" Faks", 4}};

}  // namespace

TBarringForm::TBarringForm(QWidget* mainWindow, PhoneEngine& engine)
    : TSmallWindow(mainWindow), engine_(engine) {
    using namespace controls;
    setObjectName("BarringForm");
    setWindowTitle(U("Postavljanje zabrane poziva . . ."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(true);
    setFixedSize(400, 292);

    QGroupBox* barrings = Group(this, "BarringGB", " Zabrana poziva:", {8, 6, 384, 122});
    for (int k = 0; k < 5; ++k) {
        const int tag = kBarrings[k].tag;
        QRadioButton* rb = Radio(barrings, QStringLiteral("RadioButton%1").arg(k + 1),
                                 kBarrings[k].caption, {12, 20 + k * 20, 366, 20});
        rb->setProperty("Tag", tag);
        RadioButton[static_cast<std::size_t>(k)] = rb;
        connect(rb, &QRadioButton::clicked, this, [this, tag] { RadioButton1Click(tag); });
    }
    QGroupBox* classes = Group(this, "ClassGB", " Vrsta poziva:", {8, 132, 384, 48});
    for (int k = 0; k < 3; ++k) {
        const int tag = kClasses[k].tag;
        QRadioButton* rb = Radio(classes, QStringLiteral("RadioButton%1").arg(k + 6),
                                 kClasses[k].caption, {12 + k * 120, 20, 110, 20});
        rb->setProperty("Tag", tag);
        RadioButton[static_cast<std::size_t>(k) + 5] = rb;
        connect(rb, &QRadioButton::clicked, this, [this, tag] { RadioButton6Click(tag); });
    }
    RadioButton[0]->setChecked(true);
    RadioButton[5]->setChecked(true);

    QGroupBox* code = Group(this, "CodeGB", " Tajni broj:", {8, 184, 384, 66});
    Label(code, nullptr, "Upiši lozinku:", {12, 22, 90, 20});
    PswdEdit = new QLineEdit(code);
    PswdEdit->setObjectName("PswdEdit");
    PswdEdit->setGeometry(104, 21, 80, 22);
    PswdEdit->setMaxLength(4);
    ShowCodeAsHashes(PswdEdit);
    Label(code, nullptr, "Potrebno je upisati tajni broj!", {12, 44, 360, 18});

    ActivateBtn = Button(this, "ActivateBtn", "Aktiviraj", {136, 258, 80, 26});
    DeactivateBtn = Button(this, "DeactivateBtn", "Deaktiviraj", {222, 258, 80, 26});
    Button3 = Button(this, "Button3", "Odustani", {308, 258, 84, 26});
    ActivateBtn->setEnabled(false);
    DeactivateBtn->setEnabled(false);
    connect(PswdEdit, &QLineEdit::textChanged, this, &TBarringForm::PswdEditChange);
    connect(ActivateBtn, &QPushButton::clicked, this, [this] { ActivateBtnClick(1); });
    connect(DeactivateBtn, &QPushButton::clicked, this, [this] { ActivateBtnClick(2); });
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
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
    const bool valid = IsValidSecurityCode(ToAnsi(PswdEdit->text()), true);
    ActivateBtn->setEnabled(valid);
    DeactivateBtn->setEnabled(valid);
}

void TBarringForm::ActivateBtnClick(int tag) {
    engine_.SetBarring(facility_, tag == 1, class_, ToAnsi(PswdEdit->text()));
    accept();
}

}  // namespace parlenko::ui

#include "ui/pages/locks_page.h"

#include "engine/session/phone_engine.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/message_dialog.h"
#include "ui/dialogs/change_lock_form.h"
#include "ui/dialogs/change_pin_form.h"
#include "ui/pages/services_pages.h"

#include <QLineEdit>

namespace parlenko::ui {
namespace {

constexpr const char* kLocks[4] = {
    "Tipkovnica na mobitelu je zaključana",
    "Mobitel je zaključan na trenutnu SIM karticu",
    "SIM kartica je zaključana i provjerava se PIN kod uključenja mobitela",
    "Pozivanje telefonskih brojeva koji nisu u imeniku je zaključano",
};
constexpr const char* kCodes[8] = {
    " Osobni tajni broj  (PIN)",
    " Osobni tajni broj 2  (PIN 2)",
    " Tajni broj mobitela  (PHONECODE)",
    " Zabrana svih odlaznih poziva",
    " Zabrana internacionalnih odlaznih poziva",
    " Zabrana internacionalnih odlaznih poziva, osim prema vlastitoj državi",
    " Zabrana svih dolaznih poziva",
    " Zabrana dolaznih poziva ako je mobitel prijavljen na stranu mrežu",
};

}  // namespace

TLocksPage::TLocksPage(PhoneEngine& engine, QWidget* mainWindow)
    : engine_(engine),
      mainWindow_(mainWindow),
      lockForm_(std::make_unique<TChangeLockForm>(mainWindow, engine)),
      pinForm_(std::make_unique<TChangePinForm>(mainWindow)) {
    using namespace controls;
    setObjectName("LocksPage");
    QGroupBox* locks = Group(this, "LocksGB", " Zaključavanja na mobitelu:", {8, 4, 504, 124});
    for (int k = 0; k < 4; ++k) {
        const int y = 20 + k * 18;
        LockPB[static_cast<std::size_t>(k)] = services::IndicatorRow(
            locks, "Lock" + QByteArray::number(k + 1) + "PB", kLocks[k], y, 464);
    }
    RefreshLocksBtn = Button(locks, "RefreshLocksBtn", "Osvježi", {326, 94, 80, 24});
    LockBtn = Button(locks, "LockBtn", "Izmjeni", {412, 94, 80, 24});

    QGroupBox* codes =
        Group(this, "CodesGB", " Promjena tajnih kodova i lozinki:", {8, 134, 504, 214});
    for (int k = 0; k < 8; ++k) {
        const int tag = k + 1;
        QRadioButton* rb =
            Radio(codes, QStringLiteral("Psw%1RB").arg(tag), kCodes[k], {12, 20 + k * 20, 480, 20});
        rb->setProperty("Tag", tag);
        PswRB[static_cast<std::size_t>(k)] = rb;
        connect(rb, &QRadioButton::clicked, this, [this, tag] { Psw1RBClick(tag); });
    }
    PswRB[0]->setChecked(true);
    Button3 = Button(codes, "Button3", "Promjeni", {412, 182, 80, 24});

    connect(RefreshLocksBtn, &QPushButton::clicked, this, &TLocksPage::RefreshLocksBtnClick);
    connect(LockBtn, &QPushButton::clicked, this, &TLocksPage::LockBtnClick);
    connect(Button3, &QPushButton::clicked, this, &TLocksPage::Button3Click);
    Psw1RBClick(1);
}

TLocksPage::~TLocksPage() = default;

void TLocksPage::ShowLock(int number, int picture) {
    if (TIndicatorBox* box = controls::Numbered(LockPB, number)) box->SetTag(picture);
}

void TLocksPage::RefreshLocksBtnClick() { engine_.CheckLocks(); }

void TLocksPage::LockBtnClick() {
    if (!engine_.Connected()) return;
    lockForm_->exec();
}

void TLocksPage::Psw1RBClick(int tag) {
    if (tag < 1 || tag > 8) return;
    securityCodeKind_ = tag;
    pinForm_->SetKind(tag, PswRB[static_cast<std::size_t>(tag - 1)]->text().trimmed());
}

void TLocksPage::Button3Click() {
    if (!engine_.Connected()) return;
    for (;;) {
        if (pinForm_->exec() != QDialog::Accepted) return;
        if (pinForm_->NewCodesMatch()) {
            engine_.ChangeSecurityCode(securityCodeKind_, ToAnsi(pinForm_->OldCode()),
                                       ToAnsi(pinForm_->NewCode()));
            return;
        }
        const int answer =
            Ask(mainWindow_, QStringLiteral("Codes are different"),
                QStringLiteral("New security code entered in 1st and 2nd field doesn't "
                               "match!\r\rTry again?"));
        if (answer == DialogResult::No) return;
    }
}

}  // namespace parlenko::ui

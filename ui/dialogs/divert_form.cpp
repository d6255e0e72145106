#include "ui/dialogs/divert_form.h"

#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "ui/artwork/services_images.h"
#include "ui/artwork/small_images.h"
#include "ui/base/name_order.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/dialog_frame.h"

#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QSpinBox>

#include <algorithm>
#include <array>

namespace parlenko::ui {
namespace {

constexpr std::array<int, 3> kClasses = {1, 2, 4};  // by ClassCB's index
constexpr int kNoReply = 2;
constexpr int kPersonPicture = 3;
constexpr int kVipPicture = 4;

const QString kDashes = QStringLiteral("--------------------------------");

QString InvalidNumberText() {
    return QStringLiteral("Invalid phone number!\r\r") + "Valid characters are:" + "\r" + kDashes +
           "\r" + "   Numbers:   '0 - 9'" + "\r" + "   Other:  '+', '*' i '#'" + "\r" + kDashes;
}

// The page's picture of the chosen class.
class TClassBox final : public QWidget {
public:
    TClassBox(QWidget* parent, const QComboBox* classCB) : QWidget(parent), classCB_(classCB) {
        setObjectName("ClassPB");
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const QImage picture = artwork::CallClassPicture(classCB_->currentIndex());
        if (picture.isNull()) return;
        QPainter p(this);
        p.drawImage(0, 1, picture);
    }

private:
    const QComboBox* classCB_;
};

}  // namespace

TDivertForm::TDivertForm(QWidget* mainWindow, PhoneEngine& engine)
    : TSmallWindow(mainWindow), engine_(engine), balloon_(this) {
    using namespace controls;
    FrameDialog(this, "DivertForm", U("Preusmjeravanje poziva"),
                kClosableDialog | Qt::WindowStaysOnTopHint, {380, 256});

    QGroupBox* divert = Group(this, "DivertGB", " Preusmjeravanje poziva:", {8, 6, 364, 86});
    Label(divert, nullptr, "Kada:", {12, 24, 60, 20});
    Which.reason = Combo(divert, "ReasonCB", {76, 22, 200, 22});
    Which.reason->addItems({"Uvijek . . .", "Ako ste zauzeti . . .", "Ako se ne javite . . .",
                            "Ako niste dostupni . . ."});
    Label(divert, nullptr, "Vrsta:", {12, 54, 60, 20});
    Which.callClass = Combo(divert, "ClassCB", {76, 52, 200, 22});
    Which.callClass->addItems({"Glasovni poziv", "Podatkovni poziv", "Faks poziv"});
    Which.picture = new TClassBox(divert, Which.callClass);
    Which.picture->setGeometry(304, 28, artwork::kCallClassSize, artwork::kCallClassSize + 1);

    QGroupBox* target = Group(this, "TargetGB", " Preusmjeri poziv prema:", {8, 96, 364, 116});
    Label(target, nullptr, "Naziv osobe:", {12, 18, 100, 18});
    NazivCB = new QComboBox(target);
    NazivCB->setObjectName("NazivCB");
    NazivCB->setGeometry(12, 36, 340, 22);
    // The number sits where the balloon points at, just above it.
    Label(target, nullptr, "Telefonski broj:", {12, 64, 120, 18});
    TelEdit = new QLineEdit(target);
    TelEdit->setObjectName("TelEdit");
    TelEdit->setGeometry(12, 82, 180, 22);
    TelEdit->setMaxLength(20);
    TelEdit->installEventFilter(this);
    Time.caption = Label(target, "Label3", "Nakon:", {212, 83, 44, 20});
    Time.edit = Edit(target, "TimeEdit", {258, 82, 30, 22});
    Time.edit->setReadOnly(true);
    Time.edit->setAlignment(Qt::AlignCenter);
    Time.edit->setText("20");
    Time.upDown = SpinBox(target, "TimeUpDown", {288, 82, 16, 22}, 5, 30);
    Time.upDown->setSingleStep(5);
    Time.upDown->setValue(20);
    Time.upDown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    Time.upDown->setFocusPolicy(Qt::NoFocus);  // only its arrows are seen
    Time.upDown->setStyleSheet(QStringLiteral("QSpinBox { color: transparent; padding: 0; }"));
    Time.unit = Label(target, "Label4", "sek", {310, 83, 40, 20});
    Time.SetEnabled(false);

    Buttons = MakeOnOffButtons(this, {"ActivateBtn", "Aktiviraj"}, {"DeactivateBtn", "Deaktiviraj"},
                               {"CloseBtn", "Odustani"}, 222,
                               [this](bool on) { ActivateBtnClick(on ? 1 : 2); });

    for (QComboBox* box : {Which.reason, Which.callClass})
        connect(box, &QComboBox::currentIndexChanged, this, &TDivertForm::ClassCBChange);
    connect(NazivCB, &QComboBox::activated, this, &TDivertForm::NazivCBChange);
    connect(TelEdit, &QLineEdit::textChanged, this, &TDivertForm::TelEditChange);
    connect(Time.upDown, &QSpinBox::valueChanged, Time.edit,
            [this](int v) { Time.edit->setText(QString::number(v)); });
}

void TDivertForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);
    FillNameList();
    Which.Reset();
    ClassCBChange();
}

// The names of the phonebook, sorted; a VIP name without its "!" and with
// its own picture. The name as stored is the item's data.
void TDivertForm::FillNameList() {
    NazivCB->clear();
    std::vector<QString> names;
    for (const AListIme& e : engine_.PhonebookList()) names.push_back(FromAnsi(e.Name));
    SortNames(names);
    const QIcon person(QPixmap::fromImage(artwork::SmallImage(kPersonPicture)));
    const QIcon vip(QPixmap::fromImage(artwork::SmallImage(kVipPicture)));
    for (const QString& name : names) {
        const bool isVip = name.endsWith('!');
        NazivCB->addItem(isVip ? vip : person, isVip ? name.chopped(1) : name, name);
    }
    NazivCB->setCurrentIndex(-1);
}

void TDivertForm::NazivCBChange() {
    const std::string chosen = ToAnsi(NazivCB->currentData().toString());
    TelEdit->clear();
    for (const AListIme& e : engine_.PhonebookList()) {
        if (e.Name == chosen) {
            TelEdit->setText(FromAnsi(e.Phone));
            break;
        }
    }
}

void TDivertForm::TelEditChange() {
    const std::string number = ToAnsi(TelEdit->text());
    if (TelEdit->hasFocus()) {
        // A known number selects its name; an unknown one leaves none.
        int found = -1;
        for (const AListIme& e : engine_.PhonebookList()) {
            if (e.Phone == number) {
                found = NazivCB->findData(FromAnsi(e.Name));
                break;
            }
        }
        NazivCB->setCurrentIndex(found);
    }
    if (IsValidNumber(number)) {
        balloon_.Free();
        Buttons.SetEnabled(!TelEdit->text().trimmed().isEmpty());
        return;
    }
    balloon_.Show(InvalidNumberText(), x() + 79, y() + 229);
    Buttons.SetEnabled(false);
}

void TDivertForm::DivertChoice::Reset() const {
    for (QComboBox* box : {reason, callClass}) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(0);
    }
}

void TDivertForm::NoReplyTime::SetEnabled(bool enabled) const {
    for (QWidget* w : std::initializer_list<QWidget*>{edit, upDown, caption, unit})
        w->setEnabled(enabled);
}

void TDivertForm::TelEditExit() { balloon_.Free(); }

// The reason or the class changed: the page's number of that divert, and
// for no reply its time.
void TDivertForm::ClassCBChange() {
    TelEdit->setFocus();
    Time.edit->setText("20");
    Time.SetEnabled(false);
    Which.picture->update();
    const int reason = Which.reason->currentIndex();
    const int column = Which.callClass->currentIndex();
    const ServicesView& page = engine_.Services();
    if (reason >= 0 && reason < 4 && column >= 0 && column < 3) {
        const auto divert = static_cast<std::size_t>(reason) * 3 + static_cast<std::size_t>(column);
        TelEdit->setText(FromAnsi(page.DivertLab[divert]));
        if (reason == kNoReply) {
            Time.SetEnabled(true);
            const QString time = FromAnsi(page.DivertSekLab[static_cast<std::size_t>(column)]);
            Time.edit->setText(time);
            bool ok = false;
            const int seconds = time.toInt(&ok);
            if (ok) {
                const QSignalBlocker quiet(Time.upDown);
                Time.upDown->setValue(seconds);
            }
        }
    }
    TelEdit->selectAll();
}

void TDivertForm::ActivateBtnClick(int tag) {
    const int column = std::clamp(Which.callClass->currentIndex(), 0, 2);
    engine_.SetDivert(Which.reason->currentIndex(), ToAnsi(TelEdit->text()),
                      kClasses[static_cast<std::size_t>(column)], ToAnsi(Time.edit->text()),
                      tag == 1);
    accept();
}

bool TDivertForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TelEdit) {
        if (event->type() == QEvent::FocusIn) TelEditChange();
        else if (event->type() == QEvent::FocusOut) TelEditExit();
    }
    return TSmallWindow::eventFilter(watched, event);
}

}  // namespace parlenko::ui

#include "ui/dialogs/save_net_form.h"

#include "engine/session/phone_engine.h"
#include "ui/base/text_codec.h"
#include "ui/controls/message_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlenko::ui {
namespace {

constexpr int kLocationNameLength = 40;

QLabel* Row(QWidget* group, const char* caption, int y, const char* name) {
    auto* c = new QLabel(U(caption), group);
    c->setGeometry(14, y, 96, 19);
    auto* v = new QLabel(group);
    v->setObjectName(name);
    v->setGeometry(112, y, 190, 19);
    QFont f = v->font();
    f.setBold(true);
    v->setFont(f);
    return v;
}

}  // namespace

TSaveNetForm::TSaveNetForm(QWidget* mainWindow, PhoneEngine& engine)
    : TSmallWindow(mainWindow), engine_(engine) {
    setObjectName("SaveNetForm");
    setWindowTitle(U("Snimanje mrežne lokacije . . ."));
    setModal(true);
    setFixedSize(330, 230);
    auto* now = new QGroupBox(U(" Trenutna lokacija:"), this);
    now->setGeometry(8, 6, 314, 90);
    NetLab = Row(now, "Naziv mreže:", 22, "NetLab");
    LocLab = Row(now, "Lokacija:", 43, "LocLab");
    CellLab = Row(now, "Bazna stanica:", 64, "CellLab");
    auto* save = new QGroupBox(U(" Snimi lokaciju:"), this);
    save->setGeometry(8, 102, 314, 80);
    auto* caption = new QLabel(U("Naziv lokacije:"), save);
    caption->setGeometry(14, 22, 200, 19);
    LocEdit = new QLineEdit(save);
    LocEdit->setObjectName("LocEdit");
    LocEdit->setMaxLength(kLocationNameLength);
    LocEdit->setGeometry(14, 44, 286, 22);
    Button1 = new QPushButton(U("Snimi"), this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(86, 192, 75, 26);
    Button1->setEnabled(false);
    Button1->setDefault(true);
    Button2 = new QPushButton(U("Odustani"), this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(169, 192, 75, 26);
    connect(LocEdit, &QLineEdit::textChanged, this, [this] { LocEditChange(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TSaveNetForm::Prepare(const QString& op, const QString& area, const QString& cell,
                           const QString& name) {
    NetLab->setText(op);
    LocLab->setText(area);
    CellLab->setText(cell);
    LocEdit->setText(name);
    LocEditChange();
    LocEdit->setFocus();
}

void TSaveNetForm::LocEditChange() { Button1->setEnabled(!LocEdit->text().trimmed().isEmpty()); }

void TSaveNetForm::Button1Click() {
    if (LocEdit->text().trimmed().isEmpty()) return;
    std::string error;
    if (!engine_.SaveLocationName(ToAnsi(NetLab->text()), ToAnsi(LocLab->text()),
                                  ToAnsi(CellLab->text()), ToAnsi(LocEdit->text()), &error)) {
        // The old file stays; the dialog stays open to try again.
        ShowMessageDialog(this, QStringLiteral("Error"),
                          QStringLiteral("Cannot save location name!\r\r") + FromAnsi(error),
                          DialogKind::Error, DialogButtons::Ok);
        return;
    }
    accept();
    LocEdit->clear();
}

}  // namespace parlenko::ui

#include "ui/dialogs/save_net_form.h"

#include "engine/session/phone_engine.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/message_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlenko::ui {
namespace {

constexpr int kLocationNameLength = 40;

}  // namespace

TSaveNetForm::TSaveNetForm(QWidget* mainWindow, PhoneEngine& engine)
    : TSmallWindow(mainWindow), engine_(engine) {
    setObjectName("SaveNetForm");
    setWindowTitle(U("Snimanje mrežne lokacije . . ."));
    setModal(true);
    setFixedSize(330, 230);
    using namespace controls;
    QGroupBox* now = Group(this, " Trenutna lokacija:", QRect(8, 6, 314, 90));
    const RowColumns row{14, 96, 112, 190};
    NetLab = ValueRow(now, row, 22, "Naziv mreže:", "NetLab");
    LocLab = ValueRow(now, row, 43, "Lokacija:", "LocLab");
    CellLab = ValueRow(now, row, 64, "Bazna stanica:", "CellLab");
    QGroupBox* save = Group(this, " Snimi lokaciju:", QRect(8, 102, 314, 80));
    Caption(save, "Naziv lokacije:", QRect(14, 22, 200, 19));
    LocEdit = Edit(save, "LocEdit", QRect(14, 44, 286, 22));
    LocEdit->setMaxLength(kLocationNameLength);
    Button1 = Button(this, "Button1", "Snimi", QRect(86, 192, 75, 26));
    Button1->setEnabled(false);
    Button1->setDefault(true);
    Button2 = Button(this, "Button2", "Odustani", QRect(169, 192, 75, 26));
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
        ShowError(this, QStringLiteral("Error"),
                  QStringLiteral("Cannot save location name!\r\r") + FromAnsi(error));
        return;
    }
    accept();
    LocEdit->clear();
}

}  // namespace parlenko::ui

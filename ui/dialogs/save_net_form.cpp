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
    ValueRows(Group(this, " Trenutna lokacija:", QRect(8, 6, 314, 90)), {14, 96, 112, 190}, 22, 21,
              {{&NetLab, "Naziv mreže:", "NetLab"},
               {&LocLab, "Lokacija:", "LocLab"},
               {&CellLab, "Bazna stanica:", "CellLab"}});
    QGroupBox* save = Group(this, " Snimi lokaciju:", QRect(8, 102, 314, 80));
    Caption(save, "Naziv lokacije:", QRect(14, 22, 200, 19));
    LocEdit = Edit(save, "LocEdit", QRect(14, 44, 286, 22));
    LocEdit->setMaxLength(kLocationNameLength);
    std::tie(Button1, Button2) =
        ActionAndCancel(this, "Button1", "Snimi", "Button2", "Odustani", 192);
    connect(LocEdit, &QLineEdit::textChanged, this, [this] { LocEditChange(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
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

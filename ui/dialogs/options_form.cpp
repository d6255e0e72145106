#include "ui/dialogs/options_form.h"

#include "platform/serial/port_list.h"
#include "ui/base/text_codec.h"
#include "ui/controls/dialog_frame.h"

#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTabWidget>

namespace parlenko::ui {
namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 318;

// The options of the serial line, each an item of its combo (LineCB).
constexpr std::array<int TOptions::*, 6> kLineOptions = {&TOptions::BaudRate,
                                                         &TOptions::DataBits,
                                                         &TOptions::Parity,
                                                         &TOptions::StopBits,
                                                         &TOptions::HardwareFlowControl,
                                                         &TOptions::SoftwareFlowControl};

QCheckBox* AddCheck(QWidget* parent, const char* name, const char* caption, const QRect& r) {
    auto* c = new QCheckBox(U(caption), parent);
    c->setObjectName(name);
    c->setGeometry(r);
    return c;
}

// c: a combo box of a kind of its own, or nullptr for a plain one.
QComboBox* AddCombo(QWidget* parent, const char* name, const char* caption, int top,
                    const QStringList& items, QComboBox* c = nullptr) {
    auto* l = new QLabel(U(caption), parent);
    l->setGeometry(16, top + 3, 90, 16);
    if (c == nullptr) c = new QComboBox;
    c->setParent(parent);
    c->setObjectName(name);
    c->setGeometry(110, top, 130, 22);
    c->addItems(items);
    return c;
}

// The read-only edit and its up-down, placed in the gap of blanks that the
// check box's caption leaves after `lead`.
void PlaceInGap(const TOptionsForm::CheckedNumber& n, const char* lead) {
    QCheckBox* check = n.check;
    const QStyle* s = check->style();
    const int x = check->x() + s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check) +
                  s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, check) +
                  check->fontMetrics().horizontalAdvance(U(lead)) + 2;
    const int y = check->y() + (check->height() - 20) / 2;
    n.edit->setGeometry(x, y, 24, 20);
    n.upDown->setGeometry(x + 24, y, 16, 20);
}

// The read-only edit and the up-down of a number from min to max, named.
std::pair<QLineEdit*, QSpinBox*> MakeUpDown(QWidget* parent, const char* editName,
                                            const char* upDownName, int min, int max) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(editName);
    auto* upDown = new QSpinBox(parent);
    upDown->setObjectName(upDownName);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    upDown->setRange(min, max);
    upDown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    upDown->setFocusPolicy(Qt::NoFocus);  // only its arrows are seen
    upDown->setStyleSheet(QStringLiteral("QSpinBox { color: transparent; padding: 0; }"));
    QObject::connect(upDown, &QSpinBox::valueChanged, edit,
                     [edit](int v) { edit->setText(QString::number(v)); });
    edit->setText(QString::number(upDown->value()));
    return {edit, upDown};
}

// One item of the port list: its name, with what it opens now when that is
// known ("COM 2  (/dev/ttyS1)"); path is the device of an item chosen in
// place of "COM n" (item data and hint).
void AddPort(QComboBox* combo, const QString& name, const QString& opens, const QString& path) {
    combo->addItem(opens.isEmpty() ? name : name + "  (" + opens + ")", path);
    const int item = combo->count() - 1;
    combo->setItemData(item, name, TOptionsForm::kNameRole);
    if (!path.isEmpty()) combo->setItemData(item, path, Qt::ToolTipRole);
}

// A serial device: a stable name with the device it is now, or the path.
void AddDevice(QComboBox* combo, const QString& path) {
    if (!path.contains("/serial/by-id/")) return AddPort(combo, path, {}, path);
    const QString now = QFileInfo(path).canonicalFilePath();
    AddPort(combo, QFileInfo(path).fileName(),
            now.isEmpty() ? QString() : QFileInfo(now).fileName(), path);
}

// The port list shows the chosen port by its name alone; the open list
// shows what each one opens as well.
class PortComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.currentText = currentData(TOptionsForm::kNameRole).toString();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

}  // namespace

TOptionsForm::TOptionsForm(QWidget* mainWindow, const TOptions& live, PutInForce putInForce)
    : TSmallWindow(mainWindow), live_(live), putInForce_(std::move(putInForce)) {
    FrameDialog(this, "OptionsForm", U("Opcije"), kClosableDialog | Qt::WindowStaysOnTopHint,
                {kWidth, kHeight});

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(8, 8, kWidth - 16, kHeight - 52);

    // "Osnovno"
    auto* basic = new QWidget;
    basic->setObjectName("TabSheet1");
    PageControl1->addTab(basic, U("Osnovno"));
    auto* start = new QGroupBox(U(" Pri startu programa:"), basic);
    start->setObjectName("GroupBox1");
    start->setGeometry(8, 6, kWidth - 34, 68);
    SplashScreenCheck =
        AddCheck(start, "SplashScreenCheck", " Prikaži uvodni ekran pri startu programa",
                 {12, 20, kWidth - 60, 20});
    AutoConnectCheck = AddCheck(start, "AutoConnectCheck",
                                " Automatski uspostavi vezu sa mobitelom pri startu programa",
                                {12, 42, kWidth - 60, 20});
    auto* work = new QGroupBox(U(" U radu s programom:"), basic);
    work->setObjectName("GroupBox2");
    work->setGeometry(8, 80, kWidth - 34, 126);
    Refresh.check = AddCheck(work, "RefreshCheck",
                             " Osvježavaj 'Osnovne podatke' svakih                 sek   (10 - 60)",
                             {12, 20, kWidth - 60, 22});
    CellInfoCheck = AddCheck(
        work, "CellInfoCheck",
        " Provjeravaj lokaciju gdje je mobitel prijavljen putem CB poruka  (Cell Broadcast)",
        {12, 44, kWidth - 60, 22});
    StatusPoruke.check =
        AddCheck(work, "StatusPorukeCheck",
                 " Prikaži 'Statusnu poruku' nakon akcije i zatvori nakon                 sek   "
                 "(1 - 30)",
                 {12, 68, kWidth - 60, 22});
    ConfirmDeleteCheck =
        AddCheck(work, "ConfirmDeleteCheck", " Potvrdi brisanje SMS poruka i podsjetnika",
                 {12, 92, kWidth - 60, 22});
    std::tie(Refresh.edit, Refresh.upDown) = MakeUpDown(work, "RefreshEdit", "RefreshUD", 10, 60);
    PlaceInGap(Refresh, " Osvježavaj 'Osnovne podatke' svakih ");
    std::tie(StatusPoruke.edit, StatusPoruke.upDown) =
        MakeUpDown(work, "StatusPorukeEdit", "StatusPorukeUD", 1, 30);
    PlaceInGap(StatusPoruke, " Prikaži 'Statusnu poruku' nakon akcije i zatvori nakon ");

    // "Komunikacija"
    auto* comm = new QWidget;
    comm->setObjectName("TabSheet2");
    PageControl1->addTab(comm, U("Komunikacija"));
    auto* serial = new QGroupBox(U(" Serijski ulaz:"), comm);
    serial->setObjectName("GroupBox3");
    serial->setGeometry(8, 6, 258, 180);
    ComPortCB = AddCombo(serial, "ComPortCB", "Naziv:", 22, {}, new PortComboBox);  // FillPorts
    QStringList rates;
    for (std::uint32_t r : BaudRateItems) rates << QString::number(r);
    LineCB[0] = AddCombo(serial, "BaudRateCB", "Brzina:", 52, rates);
    LineCB[1] = AddCombo(serial, "DataBitsCB", "Broj bitova:", 82, {"5", "6", "7", "8"});
    LineCB[2] = AddCombo(serial, "ParityCB", "Paritet:", 112, {U("Ništa"), "Neparni", "Parni"});
    LineCB[3] = AddCombo(serial, "StopBitsCB", "Stop bitovi:", 142, {"1", "1.5", "2"});
    auto* flow = new QGroupBox(U(" Kontrola protoka podataka:"), comm);
    flow->setObjectName("GroupBox4");
    flow->setGeometry(274, 6, 262, 180);
    LineCB[4] =
        AddCombo(flow, "HardFlowCB", "Hardverska:", 22, {U("Isključeno"), "Samo RTS", "RTS / CTS"});
    LineCB[4]->setGeometry(100, 22, 140, 22);
    LineCB[5] = AddCombo(flow, "SoftFlowCB", "Softverska:", 52, {U("Isključeno"), U("Uključeno")});
    LineCB[5]->setGeometry(100, 52, 140, 22);
    DeviceCheck = AddCheck(flow, "DeviceCheck", " Provjeravaj vezu", {16, 92, 180, 20});

    OKBtn = new QPushButton(U("U redu"), this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setGeometry(kWidth - 192, kHeight - 36, 88, 26);
    Button2 = new QPushButton(U("Odustani"), this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(kWidth - 96, kHeight - 36, 88, 26);

    connect(OKBtn, &QPushButton::clicked, this, &TOptionsForm::OKBtnClick);
    connect(Button2, &QPushButton::clicked, this, &TOptionsForm::Button2Click);
    for (const CheckedNumber* n : {&Refresh, &StatusPoruke})
        connect(n->check, &QCheckBox::clicked, this, [n] { n->UpdateEnabled(); });

    Fill(TOptions{});
}

// The controls that hold an option as it is, with the option each holds.
std::array<std::pair<QCheckBox*, bool TOptions::*>, 7> TOptionsForm::Checks() const {
    return {{{Refresh.check, &TOptions::RefreshGeneralInfo},
             {StatusPoruke.check, &TOptions::ShowStatusMessages},
             {CellInfoCheck, &TOptions::CheckCellInfo},
             {SplashScreenCheck, &TOptions::SplashScreen},
             {ConfirmDeleteCheck, &TOptions::ConfirmDelete},
             {AutoConnectCheck, &TOptions::AutoConnect},
             {DeviceCheck, &TOptions::DeviceCheck}}};
}

std::array<std::pair<QSpinBox*, int TOptions::*>, 2> TOptionsForm::Numbers() const {
    return {{{Refresh.upDown, &TOptions::RefreshInterval},
             {StatusPoruke.upDown, &TOptions::StatusMessagesInterval}}};
}

void TOptionsForm::Fill(const TOptions& o) {
    for (const auto& [check, value] : Checks()) check->setChecked(o.*value);
    for (const auto& [upDown, value] : Numbers()) upDown->setValue(o.*value);
    FillPorts();
    SelectPort(o);
    for (std::size_t k = 0; k < kLineOptions.size(); ++k)
        LineCB[k]->setCurrentIndex(o.*kLineOptions[k]);
    Refresh.UpdateEnabled();
    StatusPoruke.UpdateEnabled();
}

TOptions TOptionsForm::Edited() const {
    TOptions o;
    for (const auto& [check, value] : Checks()) o.*value = check->isChecked();
    for (const auto& [upDown, value] : Numbers()) o.*value = upDown->value();
    // A "COM n" item has no device path; a device keeps the "COM n" in force.
    const QString device = ComPortCB->currentData().toString();
    o.SerialPort = device.isEmpty() ? ComPortCB->currentIndex() : live_.SerialPort;
    o.SerialDevice = device;
    for (std::size_t k = 0; k < kLineOptions.size(); ++k)
        o.*kLineOptions[k] = LineCB[k]->currentIndex();
    return o;
}

// "COM 1" to "COM 8", each with the device it opens, then the serial devices
// present.
void TOptionsForm::FillPorts() {
    ComPortCB->clear();
    for (int i = 1; i <= 8; ++i)
        AddPort(ComPortCB, QStringLiteral("COM %1").arg(i),
                QString::fromStdString(platform::ComPortDevice(i)), {});
    for (const std::string& device : platform::SerialDevicesPresent(deviceFolder_.toStdString()))
        AddDevice(ComPortCB, QString::fromStdString(device));
    // The list drops open as wide as its longest name.
    ComPortCB->view()->setMinimumWidth(ComPortCB->view()->sizeHintForColumn(0) + 8);
}

// A chosen device that is not there now (unplugged) stays in the list.
void TOptionsForm::SelectPort(const TOptions& o) {
    if (o.SerialDevice.isEmpty()) {
        ComPortCB->setCurrentIndex(o.SerialPort);
        return;
    }
    if (ComPortCB->findData(o.SerialDevice) < 0) AddDevice(ComPortCB, o.SerialDevice);
    ComPortCB->setCurrentIndex(ComPortCB->findData(o.SerialDevice));
}

void TOptionsForm::CheckedNumber::UpdateEnabled() const {
    edit->setEnabled(check->isChecked());
    upDown->setEnabled(check->isChecked());
}

void TOptionsForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);  // centres on the main window
    FormShow();
}

void TOptionsForm::FormShow() {
    // The values in force, whatever an earlier showing left in the controls.
    Fill(live_);
    DeviceCheck->setToolTip(U("If you use two wires data cable\ror IrDA, disable this option."));
    PageControl1->setCurrentIndex(0);
    Button2->setFocus();
}

void TOptionsForm::OKBtnClick() {
    const TOptions edited = Edited();
    hide();
    putInForce_(edited);
    done(QDialog::Accepted);
}

// Nothing was taken over: the live options and the file stay as they are.
void TOptionsForm::Button2Click() { done(QDialog::Rejected); }

}  // namespace parlenko::ui

#include "ui/dialogs/options_form.h"

#include "platform/serial/port_list.h"
#include "ui/base/text_codec.h"

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
void PlaceInGap(QCheckBox* check, const char* lead, QLineEdit* edit, QSpinBox* upDown) {
    const QStyle* s = check->style();
    const int x = check->x() + s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check) +
                  s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, check) +
                  check->fontMetrics().horizontalAdvance(U(lead)) + 2;
    const int y = check->y() + (check->height() - 20) / 2;
    edit->setGeometry(x, y, 24, 20);
    upDown->setGeometry(x + 24, y, 16, 20);
}

void MakeUpDown(QLineEdit* edit, QSpinBox* upDown, int min, int max) {
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    upDown->setRange(min, max);
    upDown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    upDown->setFocusPolicy(Qt::NoFocus);  // only its arrows are seen
    upDown->setStyleSheet(QStringLiteral("QSpinBox { color: transparent; padding: 0; }"));
    QObject::connect(upDown, &QSpinBox::valueChanged, edit,
                     [edit](int v) { edit->setText(QString::number(v)); });
    edit->setText(QString::number(upDown->value()));
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
    setObjectName("OptionsForm");
    setWindowTitle(U("Opcije"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(true);
    setFixedSize(kWidth, kHeight);

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
    RefreshCheck = AddCheck(work, "RefreshCheck",
                            " Osvježavaj 'Osnovne podatke' svakih                 sek   (10 - 60)",
                            {12, 20, kWidth - 60, 22});
    CellInfoCheck = AddCheck(
        work, "CellInfoCheck",
        " Provjeravaj lokaciju gdje je mobitel prijavljen putem CB poruka  (Cell Broadcast)",
        {12, 44, kWidth - 60, 22});
    StatusPorukeCheck =
        AddCheck(work, "StatusPorukeCheck",
                 " Prikaži 'Statusnu poruku' nakon akcije i zatvori nakon                 sek   "
                 "(1 - 30)",
                 {12, 68, kWidth - 60, 22});
    ConfirmDeleteCheck =
        AddCheck(work, "ConfirmDeleteCheck", " Potvrdi brisanje SMS poruka i podsjetnika",
                 {12, 92, kWidth - 60, 22});
    RefreshEdit = new QLineEdit(work);
    RefreshEdit->setObjectName("RefreshEdit");
    RefreshUD = new QSpinBox(work);
    RefreshUD->setObjectName("RefreshUD");
    MakeUpDown(RefreshEdit, RefreshUD, 10, 60);
    PlaceInGap(RefreshCheck, " Osvježavaj 'Osnovne podatke' svakih ", RefreshEdit, RefreshUD);
    StatusPorukeEdit = new QLineEdit(work);
    StatusPorukeEdit->setObjectName("StatusPorukeEdit");
    StatusPorukeUD = new QSpinBox(work);
    StatusPorukeUD->setObjectName("StatusPorukeUD");
    MakeUpDown(StatusPorukeEdit, StatusPorukeUD, 1, 30);
    PlaceInGap(StatusPorukeCheck, " Prikaži 'Statusnu poruku' nakon akcije i zatvori nakon ",
               StatusPorukeEdit, StatusPorukeUD);

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
    BaudRateCB = AddCombo(serial, "BaudRateCB", "Brzina:", 52, rates);
    DataBitsCB = AddCombo(serial, "DataBitsCB", "Broj bitova:", 82, {"5", "6", "7", "8"});
    ParityCB = AddCombo(serial, "ParityCB", "Paritet:", 112, {U("Ništa"), "Neparni", "Parni"});
    StopBitsCB = AddCombo(serial, "StopBitsCB", "Stop bitovi:", 142, {"1", "1.5", "2"});
    auto* flow = new QGroupBox(U(" Kontrola protoka podataka:"), comm);
    flow->setObjectName("GroupBox4");
    flow->setGeometry(274, 6, 262, 180);
    HardFlowCB =
        AddCombo(flow, "HardFlowCB", "Hardverska:", 22, {U("Isključeno"), "Samo RTS", "RTS / CTS"});
    HardFlowCB->setGeometry(100, 22, 140, 22);
    SoftFlowCB = AddCombo(flow, "SoftFlowCB", "Softverska:", 52, {U("Isključeno"), U("Uključeno")});
    SoftFlowCB->setGeometry(100, 52, 140, 22);
    DeviceCheck = AddCheck(flow, "DeviceCheck", " Provjeravaj vezu", {16, 92, 180, 20});

    OKBtn = new QPushButton(U("U redu"), this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setGeometry(kWidth - 192, kHeight - 36, 88, 26);
    Button2 = new QPushButton(U("Odustani"), this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(kWidth - 96, kHeight - 36, 88, 26);

    connect(OKBtn, &QPushButton::clicked, this, &TOptionsForm::OKBtnClick);
    connect(Button2, &QPushButton::clicked, this, &TOptionsForm::Button2Click);
    connect(RefreshCheck, &QCheckBox::clicked, this, &TOptionsForm::RefreshCheckClick);
    connect(StatusPorukeCheck, &QCheckBox::clicked, this, &TOptionsForm::StatusPorukeCheckClick);

    Fill(TOptions{});
}

void TOptionsForm::Fill(const TOptions& o) {
    RefreshCheck->setChecked(o.RefreshGeneralInfo);
    RefreshUD->setValue(o.RefreshInterval);
    StatusPorukeCheck->setChecked(o.ShowStatusMessages);
    StatusPorukeUD->setValue(o.StatusMessagesInterval);
    CellInfoCheck->setChecked(o.CheckCellInfo);
    SplashScreenCheck->setChecked(o.SplashScreen);
    ConfirmDeleteCheck->setChecked(o.ConfirmDelete);
    AutoConnectCheck->setChecked(o.AutoConnect);
    FillPorts();
    SelectPort(o);
    BaudRateCB->setCurrentIndex(o.BaudRate);
    DataBitsCB->setCurrentIndex(o.DataBits);
    ParityCB->setCurrentIndex(o.Parity);
    StopBitsCB->setCurrentIndex(o.StopBits);
    HardFlowCB->setCurrentIndex(o.HardwareFlowControl);
    SoftFlowCB->setCurrentIndex(o.SoftwareFlowControl);
    DeviceCheck->setChecked(o.DeviceCheck);
    UpdateRefreshControls();
    UpdateStatusControls();
}

TOptions TOptionsForm::Edited() const {
    TOptions o;
    o.RefreshGeneralInfo = RefreshCheck->isChecked();
    o.RefreshInterval = RefreshUD->value();
    o.ShowStatusMessages = StatusPorukeCheck->isChecked();
    o.StatusMessagesInterval = StatusPorukeUD->value();
    o.CheckCellInfo = CellInfoCheck->isChecked();
    o.SplashScreen = SplashScreenCheck->isChecked();
    o.ConfirmDelete = ConfirmDeleteCheck->isChecked();
    o.AutoConnect = AutoConnectCheck->isChecked();
    // A "COM n" item has no device path; a device keeps the "COM n" in force.
    const QString device = ComPortCB->currentData().toString();
    o.SerialPort = device.isEmpty() ? ComPortCB->currentIndex() : live_.SerialPort;
    o.SerialDevice = device;
    o.BaudRate = BaudRateCB->currentIndex();
    o.DataBits = DataBitsCB->currentIndex();
    o.Parity = ParityCB->currentIndex();
    o.StopBits = StopBitsCB->currentIndex();
    o.HardwareFlowControl = HardFlowCB->currentIndex();
    o.SoftwareFlowControl = SoftFlowCB->currentIndex();
    o.DeviceCheck = DeviceCheck->isChecked();
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

void TOptionsForm::UpdateRefreshControls() {
    RefreshEdit->setEnabled(RefreshCheck->isChecked());
    RefreshUD->setEnabled(RefreshCheck->isChecked());
}

void TOptionsForm::UpdateStatusControls() {
    StatusPorukeEdit->setEnabled(StatusPorukeCheck->isChecked());
    StatusPorukeUD->setEnabled(StatusPorukeCheck->isChecked());
}

void TOptionsForm::RefreshCheckClick() { UpdateRefreshControls(); }
void TOptionsForm::StatusPorukeCheckClick() { UpdateStatusControls(); }

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

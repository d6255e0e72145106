#pragma once
// The options window "Opcije": the sixteen options on two tabs. It shows the
// live options each time it is shown; "U redu" takes the edited values, puts
// them in force (closing the port for the new line settings and opening it
// again when it was open) and saves them; "Odustani", Esc and the title
// bar's close leave the live options and the file as they were.

#include "ui/base/options.h"
#include "ui/controls/small_window.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace parlenko::ui {

class TOptionsForm : public TSmallWindow {
    Q_OBJECT
public:
    // What "U redu" does with the edited values: puts them in force and
    // saves them (the main window's part).
    using PutInForce = std::function<void(const TOptions& edited)>;
    // live: the options in force, shown each time the window is shown.
    TOptionsForm(QWidget* mainWindow, const TOptions& live, PutInForce putInForce);

    // The values the controls hold.
    TOptions Edited() const;
    // Item role of the port list: the item's name ("COM 2", a device) without
    // what it opens, which its text adds. Item data: the device path of a
    // device chosen in place of "COM n".
    static constexpr int kNameRole = Qt::UserRole + 1;
    // Where the serial devices of the port list are looked for ("/dev/").
    void SetDeviceFolder(const QString& folder) { deviceFolder_ = folder; }

    void OKBtnClick();
    void Button2Click();
    void RefreshCheckClick();
    void StatusPorukeCheckClick();
    void UpdateRefreshControls();
    void UpdateStatusControls();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTabWidget* PageControl1 = nullptr;
    QCheckBox* SplashScreenCheck = nullptr;
    QCheckBox* AutoConnectCheck = nullptr;
    QCheckBox* RefreshCheck = nullptr;
    QLineEdit* RefreshEdit = nullptr;
    QSpinBox* RefreshUD = nullptr;
    QCheckBox* CellInfoCheck = nullptr;
    QCheckBox* StatusPorukeCheck = nullptr;
    QLineEdit* StatusPorukeEdit = nullptr;
    QSpinBox* StatusPorukeUD = nullptr;
    QCheckBox* ConfirmDeleteCheck = nullptr;
    QComboBox* ComPortCB = nullptr;
    QComboBox* BaudRateCB = nullptr;
    QComboBox* DataBitsCB = nullptr;
    QComboBox* ParityCB = nullptr;
    QComboBox* StopBitsCB = nullptr;
    QComboBox* HardFlowCB = nullptr;
    QComboBox* SoftFlowCB = nullptr;
    QCheckBox* DeviceCheck = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* Button2 = nullptr;

    void FormShow();
    void Fill(const TOptions& o);
    void FillPorts();
    void SelectPort(const TOptions& o);

    const TOptions& live_;
    PutInForce putInForce_;
    QString deviceFolder_ = QStringLiteral("/dev/");
};

}  // namespace parlenko::ui

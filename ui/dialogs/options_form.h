#pragma once
// The options window "Opcije": the sixteen options on two tabs. It shows the
// live options each time it is shown; "U redu" takes the edited values, puts
// them in force (closing the port for the new line settings and opening it
// again when it was open) and saves them; "Odustani", Esc and the title
// bar's close leave the live options and the file as they were.

#include "ui/base/options.h"
#include "ui/controls/small_window.h"

#include <array>
#include <functional>
#include <utility>

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

    // An option's check box with the number that goes with it (read-only
    // edit and up-down in the gap of its caption), on only while it is ticked.
    struct CheckedNumber {
        QCheckBox* check = nullptr;
        QLineEdit* edit = nullptr;
        QSpinBox* upDown = nullptr;
        void UpdateEnabled() const;
    };

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTabWidget* PageControl1 = nullptr;
    QCheckBox* SplashScreenCheck = nullptr;
    QCheckBox* AutoConnectCheck = nullptr;
    CheckedNumber Refresh;  // RefreshCheck, RefreshEdit, RefreshUD
    QCheckBox* CellInfoCheck = nullptr;
    CheckedNumber StatusPoruke;  // StatusPorukeCheck, StatusPorukeEdit, StatusPorukeUD
    QCheckBox* ConfirmDeleteCheck = nullptr;
    QComboBox* ComPortCB = nullptr;
    // The serial line: BaudRateCB, DataBitsCB, ParityCB, StopBitsCB, and its
    // flow control: HardFlowCB, SoftFlowCB.
    std::array<QComboBox*, 6> LineCB{};
    QCheckBox* DeviceCheck = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* Button2 = nullptr;

    void FormShow();
    std::array<std::pair<QCheckBox*, bool TOptions::*>, 7> Checks() const;
    std::array<std::pair<QSpinBox*, int TOptions::*>, 2> Numbers() const;
    void Fill(const TOptions& o);
    void FillPorts();
    void SelectPort(const TOptions& o);

    const TOptions& live_;
    PutInForce putInForce_;
    QString deviceFolder_ = QStringLiteral("/dev/");
};

}  // namespace parlenko::ui

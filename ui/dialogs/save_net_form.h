#pragma once
// "Snimanje mrežne lokacije . . .": the user names the current network cell.
// Shows the network, area and cell of the general page and saves the name
// through the engine into "Locations.dat".

#include "ui/controls/small_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace parlenko {
class PhoneEngine;
}  // namespace parlenko

namespace parlenko::ui {

class TSaveNetForm : public TSmallWindow {
public:
    TSaveNetForm(QWidget* mainWindow, PhoneEngine& engine);

    // The cell to name and the name it has so far (empty when none); the
    // caller shows the form then.
    void Prepare(const QString& op, const QString& area, const QString& cell, const QString& name);

private:
    QLabel* NetLab = nullptr;
    QLabel* LocLab = nullptr;
    QLabel* CellLab = nullptr;
    QLineEdit* LocEdit = nullptr;
    QPushButton* Button1 = nullptr;  // "Snimi"
    QPushButton* Button2 = nullptr;  // "Odustani"

    void LocEditChange();
    void Button1Click();

    PhoneEngine& engine_;
};

}  // namespace parlenko::ui

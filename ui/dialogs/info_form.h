#pragma once
// The about box: picture band, what the program is for, contact and version.

#include "ui/controls/small_window.h"

class QLabel;
namespace parlenko::widgets {
class TUrlLabel;
}
class QPushButton;

namespace parlenko::ui {

class TInfoForm : public TSmallWindow {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* mainWindow = nullptr);

private:
    QLabel* Image1 = nullptr;
    QLabel* OpisLab = nullptr;
    widgets::TUrlLabel* EmailLab = nullptr;  // link labels of the contact group
    widgets::TUrlLabel* WebLab = nullptr;
    QLabel* VerzijaLab = nullptr;
    QPushButton* ZatvoriBtn = nullptr;
};

}  // namespace parlenko::ui

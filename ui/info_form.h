#pragma once
// The about box: picture band, what the program is for, contact and version.

#include <QDialog>

class QLabel;
class QPushButton;

namespace parlenko::ui {

class TInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* mainWindow = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* OpisLab = nullptr;
    QLabel* EmailLab = nullptr;  // link labels of the contact group
    QLabel* WebLab = nullptr;
    QLabel* VerzijaLab = nullptr;
    QPushButton* ZatvoriBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* main_;
};

}  // namespace parlenko::ui

#pragma once
// The settings sub-page "Ostalo" of the advanced page: the SMS centre, the
// call alert sound, vibration, ringer level, price per unit and the clock.
// Each group's "Snimi" sends one set command; "Osvježi" reads the first five
// settings again. Every command does nothing while the port is closed. The
// page is the engine's settings view: the answers come back through it.

#include "engine/settings/settings_view.h"

#include <QWidget>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TSettingsPage : public QWidget, public ISettingsView {
    Q_OBJECT
public:
    TSettingsPage(PhoneEngine& engine, QWidget* parent = nullptr);

    void PhoneSettingsChanged(const PhoneSettingsView& view) override;

    // Handlers, by their names.
    void RefreshOstaloBtnClick();
    void SmscEditChange();
    void SmscBtnClick();
    void AlertBtnClick();
    void VibraBtnClick();
    void RingerBtnClick();
    void ValutaEditChange();
    void PriceBtnClick();
    void Button1Click();

private:
    QRadioButton* Clock1RB = nullptr;
    QRadioButton* Clock2RB = nullptr;
    QPushButton* Button1 = nullptr;
    QLineEdit* SmscEdit = nullptr;
    QPushButton* SmscBtn = nullptr;
    QRadioButton* Alert1RB = nullptr;
    QRadioButton* Alert2RB = nullptr;
    QRadioButton* Alert3RB = nullptr;
    QPushButton* AlertBtn = nullptr;
    QRadioButton* Vibra1RB = nullptr;
    QRadioButton* Vibra2RB = nullptr;
    QPushButton* VibraBtn = nullptr;
    QSlider* RingerTB = nullptr;
    QPushButton* RingerBtn = nullptr;
    QLineEdit* ValutaEdit = nullptr;
    QLineEdit* CijenaEdit = nullptr;
    QLineEdit* PricePinEdit = nullptr;
    QPushButton* PriceBtn = nullptr;
    QPushButton* RefreshOstaloBtn = nullptr;

    PhoneEngine& engine_;
};

}  // namespace parlenko::ui

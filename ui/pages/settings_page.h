#pragma once
// The settings sub-page "Ostalo" of the advanced page: the SMS centre, the
// call alert sound, vibration, ringer level, price per unit and the clock.
// Each group's "Snimi" sends one set command; "Osvježi" reads the first five
// settings again. Every command does nothing while the port is closed. The
// page is the engine's settings view: the answers come back through it.

#include "engine/settings/settings_view.h"

#include <QWidget>

#include <array>
#include <cstddef>

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
    // A group's controls and its "Snimi", which sends what they hold.
    template <typename Control, std::size_t N>
    struct SavedGroup {
        std::array<Control*, N> fields{};
        QPushButton* save = nullptr;
    };

    SavedGroup<QRadioButton, 2> clock_;  // "Clock1RB", "Clock2RB"; "Button1"
    SavedGroup<QLineEdit, 1> smsc_;      // "SmscEdit"; "SmscBtn"
    // "ValutaEdit", "CijenaEdit", "PricePinEdit"; "PriceBtn"
    SavedGroup<QLineEdit, 3> price_;
    SavedGroup<QRadioButton, 3> alert_;  // "Alert1RB" to "Alert3RB"; "AlertBtn"
    SavedGroup<QRadioButton, 2> vibra_;  // "Vibra1RB", "Vibra2RB"; "VibraBtn"
    SavedGroup<QSlider, 1> ringer_;      // "RingerTB"; "RingerBtn"
    QPushButton* RefreshOstaloBtn = nullptr;

    PhoneEngine& engine_;
};

}  // namespace parlenko::ui

#pragma once
// The appointment editor's controls as the window tests reach them: by their
// names, as a user finds them.

#include "tests/ui/ui_test_support.h"
#include "ui/dialogs/appointment_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimeEdit>

namespace parlenko::ui::testing {

// The editor's controls, found by their names.
struct EditorControls {
    explicit EditorControls(TAppointmentForm& f)
        : form(f),
          date(Find<QDateEdit>(f, "AppDatePicker")),
          time(Find<QTimeEdit>(f, "AppTimePicker")),
          category(Find<QComboBox>(f, "AppCatCB")),
          pages(Find<QStackedWidget>(f, "Notebook1")),
          text(Find<QLineEdit>(f, "NazivEdit")),
          number(Find<QLineEdit>(f, "TelEdit")),
          names(Find<QComboBox>(f, "NazivCB")),
          repeat(Find<QComboBox>(f, "AppPerCB")),
          day(Find<QComboBox>(f, "AppDayCB")),
          activation(Find<QLabel>(f, "AppActivationLab")),
          alarm(Find<QCheckBox>(f, "ActivateCheck")),
          save(Find<QPushButton>(f, "SnimiBtn")) {}
    TAppointmentForm& form;
    QDateEdit& date;
    QTimeEdit& time;
    QComboBox& category;
    QStackedWidget& pages;
    QLineEdit& text;
    QLineEdit& number;
    QComboBox& names;
    QComboBox& repeat;
    QComboBox& day;
    QLabel& activation;
    QCheckBox& alarm;
    QPushButton& save;
};

// An item of a list chosen as the user chooses it.
inline void Pick(QComboBox& combo, int index) {
    combo.setCurrentIndex(index);
    emit combo.activated(index);
}

}  // namespace parlenko::ui::testing

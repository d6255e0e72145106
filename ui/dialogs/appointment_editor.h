#pragma once
// The appointment editor: one calendar entry of the phone (date and time,
// category, the text or the number to call, repetition with the weekday of a
// weekly entry, the alarm). It checks the text and the number against the
// phone's character sets as they are typed, tells the next activation in
// words, and "Snimi" hands the entry to the engine for the slot the
// appointments page chose.

#include "ui/controls/hint_balloon.h"

#include <QDateTime>
#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTimeEdit;

namespace parlenko {
class PhoneEngine;
}  // namespace parlenko

namespace parlenko::ui {

// What the editor opens with: the entry's moment, its category (the items of
// AppCatCB: 0 memo, 1 phone call, 2 meeting, 3 anniversary), its text or, for
// a phone call, the number to call, its repetition (the items of AppPerCB: 0
// once .. 4 annually) and its alarm.
struct AppointmentFields {
    QDate Date;
    QTime Time;
    int Category = 0;
    QString Text;    // every category but the phone call
    QString Number;  // the phone call
    int Repeat = 0;
    bool Alarm = false;
};

class TAppointmentForm : public QDialog {
    Q_OBJECT
public:
    // The editor is centred on mainWindow when shown.
    TAppointmentForm(PhoneEngine& engine, QWidget* mainWindow);

    // The new command: today and now, a memo without text, once, no alarm;
    // "Snimi" writes a new entry into slot.
    void OpenNew(int slot);
    // The new command with the values of an item of the calendar store (the
    // calendar exchange's "Snimi u mobitel").
    void OpenForStoreItem(const AppointmentFields& fields, int slot);
    // The edit command: the entry of slot with its values.
    void OpenForEdit(const AppointmentFields& fields, int slot);

    // The local time the activation rules compare with and a new entry
    // starts at (the machine's clock unless a test sets another).
    void SetClock(std::function<QDateTime()> now) { now_ = std::move(now); }

    // The slot "Snimi" writes to, and whether as a new entry.
    int AppointmentLocation() const { return appointmentLocation_; }
    bool NewAppointment() const { return newAppointment_; }

    // The validation balloon while a field holds an invalid text.
    widgets::TTessaryHintWindow* HintWindow() const { return balloon_.Window(); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildDateAndName();
    void BuildRepeatAndActivation();
    void ConnectHandlers();
    QDateTime Now() const { return now_(); }
    // Fills the controls as the new command does (the values of a store item,
    // or those of an empty entry).
    void FillForNew(const AppointmentFields& fields);
    void ShowModal(const char* title, int slot, bool isNew);

    // NazivCB := the names of the phonebook read (a VIP name keeps its "!").
    void FillNameList();
    void UpdateSaveButton();
    void UpdateActivation();

    // Event handlers.
    void FormShow();
    void AppCatCBChange();
    void AppDayCBChange();
    void NazivEditChange();
    void TelEditChange();
    void TelEditExit();
    void NazivCBChange();
    void SnimiBtnClick();

    // The balloon with its tip at dx, dy of the window.
    void ShowHint(const QString& text, int dx, int dy);

    QDateEdit* AppDatePicker = nullptr;
    QTimeEdit* AppTimePicker = nullptr;
    QComboBox* AppCatCB = nullptr;
    QStackedWidget* Notebook1 = nullptr;
    QLineEdit* NazivEdit = nullptr;
    QLineEdit* TelEdit = nullptr;
    QComboBox* NazivCB = nullptr;
    QComboBox* AppPerCB = nullptr;
    QComboBox* AppDayCB = nullptr;
    QLabel* AppActivationLab = nullptr;
    QCheckBox* ActivateCheck = nullptr;
    QPushButton* SnimiBtn = nullptr;
    QPushButton* OdustaniBtn = nullptr;

    PhoneEngine& engine_;
    QWidget* mainWindow_;
    std::function<QDateTime()> now_ = [] { return QDateTime::currentDateTime(); };
    THintBalloon balloon_;
    int appointmentLocation_ = 0;
    bool newAppointment_ = true;
    bool telEditActive_ = false;
    bool updating_ = false;
};

}  // namespace parlenko::ui

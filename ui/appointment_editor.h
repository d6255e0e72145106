#pragma once
// The appointment editor: one calendar entry of the phone (date and time,
// category, the text or the number to call, repetition with the weekday of a
// weekly entry, the alarm). It checks the text and the number against the
// phone's character sets as they are typed, tells the next activation in
// words, and "Snimi" hands the entry to the engine for the slot the
// appointments page chose.

#include "components/widgets/tessary_hint.h"

#include <QDateTime>
#include <QDialog>
#include <QPointer>

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

class TAppointmentForm : public QDialog {
public:
    // The editor is centred on mainWindow when shown.
    TAppointmentForm(PhoneEngine& engine, QWidget* mainWindow);
    ~TAppointmentForm() override;

    // Set by the page before it shows the editor.
    int AppointmentLocation = 0;
    bool NewAppointment = true;
    // Set by the calendar exchange before it runs the page's new command,
    // which clears it and keeps the values placed here.
    bool FromOutlookAppointment = false;

    // The local time the activation rules compare with (the machine's clock
    // unless a test sets another).
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

    // NazivCB := the names of the phonebook read (a VIP name keeps its "!").
    void FillNameList();
    void UpdateSaveButton();
    void UpdateActivation();

    // Event handlers.
    void AppCatCBChange();
    void AppDayCBChange();
    void NazivEditChange();
    void TelEditChange();
    void TelEditExit();
    void NazivCBChange();
    void SnimiBtnClick();

    // The validation balloon while a field holds an invalid text.
    widgets::TTessaryHintWindow* HintWindow() const { return hint_.data(); }

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

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void ShowHint(const QString& text, int dx, int dy);
    void FreeHint();

    PhoneEngine& engine_;
    QWidget* mainWindow_;
    QPointer<widgets::TTessaryHintWindow> hint_;
    bool telEditActive_ = false;
    bool updating_ = false;
};

}  // namespace parlenko::ui

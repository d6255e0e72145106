#pragma once
// TOutlookAppForm: the calendar exchange between the phone and the store's
// default calendar. The upper list holds the store's appointments and sends
// the chosen one into the appointment editor as a new phone entry; the lower
// list copies the appointments page's rows and writes the selected ones into
// the store. Created once at start-up and opened modally by the main window
// (Open); the appointments page's "save to Outlook" command goes through
// SaveAppointment.

#include "engine/text/gsm_alphabet.h"
#include "exchange/store/outlook_store.h"
#include "ui/dialogs/appointment_editor.h"
#include "ui/exchange/store_exchange_form.h"
#include "ui/pages/appointments_page.h"

#include <QString>

#include <array>

class QLabel;
class QPushButton;

namespace parlenko::ui {

// A store subject (UTF-8) as an appointment's text: at most 16 characters,
// those the phone's text set has not changed (ToPhoneText) and listed.
PhoneText ToPhoneAppointmentText(const std::string& utf8Text);

class TOutlookAppForm : public TStoreExchangeForm, public ui::ICalendarExchange {
    Q_OBJECT
public:
    // page: its rows are copied into the lower list, and its new command
    // opens the editor on a store item; citam: the progress window of the
    // read (may be null).
    TOutlookAppForm(QWidget* mainWindow, PhoneEngine& engine, ui::PodsjetnikPage& page,
                    TStoreSession& session, ui::TCitamForm* citam);
    ~TOutlookAppForm() override;

    // --- ICalendarExchange
    bool Available() const override;
    // Connects, logs on and takes the calendar; then reads, fills and shows.
    void Open() override;
    bool SaveAppointment(const AppointmentRow& row) override;

    bool OpenStore() override;

    // The store's Categories: 1 phone call, 2 meeting, 3 anniversary, else 0
    // (memo); compared lower-cased as a whole.
    static int CategoryIndexFromOutlook(const QString& categories);
    // The phone's category text (exact case) as the store's category.
    static QString OutlookCategoryFromPhone(const QString& category);
    // "Weekly" 1, "Monthly" 2, "Annualy" 5, anything else 0 (daily).
    static int RecurrenceTypeFromText(const QString& repetition);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ReadOutlookAppointments();
    // One item of the store as a row of the upper list; throws on an item
    // that is not an appointment or cannot be read.
    void AddOutlookRow(const exchange::store::Items& items, long index);
    void FillPhoneAppointments();
    void ClearOutlookDetails();
    // The upper detail that shows the list's column (the category and the
    // columns after it).
    QLabel* OutDetail(int column) const;
    // The chosen store item as the editor's values.
    AppointmentFields ChosenItemFields(int category, const PhoneText& text) const;

    // Event handlers.
    void OutAppointListChange();
    void MobAppointListChange();
    void SaveBtnClick() override;
    void OutSaveBtnClick() override;
    void RefreshBtnClick() override;

    // One phone row into the store through app; throws StoreError.
    static void SaveRow(const exchange::store::Application& app, const AppointmentRow& row);
    void FormClose() override;

    QTreeWidget* OutAppointList = nullptr;
    // The chosen store item's category, repetition, date, time and alarm
    // (OutCatLab, OutRecLab, OutDateLab, OutTimeLab, OutActLab).
    std::array<QLabel*, 5> outDetails_{};
    QTreeWidget* MobAppointList = nullptr;
    QLabel* AppointSelLab = nullptr;
    // The chosen phone row's category, repetition, and date with its time
    // (MobCatLab, MobRecLab, MobDateLab).
    std::array<QLabel*, 3> mobDetails_{};
    QPushButton* Button2 = nullptr;

    ui::PodsjetnikPage& page_;
    QWidget* mainWindow_;
    QString selectedSubject_;  // SelectedSubject: the chosen store item's subject
    QString selectedBody_;     // and its description (a phone call's number)
    bool fillingList_ = false;
};

}  // namespace parlenko::ui

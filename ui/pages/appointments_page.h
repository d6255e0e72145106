#pragma once
// The appointments page "Podsjetnik": the phone's calendar entries in
// AppointmentsList, the details of the selected one with its next
// activation, and the memory use. From it the user reads the calendar and
// creates, edits, deletes and saves entries (as a vCalendar file). It is the
// engine's view of the appointments list; the editor is TAppointmentForm.

#include "engine/core/host.h"
#include "engine/objects/objects_view.h"
#include "ui/controls/file_choice_slot.h"
#include "ui/controls/row_menu_items.h"

#include <QDateTime>
#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace parlenko {
class PhoneEngine;
}  // namespace parlenko

namespace parlenko::ui {

class TAppointmentForm;
struct AppointmentFields;

// The columns of AppointmentsList.
enum AppointmentColumn { kAppCaption, kAppCategory, kAppRepeat, kAppDate, kAppTime, kAppPosition };

// The calendar exchange window as the page and the main window use it.
class ICalendarExchange {
public:
    virtual ~ICalendarExchange() = default;
    // The store can be reached ("Outlook is installed").
    virtual bool Available() const = 0;
    // Opens the exchange window (TGlavna.OutlookATBClick).
    virtual void Open() = 0;
    // An entry of AppointmentsList into the store's default calendar (Tag 4);
    // true when saved (a failure has been reported).
    virtual bool SaveAppointment(const AppointmentRow& row) = 0;
};

class PodsjetnikPage : public QWidget,
                       public IObjectsView,
                       public TFileChoiceSlot,
                       public IRowMenuItems {
    Q_OBJECT
public:
    // mainWindow: where the editor and the message boxes are centred.
    PodsjetnikPage(PhoneEngine& engine, QWidget* mainWindow, QWidget* parent = nullptr);
    ~PodsjetnikPage() override;

    // Folder under which "Export" is made for the vCalendar files.
    void SetDataDir(const QString& dir) { dataDir_ = dir; }
    // The "Confirm Delete" option, read when a delete asks.
    void SetConfirmDeleteSource(std::function<bool()> confirmDelete) {
        confirmDelete_ = std::move(confirmDelete);
    }
    // The local time of the next-activation texts and of the editor (the
    // machine's clock unless a test sets another).
    void SetClock(const std::function<QDateTime()>& now);

    // The commands of menu "Po&dsjetnici" into menu (the main window's Podsjetnik1).
    void FillMenu(QMenu* menu);
    // Its commands on the selected appointment.
    std::vector<QAction*> RowMenuItems() const override;

    // The calendar exchange: OutlookATB and its menu item open it, and are
    // enabled when it is there and the store can be reached.
    void SetCalendarExchange(ICalendarExchange* exchange);

    // The rows of AppointmentsList in the order shown.
    std::vector<AppointmentRow> AppointmentRows() const;
    int AppointmentCount() const;

    // --- commands
    void RefreshAppointments();
    void RefreshAppTBClick();
    void NewAppTBClick();
    // The new command with the editor opened on an item of the calendar
    // store (the calendar exchange).
    void NewAppointmentFromStore(const AppointmentFields& fields);
    void EditAppTBClick();
    void DeleteAppTBClick();
    // tag 1 edit, 2 delete, 3 save as vCalendar, 4 save to Outlook.
    void Izmjenipodatke1Click(int tag);
    // A column click: the same column again turns the direction; another
    // column keeps it. No column is sorted before the first click, so each
    // column's first click shows its own first order (text A to Z, the
    // latest date and time first).
    void ColumnClick(int column);
    // The buttons and menu items follow the selected row; its details show.
    void AppointmentsListChange();

    // --- IObjectsView
    void ObjectCapabilitiesChanged(const ObjectCapabilitiesView& view) override;
    void ClearAppointmentRows() override;
    void AddAppointmentRow(const AppointmentRow& row) override;
    void UpdateAppointmentRow(const AppointmentRow& row) override;
    void RemoveAppointmentRows(const std::string& position) override;
    void FocusAppointmentRow(const std::string& position) override;

    // The picture AppActPB shows (-1 none).
    int AppActPBTag() const { return appActTag_; }

signals:
    // A success for the main window's status notice.
    void StatusMessage(const std::string& text);
    // The rows changed by the phone's answers (a read, a save, a delete).
    void AppointmentRowsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar();
    void BuildList();
    void BuildPopup();
    void BuildDetails();
    void ConnectCommands(const std::array<QAction*, 4>& items);
    void ShowAppointmentsSummary();
    // The new command, with the values of a store item when there are some.
    void OpenNewAppointment(const AppointmentFields* storeItem);
    void SaveAsVCalendar(const AppointmentRow& row);
    // < 0 when a goes before b under SortColumn / SortDescending.
    int AppointmentsListCompare(const QTreeWidgetItem& a, const QTreeWidgetItem& b) const;
    void BlankDetails();
    void ShowDetails(const AppointmentRow& row);
    void SetAppActPB(int tag);
    void SetRow(QTreeWidgetItem* item, const AppointmentRow& row);
    QTreeWidgetItem* RowOf(const std::string& position) const;
    void SortRows();
    void SetSelected(bool selected);

    QTreeWidget* AppointmentsList = nullptr;
    QLabel* AppNameLab = nullptr;
    QLabel* AppCatLab = nullptr;
    QLabel* AppDateLab = nullptr;
    QLabel* AppPerLab = nullptr;
    QLabel* AppPosLab = nullptr;
    QLabel* AppActLab = nullptr;
    QLabel* AppActPB = nullptr;
    QLabel* AppActDateLab = nullptr;
    QLabel* AppActTimeLab = nullptr;
    QLabel* AppActDayLab = nullptr;
    QLabel* AppCapLab = nullptr;
    QLabel* AppCntLab = nullptr;
    QLabel* AppFreeLab = nullptr;
    QToolButton* NewAppTB = nullptr;
    QToolButton* EditAppTB = nullptr;
    QToolButton* DeleteAppTB = nullptr;
    QToolButton* OutlookATB = nullptr;
    QToolButton* RefreshAppTB = nullptr;
    QMenu* AppointmentsPopup = nullptr;
    // The commands on an appointment (Tag 1..4: edit, delete, save as
    // vCalendar, save into the calendar folder): the popup's
    // (Izmjenipodatke1, Izbrisipodsjetnik1, SnimikaovCalendar1,
    // SnimiuOutlookCalendar1) and the main menu's (Izmjenipodatkepodsjetnika1,
    // Izbrisipodsjetnik2, kaovCalendar1, uOutlookCalendar1; after FillMenu).
    std::array<QAction*, 4> popupCommands_{};
    std::array<QAction*, 4> menuCommands_{};
    // Main-menu items (after FillMenu).
    QAction* Osvjeipodatke2 = nullptr;
    QAction* Novipodsjetnik1 = nullptr;
    QAction* RazmjenapodatakaOutlookCalendar1 = nullptr;

    PhoneEngine& engine_;
    QWidget* mainWindow_;
    QString dataDir_;
    std::function<bool()> confirmDelete_ = [] { return true; };
    std::function<QDateTime()> now_ = [] { return QDateTime::currentDateTime(); };
    // Owned by the main window (by the page when there is none).
    TAppointmentForm* form_ = nullptr;
    ICalendarExchange* calendarExchange_ = nullptr;
    int SortColumn = -1;  // none until the first click
    bool SortDescending = false;
    int appActTag_ = -1;
    int appointmentIndex_ = -1;
    bool fillingList_ = false;
};

}  // namespace parlenko::ui

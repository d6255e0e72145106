#pragma once
// The main window: menus, the left bar and header of the pages, the
// status bar with its indicators, and the program's life cycle around them
// (creation, first showing with the automatic connect, the close query, the
// options). It is the engine's general view: the status bar's phone and
// network captions, and the general page (TGeneralPage) it hands them on to.

#include "engine/core/modes.h"
#include "engine/general/general_view.h"
#include "ui/base/folders.h"
#include "ui/base/options.h"
#include "ui/controls/file_choice.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <vector>

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QStackedWidget;
class QTreeWidget;

namespace parlenko::widgets {
class TBrisolaButton;
class THintInstaller;
}  // namespace parlenko::widgets

namespace parlenko {
class PhoneEngine;
}  // namespace parlenko

namespace parlenko::widgets {
class TMenuPainter;
}  // namespace parlenko::widgets

namespace parlenko::ui {

class TAdvancedPage;
class TBackupForm;
class ICalendarExchange;
class TEngineViews;
class TInputLock;
class TCallWindows;
class TCallsPage;
class TCitamForm;
class IContactsExchange;
class TGeneralPage;
class TImenikPage;
class TInfoForm;
class TLogoPage;
class TMelodiesPage;
class PodsjetnikPage;
class TOptionsForm;
class TSettingsPage;
class TSmsPage;
class TSaveNetForm;
class TServicesPages;
class TStatusFrm;

class TGlavna : public QMainWindow, public IGeneralView {
    Q_OBJECT
public:
    // Runs the creation steps (FormCreate) and sets itself as the engine's
    // general view. When the images folder is missing the message is shown
    // here and ImagesMissing() is true afterwards.
    TGlavna(PhoneEngine& engine, TFolders folders, QString optionsPath);
    ~TGlavna() override;

    // The windows created after the main window.
    void SetStatusFrm(TStatusFrm* form) { statusFrm_ = form; }
    void SetInfoForm(TInfoForm* form) { infoForm_ = form; }
    void SetCitamForm(TCitamForm* form) { citamForm_ = form; }
    // The calendar exchange window (TOutlookAppForm of the exchange windows).
    void SetOutlookAppForm(ICalendarExchange* form);
    // The backup and restore wizard, the engine's backup view (nullptr: gone).
    void SetBackupForm(TBackupForm* form);
    // The contacts exchange: OutlookCTB is enabled exactly when its store
    // can be opened.
    void SetContactsExchange(IContactsExchange* exchange);

    bool ImagesMissing() const { return imagesMissing_; }
    const TFolders& Folders() const { return folders_; }

    // Activity mode: picks the progress window's picture.
    int Mode() const;
    void SetMode(ActivityMode mode);

    // The live option values and their file.
    TOptions& Options() { return options_; }
    const QString& OptionsPath() const { return optionsPath_; }
    // File to options; then the values are applied to the engine (its port
    // and refresh) and the status window.
    void LoadOptions();
    void SaveOptions();
    // Applies the current option values.
    void ApplyOptions();
    // The options window's "U redu": the edited values in force (the port
    // closed for the new line settings and opened again when it was open),
    // then saved.
    void PutOptionsInForce(const TOptions& edited);

    // Header picture of a page (language 0 "cro", 1 "eng"; page from 1, as
    // the left bar's buttons).
    void LoadPageBarImage(int language, int page);

    // The system asks the program to end (SIGTERM at logout or shutdown,
    // SIGINT, SIGHUP when its terminal closed): nobody is there to answer the
    // close query, so it is not asked. Every event loop ends, an open message
    // box's included; the options are saved, the running operation ends and
    // the phone's notices are switched off, and the port is closed.
    void CloseAtTermination();

    // Command handlers.
    void Uspostavivezu1Click();  // connect / disconnect
    void Iskljucimobitel1Click();
    void Izlaz1Click();
    void Oprogramu1Click();
    void Opcije1Click();  // the options window, modal
    // Page switch of the left bar (tag 1, 2 ... as its buttons) with what
    // showing the page starts.
    void OutBarBtn1Click(int tag);
    // Sub-page of the advanced page (tag 10, 20 ... as its tabs), then what
    // showing it starts while connected.
    void TabBarBtn1Click(int tag);
    // Opens the calendar exchange (OutlookATB, RazmjenapodatakaOutlookCalendar1).
    void OutlookATBClick();
    // Opens TSaveNetForm for the current cell.
    void SaveNetLocBtnClick();
    // Opens the backup and restore wizard modally (the phonebook page's
    // BackupTB and the menu item Pohranaipovratpodataka1).
    void BackupTBClick();
    // Opens the contacts exchange (the phonebook page's OutlookCTB).
    void OutlookCTBClick();
    // The selected phonebook entry (its name as shown and its number) into
    // the contacts store (the phonebook popup's Outlook items, Tag 10..50).
    void SaveEntryToContacts(const QString& name, const QString& number, int field);
    // The contacts exchange's pre-filled new entry (Windows-1252 name and number).
    void NewEntryFromContact(const std::string& name, const std::string& number);
    // Indicator clicks: act only while a new SMS or call is pending.
    void NewSmsPBClick();
    void NewCallPBClick();

    // Actions of the pages; those of pages not built yet do nothing.
    void AllNumTB();
    void RefreshSms();
    void RefreshAppointments();
    void RefreshOstaloBtnClick();
    // Rows of the appointments list.
    int AppointmentRows() const;

    PhoneEngine& Engine() { return engine_; }

    // The busy state: while the phone answers the window takes no input;
    // its controls and menus keep the states their pages gave them.
    void SetBusy(bool busy);
    bool Busy() const;

    // Shows every tooltip of the application in the hint window.
    widgets::THintInstaller& Hints() { return *hints_; }
    // The call windows (the engine's calls view) and the shared dial sequence.
    TCallWindows& CallWindows() { return *callWindows_; }
    // The appointments page, which the calendar exchange fills.
    PodsjetnikPage& AppointmentsPage() { return *Podsjetnik; }
    // The options window.
    TOptionsForm* OptionsForm() const { return optionsForm_.get(); }

    // Repaints the connection indicator and the port name caption.
    void RepaintConnected();
    // The port was opened or closed: menu items and indicator follow.
    void ConnectionChanged(bool connected);
    // The general information changed: the status-bar texts follow.
    void GeneralInfoChanged(const GeneralInfoView& view) override;
    void ShowPhonePicture(const std::string& model) override;
    // The indicators' frames and hints, as the engine tells them.
    void PortTrafficChanged(int frame);
    void NewSmsIndicatorChanged(int phase, const QString& hint);
    void NewCallIndicatorChanged(int phase, const QString& hint);
    int PortTrafficFrame() const { return portTrafficFrame_; }
    int NewSmsPhase() const { return newSmsPhase_; }
    int NewCallPhase() const { return newCallPhase_; }
    // The save-location window (created when first opened).
    TSaveNetForm* SaveNetForm() const { return saveNetForm_.get(); }

signals:
    // The close query agreed and the window closed: the program ends.
    void MainWindowClosed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The pages of the left bar and the sub-pages of the advanced page, each
    // in a row of its table (glavna.cpp).
    struct PageRow;
    struct SubPageRow;
    static const std::vector<PageRow>& Pages();
    static const std::vector<SubPageRow>& SubPages();
    // The pages, each made with its view set on the engine.
    QWidget* MakeGeneralPage();
    QWidget* MakePhonebookPage();
    QWidget* MakeSmsPage();
    QWidget* MakeCallsPage();
    QWidget* MakeAppointmentsPage();
    QWidget* MakeAdvancedPage();
    QWidget* MakeDivertPage();
    QWidget* MakeBarringPage();
    QWidget* MakeLocksPage();
    QWidget* MakeMelodiesPage();
    QWidget* MakeLogoPage();
    QWidget* MakeSettingsPage();
    // What showing a page starts.
    void PhonebookPageShown();
    void SmsPageShown();
    void CallsPageShown();
    void AppointmentsPageShown();
    void CheckLocks();
    void ReadMelodies();
    void ReadLogo();
    // The left bar's tag of a page.
    int PageTag(const QWidget* page) const;
    // A page's menu in the main menu (nullptr none).
    QMenu* MenuOf(const QWidget* page) const;

    void BuildMenus();
    void BuildMenuPainter();
    void BuildFrame();
    void BuildLeftBar(QWidget* client);
    void BuildPages(QWidget* client);
    void ConnectPages();
    void ShareMenusAndFiles();
    void BuildStatusBar();
    // Another page is shown: the menu items of the pages hidden are off.
    void Notebook1PageChanged();
    // The call lists' and the SMS page's add buttons: the phonebook's new
    // entry with number.
    void ShowStatusMessage(const QString& text);
    // Paints an indicator; false for another widget.
    bool PaintIndicator(QWidget* box);
    void FormCreate();
    void FormShow();
    // Close query; true when the window may close (the options saved).
    bool FormCloseQuery();
    // A close request waiting for the phone: the window closes (asking
    // first, when not asked yet) once no exchange runs.
    void CloseWhenIdle();
    void SetConnectedMenus(bool connected);
    void ShowConnectError();

    // Controls, by their names.
    QLabel* MainBarImage = nullptr;
    QStackedWidget* Notebook1 = nullptr;
    PodsjetnikPage* Podsjetnik = nullptr;             // the appointments
    std::vector<widgets::TBrisolaButton*> OutBarBtn;  // Tag 1, 2 ...
    TGeneralPage* OsnovnoPage = nullptr;
    TAdvancedPage* OstaloPage = nullptr;
    TSmsPage* SmsPage = nullptr;
    TCallsPage* PoziviPage = nullptr;
    TImenikPage* ImenikPage = nullptr;
    // The file choice every export of the pages shares.
    TFileChoice ImenaSaveDlg;
    TMelodiesPage* MelodijePage = nullptr;  // sub-pages of the advanced page
    TLogoPage* LogotipPage = nullptr;
    QLabel* StatusBarImage = nullptr;
    QWidget* ConnectedPB = nullptr;
    QWidget* NewSmsPB = nullptr;
    QWidget* NewCallPB = nullptr;
    QWidget* PortTrafficPB = nullptr;
    QLabel* ComPortNameLab = nullptr;
    QLabel* ProModLab = nullptr;
    QLabel* NetLocLab = nullptr;
    widgets::TMenuPainter* MenuPainter1 = nullptr;
    QMenu* Parlenko1 = nullptr;
    QMenu* Info1 = nullptr;
    // Each page's menu, in the order of the pages (nullptr none).
    std::vector<QMenu*> pageMenus_;
    QAction* Uspostavivezu1 = nullptr;
    QAction* Prekinivezu1 = nullptr;
    QAction* Snimilokacijumreze1 = nullptr;
    QAction* Iskljucimobitel1 = nullptr;
    QAction* Opcije1 = nullptr;
    QAction* Izlaz1 = nullptr;
    QAction* Oprogramu1 = nullptr;
    TSettingsPage* SettingsPage = nullptr;  // "Ostalo" of the advanced page
    // Diverts, barrings and locks: sub-pages of the advanced page.
    std::unique_ptr<TServicesPages> ServicesPages;

    PhoneEngine& engine_;
    TFolders folders_;
    QString optionsPath_;
    TOptions options_;
    bool imagesMissing_ = false;
    bool shown_ = false;
    bool closeAgreed_ = false;
    bool closing_ = false;  // the port is being closed for the end
    bool closed_ = false;
    QTimer closeWait_;
    bool terminating_ = false;
    TStatusFrm* statusFrm_ = nullptr;
    TInfoForm* infoForm_ = nullptr;
    TCitamForm* citamForm_ = nullptr;
    ICalendarExchange* outlookAppForm_ = nullptr;
    TBackupForm* backupForm_ = nullptr;
    IContactsExchange* contactsExchange_ = nullptr;
    std::unique_ptr<widgets::THintInstaller> hints_;
    std::unique_ptr<TInputLock> inputLock_;
    std::unique_ptr<TEngineViews> views_;
    std::unique_ptr<TOptionsForm> optionsForm_;
    std::unique_ptr<TSaveNetForm> saveNetForm_;
    std::unique_ptr<TCallWindows> callWindows_;
    int portTrafficFrame_ = 0;
    int newSmsPhase_ = 0;
    int newCallPhase_ = 3;
};

}  // namespace parlenko::ui

#include "ui/main_window/glavna.h"

#include "components/widgets/brisola_button.h"
#include "components/widgets/menu_painter.h"
#include "components/widgets/tessary_hint.h"
#include "engine/session/phone_engine.h"
#include "platform/paths.h"
#include "ui/artwork/artwork.h"
#include "ui/base/pictures.h"
#include "ui/base/text_codec.h"
#include "ui/controls/click_handlers.h"
#include "ui/controls/controls.h"
#include "ui/controls/message_dialog.h"
#include "ui/controls/row_menu_items.h"
#include "ui/controls/window_placement.h"
#include "ui/dialogs/call_windows.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/info_form.h"
#include "ui/dialogs/options_form.h"
#include "ui/dialogs/save_net_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/dialogs/upis_imenik.h"
#include "ui/exchange/backup_form.h"
#include "ui/exchange/contacts_exchange.h"
#include "ui/main_window/engine_views.h"
#include "ui/main_window/input_lock.h"
#include "ui/pages/advanced_page.h"
#include "ui/pages/appointments_page.h"
#include "ui/pages/barring_page.h"
#include "ui/pages/calls_page.h"
#include "ui/pages/divert_page.h"
#include "ui/pages/general_page.h"
#include "ui/pages/locks_page.h"
#include "ui/pages/logo_page.h"
#include "ui/pages/melodies_page.h"
#include "ui/pages/phonebook_page.h"
#include "ui/pages/services_pages.h"
#include "ui/pages/settings_page.h"
#include "ui/pages/sms_page.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace parlenko::ui {
namespace {

constexpr int kClientWidth = 620;
constexpr int kClientHeight = 473;
constexpr int kLeftBarWidth = 100;
constexpr int kStatusBarHeight = 26;
constexpr int kPortNameWidth = 110;  // the status bar's port name of a device path
constexpr int kHintMs = 10000;
// How often a close request waiting for the phone looks whether it is done.
constexpr int kCloseWaitPollMs = 50;

// The port as the status bar names it: "COM2" as "COM 2", "COM12" as
// "COM 12" (the driver's "\\.\COM2" likewise); a device path by its device
// name ("/dev/ttyUSB0" as "ttyUSB0"); any other name whole.
QString PortCaption(QString name) {
    if (name.startsWith(QLatin1String("\\\\.\\"))) name.remove(0, 4);
    if (name.startsWith('/')) return name.mid(name.lastIndexOf('/') + 1);
    bool digits = false;
    name.mid(3).toInt(&digits);
    if (name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) && digits)
        return name.left(3) + " " + name.mid(3);
    return name;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {},
                 const char* hint = nullptr) {
    QAction* a = menu->addAction(U(caption));
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    if (hint != nullptr) {
        a->setToolTip(U(hint));
        a->setStatusTip(U(hint));
    }
    return a;
}

// A menu of the main menu, drawn by MenuPainter1.
QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* m = new widgets::TPaintedMenu(U(caption), bar);
    m->setObjectName(name);
    bar->addMenu(m);
    return m;
}

}  // namespace

TGlavna::TGlavna(PhoneEngine& engine, TFolders folders, QString optionsPath)
    : QMainWindow(nullptr),
      engine_(engine),
      folders_(std::move(folders)),
      optionsPath_(std::move(optionsPath)) {
    setObjectName("Glavna");
    setWindowTitle("Parlenko");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(artwork::UiFont(8.5));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, artwork::kCream);
    setPalette(pal);
    inputLock_ = std::make_unique<TInputLock>(*this);
    closeWait_.setInterval(kCloseWaitPollMs);
    connect(&closeWait_, &QTimer::timeout, this, &TGlavna::CloseWhenIdle);
    views_ = std::make_unique<TEngineViews>(engine_);
    callWindows_ = std::make_unique<TCallWindows>(this, engine_);
    views_->Set<ICallsView>(callWindows_.get());
    BuildMenus();
    BuildFrame();
    SmsPage->BuildMenu(MenuOf(SmsPage));
    SmsPage->SetConfirmDeleteSource([this] { return options_.ConfirmDelete; });
    optionsForm_ = std::make_unique<TOptionsForm>(
        this, options_, [this](const TOptions& edited) { PutOptionsInForce(edited); });
    BuildMenuPainter();
    FormCreate();
    MenuPainter1->Loaded();
}

// The windows the engine shows in stay until it is told they are gone.
TGlavna::~TGlavna() { views_->Clear(); }

// --- the pages ------------------------------------------------------------------

// A page of the left bar.
struct TGlavna::PageRow {
    const char* caption;  // its button's and the page's name
    int icon;             // the activity picture on its button (-1 the phone)
    // Its menu in the main menu (nullptr none) and the menu's item that
    // shows the page (nullptr: the advanced page's menu holds an item for
    // each sub-page).
    const char* menu;
    const char* menuCaption;
    const char* showItem;
    QWidget* (TGlavna::*make)();  // makes the page; its view is set there
    void (TGlavna::*shown)();     // what showing it starts (nullptr nothing)
};

// A sub-page of the advanced page.
struct TGlavna::SubPageRow {
    const char* caption;   // its tab's and the page's name
    const char* menuItem;  // its item in the advanced page's menu
    const char* menuCaption;
    QWidget* (TGlavna::*make)();  // makes the page; its view is set there
    void (TGlavna::*shown)();     // what showing it starts while connected (nullptr nothing)
};

const std::vector<TGlavna::PageRow>& TGlavna::Pages() {
    static const std::vector<PageRow> rows = {
        {"Osnovno", -1, nullptr, nullptr, nullptr, &TGlavna::MakeGeneralPage, nullptr},
        {"Imenik", 0, "Telefonskiimenik1", "&Telefonski imenik", "Prikazi1",
         &TGlavna::MakePhonebookPage, &TGlavna::PhonebookPageShown},
        {"SMS", 1, "SMSporuke1", "&SMS poruke", "Prikazipodatke1", &TGlavna::MakeSmsPage,
         &TGlavna::SmsPageShown},
        {"Pozivi", 2, "Pozivi1", "&Pozivi", "Prikazipodatke2", &TGlavna::MakeCallsPage,
         &TGlavna::CallsPageShown},
        {"Podsjetnik", 3, "Podsjetnik1", "Po&dsjetnici", "Prikaipodatke1",
         &TGlavna::MakeAppointmentsPage, &TGlavna::AppointmentsPageShown},
        {"Ostalo", 7, "Ostalo1", "&Napredne funkcije", nullptr, &TGlavna::MakeAdvancedPage,
         nullptr},
    };
    return rows;
}

const std::vector<TGlavna::SubPageRow>& TGlavna::SubPages() {
    static const std::vector<SubPageRow> rows = {
        {"Preusmjeravanja", "Preusmjeravanjepoziva1", "Preusmjeravanje poziva",
         &TGlavna::MakeDivertPage, nullptr},
        {"Zabrana poziva", "Zabranapoziva1", "Zabrana poziva", &TGlavna::MakeBarringPage, nullptr},
        {"Zakljucavanja", "Zakljuavanja1", "Zaključavanja", &TGlavna::MakeLocksPage,
         &TGlavna::CheckLocks},
        {"Melodije", "Melodije1", "Melodije", &TGlavna::MakeMelodiesPage, &TGlavna::ReadMelodies},
        {"Logotip", "Logotip1", "Logotip", &TGlavna::MakeLogoPage, &TGlavna::ReadLogo},
        {"Ostalo", "Ostalo2", "Ostalo", &TGlavna::MakeSettingsPage,
         &TGlavna::RefreshOstaloBtnClick},
    };
    return rows;
}

QWidget* TGlavna::MakeGeneralPage() {
    // The main window is the general view: its status bar shows the phone
    // and the network, the page the rest.
    views_->Set<IGeneralView>(this);
    return OsnovnoPage = new TGeneralPage;
}

QWidget* TGlavna::MakePhonebookPage() {
    QDir shipped(folders_.ImagesDir);
    shipped.cdUp();
    return ImenikPage =
               views_->Set<IPhonebookView>(new TImenikPage(engine_, shipped.absolutePath()));
}

QWidget* TGlavna::MakeSmsPage() {
    return SmsPage = views_->Set<ISmsView>(new TSmsPage(engine_, this));
}

QWidget* TGlavna::MakeCallsPage() {
    return PoziviPage =
               views_->Set<ICallListsView>(new TCallsPage(engine_, *callWindows_, folders_.ExeDir));
}

QWidget* TGlavna::MakeAppointmentsPage() {
    return Podsjetnik = views_->Set<IObjectsView>(new PodsjetnikPage(engine_, this));
}

QWidget* TGlavna::MakeAdvancedPage() {
    OstaloPage = new TAdvancedPage;
    for (const SubPageRow& row : SubPages())
        OstaloPage->AddSubPage(U(row.caption), (this->*row.make)());
    connect(OstaloPage, &TAdvancedPage::TabClicked, this, &TGlavna::TabBarBtn1Click);
    return OstaloPage;
}

// The diverts, barrings and locks share one view, made with the first of them.
QWidget* TGlavna::MakeDivertPage() {
    ServicesPages = std::make_unique<TServicesPages>(engine_, this);
    views_->Set<IServicesView>(ServicesPages.get());
    return ServicesPages->Diverts();
}

QWidget* TGlavna::MakeBarringPage() { return ServicesPages->Barrings(); }

QWidget* TGlavna::MakeLocksPage() { return ServicesPages->Locks(); }

QWidget* TGlavna::MakeMelodiesPage() {
    return MelodijePage =
               views_->Set<IMelodiesView>(new TMelodiesPage(engine_, folders_.MelodiesDir));
}

QWidget* TGlavna::MakeLogoPage() {
    LogotipPage = views_->Set<ILogoView>(new TLogoPage(engine_, folders_.LogosDir));
    connect(LogotipPage, &TLogoPage::StatusMessageRequested, this, &TGlavna::ShowStatusMessage);
    return LogotipPage;
}

QWidget* TGlavna::MakeSettingsPage() {
    return SettingsPage = views_->Set<ISettingsView>(new TSettingsPage(engine_));
}

void TGlavna::PhonebookPageShown() {
    if (!engine_.PhonebookEmpty()) AllNumTB();
    else engine_.RefreshPhonebook();
}

void TGlavna::SmsPageShown() {
    if (!engine_.SmsListEmpty()) return;
    if (!engine_.PhonebookEmpty()) {
        RefreshSms();
        return;
    }
    const int answer =
        Ask(this, QStringLiteral("Refresh phonebook"),
            QStringLiteral("Phonebook not loaded!\r\rWithout phonebook, is not possible to "
                           "associate\rphone number with message sender or receiver.\r\rRead "
                           "it now?"));
    if (answer == DialogResult::Yes) engine_.RefreshPhonebookThenSms();
    else RefreshSms();
}

void TGlavna::CallsPageShown() { engine_.RefreshCalls(); }

void TGlavna::AppointmentsPageShown() {
    if (AppointmentRows() == 0) RefreshAppointments();
}

void TGlavna::CheckLocks() { ServicesPages->CheckLocks(); }

void TGlavna::ReadMelodies() { MelodijePage->PageShown(); }

void TGlavna::ReadLogo() { LogotipPage->PageShown(); }

int TGlavna::PageTag(const QWidget* page) const { return Notebook1->indexOf(page) + 1; }

QMenu* TGlavna::MenuOf(const QWidget* page) const {
    return pageMenus_.at(static_cast<std::size_t>(PageTag(page) - 1));
}

// --- construction -------------------------------------------------------------

void TGlavna::BuildMenus() {
    auto* bar = new widgets::TPaintedMenuBar(this);
    bar->setObjectName("MainMenu1");
    bar->setNativeMenuBar(false);
    setMenuBar(bar);
    Parlenko1 = AddMenu(bar, "Parlenko1", "&Parlenko");
    Uspostavivezu1 = AddItem(Parlenko1, "Uspostavivezu1", "Uspostavi vezu", Qt::Key_F1,
                             "Uspostavi vezu sa mobitelom . . .");
    Prekinivezu1 = AddItem(Parlenko1, "Prekinivezu1", "Prekini vezu", Qt::Key_F2,
                           "Prekini vezu sa mobitelom . . .");
    Parlenko1->addSeparator();
    Snimilokacijumreze1 =
        AddItem(Parlenko1, "Snimilokacijumreze1", "Snimi lokaciju mreže", Qt::Key_F3);
    Iskljucimobitel1 = AddItem(Parlenko1, "Iskljucimobitel1", "Isključi mobitel", Qt::Key_F4,
                               "Isključi mobitel . . .");
    Parlenko1->addSeparator();
    Opcije1 = AddItem(Parlenko1, "Opcije1", "Opcije", Qt::Key_F5, "Opcije . . .");
    Parlenko1->addSeparator();
    Izlaz1 = AddItem(Parlenko1, "Izlaz1", "Zatvori Parlenko", Qt::Key_F10);
    Prekinivezu1->setEnabled(false);
    Snimilokacijumreze1->setEnabled(false);
    Iskljucimobitel1->setEnabled(false);
    controls::OnTriggered(this, {
                                    {Snimilokacijumreze1, &TGlavna::SaveNetLocBtnClick},
                                    {Uspostavivezu1, &TGlavna::Uspostavivezu1Click},
                                    {Prekinivezu1, &TGlavna::Uspostavivezu1Click},
                                    {Iskljucimobitel1, &TGlavna::Iskljucimobitel1Click},
                                    {Izlaz1, &TGlavna::Izlaz1Click},
                                    {Opcije1, &TGlavna::Opcije1Click},
                                });

    for (const PageRow& row : Pages()) {
        pageMenus_.push_back(nullptr);
        if (row.menu == nullptr) continue;
        QMenu* m = pageMenus_.back() = AddMenu(bar, row.menu, row.menuCaption);
        if (row.showItem == nullptr) {
            // The advanced page: an item for each sub-page.
            int tag = 0;
            for (const SubPageRow& sub : SubPages()) {
                QAction* a = AddItem(m, sub.menuItem, sub.menuCaption);
                const int subTag = 10 * ++tag;
                connect(a, &QAction::triggered, this, [this, subTag] {
                    OutBarBtn1Click(PageTag(OstaloPage));
                    TabBarBtn1Click(subTag);
                });
            }
            continue;
        }
        QAction* a = AddItem(m, row.showItem, "Prikaži podatke");
        const int tag = static_cast<int>(&row - Pages().data()) + 1;
        connect(a, &QAction::triggered, this, [this, tag] { OutBarBtn1Click(tag); });
    }
    Info1 = AddMenu(bar, "Info1", "In&formacije");
    Oprogramu1 = AddItem(Info1, "Oprogramu1", "O programu...");
    connect(Oprogramu1, &QAction::triggered, this, &TGlavna::Oprogramu1Click);
}

void TGlavna::BuildMenuPainter() {
    using namespace widgets;
    MenuPainter1 = new TMenuPainter(this);
    MenuPainter1->setObjectName("MenuPainter1");
    QFont font;
    font.setFamilies({"Tahoma", "DejaVu Sans", "Liberation Sans", "sans-serif"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    MenuPainter1->SetFont(font);
    MenuPainter1->SetFontColor(clMenuText);
    MenuPainter1->IconBackColor = clMoneyGreen;
    MenuPainter1->SelectColor = clMoneyGreen;
    MenuPainter1->SelectBorderColor = RGBColor(49, 87, 49);
    MenuPainter1->SelectFontColor = clMenuText;
    MenuPainter1->DisabledColor = clGrayText;
    MenuPainter1->SetUseSystemColors(false);
    MenuPainter1->Gradient = true;
    MenuPainter1->AutoDetect = true;
    MenuPainter1->SetPaintControls(pcMainMenu | pcPopupMenu);
    MenuPainter1->SetActive(true);
}

void TGlavna::BuildFrame() {
    auto* central = new QWidget(this);
    central->setObjectName("Client");
    central->setFixedSize(kClientWidth, kClientHeight - kStatusBarHeight);
    central->setAutoFillBackground(true);
    BuildLeftBar(central);
    BuildPages(central);
    ConnectPages();
    ShareMenusAndFiles();
    setCentralWidget(central);
    BuildStatusBar();
    setFixedSize(sizeHint());
    StatusBarImage->setGeometry(0, 0, kClientWidth, kStatusBarHeight);
}

// The left bar with a button for each page, one above the other.
void TGlavna::BuildLeftBar(QWidget* client) {
    const int barHeight = kClientHeight - kStatusBarHeight;
    auto* leftBar = controls::Picture(client, "OutBar", QRect(0, 0, kLeftBarWidth, barHeight),
                                      artwork::OutBarBackground(barHeight));
    for (const PageRow& row : Pages()) {
        const int tag = static_cast<int>(OutBarBtn.size()) + 1;
        auto* b = new widgets::TBrisolaButton(leftBar);
        b->setObjectName(QStringLiteral("OutBarBtn%1").arg(tag));
        b->Tag = tag;
        const int top = (tag - 1) * artwork::kOutBarButtonHeight;
        b->setGeometry(0, top, kLeftBarWidth, artwork::kOutBarButtonHeight);
        auto picture = [&](artwork::ButtonLook look) {
            return artwork::OutBarButton(barHeight, top, row.icon, U(row.caption), look);
        };
        b->SetDownImage(picture(artwork::ButtonLook::Down));
        b->SetMouseOverImage(picture(artwork::ButtonLook::MouseOver));
        b->SetDisabledImage(picture(artwork::ButtonLook::Disabled));
        b->SetUpImage(picture(artwork::ButtonLook::Up));
        b->OnClick = [this](widgets::TBrisolaButton* sender) { OutBarBtn1Click(sender->Tag); };
        OutBarBtn.push_back(b);
    }
}

// The page header and the pages under it, each placing its own controls.
void TGlavna::BuildPages(QWidget* client) {
    MainBarImage = new QLabel(client);
    MainBarImage->setObjectName("MainBarImage");
    MainBarImage->setGeometry(kLeftBarWidth, 0, kClientWidth - kLeftBarWidth,
                              artwork::kPageBarHeight);
    MainBarImage->setStyleSheet(QStringLiteral("background: #1D3A66;"));

    Notebook1 = new QStackedWidget(client);
    Notebook1->setObjectName("Notebook1");
    Notebook1->setGeometry(kLeftBarWidth, artwork::kPageBarHeight, kClientWidth - kLeftBarWidth,
                           kClientHeight - kStatusBarHeight - artwork::kPageBarHeight);
    for (const PageRow& row : Pages()) {
        QWidget* page = (this->*row.make)();
        page->setAccessibleName(U(row.caption));
        Notebook1->addWidget(page);
    }
}

void TGlavna::ConnectPages() {
    const auto dial = [this](const QString& name, const QString& number) {
        callWindows_->DialSequence(name, number);
    };
    // What the phonebook page asks of the others.
    connect(ImenikPage, &TImenikPage::BackupRequested, this, &TGlavna::BackupTBClick);
    connect(ImenikPage, &TImenikPage::ContactsExchangeRequested, this, &TGlavna::OutlookCTBClick);
    connect(ImenikPage, &TImenikPage::SaveToContactsRequested, this, &TGlavna::SaveEntryToContacts);
    connect(ImenikPage, &TImenikPage::DialRequested, this, dial);
    connect(ImenikPage, &TImenikPage::NewSmsRequested, SmsPage, &TSmsPage::NewSmsIme1TBClick);
    connect(ImenikPage, &TImenikPage::NewSmsWithEntryRequested, SmsPage,
            &TSmsPage::NewSmsIme2TBClick);
    connect(ImenikPage, &TImenikPage::EntrySaved, this, [this] {
        if (contactsExchange_ != nullptr) contactsExchange_->PhonebookChanged();
    });
    // The call lists and SMS pages add a number through the phonebook's new
    // entry; the phonebook's dial button follows the call.
    connect(PoziviPage, &TCallsPage::AddToPhonebookRequested, ImenikPage,
            &TImenikPage::NewEntryWithNumber);
    connect(SmsPage, &TSmsPage::AddToPhonebookRequested, ImenikPage,
            &TImenikPage::NewEntryWithNumber);
    connect(SmsPage, &TSmsPage::DialRequested, this, dial);
    connect(callWindows_.get(), &TCallWindows::DialButtonEnabledChanged, ImenikPage,
            &TImenikPage::SetDialEnabled);
    connect(OsnovnoPage, &TGeneralPage::SaveLocationRequested, this, &TGlavna::SaveNetLocBtnClick);
    connect(Notebook1, &QStackedWidget::currentChanged, this, &TGlavna::Notebook1PageChanged);
}

// The phonebook's and the appointments' menus, the data folder, the shared
// file choice and the status notice.
void TGlavna::ShareMenusAndFiles() {
    ImenikPage->FillMenu(MenuOf(ImenikPage));
    Podsjetnik->FillMenu(MenuOf(Podsjetnik));
    Podsjetnik->SetDataDir(folders_.ExeDir);
    Podsjetnik->SetFileChoice(ImenaSaveDlg);
    ImenikPage->SetDataDir(folders_.ExeDir);
    ImenikPage->SetFileChoice(ImenaSaveDlg);
    connect(ImenikPage, &TImenikPage::StatusMessage, this,
            [this](const std::string& text) { ShowStatusMessage(ToDisplay(text)); });
    PoziviPage->SetFileChoice(ImenaSaveDlg);
    Podsjetnik->SetConfirmDeleteSource([this] { return options_.ConfirmDelete; });
    connect(Podsjetnik, &PodsjetnikPage::StatusMessage, this,
            [this](const std::string& text) { ShowStatusMessage(ToDisplay(text)); });
}

void TGlavna::BuildStatusBar() {
    QStatusBar* sb = statusBar();
    sb->setObjectName("StatusBar");
    sb->setSizeGripEnabled(false);
    sb->setContentsMargins(0, 0, 4, 0);
    sb->setFixedHeight(kStatusBarHeight);
    sb->setStyleSheet(
        QStringLiteral("QStatusBar { background: #EEE6D2; border-top: 1px solid #D8CDB2; }"
                       "QStatusBar::item { border: none; }"
                       "QLabel { color: #1D3A66; padding: 0 6px; }"));
    ConnectedPB = new QWidget(sb);
    ConnectedPB->setObjectName("ConnectedPB");
    ConnectedPB->setFixedSize(23, 19);
    ConnectedPB->installEventFilter(this);
    ComPortNameLab = new QLabel(sb);
    ComPortNameLab->setObjectName("ComPortNameLab");
    ComPortNameLab->setText("COM 2");
    auto separator = [sb] {
        auto* line = new QFrame(sb);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setFixedHeight(16);
        return line;
    };
    ProModLab = new QLabel(sb);
    ProModLab->setObjectName("ProModLab");
    NetLocLab = new QLabel(sb);
    NetLocLab->setObjectName("NetLocLab");
    sb->addWidget(ConnectedPB);
    sb->addWidget(ComPortNameLab);
    sb->addWidget(separator());
    sb->addWidget(ProModLab, 1);
    sb->addWidget(separator());
    sb->addWidget(NetLocLab, 1);
    auto indicator = [this, sb](const char* name, int w, int h, const char* hint) {
        auto* box = new QWidget(sb);
        box->setObjectName(name);
        box->setFixedSize(w, h);
        if (hint != nullptr) box->setToolTip(U(hint));
        box->installEventFilter(this);
        sb->addWidget(box);
        return box;
    };
    NewSmsPB = indicator("NewSmsPB", artwork::kNewSmsAndCallWidth, artwork::kNewSmsAndCallHeight,
                         "Nema novih SMS poruka!");
    NewCallPB = indicator("NewCallPB", artwork::kNewSmsAndCallWidth, artwork::kNewSmsAndCallHeight,
                          "Nema novih poziva!");
    PortTrafficPB = indicator("PortTrafficPB", artwork::kPortTrafficWidth,
                              artwork::kPortTrafficHeight, nullptr);
    // The drawn background under the status bar's controls.
    StatusBarImage = new QLabel(sb);
    StatusBarImage->setObjectName("StatusBarImage");
    StatusBarImage->setPixmap(
        QPixmap::fromImage(artwork::StatusBarPicture(kClientWidth, kStatusBarHeight)));
    StatusBarImage->lower();
}

// Creation steps of the window.
void TGlavna::FormCreate() {
    hints_ = std::make_unique<widgets::THintInstaller>(kHintMs);
    if (!QFileInfo(folders_.ImagesDir).isDir()) {
        ShowError(
            this, QStringLiteral("Error"),
            QStringLiteral(
                "Folder 'ParlenkoImages' is missing!\r\rProgram cannot run without this folder!"));
        imagesMissing_ = true;
        return;
    }
    platform::MakeDirs(folders_.MelodiesDir.toStdString());
    platform::MakeDirs(folders_.LogosDir.toStdString());
    LoadPageBarImage(1, 1);
    // The refresh timer stays stopped: only the general page starts it, and
    // only with "Refresh General Info" set.
    // The phonebook cache of the data folder.
    engine_.SetDataDir(folders_.ExeDir.toStdString());
    engine_.RemoveStaleTempFiles();
    engine_.LoadPhonebookCache();
    engine_.ResetRxLines();
    RepaintConnected();
}

// --- mode, options, pictures ------------------------------------------------

int TGlavna::Mode() const { return static_cast<int>(engine_.Mode()); }

void TGlavna::SetMode(ActivityMode mode) { engine_.SetMode(mode); }

void TGlavna::LoadOptions() {
    LoadOptionsFile(optionsPath_, options_);
    ApplyOptions();
}

void TGlavna::SaveOptions() { SaveOptionsFile(optionsPath_, options_); }

void TGlavna::ApplyOptions() {
    if (statusFrm_ != nullptr) statusFrm_->SetCloseInterval(options_.StatusMessagesInterval * 1000);
    PhoneOptions o;
    o.Port.PortName = options_.PortName().toStdString();
    o.Port.BaudRate = options_.BaudRateValue();
    o.Port.DataBits = options_.DataBits;
    o.Port.Parity = options_.Parity;
    o.Port.StopBits = options_.StopBits;
    o.Port.HardwareFlowControl = options_.HardwareFlowControl;
    o.Port.SoftwareFlowControl = options_.SoftwareFlowControl;
    o.Port.CheckLineStatus = options_.DeviceCheck;
    o.CheckCellInfo = options_.CheckCellInfo;
    o.RefreshGeneralInfo = options_.RefreshGeneralInfo;
    o.RefreshIntervalMs = options_.RefreshInterval * 1000;
    engine_.ApplyOptions(o);
    RepaintConnected();
}

void TGlavna::PutOptionsInForce(const TOptions& edited) {
    // New line settings need the port closed; it opens again afterwards.
    const bool wasConnected = engine_.Connected();
    if (wasConnected) Uspostavivezu1Click();
    options_ = edited;
    ApplyOptions();
    engine_.ShowCellLocationByOptions();
    // Reopening reports its own failure; the options are saved all the same.
    if (wasConnected) Uspostavivezu1Click();
    RepaintConnected();
    SaveOptions();
}

void TGlavna::LoadPageBarImage(int language, int page) {
    const QString name = artwork::PageBarFileName(language, page);
    const QString path = folders_.ImagesDir + name;
    MainBarImage->clear();
    if (!name.isEmpty() && QFileInfo::exists(path)) {
        if (auto picture = LoadJpegPicture(path)) {
            MainBarImage->setPixmap(QPixmap::fromImage(*picture));
        } else {
            MainBarImage->repaint();
            ShowError(this, QStringLiteral("Error"), QStringLiteral("Cannot open picture!"));
            return;
        }
    }
    MainBarImage->repaint();
}

void TGlavna::SetBusy(bool busy) { inputLock_->SetLocked(busy); }

bool TGlavna::Busy() const { return inputLock_->Locked(); }

// --- port --------------------------------------------------------------------

void TGlavna::ConnectionChanged(bool connected) {
    SetConnectedMenus(connected);
    RepaintConnected();
}

void TGlavna::SetConnectedMenus(bool connected) {
    Uspostavivezu1->setEnabled(!connected);
    Prekinivezu1->setEnabled(connected);
    Iskljucimobitel1->setEnabled(connected);
}

void TGlavna::ShowConnectError() {
    QString text =
        QStringLiteral("Could not connect to serial port!\r\n\r\nCheck settings and try again!");
    // The device and why it failed, when the port tells.
    if (const std::string reason = engine_.ConnectErrorText(); !reason.empty())
        text += "\r\n\r\n" + QString::fromStdString(reason);
    ShowError(this, "Error connecting to " + options_.PortName(), text);
}

void TGlavna::Uspostavivezu1Click() {
    if (!Uspostavivezu1->isEnabled() && !Prekinivezu1->isEnabled()) return;
    // The menus and the indicator follow through ConnectionChanged.
    if (Uspostavivezu1->isEnabled()) {
        if (!engine_.Connect()) ShowConnectError();
    } else {
        engine_.Disconnect();
    }
}

void TGlavna::Iskljucimobitel1Click() {
    const int answer = Ask(this, QStringLiteral("Mobile turn off"),
                           QStringLiteral("Do you really want to turn off your mobile?"));
    if (answer == DialogResult::No) return;
    engine_.TurnOff();
}

void TGlavna::RepaintConnected() {
    const bool connected = engine_.Connected();
    ConnectedPB->setToolTip(connected ? U("Mobile connected!\nTo disconnect, double-click here!")
                                      : U("Mobile not connected!\nTo connect, double-click here!"));
    ConnectedPB->update();
    const QString name = QString::fromStdString(engine_.PortName());
    if (name.size() <= 3) return;
    // A long device name as much as fits; the whole name is the hint.
    ComPortNameLab->setText(ComPortNameLab->fontMetrics().elidedText(
        PortCaption(name), Qt::ElideRight, kPortNameWidth));
    ComPortNameLab->setToolTip(name);
}

void TGlavna::GeneralInfoChanged(const GeneralInfoView& v) {
    ProModLab->setText(FromAnsi(v.ProModLab));
    ProModLab->setToolTip(ToDisplay(v.ProModHint));
    NetLocLab->setText(FromAnsi(v.NetLocLab));
    NetLocLab->setToolTip(ToDisplay(v.NetLocHint));
    Snimilokacijumreze1->setEnabled(v.SaveNetLocEnabled);
    OsnovnoPage->Render(v);
}

void TGlavna::ShowPhonePicture(const std::string& model) {
    OsnovnoPage->ShowPhonePicture(folders_.ImagesDir, model);
}

// --- status-bar indicators --------------------------------------------------------

void TGlavna::PortTrafficChanged(int frame) {
    portTrafficFrame_ = frame;
    PortTrafficPB->update();
}

void TGlavna::NewSmsIndicatorChanged(int phase, const QString& hint) {
    newSmsPhase_ = phase;
    NewSmsPB->setToolTip(hint);
    NewSmsPB->update();
}

void TGlavna::NewCallIndicatorChanged(int phase, const QString& hint) {
    newCallPhase_ = phase;
    NewCallPB->setToolTip(hint);
    NewCallPB->update();
}

bool TGlavna::PaintIndicator(QWidget* box) {
    QImage picture;
    if (box == ConnectedPB) {
        picture = artwork::ConnectedPicture(engine_.Connected());
    } else if (box == PortTrafficPB) {
        picture = artwork::PortTrafficPicture(portTrafficFrame_);
    } else if (box == NewSmsPB) {
        // The dark frame of the overflow blink draws nothing.
        if (newSmsPhase_ >= 0) picture = artwork::NewSmsAndCallPicture(newSmsPhase_);
    } else if (box == NewCallPB) {
        picture = artwork::NewSmsAndCallPicture(newCallPhase_ == 0 ? 3 : newCallPhase_);
    } else {
        return false;
    }
    QPainter p(box);
    if (!picture.isNull()) p.drawImage(0, box == ConnectedPB ? 0 : 1, picture);
    return true;
}

void TGlavna::NewSmsPBClick() {
    if (!engine_.NewSmsPending()) return;
    OutBarBtn1Click(PageTag(SmsPage));
    engine_.ClearNewSms();
}

void TGlavna::NewCallPBClick() {
    if (!engine_.NewCallPending()) return;
    OutBarBtn1Click(PageTag(PoziviPage));
    engine_.ClearNewCall();
}

// --- pages and commands -------------------------------------------------------

void TGlavna::OutBarBtn1Click(int tag) {
    if (tag < 1 || tag > static_cast<int>(Pages().size())) return;
    engine_.StopRefresh();
    LoadPageBarImage(1, tag);
    Notebook1->setCurrentIndex(tag - 1);
    // The general page reads itself and starts the refresh with the option.
    engine_.GeneralPageShown(Notebook1->currentWidget() == OsnovnoPage);
    if (const auto shown = Pages()[static_cast<std::size_t>(tag - 1)].shown) (this->*shown)();
}

void TGlavna::TabBarBtn1Click(int tag) {
    const int page = tag / 10 - 1;
    if (page < 0 || page >= OstaloPage->SubPageCount()) return;
    OstaloPage->ShowSubPage(page);
    if (!engine_.Connected()) return;
    if (const auto shown = SubPages()[static_cast<std::size_t>(page)].shown) (this->*shown)();
}

void TGlavna::Notebook1PageChanged() {
    for (int index = 0; index < Notebook1->count(); ++index) {
        if (index == Notebook1->currentIndex()) continue;
        if (const auto* page = dynamic_cast<const IRowMenuItems*>(Notebook1->widget(index)))
            for (QAction* a : page->RowMenuItems()) a->setEnabled(false);
    }
    // Back on the page, its items follow the selected row again.
    if (Notebook1->currentWidget() == Podsjetnik) Podsjetnik->AppointmentsListChange();
}

void TGlavna::SetOutlookAppForm(ICalendarExchange* form) {
    outlookAppForm_ = form;
    Podsjetnik->SetCalendarExchange(form);
}

void TGlavna::OutlookATBClick() {
    if (outlookAppForm_ != nullptr) outlookAppForm_->Open();
}

void TGlavna::SetBackupForm(TBackupForm* form) {
    backupForm_ = form;
    engine_.SetView<IBackupView>(form);
}

void TGlavna::BackupTBClick() {
    if (backupForm_ != nullptr) backupForm_->exec();
}

void TGlavna::SetContactsExchange(IContactsExchange* exchange) {
    contactsExchange_ = exchange;
    ImenikPage->SetContactsExchangeAvailable(exchange != nullptr && exchange->Available());
}

void TGlavna::OutlookCTBClick() {
    if (contactsExchange_ != nullptr && ImenikPage->ContactsExchangeAvailable())
        contactsExchange_->Open();
}

void TGlavna::SaveEntryToContacts(const QString& name, const QString& number, int field) {
    if (contactsExchange_ == nullptr) return;
    if (contactsExchange_->SaveEntry(ToAnsi(name), ToAnsi(number), field))
        ShowStatusMessage(U("Entry succesfully saved in the contacts folder!"));
}

void TGlavna::ShowStatusMessage(const QString& text) {
    if (statusFrm_ != nullptr) statusFrm_->ShowStatusMessage(text);
}

void TGlavna::NewEntryFromContact(const std::string& name, const std::string& number) {
    ImenikPage->NewEntryFromContact(FromAnsi(name), FromAnsi(number));
}

void TGlavna::SaveNetLocBtnClick() {
    const GeneralInfoView& v = engine_.GeneralInfo();
    if (!saveNetForm_) saveNetForm_ = std::make_unique<TSaveNetForm>(this, engine_);
    saveNetForm_->Prepare(FromAnsi(v.OperLab), FromAnsi(v.PodrucjeLab), FromAnsi(v.BazaIDLab),
                          FromAnsi(engine_.CurrentLocationName()));
    saveNetForm_->exec();
}

// The phonebook, SMS, appointments and settings pages bring these.
void TGlavna::AllNumTB() { ImenikPage->AllNumTBClick(0); }
void TGlavna::RefreshSms() { engine_.RefreshSms(); }
void TGlavna::RefreshAppointments() { Podsjetnik->RefreshAppointments(); }
int TGlavna::AppointmentRows() const { return Podsjetnik->AppointmentCount(); }
void TGlavna::RefreshOstaloBtnClick() { SettingsPage->RefreshOstaloBtnClick(); }

void TGlavna::Izlaz1Click() { close(); }

void TGlavna::Opcije1Click() { optionsForm_->exec(); }

void TGlavna::Oprogramu1Click() {
    if (infoForm_ != nullptr) infoForm_->exec();
}

// --- life cycle -----------------------------------------------------------------

void TGlavna::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_ || event->spontaneous()) return;
    shown_ = true;
    CenterOnScreen(this);
    // After the window is on the screen.
    QMetaObject::invokeMethod(this, &TGlavna::FormShow, Qt::QueuedConnection);
}

void TGlavna::FormShow() {
    if (!options_.AutoConnect) return;
    if (!engine_.Connect()) ShowConnectError();
}

bool TGlavna::FormCloseQuery() {
    const int answer =
        Ask(this, QStringLiteral("Close Parlenko"), QStringLiteral("Do you really want to exit?"));
    if (answer == DialogResult::No) return false;
    SaveOptions();
    return true;
}

void TGlavna::CloseAtTermination() {
    if (terminating_) return;
    terminating_ = true;
    closeAgreed_ = true;
    closeWait_.stop();
    // First: the loops end and no new one starts (a box that the port's last
    // answers might open returns at once), while the events still pending
    // keep being processed by the pause of ClosePort.
    QCoreApplication::exit(0);
    SaveOptions();
    engine_.ClosePort();
}

// A close request while the phone is in the middle of an exchange (the
// window takes no input then, but the title bar's close is not input) waits
// for the exchange's end: what the phone answers still reaches the lists and
// the files. The question comes then; after "Yes" an exchange that began
// meanwhile (the refresh) is waited for as well, and only then the port
// closes.
void TGlavna::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    event->ignore();
    if (closing_ || closeWait_.isActive()) return;
    if (engine_.OperationRunning()) {
        closeWait_.start();
        return;
    }
    if (!closeAgreed_ && !FormCloseQuery()) return;
    closeAgreed_ = true;
    if (engine_.OperationRunning()) {
        closeWait_.start();
        return;
    }
    closing_ = true;
    engine_.ClosePort();
    closed_ = true;
    event->accept();
    emit MainWindowClosed();
}

void TGlavna::CloseWhenIdle() {
    if (engine_.OperationRunning()) return;
    closeWait_.stop();
    close();
}

bool TGlavna::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        PaintIndicator(static_cast<QWidget*>(watched)))
        return true;
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == NewSmsPB || watched == NewCallPB)) {
        auto* me = static_cast<QMouseEvent*>(event);
        auto* box = static_cast<QWidget*>(watched);
        if (me->button() == Qt::LeftButton && box->rect().contains(me->position().toPoint())) {
            if (box == NewSmsPB) NewSmsPBClick();
            else NewCallPBClick();
        }
        return true;
    }
    if (watched == ConnectedPB) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            Uspostavivezu1Click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace parlenko::ui

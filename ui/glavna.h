#pragma once
// The main window: menus, the left bar and header of the six pages, the
// status bar, and the program's life cycle around them (creation, first
// showing with the automatic connect, the close query, the options).

#include "engine/core/scheduler.h"
#include "ui/folders.h"
#include "ui/options.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolButton;

namespace parlenko {
class PhoneEngine;
struct EngineContext;
class TSerialPortDriver;
}  // namespace parlenko

namespace parlenko::ui {

class TCitamForm;
class TInfoForm;
class TStatusFrm;

class TGlavna : public QMainWindow {
    Q_OBJECT
public:
    // Runs the creation steps (FormCreate). When the images folder is missing
    // the message is shown here and ImagesMissing() is true afterwards.
    TGlavna(PhoneEngine& engine, TFolders folders, QString optionsPath);
    ~TGlavna() override;

    // The windows created after the main window.
    void SetStatusFrm(TStatusFrm* form) { statusFrm_ = form; }
    void SetInfoForm(TInfoForm* form) { infoForm_ = form; }
    void SetCitamForm(TCitamForm* form) { citamForm_ = form; }

    bool ImagesMissing() const { return imagesMissing_; }
    const TFolders& Folders() const { return folders_; }
    int KeptMelody = -1;
    int KeptVolume = -1;

    // Activity mode: picks the progress window's picture.
    int Mode() const;
    void SetMode(int mode);

    // The live option values and their file.
    TOptions& Options() { return options_; }
    const QString& OptionsPath() const { return optionsPath_; }
    // File to options; then the values are applied to the port, the timers
    // and the engine.
    void LoadOptions();
    void SaveOptions();
    // Applies the current option values.
    void ApplyOptions();

    // Header picture of a page (language 0 "cro", 1 "eng"; page 1..6).
    void LoadPageBarImage(int language, int page);

    // The system asks the program to end (SIGTERM at logout or shutdown,
    // SIGINT): nobody is there to answer the close query, so it is not asked.
    // The options are saved, the phone's notices switched off and the port
    // closed; every event loop ends, an open message box's included.
    void CloseAtTermination();

    // The port routines of the main window.
    void ResetModem();
    void ClosePort();
    void RefreshGeneralInfo();
    void DisconnectMobile();

    // Command handlers.
    void Uspostavivezu1Click();  // connect / disconnect
    void Iskljucimobitel1Click();
    void Izlaz1Click();
    void Oprogramu1Click();
    void OutBarBtn1Click(int tag);

    // The general-information refresh (the engine's timer).
    ITimer* RefreshTimer();
    PhoneEngine& Engine() { return engine_; }

    // Controls, by their names.
    QLabel* MainBarImage = nullptr;
    QStackedWidget* Notebook1 = nullptr;
    std::array<QToolButton*, 6> OutBarBtn{};
    QWidget* ConnectedPB = nullptr;
    QLabel* ComPortNameLab = nullptr;
    QLabel* ProModLab = nullptr;
    QLabel* NetLocLab = nullptr;
    QMenu* Parlenko1 = nullptr;
    QMenu* Info1 = nullptr;
    QAction* Uspostavivezu1 = nullptr;
    QAction* Prekinivezu1 = nullptr;
    QAction* Snimilokacijumreze1 = nullptr;
    QAction* Iskljucimobitel1 = nullptr;
    QAction* Opcije1 = nullptr;
    QAction* Izlaz1 = nullptr;
    QAction* Oprogramu1 = nullptr;

    // Repaints the connection indicator and the port name caption.
    void RepaintConnected();
    // The port was opened or closed: menu items and indicator follow.
    void ConnectionChanged(bool connected);
    // Shows the status-bar texts of the general information.
    void ShowGeneralInfo();

signals:
    // The close query agreed and the window closed: the program ends.
    void MainWindowClosed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildFrame();
    void FormCreate();
    void FormShow();
    // Close query; true when the window may close.
    bool FormCloseQuery();
    void SetConnectedMenus(bool connected);
    EngineContext& Ctx();

    PhoneEngine& engine_;
    TFolders folders_;
    QString optionsPath_;
    TOptions options_;
    bool imagesMissing_ = false;
    bool shown_ = false;
    bool closeAgreed_ = false;
    bool terminating_ = false;
    TStatusFrm* statusFrm_ = nullptr;
    TInfoForm* infoForm_ = nullptr;
    TCitamForm* citamForm_ = nullptr;
};

}  // namespace parlenko::ui

// The options window and the settings page: what Cancel and OK do to the
// live options and the file, the interval controls, and, against the
// simulated phone, the reconnect after OK, the cell location display and the
// settings page's commands.

#include "ui/dialogs/options_form.h"

#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "exchange/formats/location_names.h"
#include "tests/support/sim_serial_device.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/status_frm.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/general_page.h"
#include "ui/pages/settings_page.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;
using testing::Pump;
using testing::PumpUntil;

struct Rig {
    explicit Rig(bool autoConnect) {
        if (autoConnect) {
            QSettings s(IniPath(), QSettings::IniFormat);
            s.beginGroup("Options");
            s.setValue("Auto Connect", 1);
        }
        TFolders folders{home.QDir(), testing::BuiltImagesDir(), home.QDir() + "Melodies/",
                         home.QDir() + "Logos"};
        glavna = std::make_unique<TGlavna>(engine, folders, IniPath());
        host.SetMainWindow(glavna.get());
        status.SetEnabledSource([] { return true; });
        glavna->SetStatusFrm(&status);
        host.SetStatusFrm(&status);
        glavna->LoadOptions();
    }
    ~Rig() {
        host.SetMainWindow(nullptr);
        host.SetStatusFrm(nullptr);
        glavna->OptionsForm()->hide();
        glavna->hide();
        glavna.reset();
    }
    QString IniPath() const { return home.QDir() + "Parlenko.ini"; }
    TOptionsForm& Form() { return *glavna->OptionsForm(); }
    TSettingsPage& Page() { return Find<TSettingsPage>(*glavna, "OstaloSettingsPage"); }
    // What the port got since Mark().
    void Mark() { mark = device.Written().size(); }
    std::string Since() const { return device.Written().substr(mark); }
    bool SentSince(const std::string& text) const {
        return Since().find(text) != std::string::npos;
    }
    bool ShowConnected() {
        glavna->show();
        return PumpUntil([&] { return device.Written().find("AT+CSQ\r") != std::string::npos; },
                         10000) &&
               PumpUntil([&] { return !glavna->Busy(); }, 12000);
    }
    // Waits until the exchange started by the last command is over.
    bool Idle() {
        Pump(300);
        return PumpUntil([&] { return !glavna->Busy(); }, 12000);
    }

    struct AppFirst {
        AppFirst() { testing::App(); }
    } app;
    testing::TempHome home;
    QtScheduler sched;
    // The default S45 of the phone's state file.
    parlenko::testing::SimSerialDevice device{
        sched, ::phonesim::LoadStateFile(PARLENKO_SOURCE_DIR "/tests/data/s45.state")};
    TSerialPortDriver port{device, sched};
    TWindowHost host;
    PhoneEngine engine{port, sched, host};
    TStatusFrm status{nullptr};
    std::unique_ptr<TGlavna> glavna;
    std::size_t mark = 0;
};

// --- the window alone ---------------------------------------------------------------

TEST(OptionsForm, CancelEscAndCloseLeaveTheOptionsAndNoFile) {
    Rig rig(false);
    const std::function<void(TOptionsForm&)> ways[] = {
        [](TOptionsForm& f) { Find<QPushButton>(f, "Button2").click(); },
        [](TOptionsForm& f) { QTest::keyClick(&f, Qt::Key_Escape); },
        [](TOptionsForm& f) { f.close(); },
    };
    for (const auto& leave : ways) {
        TOptionsForm& f = rig.Form();
        QCheckBox& autoConnectCheck = Find<QCheckBox>(f, "AutoConnectCheck");
        QCheckBox& refreshCheck = Find<QCheckBox>(f, "RefreshCheck");
        QComboBox& comPortCB = Find<QComboBox>(f, "ComPortCB");
        QPushButton& button2 = Find<QPushButton>(f, "Button2");
        f.open();
        ASSERT_TRUE(PumpUntil([&] { return f.isVisible(); }, 2000));
        EXPECT_EQ(f.windowTitle(), "Opcije");
        refreshCheck.click();
        comPortCB.setCurrentIndex(7);
        autoConnectCheck.setChecked(false);
        leave(f);
        ASSERT_TRUE(PumpUntil([&] { return !f.isVisible(); }, 2000));
        EXPECT_FALSE(rig.glavna->Options().RefreshGeneralInfo);
        EXPECT_EQ(rig.glavna->Options().SerialPort, 1);
        EXPECT_FALSE(QFileInfo::exists(rig.IniPath()));
        // The next showing shows the values in force.
        f.open();
        EXPECT_FALSE(refreshCheck.isChecked());
        EXPECT_FALSE(Find<QLineEdit>(f, "RefreshEdit").isEnabled());
        EXPECT_EQ(comPortCB.currentIndex(), 1);
        EXPECT_TRUE(autoConnectCheck.isChecked());
        EXPECT_EQ(Find<QTabWidget>(f, "PageControl1").currentIndex(), 0);
        button2.click();
    }
    EXPECT_EQ(rig.engine.PortName(), "COM2");
}

TEST(OptionsForm, OkWritesTheSixteenValuesAndTheIntervalControlsFollowTheirBoxes) {
    Rig rig(false);
    TOptionsForm& f = rig.Form();
    QLineEdit& refreshEdit = Find<QLineEdit>(f, "RefreshEdit");
    QLineEdit& statusPorukeEdit = Find<QLineEdit>(f, "StatusPorukeEdit");
    QSpinBox& refreshUD = Find<QSpinBox>(f, "RefreshUD");
    QSpinBox& statusPorukeUD = Find<QSpinBox>(f, "StatusPorukeUD");
    f.open();
    EXPECT_FALSE(refreshEdit.isEnabled());
    EXPECT_FALSE(refreshUD.isEnabled());
    EXPECT_TRUE(statusPorukeEdit.isEnabled());
    EXPECT_TRUE(statusPorukeUD.isEnabled());
    EXPECT_TRUE(refreshEdit.isReadOnly());
    Find<QCheckBox>(f, "RefreshCheck").click();
    Find<QCheckBox>(f, "StatusPorukeCheck").click();
    EXPECT_TRUE(refreshEdit.isEnabled());
    EXPECT_TRUE(refreshUD.isEnabled());
    EXPECT_FALSE(statusPorukeEdit.isEnabled());
    EXPECT_FALSE(statusPorukeUD.isEnabled());
    refreshUD.stepBy(5);
    EXPECT_EQ(refreshEdit.text(), "35");
    Find<QComboBox>(f, "ComPortCB").setCurrentIndex(7);
    Find<QComboBox>(f, "BaudRateCB").setCurrentIndex(14);
    Find<QPushButton>(f, "OKBtn").click();
    ASSERT_FALSE(f.isVisible());

    QSettings s(rig.IniPath(), QSettings::IniFormat);
    s.beginGroup("Options");
    EXPECT_EQ(s.childKeys().size(), 16);
    EXPECT_EQ(s.value("Refresh General Info").toInt(), 1);
    EXPECT_EQ(s.value("Refresh Interval").toInt(), 35);
    EXPECT_EQ(s.value("Show Status Messages").toInt(), 0);
    EXPECT_EQ(s.value("Serial Port").toInt(), 7);
    EXPECT_EQ(s.value("Baud Rate").toInt(), 14);
    EXPECT_EQ(rig.engine.PortName(), "COM8");
    EXPECT_EQ(rig.engine.RefreshIntervalMs(), 35000);
    EXPECT_FALSE(rig.port.Connected()) << "OK while disconnected leaves the port closed";
}

TEST(OptionsForm, AStoredIntervalBelowTheRangeShowsItsMinimum) {
    Rig rig(false);
    {
        QSettings s(rig.IniPath(), QSettings::IniFormat);
        s.beginGroup("Options");
        s.setValue("Refresh Interval", 5);
    }
    rig.glavna->LoadOptions();
    rig.Form().open();
    EXPECT_EQ(Find<QLineEdit>(rig.Form(), "RefreshEdit").text(), "10");
    EXPECT_EQ(rig.engine.RefreshIntervalMs(), 10000);
    Find<QPushButton>(rig.Form(), "Button2").click();
}

TEST(OptionsForm, PortListShowsWhatEachComOpensThenTheDevicesPresent) {
    Rig rig(false);
    // A device folder as udev makes it: one adapter also under its stable name.
    parlenko::testing::TempDir dev("parlenko-dev");
    const std::string d = dev.path() + "/";
    for (const char* name :
         {"ttyUSB0", "ttyUSB1", "ttyUSB10", "ttyACM0", "rfcomm0", "ttyS0", "ttyUSBx", "console"})
        std::ofstream(d + name).put('\n');
    std::filesystem::create_directories(d + "serial/by-id");
    const std::string stable = d + "serial/by-id/usb-FTDI_FT232R_A1-if00-port0";
    std::filesystem::create_symlink("../../ttyUSB1", stable);
    std::filesystem::create_directories(rig.home.Dir() + "ports");
    std::filesystem::create_symlink("/dev/null", rig.home.Dir() + "ports/com3");

    TOptionsForm& f = rig.Form();
    QComboBox& comPortCB = Find<QComboBox>(f, "ComPortCB");
    QPushButton& oKBtn = Find<QPushButton>(f, "OKBtn");
    f.SetDeviceFolder(QString::fromStdString(d));
    f.open();
    QStringList items;
    for (int i = 0; i < comPortCB.count(); ++i) items << comPortCB.itemText(i);
    const QString q = QString::fromStdString(d);
    EXPECT_EQ(items,
              QStringList({"COM 1  (/dev/ttyS0)", "COM 2  (/dev/ttyS1)", "COM 3  (ports/com3)",
                           "COM 4  (/dev/ttyS3)", "COM 5  (/dev/ttyS4)", "COM 6  (/dev/ttyS5)",
                           "COM 7  (/dev/ttyS6)", "COM 8  (/dev/ttyS7)",
                           "usb-FTDI_FT232R_A1-if00-port0  (ttyUSB1)", q + "ttyUSB0",
                           q + "ttyUSB10", q + "ttyACM0", q + "rfcomm0"}));
    EXPECT_EQ(comPortCB.currentIndex(), 1);
    // The closed box names the port alone.
    EXPECT_EQ(comPortCB.currentData(TOptionsForm::kNameRole).toString(), "COM 2");

    // A device chosen is what the port opens, and the file keeps it.
    comPortCB.setCurrentIndex(8);
    oKBtn.click();
    EXPECT_EQ(rig.engine.PortName(), stable);
    EXPECT_EQ(Find<QLabel>(*rig.glavna, "ComPortNameLab").toolTip().toStdString(), stable);
    EXPECT_TRUE(Find<QLabel>(*rig.glavna, "ComPortNameLab").text().startsWith("usb-FTDI"));
    TOptions saved;
    ASSERT_TRUE(LoadOptionsFile(rig.IniPath(), saved));
    EXPECT_EQ(saved.PortName().toStdString(), stable);
    EXPECT_EQ(saved.SerialPort, 1) << "the COM choice stays as it was";

    // The list is read again at each showing; the chosen device stays in it
    // while it is unplugged.
    std::filesystem::remove(stable);
    std::filesystem::remove(d + "ttyUSB0");
    f.open();
    EXPECT_EQ(comPortCB.count(), 13);
    EXPECT_EQ(comPortCB.currentData().toString().toStdString(), stable);
    EXPECT_EQ(comPortCB.itemText(8), q + "ttyUSB1");
    EXPECT_EQ(comPortCB.itemText(12), "usb-FTDI_FT232R_A1-if00-port0");
    comPortCB.setCurrentIndex(4);  // back to a COM port
    oKBtn.click();
    EXPECT_EQ(rig.engine.PortName(), "COM5");
    EXPECT_EQ(Find<QLabel>(*rig.glavna, "ComPortNameLab").text(), "COM 5");
    EXPECT_FALSE(QSettings(rig.IniPath(), QSettings::IniFormat).contains("Options/Serial Device"));
}

// --- against the simulated phone ------------------------------------------------------

TEST(OptionsFormSim, OkReconnectsWhatWasConnected) {
    Rig rig(true);
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    rig.Mark();
    rig.Form().open();
    Find<QPushButton>(rig.Form(), "OKBtn").click();
    ASSERT_TRUE(PumpUntil([&] { return rig.SentSince("ATE1\r"); }, 5000)) << rig.Since();
    EXPECT_EQ(rig.Since().rfind("AT+CNMI=0,0,0,0\rATZ\rATZ\rATE1\r", 0), 0u) << rig.Since();
    EXPECT_TRUE(rig.port.Connected());
    ASSERT_TRUE(rig.Idle());

    // Disconnected, OK leaves the port closed and sends nothing.
    rig.glavna->Uspostavivezu1Click();
    ASSERT_FALSE(rig.port.Connected());
    rig.Mark();
    rig.Form().open();
    Find<QPushButton>(rig.Form(), "OKBtn").click();
    Pump(300);
    EXPECT_EQ(rig.Since(), "");
    EXPECT_FALSE(rig.port.Connected());
}

TEST(OptionsFormSim, APortThatCannotOpenIsReportedAndTheOptionsAreSaved) {
    Rig rig(true);
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    DialogWatcher watcher;
    rig.device.SetOpenFailure(true);
    rig.Form().open();
    Find<QComboBox>(rig.Form(), "ComPortCB").setCurrentIndex(7);
    Find<QPushButton>(rig.Form(), "OKBtn").click();
    ASSERT_TRUE(PumpUntil([&] { return !watcher.Seen().empty(); }, 3000));
    EXPECT_EQ(watcher.Seen()[0].caption, "Error connecting to COM8");
    QSettings s(rig.IniPath(), QSettings::IniFormat);
    EXPECT_EQ(s.value("Options/Serial Port").toInt(), 7);
    EXPECT_FALSE(rig.port.Connected());
}

TEST(OptionsFormSim, CellInfoDecidesTheSavedLocationAndTheNetworkCaption) {
    Rig rig(true);
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    const GeneralInfoView& v = rig.engine.GeneralInfo();
    QPushButton* saveButton =
        &Find<QPushButton>(Find<TGeneralPage>(*rig.glavna, "OsnovnoPage"), "SaveNetLocBtn");
    ASSERT_TRUE(Find<QAction>(*rig.glavna, "Snimilokacijumreze1").isEnabled());
    ASSERT_TRUE(saveButton->isEnabled());
    ASSERT_TRUE(
        exchange::SaveLocationName(rig.home.Dir(), v.OperLab, v.PodrucjeLab, v.BazaIDLab, "Ured 2")
            .ok());
    rig.Form().open();
    Find<QCheckBox>(rig.Form(), "CellInfoCheck").setChecked(true);
    Find<QPushButton>(rig.Form(), "OKBtn").click();
    ASSERT_TRUE(rig.Idle());
    EXPECT_FALSE(Find<QAction>(*rig.glavna, "Snimilokacijumreze1").isEnabled());
    EXPECT_FALSE(saveButton->isEnabled());

    rig.Form().open();
    Find<QCheckBox>(rig.Form(), "CellInfoCheck").setChecked(false);
    Find<QPushButton>(rig.Form(), "OKBtn").click();
    EXPECT_TRUE(Find<QAction>(*rig.glavna, "Snimilokacijumreze1").isEnabled());
    EXPECT_TRUE(saveButton->isEnabled());
    EXPECT_EQ(Find<QLabel>(*rig.glavna, "NetLocLab").text(), "HR VIP:  Ured 2");
    EXPECT_EQ(Find<QLabel>(*rig.glavna, "NetLocLab").toolTip(), "HR VIP:  Ured 2");
    ASSERT_TRUE(rig.Idle());
}

TEST(SettingsPageSim, ReadsTheSettingsAndSendsEachGroup) {
    Rig rig(true);
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    TSettingsPage& p = rig.Page();
    QLineEdit& cijenaEdit = Find<QLineEdit>(p, "CijenaEdit");
    QLineEdit& pricePinEdit = Find<QLineEdit>(p, "PricePinEdit");
    QLineEdit& smscEdit = Find<QLineEdit>(p, "SmscEdit");
    QLineEdit& valutaEdit = Find<QLineEdit>(p, "ValutaEdit");
    QPushButton& alertBtn = Find<QPushButton>(p, "AlertBtn");
    QPushButton& priceBtn = Find<QPushButton>(p, "PriceBtn");
    // Entering the tab reads the settings.
    rig.Mark();
    rig.glavna->TabBarBtn1Click(60);
    ASSERT_TRUE(PumpUntil([&] { return rig.SentSince("AT+CPUC?\r"); }, 5000)) << rig.Since();
    ASSERT_TRUE(rig.Idle());
    EXPECT_EQ(rig.Since(), "AT+CSCA?\rAT+CALM?\rAT+CVIB?\rAT+CRSL?\rAT+CPUC?\r");
    EXPECT_EQ(smscEdit.text(), "+385910401");
    EXPECT_TRUE(Find<QRadioButton>(p, "Alert1RB").isChecked());
    EXPECT_TRUE(Find<QRadioButton>(p, "Vibra2RB").isChecked());
    EXPECT_EQ(Find<QSlider>(p, "RingerTB").value(), 3);
    EXPECT_EQ(valutaEdit.text(), "HRK");
    EXPECT_EQ(cijenaEdit.text(), "0.80");

    // The alert values are not in the buttons' order.
    rig.Mark();
    Find<QRadioButton>(p, "Alert2RB").setChecked(true);
    alertBtn.click();
    ASSERT_TRUE(rig.Idle());
    Find<QRadioButton>(p, "Alert3RB").setChecked(true);
    alertBtn.click();
    ASSERT_TRUE(rig.Idle());
    EXPECT_EQ(rig.Since(), "AT+CALM=2\rAT+CALM=1\r");

    // A new centre is read back.
    rig.Mark();
    smscEdit.clear();
    QTest::keyClicks(&smscEdit, "+385980501\"x");
    EXPECT_EQ(smscEdit.text(), "+385980501");
    Find<QPushButton>(p, "SmscBtn").click();
    ASSERT_TRUE(PumpUntil([&] { return rig.SentSince("AT+CSCA?\r"); }, 5000)) << rig.Since();
    EXPECT_EQ(rig.Since().rfind("AT+CSCA=\"+385980501\"\rAT+CSCA?\r", 0), 0u) << rig.Since();
    ASSERT_TRUE(rig.Idle());

    // The price with PIN 2.
    valutaEdit.clear();
    QTest::keyClicks(&valutaEdit, "E\"U~R");
    EXPECT_EQ(valutaEdit.text(), "EUR");
    cijenaEdit.clear();
    QTest::keyClicks(&cijenaEdit, "0.2.5");
    EXPECT_EQ(cijenaEdit.text(), "0.25");
    EXPECT_FALSE(priceBtn.isEnabled());
    QTest::keyClicks(&pricePinEdit, "5678");
    ASSERT_TRUE(priceBtn.isEnabled());
    priceBtn.click();
    EXPECT_EQ(pricePinEdit.text(), "");
    EXPECT_FALSE(priceBtn.isEnabled());
    ASSERT_TRUE(PumpUntil(
        [&] {
            return Find<QLabel>(rig.status, "PorukaLab").text() ==
                   "Price per unit succesfully set!";
        },
        5000));
    ASSERT_TRUE(rig.Idle());

    DialogWatcher watcher;
    QTest::keyClicks(&pricePinEdit, "1111");
    priceBtn.click();
    ASSERT_TRUE(PumpUntil([&] { return !watcher.Seen().empty(); }, 5000));
    EXPECT_EQ(watcher.Seen()[0].text,
              "Error occurred communicating with mobile!\n\nReason:  Incorrect password  (16)");
    ASSERT_TRUE(rig.Idle());
}

TEST(SettingsPageSim, ThePcClockGoesToThePhone) {
    Rig rig(true);
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    TSettingsPage& p = rig.Page();
    Find<QRadioButton>(p, "Clock1RB").setChecked(true);
    Find<QPushButton>(p, "Button1").click();
    ASSERT_TRUE(PumpUntil(
        [&] {
            return Find<QLabel>(rig.status, "PorukaLab").text() ==
                   "Date and time succesfully saved in mobile!";
        },
        5000));
    const auto phone = ::phonesim::ParseClockText(rig.device.Phone().ClockText(rig.sched.NowMs()));
    ASSERT_TRUE(phone);
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    const std::int64_t pcLocal = static_cast<std::int64_t>(timegm(&tm));
    EXPECT_LE(std::llabs(*phone - pcLocal), 2);
}

TEST(SettingsPageSim, DisconnectedNoButtonSendsOrShowsAnything) {
    Rig rig(false);
    TSettingsPage& p = rig.Page();
    QLineEdit& pricePinEdit = Find<QLineEdit>(p, "PricePinEdit");
    QLineEdit& valutaEdit = Find<QLineEdit>(p, "ValutaEdit");
    QPushButton& button1 = Find<QPushButton>(p, "Button1");
    QPushButton& priceBtn = Find<QPushButton>(p, "PriceBtn");
    QPushButton& smscBtn = Find<QPushButton>(p, "SmscBtn");
    EXPECT_FALSE(smscBtn.isEnabled());
    EXPECT_FALSE(priceBtn.isEnabled());
    EXPECT_TRUE(Find<QRadioButton>(p, "Clock1RB").isChecked());
    EXPECT_TRUE(Find<QRadioButton>(p, "Alert1RB").isChecked());
    EXPECT_TRUE(Find<QRadioButton>(p, "Vibra1RB").isChecked());
    EXPECT_EQ(Find<QSlider>(p, "RingerTB").value(), 1);
    EXPECT_EQ(valutaEdit.maxLength(), 3);
    EXPECT_EQ(pricePinEdit.maxLength(), 8);
    DialogWatcher watcher;
    Find<QLineEdit>(p, "SmscEdit").setText("+385980501");
    valutaEdit.setText("HRK");
    Find<QLineEdit>(p, "CijenaEdit").setText("0.80");
    pricePinEdit.setText("5678");
    for (QPushButton* b : {&Find<QPushButton>(p, "RefreshOstaloBtn"), &smscBtn,
                           &Find<QPushButton>(p, "AlertBtn"), &Find<QPushButton>(p, "VibraBtn"),
                           &Find<QPushButton>(p, "RingerBtn"), &priceBtn, &button1})
        b->click();
    Find<QRadioButton>(p, "Clock2RB").setChecked(true);
    button1.click();
    Pump(300);
    EXPECT_EQ(rig.device.Written(), "");
    EXPECT_TRUE(watcher.Seen().empty());
    EXPECT_EQ(Find<QLabel>(rig.status, "PorukaLab").text(), "");
    EXPECT_EQ(pricePinEdit.text(), "5678");
}

}  // namespace
}  // namespace parlenko::ui

// The main window's life cycle over a scripted port: the automatic connect,
// the close query, the page header pictures, and the painted main menu.

#include "tests/support/engine_inside.h"
#include "ui/main_window/glavna.h"

#include "components/widgets/brisola_button.h"
#include "components/widgets/menu_painter.h"
#include "components/widgets/tessary_hint.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/engine_state.h"
#include "engine/session/phone_engine.h"
#include "exchange/formats/phonebook_file.h"
#include "tests/support/fake_serial_device.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/main_window/window_host.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;
using testing::Pump;
using testing::PumpUntil;

struct GlavnaRig {
    // prepare runs on the data folder before the window is created.
    explicit GlavnaRig(bool autoConnect, QString imagesDir = testing::BuiltImagesDir(),
                       const std::function<void(const std::string&)>& prepare = {}) {
        testing::App();
        if (prepare) prepare(home.Dir());
        {
            QSettings s(home.QDir() + "Parlenko.ini", QSettings::IniFormat);
            s.beginGroup("Options");
            s.setValue("Auto Connect", autoConnect ? 1 : 0);
        }
        TFolders folders{home.QDir(), imagesDir, home.QDir() + "Melodies/", home.QDir() + "Logos"};
        glavna = std::make_unique<TGlavna>(engine, folders, home.QDir() + "Parlenko.ini");
        host.SetMainWindow(glavna.get());
        glavna->LoadOptions();
    }
    ~GlavnaRig() {
        host.SetMainWindow(nullptr);
        glavna.reset();
    }
    // A command of the main menu, by its name.
    QAction& Command(const char* name) const { return Find<QAction>(*glavna, name); }
    bool Written(const char* text) const {
        return device.Written().find(text) != std::string::npos;
    }

    testing::TempHome home;
    QtScheduler sched;
    parlenko::testing::FakeSerialDevice device;
    TSerialPortDriver port{device, sched};
    TWindowHost host;
    PhoneEngine engine{port, sched, host};
    std::unique_ptr<TGlavna> glavna;
};

TEST(GlavnaTest, CreationShapesTheWindowAndItsFolders) {
    GlavnaRig rig(false);
    TGlavna& g = *rig.glavna;
    QAction& izlaz1 = Find<QAction>(g, "Izlaz1");
    QLabel& mainBarImage = Find<QLabel>(g, "MainBarImage");
    EXPECT_FALSE(g.ImagesMissing());
    EXPECT_EQ(g.objectName(), "Glavna");
    EXPECT_EQ(g.windowTitle(), "Parlenko");
    EXPECT_EQ(Find<QStackedWidget>(g, "Notebook1").count(), 6);
    EXPECT_EQ(izlaz1.text(), "Zatvori Parlenko");
    EXPECT_EQ(izlaz1.shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_TRUE(Find<QAction>(g, "Uspostavivezu1").isEnabled());
    EXPECT_FALSE(Find<QAction>(g, "Prekinivezu1").isEnabled());
    EXPECT_FALSE(Find<QAction>(g, "Iskljucimobitel1").isEnabled());
    EXPECT_TRUE(std::filesystem::is_directory(rig.home.Dir() + "Melodies"));
    EXPECT_TRUE(std::filesystem::is_directory(rig.home.Dir() + "Logos"));
    ASSERT_FALSE(mainBarImage.pixmap().isNull()) << "the general page's header";
    EXPECT_EQ(mainBarImage.pixmap().size(), QSize(520, 36));
    EXPECT_EQ(EngineInside::State(rig.engine).Services.KeptMelody, -1);
    EXPECT_EQ(EngineInside::State(rig.engine).Services.KeptVolume, -1);
    EXPECT_FALSE(rig.engine.RefreshRunning()) << "only the general page starts it";
    EXPECT_EQ(rig.engine.RefreshIntervalMs(), 30000);
    g.SetMode(ActivityMode::LogoUpload);
    EXPECT_EQ(g.Mode(), 14);
}

TEST(GlavnaTest, MainMenuIsPaintedByMenuPainter1) {
    using namespace widgets;
    GlavnaRig rig(false);
    TGlavna& g = *rig.glavna;
    const TMenuPainter& mp = Find<widgets::TMenuPainter>(g, "MenuPainter1");
    const TMenuColors t = mp.PaletteStep(true);
    EXPECT_EQ(t.MenuBackground, ColorToRGB(clBtnFace));
    EXPECT_EQ(t.IconBand, clMoneyGreen);
    EXPECT_EQ(t.Selection, clMoneyGreen);
    EXPECT_EQ(t.CheckedAreaSelected, clMoneyGreen);
    EXPECT_EQ(t.SelectionBorder, RGBColor(49, 87, 49));
    EXPECT_EQ(t.SelectionText, ColorToRGB(clMenuText));
    EXPECT_EQ(t.DisabledText, ColorToRGB(clGrayText));
    EXPECT_EQ(t.Separator, ColorToRGB(clBtnFace));
    EXPECT_EQ(t.Shadow, Darken(clBtnFace, 76));
    const TMenuColors l = mp.PaletteStep(false);
    EXPECT_EQ(l.Selection, clMoneyGreen);
    EXPECT_EQ(l.CheckedArea, clWhite);
    EXPECT_EQ(l.CheckedAreaSelected, clSilver);
    EXPECT_EQ(l.Border, ColorToRGB(clBtnShadow));

    auto* bar = qobject_cast<TPaintedMenuBar*>(g.menuBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->objectName(), "MainMenu1");
    EXPECT_FALSE(bar->isNativeMenuBar());
    EXPECT_TRUE(mp.IsHooked(bar));
    QList<QMenu*> menus;
    for (QAction* a : bar->actions())
        if (a->menu() != nullptr) menus << a->menu();
    EXPECT_EQ(menus.size(), 7);
    for (const QMenu* m : menus) {
        EXPECT_NE(qobject_cast<const TPaintedMenu*>(m), nullptr) << m->objectName().toStdString();
        EXPECT_TRUE(mp.IsHooked(m)) << m->objectName().toStdString();
    }
    QMenu& parlenko1 = Find<QMenu>(g, "Parlenko1");
    int separators = 0;
    for (QAction* a : parlenko1.actions()) {
        if (!a->isSeparator()) continue;
        ++separators;
        EXPECT_EQ(parlenko1.actionGeometry(a).height(), 4);
    }
    EXPECT_EQ(separators, 3);
    parlenko1.resize(parlenko1.sizeHint());
    const QImage image = parlenko1.grab().toImage();
    const QRect r = parlenko1.actionGeometry(&Find<QAction>(g, "Uspostavivezu1"));
    EXPECT_EQ(FromQColor(image.pixelColor(r.left(), r.top())), clMoneyGreen) << "the band";

    // The items' shortcuts still reach them.
    QAction& exit = Find<QAction>(g, "Izlaz1");
    int triggered = 0;
    QObject::connect(&exit, &QAction::triggered, [&] { ++triggered; });
    exit.disconnect(&g);
    g.show();
    g.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
    QTest::keyClick(&g, Qt::Key_F10);
    EXPECT_EQ(triggered, 1);
    g.hide();
}

TEST(GlavnaTest, CreationLoadsThePhonebookCache) {
    GlavnaRig rig(false, testing::BuiltImagesDir(), [](const std::string& dir) {
        const auto written = exchange::SavePhonebookFile(
            dir, {{"Ana", "+385911234567", "SM", "001"}, {"Ivo!", "0987654", "ME", "002"}});
        ASSERT_TRUE(written.ok()) << written.error;
    });
    const auto& list = EngineInside::State(rig.engine).Phonebook.PhonebookList;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Name, "Ana");
    EXPECT_EQ(list[1].Name, "Ivo!");
    EXPECT_EQ(list[1].Position, "002");
}

TEST(GlavnaTest, OptionsReachThePort) {
    GlavnaRig rig(false);
    TOptions& o = rig.glavna->Options();
    o.SerialPort = 7;
    o.BaudRate = 14;
    o.HardwareFlowControl = 0;
    o.DeviceCheck = false;
    o.RefreshInterval = 10;
    rig.glavna->ApplyOptions();
    EXPECT_EQ(rig.port.PortName(), "COM8");
    EXPECT_EQ(rig.port.BaudRateValue(), 230400u);
    EXPECT_EQ(rig.port.HwFlow(), hfNONE);
    EXPECT_FALSE(rig.port.CheckLineStatus());
    EXPECT_EQ(rig.engine.RefreshIntervalMs(), 10000);
    EXPECT_EQ(Find<QLabel>(*rig.glavna, "ComPortNameLab").text(), "COM 8");
    // The whole name: every digit, a device by its name.
    for (const auto& [name, shown] : {std::pair{"COM12", "COM 12"},
                                      {"\\\\.\\COM3", "COM 3"},
                                      {"/dev/serial/by-id/usb-FTDI_A1-port0", "usb-FTDI_A1-port0"},
                                      {"/dev/ttyUSB0", "ttyUSB0"}}) {
        rig.port.SetPortName(name);
        rig.glavna->RepaintConnected();
        EXPECT_EQ(Find<QLabel>(*rig.glavna, "ComPortNameLab").text(), shown) << name;
    }
}

TEST(GlavnaTest, AutoConnectResetsThePhone) {
    GlavnaRig rig(true);
    rig.glavna->show();
    ASSERT_TRUE(PumpUntil([&] { return rig.Written("ATE1\r"); }, 5000));
    EXPECT_EQ(rig.device.OpenedName(), "COM2");
    EXPECT_EQ(rig.device.Written().rfind("ATZ\rATZ\rATE1\r", 0), 0u) << rig.device.Written();
    EXPECT_TRUE(rig.port.Connected());
    EXPECT_FALSE(rig.Command("Uspostavivezu1").isEnabled());
    EXPECT_TRUE(rig.Command("Prekinivezu1").isEnabled());
    EXPECT_TRUE(rig.Command("Iskljucimobitel1").isEnabled());
    // Closing without asking again: the test answers Yes.
    DialogWatcher yes([](TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
    rig.glavna->close();
}

TEST(GlavnaTest, WithoutAutoConnectNoPortIsOpened) {
    GlavnaRig rig(false);
    rig.glavna->show();
    Pump(100);
    EXPECT_EQ(rig.device.OpenCount(), 0);
    rig.glavna->hide();
}

TEST(GlavnaTest, APortThatCannotBeOpenedIsReported) {
    GlavnaRig rig(true);
    rig.device.SetOpenResult(false);
    DialogWatcher watcher;
    rig.glavna->show();
    ASSERT_TRUE(PumpUntil([&] { return !watcher.Seen().empty(); }, 5000));
    EXPECT_EQ(watcher.Seen()[0].caption, "Error connecting to COM2");
    EXPECT_EQ(watcher.Seen()[0].text,
              "Could not connect to serial port!\n\nCheck settings and try again!");
    EXPECT_FALSE(rig.port.Connected());
    EXPECT_TRUE(rig.Command("Uspostavivezu1").isEnabled());
    EXPECT_TRUE(rig.device.Written().empty());
    rig.glavna->hide();
}

class CloseQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig = std::make_unique<GlavnaRig>(true);
        rig->glavna->show();
        ASSERT_TRUE(PumpUntil([&] { return rig->Written("ATE1\r"); }, 5000));
        rig->device.TakeWritten();
        QObject::connect(rig->glavna.get(), &TGlavna::MainWindowClosed,
                         [this] { ++closedSignals; });
    }
    bool OptionsSaved() const {
        return QFile::exists(rig->home.QDir() + "Parlenko.ini") && SavedKeys() == 16;
    }
    int SavedKeys() const {
        QSettings s(rig->home.QDir() + "Parlenko.ini", QSettings::IniFormat);
        s.beginGroup("Options");
        return static_cast<int>(s.childKeys().size());
    }
    void ExpectClosedCleanly() {
        EXPECT_FALSE(rig->glavna->isVisible());
        EXPECT_EQ(closedSignals, 1);
        EXPECT_EQ(SavedKeys(), 16) << "the options are saved";
        EXPECT_EQ(rig->device.Written(), "AT+CNMI=0,0,0,0\r")
            << "notices off before the port closes";
        EXPECT_FALSE(rig->port.Connected());
        EXPECT_EQ(rig->device.CloseCount(), 1);
    }
    std::unique_ptr<GlavnaRig> rig;
    int closedSignals = 0;
};

TEST_F(CloseQueryTest, NoKeepsTheProgramAndSavesNothing) {
    DialogWatcher watcher([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
    rig->glavna->close();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].caption, "Close Parlenko");
    EXPECT_EQ(watcher.Seen()[0].text, "Do you really want to exit?");
    EXPECT_TRUE(rig->glavna->isVisible());
    EXPECT_EQ(closedSignals, 0);
    EXPECT_EQ(SavedKeys(), 1) << "only what the test wrote";
    EXPECT_TRUE(rig->port.Connected());
    EXPECT_TRUE(rig->device.Written().empty());
    rig->glavna->hide();
}

TEST_F(CloseQueryTest, YesSavesTheOptionsAndClosesThePort) {
    DialogWatcher watcher([](TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
    rig->Command("Izlaz1").trigger();  // "Zatvori Parlenko" runs the same query
    ASSERT_EQ(watcher.Seen().size(), 1u);
    ExpectClosedCleanly();
}

TEST_F(CloseQueryTest, ClosingTheQueryByItsTitleBarCountsAsYes) {
    DialogWatcher watcher([](TMessageDialog& d) { d.close(); });
    rig->glavna->close();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    ExpectClosedCleanly();
}

TEST(GlavnaTest, ConnectCommandTogglesTheConnection) {
    GlavnaRig rig(false);
    rig.glavna->show();
    rig.Command("Uspostavivezu1").trigger();
    EXPECT_TRUE(rig.port.Connected());
    EXPECT_EQ(rig.device.TakeWritten(), "ATZ\rATZ\rATE1\r");
    EXPECT_FALSE(rig.Command("Uspostavivezu1").isEnabled());
    rig.Command("Prekinivezu1").trigger();
    EXPECT_FALSE(rig.port.Connected());
    EXPECT_EQ(rig.device.TakeWritten(), "AT+CNMI=0,0,0,0\r");
    EXPECT_TRUE(rig.Command("Uspostavivezu1").isEnabled());
    EXPECT_FALSE(rig.Command("Prekinivezu1").isEnabled());
    rig.glavna->hide();
}

TEST(GlavnaTest, TurningThePhoneOffAsksThenSwitchesItOffAndDisconnects) {
    GlavnaRig rig(false);
    rig.glavna->show();
    rig.Command("Uspostavivezu1").trigger();
    rig.device.TakeWritten();
    {
        DialogWatcher no([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        rig.Command("Iskljucimobitel1").trigger();
        ASSERT_EQ(no.Seen().size(), 1u);
        EXPECT_EQ(no.Seen()[0].caption, "Mobile turn off");
        EXPECT_EQ(no.Seen()[0].text, "Do you really want to turn off your mobile?");
    }
    EXPECT_TRUE(rig.port.Connected());
    EXPECT_TRUE(rig.device.Written().empty());
    {
        DialogWatcher yes([](TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
        rig.Command("Iskljucimobitel1").trigger();
    }
    EXPECT_EQ(rig.device.Written(), "AT^SMSO\rAT+CNMI=0,0,0,0\r");
    EXPECT_FALSE(rig.port.Connected());
    EXPECT_TRUE(rig.Command("Uspostavivezu1").isEnabled());
    EXPECT_FALSE(rig.Command("Iskljucimobitel1").isEnabled());
    rig.glavna->hide();
}

TEST(GlavnaTest, HeaderPictures) {
    testing::TempHome images;  // a folder of our own pictures
    const QString dir = images.QDir();
    GlavnaRig rig(false, dir);
    TGlavna& g = *rig.glavna;
    QLabel& mainBarImage = Find<QLabel>(g, "MainBarImage");
    QStackedWidget& notebook1 = Find<QStackedWidget>(g, "Notebook1");
    // The general header is missing: blank, and no message.
    EXPECT_TRUE(mainBarImage.pixmap().isNull());

    QFile::copy(testing::BuiltImagesDir() + "engPhonebookBar.jpg", dir + "engPhonebookBar.jpg");
    g.OutBarBtn1Click(2);
    EXPECT_EQ(notebook1.currentIndex(), 1);
    EXPECT_EQ(mainBarImage.pixmap().size(), QSize(520, 36));

    {
        QFile bad(dir + "engSmsBar.jpg");
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("\xFF\xD8\xFF\xE0 not really a picture");
    }
    DialogWatcher watcher;
    g.OutBarBtn1Click(3);
    // The picture's message, then the SMS page's phonebook question.
    ASSERT_EQ(watcher.Seen().size(), 2u);
    EXPECT_EQ(watcher.Seen()[1].caption, "Refresh phonebook");
    EXPECT_EQ(watcher.Seen()[0].caption, "Error");
    EXPECT_EQ(watcher.Seen()[0].text, "Cannot open picture!");
    EXPECT_TRUE(mainBarImage.pixmap().isNull());
    EXPECT_EQ(notebook1.currentIndex(), 2) << "the program goes on";
}

TEST(GlavnaTest, LeftBarButtonsAndTooltips) {
    GlavnaRig rig(false);
    TGlavna& g = *rig.glavna;
    QWidget& connectedPB = Find<QWidget>(g, "ConnectedPB");
    widgets::TBrisolaButton& six = Find<widgets::TBrisolaButton>(g, "OutBarBtn6");
    EXPECT_EQ(six.Tag, 6);
    EXPECT_EQ(six.height(), 70);
    const QImage up = six.grab().toImage();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&six, &enter);
    EXPECT_NE(six.grab().toImage(), up) << "the mouse-over picture";
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(&six, &e);
    }
    EXPECT_EQ(Find<QStackedWidget>(g, "Notebook1").currentIndex(), 5);

    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), QPoint(300, 200));
    QApplication::sendEvent(&connectedPB, &tip);
    widgets::TTessaryHintWindow& hint = g.Hints().Window();
    EXPECT_TRUE(hint.isVisible());
    EXPECT_EQ(hint.Caption(), connectedPB.toolTip());
    EXPECT_TRUE(hint.Caption().startsWith("Mobile not connected!"));
    EXPECT_EQ(g.Hints().HidePause(), 10000);
    EXPECT_FALSE(QToolTip::isVisible());
    hint.hide();
}

}  // namespace
}  // namespace parlenko::ui

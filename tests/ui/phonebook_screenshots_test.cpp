// Pictures of the phonebook page for a person to look at: the page filled by
// a read of the simulated S45, its export menu open, the entry dialog with the balloon of a name
// the phone cannot store, and the country-code picker. Runs only when
// PARLENKO_SCREENSHOT_DIR names a folder (tests/ui/screenshots.sh).

#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "phonesim/state.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/ui_test_support.h"
#include "tests/ui/x11_windows.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/upis_imenik.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/phonebook_page.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <QSettings>

#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace parlenko::ui {
namespace {

using testing::Find;
using testing::Pump;
using testing::PumpUntil;

QString OutDir() { return qEnvironmentVariable("PARLENKO_SCREENSHOT_DIR"); }

// The simulated phone's clock shows one second all the time: the pictures do
// not depend on how long the steps before them took.
phonesim::PhoneOptions StandingClock() {
    phonesim::PhoneOptions options;
    options.clockStands = true;
    return options;
}

// What the display shows of a screen area holding the windows (their own
// renderings, placed, when the platform cannot grab the screen).
void SaveArea(const QRect& area, const std::vector<QWidget*>& windows, const QString& name) {
    Pump(300);
    QPixmap shot = testing::StillScreen(area);
    if (shot.isNull()) {
        shot = QPixmap(area.size());
        shot.fill(Qt::darkGray);
        QPainter p(&shot);
        for (QWidget* w : windows)
            p.drawPixmap(w->frameGeometry().topLeft() - area.topLeft(), w->grab());
    }
    const QString path = QDir(OutDir()).filePath(name);
    ASSERT_TRUE(shot.save(path, "PNG")) << path.toStdString();
}

void Save(QWidget& w, const QString& name) {
    testing::SettleForPicture(w);
    SaveArea(w.frameGeometry(), {&w}, name);
}

TEST(ScreenshotsPhonebook, PageEntryDialogAndCountries) {
    if (OutDir().isEmpty()) GTEST_SKIP() << "PARLENKO_SCREENSHOT_DIR is not set";
    testing::App();
    QDir().mkpath(OutDir());
    testing::TempHome home;
    {
        QSettings s(home.QDir() + "Parlenko.ini", QSettings::IniFormat);
        s.beginGroup("Options");
        s.setValue("Auto Connect", 1);
    }
    QtScheduler sched;
    parlenko::testing::SimSerialDevice device(
        sched, phonesim::LoadStateFile(PARLENKO_SOURCE_DIR "/tests/data/s45.state"),
        StandingClock());
    TSerialPortDriver port(device, sched);
    TWindowHost host;
    PhoneEngine engine(port, sched, host);
    TFolders folders{home.QDir(), testing::BuiltImagesDir(), home.QDir() + "Melodies/",
                     home.QDir() + "Logos"};
    TGlavna glavna(engine, folders, home.QDir() + "Parlenko.ini");
    host.SetMainWindow(&glavna);
    TCitamForm citam(&glavna);
    citam.SetModeSource([&glavna] { return glavna.Mode(); });
    citam.SetOnClosed([&engine] { engine.ProgressWindowClosed(); });
    host.SetCitamForm(&citam);
    glavna.LoadOptions();

    glavna.show();
    ASSERT_TRUE(PumpUntil([&] { return port.Connected() && !glavna.Busy(); }, 8000));
    Pump(2000);
    glavna.OutBarBtn1Click(2);
    ASSERT_TRUE(PumpUntil(
        [&] { return engine.PhonebookLoaded() && !glavna.Busy() && !citam.isVisible(); }, 30000));
    Save(glavna, "phonebook.png");

    // The export button's menu open under it.
    TImenikPage& page = Find<TImenikPage>(glavna, "ImenikPage");
    QWidget* exportButton = testing::Find<QToolBar>(page, "ToolBar2")
                                .widgetForAction(&testing::Find<QAction>(page, "ExpImeTB"));
    ASSERT_NE(exportButton, nullptr);
    auto& exportMenu = testing::Find<QMenu>(page, "ExpImePopup");
    exportMenu.popup(exportButton->mapToGlobal(QPoint(0, exportButton->height())));
    Pump(300);
    SaveArea(glavna.frameGeometry().united(exportMenu.frameGeometry()), {&glavna, &exportMenu},
             "export.png");
    exportMenu.hide();

    // The phonebook menu with the sub-menu of the messages open: the arrows
    // of the sub-menu items.
    auto& phonebookMenu = testing::Find<QMenu>(glavna, "Telefonskiimenik1");
    glavna.activateWindow();
    glavna.menuBar()->setActiveAction(phonebookMenu.menuAction());
    ASSERT_TRUE(PumpUntil([&] { return phonebookMenu.isVisible(); }, 3000));
    phonebookMenu.setActiveAction(&testing::Find<QAction>(glavna, "PosaljiSMSporuku2"));
    QTest::keyClick(&phonebookMenu, Qt::Key_Right);
    QMenu* messages = testing::Find<QAction>(glavna, "PosaljiSMSporuku2").menu();
    ASSERT_NE(messages, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return messages->isVisible(); }, 3000));
    SaveArea(glavna.frameGeometry()
                 .united(phonebookMenu.frameGeometry())
                 .united(messages->frameGeometry()),
             {&glavna, &phonebookMenu, messages}, "phonebook-menu.png");
    messages->hide();
    phonebookMenu.hide();

    // A new entry whose name holds characters the phone cannot store.
    TUpisImenik& entry = page.UpisImenik();
    entry.setWindowTitle("New entry - Phonebook");
    entry.PrepareNew({}, "0911234567");
    entry.show();
    testing::SettleForPicture(entry);
    auto& name = testing::Find<QLineEdit>(entry, "ImeEdit");
    name.setFocus();
    name.setText(QString::fromUtf8("Iva Khardić `x`"));
    Pump(200);
    ASSERT_NE(entry.Hint(), nullptr);
    const QRect area =
        entry.frameGeometry().united(entry.Hint()->frameGeometry()).adjusted(-10, -10, 10, 10);
    SaveArea(area, {&entry, entry.Hint()}, "entry.png");
    entry.hide();

    TZemljeForm& countries = entry.ZemljeForm();
    countries.SelectCountry("Croatia");
    countries.show();
    Save(countries, "countries.png");
    countries.hide();

    host.SetMainWindow(nullptr);
    host.SetCitamForm(nullptr);
    glavna.hide();
}

}  // namespace
}  // namespace parlenko::ui

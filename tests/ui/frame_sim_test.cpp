// The main window's frame against the simulated phone: the page switches and
// the reads they start, the advanced page's tabs, the status-bar indicators,
// the general page and the naming of the current cell.

#include "components/widgets/brisola_button.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/engine_state.h"
#include "engine/session/phone_engine.h"
#include "tests/support/engine_inside.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/main_window_rig.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/pictures.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/save_net_form.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/advanced_page.h"
#include "ui/pages/general_page.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;
using testing::PumpUntil;

class CountingSmsView : public ISmsView {
public:
    void ClearSmsLists() override { ++clears; }
    int clears = 0;
};

struct FrameRig : testing::MainWindowRig {
    FrameRig() : MainWindowRig({.s45State = false}) {
        glavna->LoadOptions();
        engine.SetView<ISmsView>(&sms);
    }
    ~FrameRig() { engine.SetView<ISmsView>(nullptr); }
    // The page shown (the left bar's button - 1).
    int Page() const { return Find<QStackedWidget>(*glavna, "Notebook1").currentIndex(); }
    bool SentSince(std::size_t from, const char* line) const {
        return Written().find(line, from) != std::string::npos;
    }
    // Connected, the connect chain and the general information read, idle.
    bool ShowConnected() {
        glavna->show();
        return WaitConnected() && PumpUntil([&] { return !glavna->Busy(); }, 12000);
    }
    void Click(QWidget* w) {
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }

    CountingSmsView sms;
};

QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

TEST(FrameSimTest, PageButtonsStartTheirReads) {
    FrameRig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TGlavna& g = *rig.glavna;

    // Phonebook: an empty list is read; once read, a second press reads nothing.
    std::size_t from = rig.Written().size();
    g.OutBarBtn1Click(2);
    EXPECT_EQ(rig.Page(), 1);
    EXPECT_TRUE(rig.SentSince(from, "AT+CPBS=\"SM\"\r"));
    ASSERT_TRUE(PumpUntil([&] { return !rig.engine.PhonebookEmpty(); }, 10000));
    ASSERT_TRUE(rig.Idle());
    from = rig.Written().size();
    g.OutBarBtn1Click(2);
    EXPECT_EQ(rig.Written().size(), from);

    // Call lists: read on every press.
    for (int press = 0; press < 2; ++press) {
        from = rig.Written().size();
        g.OutBarBtn1Click(4);
        EXPECT_EQ(rig.Page(), 3);
        EXPECT_TRUE(rig.SentSince(from, "AT+CPBS=\"LD\"\r")) << "press " << press;
        ASSERT_TRUE(PumpUntil([&] { return rig.SentSince(from, "AT+CPBS=\"MC\"\r"); }, 10000));
        ASSERT_TRUE(rig.Idle());
    }

    // General: read at once; the refresh runs only with the option, and only
    // while the page is shown.
    from = rig.Written().size();
    g.OutBarBtn1Click(1);
    EXPECT_TRUE(rig.SentSince(from, "AT+CGMI\r"));
    EXPECT_FALSE(rig.engine.RefreshRunning());
    ASSERT_TRUE(rig.Idle());
    g.Options().RefreshGeneralInfo = true;
    g.ApplyOptions();
    g.OutBarBtn1Click(1);
    EXPECT_TRUE(rig.engine.RefreshRunning());
    g.OutBarBtn1Click(6);
    EXPECT_FALSE(rig.engine.RefreshRunning());
    EXPECT_EQ(rig.Page(), 5);
}

TEST(FrameSimTest, SmsPageWithoutPhonebookAsksFirst) {
    FrameRig rig;
    TGlavna& g = *rig.glavna;
    std::vector<const char*> answers;
    DialogWatcher watcher([&](TMessageDialog& d) {
        DialogWatcher::Press(d, answers.empty() ? "No" : answers.front());
        if (!answers.empty()) answers.erase(answers.begin());
    });

    // Disconnected, Yes starts nothing and leaves no SMS read waiting.
    answers = {"Yes"};
    g.OutBarBtn1Click(3);
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].caption, "Refresh phonebook");
    EXPECT_TRUE(watcher.Seen()[0].text.startsWith("Phonebook not loaded!"));
    EXPECT_FALSE(EngineInside::State(rig.engine).PhonebookRead.ReadSmsAfterPhonebook);
    EXPECT_TRUE(rig.Written().empty());

    // A phone without messages: the page asks again after a read.
    for (auto& [name, memory] : rig.device.Phone().State().smsMemories) memory.messages.clear();
    // The SMS page is shown: the connect chain reads no general information.
    g.show();
    ASSERT_TRUE(PumpUntil([&] { return rig.SentSince(0, "AT+CSCB=1\r"); }, 15000));
    ASSERT_TRUE(rig.Idle());
    // No: the SMS read at once, without a phonebook read.
    answers = {"No"};
    std::size_t from = rig.Written().size();
    g.OutBarBtn1Click(3);
    EXPECT_EQ(rig.Page(), 2);
    EXPECT_EQ(rig.sms.clears, 1);
    EXPECT_TRUE(rig.SentSince(from, "AT+CPMS="));
    EXPECT_FALSE(rig.SentSince(from, "AT+CPBS="));
    ASSERT_TRUE(rig.Idle());

    // Yes: the phonebook first, then the SMS refresh once.
    answers = {"Yes"};
    from = rig.Written().size();
    g.OutBarBtn1Click(3);
    EXPECT_TRUE(rig.SentSince(from, "AT+CPBS=\"SM\"\r"));
    EXPECT_EQ(rig.sms.clears, 1) << "not before the phonebook is read";
    ASSERT_TRUE(PumpUntil([&] { return !rig.engine.PhonebookEmpty(); }, 10000));
    ASSERT_TRUE(rig.Idle());
    EXPECT_EQ(rig.sms.clears, 2);
    EXPECT_EQ(watcher.Seen().size(), 3u);
}

TEST(FrameSimTest, AdvancedMenuItemsShowTheirTabAndTabsNeedTheConnection) {
    FrameRig rig;  // not shown: disconnected
    TGlavna& g = *rig.glavna;
    g.findChild<QAction*>("Ostalo2")->trigger();
    EXPECT_EQ(rig.Page(), 5);
    const QStackedWidget& notebook2 = Find<QStackedWidget>(g, "Notebook2");
    EXPECT_EQ(notebook2.currentIndex(), 5);
    auto tab = [&g](int n) -> widgets::TBrisolaButton& {
        return Find<widgets::TBrisolaButton>(
            g, QStringLiteral("TabBarBtn%1").arg(n).toLatin1().constData());
    };
    for (int n = 1; n <= 6; ++n) {
        const widgets::TBrisolaButton& b = tab(n);
        EXPECT_EQ(b.Tag, 10 * n);
        EXPECT_EQ(b.UpImage(), n == 6 ? b.DownImage() : b.DisabledImage()) << "tab " << n;
        EXPECT_NE(b.DownImage(), b.DisabledImage());
    }
    rig.Click(&tab(3));
    EXPECT_EQ(notebook2.currentIndex(), 2);
    EXPECT_EQ(tab(3).UpImage(), tab(3).DownImage());
    EXPECT_EQ(tab(6).UpImage(), tab(6).DisabledImage());
    for (int tag = 10; tag <= 60; tag += 10) g.TabBarBtn1Click(tag);
    EXPECT_TRUE(rig.Written().empty());
}

TEST(FrameSimTest, Indicators) {
    FrameRig rig;
    TGlavna& g = *rig.glavna;
    std::set<int> traffic;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { traffic.insert(g.PortTrafficFrame()); });
    watch.start(5);
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    watch.stop();
    EXPECT_GT(*traffic.rbegin(), 0) << "the animation ran during the connect chain";
    EXPECT_EQ(g.PortTrafficFrame(), 0);
    EXPECT_EQ(g.NewCallPhase(), 3);
    QWidget& newCall = Find<QWidget>(g, "NewCallPB");
    QWidget& newSms = Find<QWidget>(g, "NewSmsPB");
    EXPECT_EQ(newCall.toolTip(), "Nema novih poziva!");
    EXPECT_EQ(newSms.toolTip(), "Nema novih SMS poruka!");

    // Nothing pending: a click changes nothing.
    std::size_t from = rig.Written().size();
    rig.Click(&newCall);
    rig.Click(&newSms);
    EXPECT_EQ(rig.Page(), 0);
    EXPECT_EQ(rig.Written().size(), from);

    rig.device.Phone().IncomingCall(rig.sched.NowMs(), "0911234567");
    std::set<int> phases;
    ASSERT_TRUE(PumpUntil(
        [&] {
            phases.insert(g.NewCallPhase());
            return phases.count(4) != 0 && phases.count(5) != 0;
        },
        8000));
    rig.device.Phone().RemoteHangup(rig.sched.NowMs());
    ASSERT_TRUE(rig.Idle());
    from = rig.Written().size();
    rig.Click(&newCall);
    EXPECT_EQ(rig.Page(), 3);
    EXPECT_TRUE(rig.SentSince(from, "AT+CPBS=\"LD\"\r"));
    EXPECT_EQ(g.NewCallPhase(), 3);
    EXPECT_EQ(newCall.toolTip(), "No new calls!");
}

TEST(FrameSimTest, GeneralPageOfTheDefaultPhone) {
    FrameRig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    const TGeneralPage& p = Find<TGeneralPage>(*rig.glavna, "OsnovnoPage");
    QLabel& prijemLab = Find<QLabel>(p, "PrijemLab");
    QLabel& proLab = Find<QLabel>(p, "ProLab");
    EXPECT_EQ(proLab.text(), "SIEMENS");
    EXPECT_EQ(proLab.property("Tag").toInt(), 101);
    EXPECT_EQ(Find<QLabel>(p, "ModLab").text(), "S45");
    EXPECT_EQ(Find<QLabel>(p, "NapBatLab").text(), "80%");
    EXPECT_EQ(Find<TLevelBars>(p, "NapStatPB").Tag(), 8);
    EXPECT_EQ(prijemLab.text(), "65%     [ -73 dBm ]");
    EXPECT_EQ(prijemLab.property("Tag").toInt(), 115);
    EXPECT_EQ(Find<TLevelBars>(p, "PrijemStatPB").Tag(), 6);
    EXPECT_EQ(Find<QLabel>(p, "OperLab").text(), "HR VIP");
    EXPECT_EQ(Find<QLabel>(p, "PodrucjeLab").text(), "0DA2");
    EXPECT_EQ(Find<QLabel>(p, "BazaIDLab").text(), "5C1F");
    EXPECT_TRUE(Find<QPushButton>(p, "SaveNetLocBtn").isEnabled());
    EXPECT_TRUE(Find<QAction>(*rig.glavna, "Snimilokacijumreze1").isEnabled());
    const auto s45 = LoadJpegPicture(testing::BuiltImagesDir() + "S45.jpg");
    ASSERT_TRUE(s45.has_value());
    EXPECT_EQ(Rgb(Find<QLabel>(p, "MobImage").pixmap().toImage()), Rgb(*s45));
}

TEST(FrameSimTest, PhonePictureNamesOnlyFilesOfTheImagesFolder) {
    testing::App();
    testing::TempHome home;
    const QString images = home.QDir() + "images/";
    ASSERT_TRUE(QDir().mkpath(images));
    ASSERT_TRUE(
        QFile::copy(testing::BuiltImagesDir() + "QuestionMark.jpg", images + "QuestionMark.jpg"));
    // A picture beside the images folder, which "../S45" would reach.
    ASSERT_TRUE(QFile::copy(testing::BuiltImagesDir() + "S45.jpg", home.QDir() + "S45.jpg"));
    const QImage question = Rgb(*LoadJpegPicture(images + "QuestionMark.jpg"));
    TGeneralPage page;
    QLabel& picture = Find<QLabel>(page, "MobImage");
    for (const char* model : {"X99", "../S45", "..", ""}) {
        picture.clear();
        page.ShowPhonePicture(images, model);
        EXPECT_EQ(Rgb(picture.pixmap().toImage()), question) << model;
    }

    {
        QFile bad(images + "S45.jpg");
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("\xFF\xD8\xFF\xE0 broken");
    }
    DialogWatcher watcher;
    page.ShowPhonePicture(images, "S45");
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].caption, "Error");
    EXPECT_EQ(watcher.Seen()[0].text, "Cannot open picture!");
    EXPECT_TRUE(picture.pixmap().isNull());
}

TEST(FrameSimTest, SaveLocationNamesTheCurrentCell) {
    FrameRig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TGlavna& g = *rig.glavna;
    QAction& saveLocation = Find<QAction>(g, "Snimilokacijumreze1");
    const QLabel& location = Find<QLabel>(Find<TGeneralPage>(g, "OsnovnoPage"), "LokacijaLab");
    QString prefilled = "unset";
    bool saveEnabledBlank = true;
    QTimer::singleShot(0, [&] {
        TSaveNetForm& f = *g.SaveNetForm();
        QLineEdit& name = Find<QLineEdit>(f, "LocEdit");
        QPushButton& save = Find<QPushButton>(f, "Button1");
        EXPECT_EQ(Find<QLabel>(f, "NetLab").text(), "HR VIP");
        EXPECT_EQ(Find<QLabel>(f, "CellLab").text(), "5C1F");
        prefilled = name.text();
        name.setText("   ");
        saveEnabledBlank = save.isEnabled();
        name.setText("Ured 2");
        save.click();
    });
    Find<QPushButton>(g, "SaveNetLocBtn").click();
    EXPECT_EQ(prefilled, "");
    EXPECT_FALSE(saveEnabledBlank);
    QFile file(rig.home.QDir() + "Locations.dat");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("{HR VIP},{0DA2},{5C1F},\"Ured 2\"\r\n"));
    EXPECT_EQ(location.text(), "Ured 2");

    // Opened again from the menu, the name is there.
    QTimer::singleShot(0, [&] {
        prefilled = Find<QLineEdit>(*g.SaveNetForm(), "LocEdit").text();
        Find<QPushButton>(*g.SaveNetForm(), "Button2").click();
    });
    saveLocation.trigger();
    EXPECT_EQ(prefilled, "Ured 2");

    // A file that cannot be written: a message, the form stays open, the old
    // name stays everywhere.
    rig.engine.SetDataDir(rig.home.Dir() + "no-such-folder/");
    DialogWatcher watcher;
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        TSaveNetForm& f = *g.SaveNetForm();
        Find<QLineEdit>(f, "LocEdit").setText("Ured 3");
        Find<QPushButton>(f, "Button1").click();
        stayedOpen = f.isVisible();
        Find<QPushButton>(f, "Button2").click();
    });
    saveLocation.trigger();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].caption, "Error");
    EXPECT_EQ(location.text(), "Ured 2");
    QFile again(rig.home.QDir() + "Locations.dat");
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("{HR VIP},{0DA2},{5C1F},\"Ured 2\"\r\n"));
}

}  // namespace
}  // namespace parlenko::ui

// The status notice, the progress window, the splash window and the about box.

#include "ui/controls/own_frame.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/info_form.h"
#include "ui/dialogs/splash_form.h"
#include "ui/dialogs/status_frm.h"

#include "tests/ui/ui_test_support.h"
#include "ui/artwork/artwork.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace parlenko::ui {
namespace {

using testing::Find;
using testing::Pump;
using testing::PumpUntil;

class SmallWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { testing::App(); }
};

TEST_F(SmallWindowsTest, StatusNoticeOnlyWhenTheOptionIsSet) {
    bool option = false;
    TStatusFrm frm;
    frm.SetEnabledSource([&] { return option; });
    frm.ShowStatusMessage("Entry succesfully saved in mobile phonebook!");
    EXPECT_FALSE(frm.isVisible());
    EXPECT_FALSE(Find<QTimer>(frm, "CloseTimer").isActive());

    option = true;
    frm.ShowStatusMessage("Entry succesfully saved in mobile phonebook!");
    EXPECT_TRUE(frm.isVisible());
    EXPECT_EQ(Find<QLabel>(frm, "PorukaLab").text(),
              "Entry succesfully saved in mobile phonebook!");
    EXPECT_EQ(frm.windowTitle(), QString::fromUtf8("Statusne poruke . . ."));
    frm.close();
}

TEST_F(SmallWindowsTest, SecondNoticeReplacesTheTextAndRestartsTheFullInterval) {
    TStatusFrm frm;
    QTimer& closeTimer = Find<QTimer>(frm, "CloseTimer");
    frm.SetEnabledSource([] { return true; });
    closeTimer.setInterval(1000);  // "Status Messages Interval" 1
    frm.ShowStatusMessage("first");
    Pump(400);
    frm.ShowStatusMessage("SMS message succesfully sent!");
    EXPECT_EQ(Find<QLabel>(frm, "PorukaLab").text(), "SMS message succesfully sent!");
    EXPECT_GT(closeTimer.remainingTime(), 800)
        << "the interval starts again with the second notice";
    // It closes itself one interval after the second notice.
    ASSERT_TRUE(PumpUntil([&] { return !frm.isVisible(); }, 3000));
    EXPECT_FALSE(closeTimer.isActive());
}

TEST_F(SmallWindowsTest, ProgressWindowShowsWithoutBlockingAndClosingEndsTheBusyState) {
    int mode = 3;
    int closed = 0;
    TCitamForm form;
    QLabel& progresLab = Find<QLabel>(form, "ProgresLab");
    QWidget& citamSlika = Find<QWidget>(form, "CitamSlika");
    form.SetModeSource([&] { return mode; });
    form.SetOnClosed([&] { ++closed; });
    // The client area in the window's own frame: a caption with no buttons.
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.size(), QSize(280 + 2 * TOwnFrame::kBorder,
                                 129 + 2 * TOwnFrame::kBorder + TOwnFrame::kCaptionHeight + 1));
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Čitam podatke iz telefonskog imenika . . ."));
    EXPECT_EQ(Find<QLabel>(form, "PozicijaLab").text(),
              QString::fromUtf8("Čitam podatke sa pozicije br. 1"));
    EXPECT_EQ(progresLab.text(), "0%");
    EXPECT_EQ(Find<QLabel>(form, "Label3").text(), QString::fromUtf8("Trenutak, molim . . ."));

    form.ShowProgress();  // returns at once
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.isModal()) << "keeps the user out of the main window";
    form.SetPercent(57);
    EXPECT_EQ(Find<QProgressBar>(form, "ProgressBar1").value(), 57);
    EXPECT_EQ(progresLab.text(), "57%");

    // The picture is the one of the activity mode.
    const QImage appointments = citamSlika.grab().toImage();
    mode = 14;
    const QImage logo = citamSlika.grab().toImage();
    EXPECT_NE(appointments, logo);

    form.close();  // by the user (or the window manager)
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(closed, 1);
    form.ShowProgress();
    form.hide();
    form.done(QDialog::Rejected);  // by the read loop or the time-out, also after a hide
    EXPECT_EQ(closed, 2);
}

TEST_F(SmallWindowsTest, SplashWaitsForItsTimer) {
    TSplashForm splash;
    QTimer& splashTimer = Find<QTimer>(splash, "SplashTimer");
    EXPECT_EQ(splash.size(), QSize(350, 234));
    EXPECT_EQ(splashTimer.interval(), 3000);
    EXPECT_FALSE(splashTimer.isActive());
    splashTimer.setInterval(150);
    QElapsedTimer t;
    t.start();
    splash.ShowAndWait();
    EXPECT_GE(t.elapsed(), 140);
    EXPECT_FALSE(splashTimer.isActive());
    EXPECT_TRUE(splash.isVisible()) << "the start-up closes it after the remaining windows";
    splash.close();
}

TEST_F(SmallWindowsTest, AboutBoxTexts) {
    TInfoForm info;
    QPushButton& zatvoriBtn = Find<QPushButton>(info, "ZatvoriBtn");
    EXPECT_EQ(info.windowTitle(), QString::fromUtf8("O programu . . ."));
    EXPECT_EQ(info.size(), QSize(313, 331));
    EXPECT_EQ(
        Find<QLabel>(info, "OpisLab").text(),
        QString::fromUtf8(
            "Program  za jednostavno upravljanje, kontrolu i razmjenu podataka između mobitela "
            "i računala."));
    EXPECT_EQ(Find<QLabel>(info, "VerzijaLab").text(), "1.0.1.0");
    EXPECT_EQ(zatvoriBtn.text(), "Zatvori");
    QTimer::singleShot(50, &info, [&] { zatvoriBtn.click(); });
    EXPECT_EQ(info.exec(), QDialog::Rejected);
}

}  // namespace
}  // namespace parlenko::ui

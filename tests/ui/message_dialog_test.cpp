// The program's message box: buttons and results, the title-bar close, the
// look, and the line breaks of the texts.

#include "ui/controls/message_dialog.h"

#include "tests/ui/ui_test_support.h"
#include "ui/artwork/artwork.h"

#include <QLabel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QPushButton>

#include <gtest/gtest.h>

#include <utility>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;

class MessageDialogTest : public ::testing::Test {
protected:
    void SetUp() override { testing::App(); }
};

TEST_F(MessageDialogTest, ButtonsGiveTheirResultsAndTheTitleBarCloseIsNotNo) {
    int result = 0;
    {
        DialogWatcher w([](TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
        result = ShowMessageDialog(nullptr, QString("Close Parlenko"),
                                   QString("Do you really want to exit?"), DialogKind::Confirmation,
                                   DialogButtons::YesNo);
    }
    EXPECT_EQ(result, DialogResult::Yes);
    {
        DialogWatcher w([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        result = ShowMessageDialog(nullptr, QString("Close Parlenko"),
                                   QString("Do you really want to exit?"), DialogKind::Confirmation,
                                   DialogButtons::YesNo);
    }
    EXPECT_EQ(result, DialogResult::No);
    {
        DialogWatcher w([](TMessageDialog& d) { d.close(); });  // the title bar's close button
        result = ShowMessageDialog(nullptr, QString("Close Parlenko"),
                                   QString("Do you really want to exit?"), DialogKind::Confirmation,
                                   DialogButtons::YesNo);
    }
    EXPECT_EQ(result, DialogResult::Closed);
    EXPECT_NE(result, DialogResult::No);
    {
        DialogWatcher w([](TMessageDialog& d) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&d, &esc);
        });
        result = ShowMessageDialog(nullptr, QString("Q"), QString("Escape?"),
                                   DialogKind::Confirmation, DialogButtons::YesNo);
    }
    EXPECT_EQ(result, DialogResult::No) << "Escape is the safe answer";
    // A plain Y or N, typed where the focus is (the Yes button), answers too.
    for (const auto& [key, expected] :
         {std::pair{Qt::Key_N, DialogResult::No}, std::pair{Qt::Key_Y, DialogResult::Yes}}) {
        DialogWatcher w([key = key](TMessageDialog& d) {
            QKeyEvent typed(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(key)).toLower());
            QApplication::sendEvent(d.findChild<QPushButton*>("Yes"), &typed);
            if (d.isVisible()) d.close();  // not taken: closed by the title bar
        });
        result = ShowMessageDialog(nullptr, QString("Q"), QString("Y or N?"),
                                   DialogKind::Confirmation, DialogButtons::YesNo);
        EXPECT_EQ(result, expected) << QKeySequence(key).toString().toStdString();
    }
    {
        DialogWatcher w([](TMessageDialog& d) { DialogWatcher::Press(d, "OK"); });
        result = ShowMessageDialog(nullptr, QString("Error"), QString("Cannot open picture!"),
                                   DialogKind::Error, DialogButtons::Ok);
    }
    EXPECT_EQ(result, DialogResult::Ok);
}

// A box is a window of its own, not a child of the window it opens over: a
// disabled window leaves its box usable.
TEST_F(MessageDialogTest, BoxStaysUsableWhenItsMainWindowIsDisabled) {
    QWidget main;
    main.resize(400, 300);
    main.show();
    bool enabledWhileBusy = false;
    DialogWatcher w([&](TMessageDialog& d) {
        main.setEnabled(false);
        enabledWhileBusy = d.isEnabled();
        DialogWatcher::Press(d, "OK");
    });
    EXPECT_EQ(ShowMessageDialog(&main, QString("Error"), QString("x"), DialogKind::Error,
                                DialogButtons::Ok),
              DialogResult::Ok);
    EXPECT_TRUE(enabledWhileBusy);
    main.setEnabled(true);
}

TEST_F(MessageDialogTest, OkBoxHasOneButtonAndYesNoBoxTwo) {
    TMessageDialog ok(nullptr, "Error", "x", DialogKind::Error, DialogButtons::Ok);
    EXPECT_EQ(ok.findChildren<QPushButton*>().size(), 1);
    EXPECT_NE(ok.findChild<QPushButton*>("OK"), nullptr);
    TMessageDialog yesNo(nullptr, "Q", "x", DialogKind::Confirmation, DialogButtons::YesNo);
    EXPECT_EQ(yesNo.findChildren<QPushButton*>().size(), 2);
    EXPECT_NE(yesNo.findChild<QPushButton*>("Yes"), nullptr);
    EXPECT_NE(yesNo.findChild<QPushButton*>("No"), nullptr);
}

TEST_F(MessageDialogTest, CreamBackgroundTahomaFontAndFourPixelsWider) {
    TMessageDialog d(nullptr, "Error connecting to COM2",
                     "Could not connect to serial port!\r\n\r\nCheck settings and try again!",
                     DialogKind::Error, DialogButtons::Ok);
    EXPECT_EQ(d.palette().color(QPalette::Window), QColor(0xFF, 0xFB, 0xF0));
    ASSERT_FALSE(d.font().families().isEmpty());
    EXPECT_EQ(d.font().families().front(), "Tahoma");
    EXPECT_EQ(d.windowTitle(), "Error connecting to COM2");
    const int natural = d.sizeHint().width();
    d.show();
    EXPECT_EQ(d.width(), natural + 4);
    d.close();
}

TEST_F(MessageDialogTest, CarriageReturnsBreakLines) {
    TMessageDialog d(
        nullptr, "Error",
        "Folder 'ParlenkoImages' is missing!\r\rProgram cannot run without this folder!",
        DialogKind::Error, DialogButtons::Ok);
    EXPECT_EQ(d.findChild<QLabel*>("Message")->text(),
              "Folder 'ParlenkoImages' is missing!\n\nProgram cannot run without this folder!");
    TMessageDialog crlf(nullptr, "E", "a\r\n\r\nb", DialogKind::Error, DialogButtons::Ok);
    EXPECT_EQ(crlf.findChild<QLabel*>("Message")->text(), "a\n\nb");
}

TEST_F(MessageDialogTest, EngineTextsAreWindows1252) {
    int result = 0;
    DialogWatcher w;
    result = ShowMessageDialog(nullptr, std::string("Error"),
                               std::string("Ime: \x8A"
                                           "ime \x80 5"),
                               DialogKind::Error, DialogButtons::Ok);
    EXPECT_EQ(result, DialogResult::Ok);
    ASSERT_EQ(w.Seen().size(), 1u);
    EXPECT_EQ(w.Seen()[0].text, QString::fromUtf8("Ime: Šime € 5"));
}

}  // namespace
}  // namespace parlenko::ui

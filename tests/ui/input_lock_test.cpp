// The busy state's lock: no click, key or shortcut reaches the locked window
// or a menu it opens, while its dialogs take input as always; nothing of
// the window changes its enabled state or loses the focus.

#include "ui/main_window/input_lock.h"

#include "tests/ui/ui_test_support.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace parlenko::ui {
namespace {

TEST(InputLock, TheWindowTakesNoInputItsDialogsDo) {
    testing::App();
    QWidget window;
    auto* button = new QPushButton("Button", &window);
    auto* edit = new QLineEdit(&window);
    edit->move(0, 40);
    auto* command = new QAction(&window);
    command->setShortcut(Qt::Key_F5);
    window.addAction(command);
    auto* menu = new QMenu(&window);
    QAction* item = menu->addAction("Item");
    item->setEnabled(false);
    QDialog dialog(&window);
    auto* dialogButton = new QPushButton("OK", &dialog);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();

    int clicks = 0, triggers = 0, dialogClicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    QObject::connect(command, &QAction::triggered, [&] { ++triggers; });
    QObject::connect(dialogButton, &QPushButton::clicked, [&] { ++dialogClicks; });

    TInputLock lock(window);
    lock.SetLocked(true);
    EXPECT_TRUE(lock.Covers(menu));
    EXPECT_FALSE(lock.Covers(&dialog));
    // As the window system delivers them: to the native window.
    QWindow* native = window.windowHandle();
    const QPoint onButton = button->geometry().center();
    QTest::mouseClick(native, Qt::LeftButton, {}, onButton);
    QTest::keyClick(native, Qt::Key_A);
    QTest::keyClick(native, Qt::Key_F5);
    EXPECT_TRUE(edit->hasFocus()) << "the click moved the focus";
    // Sent to the controls themselves.
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_B);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(triggers, 0);
    EXPECT_TRUE(edit->text().isEmpty());
    // Nothing switched on or off, the focus where it was.
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(item->isEnabled());
    // A dialog of the window is a window of its own.
    dialog.show();
    QTest::mouseClick(dialogButton, Qt::LeftButton);
    EXPECT_EQ(dialogClicks, 1);
    dialog.hide();

    lock.SetLocked(false);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::mouseClick(native, Qt::LeftButton, {}, onButton);
    edit->setFocus();
    QTest::keyClick(native, Qt::Key_A);
    QTest::keyClick(native, Qt::Key_F5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(triggers, 1);
    EXPECT_EQ(edit->text(), "a");
}

}  // namespace
}  // namespace parlenko::ui

#pragma once
// Helpers of the window tests: one application object for the whole test
// program, a temporary data folder, real-time pumping of the event loop, and
// a watcher that answers the next message box as a user would.

#include "tests/support/temp_dir.h"
#include "ui/controls/message_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QElapsedTimer>
#include <QPushButton>
#include <QString>
#include <QStyleHints>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace parlenko::ui::testing {

// The application object (created on first use, kept to the end). When
// pictures are taken the text cursor stays lit, so that two runs give the
// same pictures whatever the moment of each.
inline QApplication& App() {
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* made = new QApplication(argc, argv);
        if (!qEnvironmentVariableIsEmpty("PARLENKO_SCREENSHOT_DIR"))
            QGuiApplication::styleHints()->setCursorFlashTime(0);
        return made;
    }();
    return *app;
}

// Runs the event loop for ms of real time, or until done() holds.
inline bool PumpUntil(const std::function<bool()>& done, int maxMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > maxMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
inline void Pump(int ms) {
    PumpUntil([] { return false; }, ms);
}

// A window's control by its object name, as a user finds it by its place:
// the windows keep their controls to themselves. Throws when the window has
// no such control of that kind, which fails the test that asked.
template <class Control>
Control& Find(const QObject& window, const char* objectName) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(objectName));
    if (control == nullptr)
        throw std::runtime_error(std::string("no control named ") + objectName + " in " +
                                 window.metaObject()->className());
    return *control;
}

// A fresh data folder in PARLENKO_HOME for one test; removed afterwards.
class TempHome {
public:
    TempHome() { setenv("PARLENKO_HOME", dir_.c_str(), 1); }
    ~TempHome() { unsetenv("PARLENKO_HOME"); }
    const std::string& Dir() const { return dir_; }  // with its closing '/'
    QString QDir() const { return QString::fromStdString(dir_); }

private:
    parlenko::testing::TempDir temp_{"parlenko-ui"};
    std::string dir_ = temp_.path() + '/';
};

// The images folder that the build draws beside the program.
inline QString BuiltImagesDir() {
    return QStringLiteral(PARLENKO_BINARY_DIR "/app/ParlenkoImages/");
}

struct SeenDialog {
    QString caption;
    QString text;
};

// Watches for message boxes while it lives; each one opened is recorded and
// handed to act (which presses a button or closes the box). Without act the
// box is answered with its first button.
class DialogWatcher {
public:
    explicit DialogWatcher(std::function<void(TMessageDialog&)> act = {}) : act_(std::move(act)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Check(); });
        timer_.start();
    }
    const std::vector<SeenDialog>& Seen() const { return seen_; }

    static void Press(TMessageDialog& d, const char* button) {
        if (auto* b = d.findChild<QPushButton*>(button)) b->click();
    }

private:
    void Check() {
        auto* d = qobject_cast<TMessageDialog*>(QApplication::activeModalWidget());
        if (d == nullptr || !d->isVisible() || d->property("seenByWatcher").toBool()) return;
        d->setProperty("seenByWatcher", true);
        seen_.push_back({d->windowTitle(), d->findChild<QLabel*>("Message")->text()});
        if (act_) {
            act_(*d);
        } else {
            const auto buttons = d->findChildren<QPushButton*>();
            if (!buttons.isEmpty()) buttons.front()->click();
        }
    }
    std::function<void(TMessageDialog&)> act_;
    std::vector<SeenDialog> seen_;
    QTimer timer_;
};

}  // namespace parlenko::ui::testing

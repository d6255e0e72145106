// The real program, started as a user would: one copy at a time, the missing
// images folder, and the automatic connect to a port that cannot be opened
// (missing, held by another program, or not allowed), which says why.
// Message boxes answer themselves and print their texts (PARLENKO_TEST_AUTOANSWER).

#include "platform/serial/termios_serial_device.h"
#include "platform/single_instance.h"
#include "tests/ui/ui_test_support.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>

#include <gtest/gtest.h>

#include <filesystem>

#include <grp.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

namespace parlenko::ui {
namespace {

using testing::PumpUntil;
using testing::TempHome;

const QString kProgram = QStringLiteral(PARLENKO_BINARY_DIR "/app/parlenko");

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { testing::App(); }

    void WriteOptions(bool splash, bool autoConnect) {
        QSettings s(home.QDir() + "Parlenko.ini", QSettings::IniFormat);
        s.beginGroup("Options");
        s.setValue("Splash Screen", splash ? 1 : 0);
        s.setValue("Auto Connect", autoConnect ? 1 : 0);
    }

    QProcessEnvironment Env(const QString& imagesDir = QString()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PARLENKO_HOME", home.QDir());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("PARLENKO_TEST_AUTOANSWER", "1");
        if (!imagesDir.isEmpty()) env.insert("PARLENKO_IMAGES_DIR", imagesDir);
        return env;
    }

    void Start(QProcess& p, const QProcessEnvironment& env) {
        p.setProcessEnvironment(env);
        p.setProgram(kProgram);
        p.start();
        ASSERT_TRUE(p.waitForStarted(5000)) << kProgram.toStdString();
    }

    // True when some process holds the single-instance lock of this data
    // folder. The probe takes the lock for a moment when it is free: never
    // ask while a copy may be starting.
    bool LockHeld() {
        platform::SingleInstanceLock probe;
        return !probe.TryAcquire(home.Dir() + "parlenko.lock");
    }

    // The copy is past its start-up checks: it has made its folders.
    bool Running(const QProcess& p) {
        return p.state() == QProcess::Running &&
               std::filesystem::is_directory(home.Dir() + "Melodies");
    }

    // Starts the program with the automatic connect to COM2, the link
    // ports/com2 pointing at device, and gives its standard error once the
    // connect error is shown (or the program ended).
    QString StartToConnectError(QProcess& p, const std::string& device) {
        WriteOptions(false, true);
        std::filesystem::create_directories(home.Dir() + "ports");
        std::filesystem::create_symlink(device, home.Dir() + "ports/com2");
        Start(p, Env());
        QString err;
        PumpUntil(
            [&] {
                err += QString::fromUtf8(p.readAllStandardError());
                return err.contains("Error connecting") || p.state() == QProcess::NotRunning;
            },
            10000);
        return err;
    }

    // The message printed for the connect error, with the reason line.
    QString ConnectError(const QString& reason) const {
        return "parlenko-message: Error connecting to COM2 | Could not connect to serial "
               "port!\\r\\n\\r\\nCheck settings and try again!\\r\\n\\r\\n" +
               home.QDir() + "ports/com2: " + reason;
    }

    static void Stop(QProcess& p) {
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(5000);
        }
    }

    TempHome home;
};

TEST_F(ProgramTest, SecondCopyIsRefusedWhileTheFirstRunsAndStartsAfterTheFirstWasKilled) {
    WriteOptions(false, false);
    QProcess first;
    Start(first, Env());
    ASSERT_TRUE(
        PumpUntil([&] { return Running(first) || first.state() == QProcess::NotRunning; }, 10000));
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();
    EXPECT_TRUE(LockHeld());

    QProcess second;
    Start(second, Env());
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_NE(second.exitCode(), 0);
    const QString err = QString::fromUtf8(second.readAllStandardError());
    EXPECT_TRUE(err.contains("parlenko-message: Parlenko | Parlenko already active!"))
        << err.toStdString();
    EXPECT_EQ(first.state(), QProcess::Running) << "the first copy goes on";

    // A killed copy leaves no guard behind.
    first.kill();  // SIGKILL: no clean-up runs
    ASSERT_TRUE(first.waitForFinished(5000));
    EXPECT_FALSE(LockHeld());
    std::filesystem::remove_all(home.Dir() + "Melodies");
    QProcess third;
    Start(third, Env());
    ASSERT_TRUE(
        PumpUntil([&] { return Running(third) || third.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(third.state(), QProcess::Running);
    EXPECT_FALSE(QString::fromUtf8(third.readAllStandardError()).contains("already active"));
    Stop(third);
}

TEST_F(ProgramTest, MissingImagesFolderShowsTheMessageAndEndsWithoutTheMainWindow) {
    WriteOptions(false, true);  // auto connect would show a box once the main window is up
    QProcess p;
    Start(p, Env(home.QDir() + "no-such-folder/"));
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(p.exitCode(), 0);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains(
        "parlenko-message: Error | Folder 'ParlenkoImages' is missing!\\r\\rProgram cannot run "
        "without this folder!"))
        << err.toStdString();
    EXPECT_FALSE(err.contains("Error connecting")) << "the main window was never shown";
    EXPECT_FALSE(std::filesystem::exists(home.Dir() + "Melodies"))
        << "nothing after the check is created";
}

TEST_F(ProgramTest, AutoConnectToAPortThatCannotBeOpenedSaysSo) {
    // COM2 is the link ports/com2 in the data folder, pointing nowhere.
    QProcess p;
    const QString err = StartToConnectError(p, home.Dir() + "no-such-device");
    EXPECT_TRUE(
        err.contains("parlenko-message: Error connecting to COM2 | Could not connect to serial "
                     "port!\\r\\n\\r\\nCheck settings and try again!"))
        << err.toStdString();
    EXPECT_TRUE(err.contains(ConnectError("no such device."))) << err.toStdString();
    EXPECT_EQ(p.state(), QProcess::Running) << "the program goes on, disconnected";
    EXPECT_TRUE(std::filesystem::exists(home.Dir() + "Melodies"));
    EXPECT_TRUE(std::filesystem::exists(home.Dir() + "Logos"));
    Stop(p);
}

// A pseudo-terminal plays the serial port.
struct Pty {
    Pty() {
        char buffer[128] = {};
        if (::openpty(&master, &slave, buffer, nullptr, nullptr) == 0) name = buffer;
    }
    ~Pty() {
        if (master >= 0) ::close(master);
        if (slave >= 0) ::close(slave);
    }
    int master = -1;
    int slave = -1;
    std::string name;
};

TEST_F(ProgramTest, AutoConnectToAPortHeldByAnotherProgramSaysSo) {
    Pty pty;
    ASSERT_FALSE(pty.name.empty());
    platform::TermiosSerialDevice holder;  // another program with the port open
    ASSERT_TRUE(holder.Open(pty.name));
    QProcess p;
    const QString err = StartToConnectError(p, pty.name);
    EXPECT_TRUE(err.contains(ConnectError("in use by another program."))) << err.toStdString();
    Stop(p);
}

TEST_F(ProgramTest, AutoConnectToAPortWithoutPermissionNamesTheGroup) {
    Pty pty;
    ASSERT_FALSE(pty.name.empty());
    // Nobody may open the port; as root the program runs as "nobody", whom
    // the mode binds, with the data folder open to it.
    ASSERT_EQ(::chmod(pty.name.c_str(), 0), 0);
    ASSERT_EQ(::chmod(home.Dir().c_str(), 0777), 0);
    QProcess p;
    if (::geteuid() == 0) {
        p.setChildProcessModifier([] {
            const uid_t nobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
                ::setresuid(nobody, nobody, nobody) != 0)
                ::_exit(126);
        });
    }
    struct stat st {};
    ASSERT_EQ(::stat(pty.name.c_str(), &st), 0);
    const group* owner = ::getgrgid(st.st_gid);
    ASSERT_NE(owner, nullptr);
    const QString err = StartToConnectError(p, pty.name);
    // Where the user stands towards the group depends on who runs the test.
    EXPECT_TRUE(err.contains(ConnectError("permission denied")) &&
                err.contains("group \"" + QString::fromUtf8(owner->gr_name) + "\""))
        << err.toStdString();
    Stop(p);
}

}  // namespace
}  // namespace parlenko::ui

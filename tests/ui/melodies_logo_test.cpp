// The melody and logo sub-pages of the advanced page with the simulated S45
// behind the port (tests/data/s45.state: melodies 0-41, the last three user
// melodies, a 153-byte melody in user slot 0, a 1-bit 101 x 46 operator
// logo).

#include "ui/main_window/glavna.h"

#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "tests/support/phonesim/state.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/main_window_rig.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/midi_player.h"
#include "ui/base/qt_scheduler.h"
#include "ui/controls/pc_files.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/logo_page.h"
#include "ui/pages/melodies_page.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSlider>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;
using testing::PumpUntil;

constexpr int kMelodiesTab = 40;
constexpr int kLogoTab = 50;

struct Rig : testing::MainWindowRig {
    Rig() {
        status = std::make_unique<TStatusFrm>(glavna.get());
        glavna->SetStatusFrm(status.get());
        host.SetStatusFrm(status.get());
        glavna->LoadOptions();
    }
    ~Rig() { CloseMainWindow(); }  // before the status window goes
    std::size_t Mark() const { return device.Written().size(); }
    // line was sent after mark.
    bool SentSince(std::size_t mark, const std::string& line) const {
        return device.Written().find(line, mark) != std::string::npos;
    }
    bool ShowConnected() {
        glavna->show();
        return PumpUntil([&] { return device.Written().find("AT+CMGF=0\r") != std::string::npos; },
                         8000) &&
               PumpUntil([&] { return Find<QLabel>(*glavna, "ProModLab").text().contains("S45"); },
                         8000) &&
               PumpUntil([&] { return !glavna->Busy(); }, 12000);
    }
    TMelodiesPage& Melodies() { return Find<TMelodiesPage>(*glavna, "MelodijePage"); }
    TLogoPage& Logo() { return Find<TLogoPage>(*glavna, "LogotipPage"); }
    phonesim::ObjectStore& Store(const char* type) { return device.Phone().State().objects[type]; }
    QString File(const QString& name) const { return home.QDir() + name; }
    // Shows folder in list and selects name in it.
    static bool Choose(TPcFileList& list, const QString& folder, const QString& name) {
        list.SetFolder(folder);
        if (!PumpUntil([&] { return list.Loaded(); }, 5000)) return false;
        return list.SelectPath(folder + name);
    }

    std::unique_ptr<TStatusFrm> status;
};

// Answers the next file dialog with path (a timer while it lives).
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(QString path) : path_(std::move(path)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (d == nullptr || !d->isVisible()) return;
            title_ = d->windowTitle();
            d->selectFile(path_);
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
            timer_.stop();
        });
        timer_.start();
    }
    const QString& Title() const { return title_; }

private:
    QString path_;
    QString title_;
    QTimer timer_;
};

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A one-track MIDI file of exactly size bytes (at least 40) with notes
// note-ons, padded by a text event.
QByteArray MidiFile(int size, int notes) {
    QByteArray events;
    for (int i = 0; i < notes; ++i) events += QByteArray::fromHex("00903C4060803C40");
    const QByteArray end = QByteArray::fromHex("00FF2F00");
    const int fixed = 14 + 8 + static_cast<int>(events.size()) + static_cast<int>(end.size()) + 3;
    int text = size - fixed - 1;
    if (text >= 128) text = size - fixed - 2;
    QByteArray meta = QByteArray::fromHex("00FF01");
    if (text >= 128)
        meta += static_cast<char>(0x80 | (text >> 7)), meta += static_cast<char>(text & 0x7F);
    else meta += static_cast<char>(text);
    meta += QByteArray(text, 'x');
    const QByteArray track = events + meta + end;
    QByteArray file = QByteArray::fromHex("4D546864000000060000000100604D54726B");
    const auto n = static_cast<quint32>(track.size());
    file += static_cast<char>(n >> 24), file += static_cast<char>((n >> 16) & 0xFF);
    file += static_cast<char>((n >> 8) & 0xFF), file += static_cast<char>(n & 0xFF);
    return file + track;
}

TEST(MelodiesPage, RingerPlayStopSaveAndDeleteNameTheSameUserSlot) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    rig.glavna->TabBarBtn1Click(kMelodiesTab);
    TMelodiesPage& page = rig.Melodies();
    QComboBox& melodijeCB = Find<QComboBox>(page, "MelodijeCB");
    QPushButton& delMelBtn = Find<QPushButton>(page, "DelMelBtn");
    QPushButton& playMelBtn = Find<QPushButton>(page, "PlayMelBtn");
    QPushButton& saveToMidiBtn = Find<QPushButton>(page, "SaveToMidiBtn");
    QPushButton& stopMelBtn = Find<QPushButton>(page, "StopMelBtn");
    QSlider& volumeTB = Find<QSlider>(page, "VolumeTB");
    ASSERT_TRUE(PumpUntil([&] { return melodijeCB.count() == 42 && playMelBtn.isEnabled(); }, 5000))
        << rig.device.Written();
    EXPECT_TRUE(rig.device.Written().find("AT^SRTC=?\r") != std::string::npos);
    for (int i = 0; i < 42; ++i)
        EXPECT_EQ(melodijeCB.itemText(i).contains("Individual"), i >= 39) << i;
    EXPECT_EQ(Find<QComboBox>(page, "SaveMelMemCB").count(), 3);

    melodijeCB.setCurrentIndex(39);  // "40", the first user melody
    EXPECT_TRUE(delMelBtn.isEnabled());
    EXPECT_TRUE(saveToMidiBtn.isEnabled());
    EXPECT_EQ(page.UserMelodyTag(), 0);
    std::size_t mark = rig.Mark();
    playMelBtn.click();
    ASSERT_TRUE(PumpUntil([&] { return stopMelBtn.isEnabled(); }, 5000))
        << rig.device.Written().substr(mark);
    const std::string played = rig.device.Written().substr(mark);
    const auto set = played.find("AT^SRTC=39," + std::to_string(volumeTB.value()) + "\r");
    const auto play = played.find("AT^SRTC\r", set);
    ASSERT_NE(set, std::string::npos) << played;
    ASSERT_NE(play, std::string::npos) << played;
    EXPECT_NE(played.find("AT^SRTC?\r", play), std::string::npos) << played;
    EXPECT_FALSE(melodijeCB.isEnabled());
    EXPECT_FALSE(volumeTB.isEnabled());

    mark = rig.Mark();
    stopMelBtn.click();
    ASSERT_TRUE(PumpUntil([&] { return rig.SentSince(mark, "AT^SRTC\r"); }, 3000));
    // The phone idle again: its own ringer melody (06) is set back.
    ASSERT_TRUE(PumpUntil(
        [&] { return melodijeCB.isEnabled() && rig.SentSince(mark, "AT^SRTC=5,3\r"); }, 5000))
        << rig.device.Written().substr(mark);
    ASSERT_TRUE(PumpUntil([&] { return !rig.glavna->Busy(); }, 5000));
    melodijeCB.setCurrentIndex(39);
    ASSERT_TRUE(saveToMidiBtn.isEnabled());

    // Saving and deleting "40" both address slot 2.
    DialogWatcher yes;  // confirms, then closes "No melody found in user's memory!"
    mark = rig.Mark();
    saveToMidiBtn.click();
    ASSERT_TRUE(PumpUntil([&] { return rig.SentSince(mark, "AT^SBNR=\"mid\",2\r"); }, 3000));
    ASSERT_TRUE(PumpUntil([&] { return yes.Seen().size() >= 2; }, 5000));
    EXPECT_EQ(yes.Seen()[1].text, "No melody found in user's memory!");
    mark = rig.Mark();
    delMelBtn.click();
    ASSERT_TRUE(PumpUntil([&] { return rig.SentSince(mark, "AT^SBNW=\"mid\",2,0\r"); }, 3000));
    ASSERT_TRUE(PumpUntil([&] { return !rig.glavna->Busy(); }, 5000));

    // "42" is slot 0: the phone's 153 bytes go into the file chosen.
    melodijeCB.setCurrentIndex(41);
    EXPECT_EQ(page.UserMelodyTag(), 2);
    FileDialogAnswer answer(rig.File("Ringer.mid"));
    saveToMidiBtn.click();
    ASSERT_TRUE(PumpUntil([&] { return QFile::exists(rig.File("Ringer.mid")); }, 5000));
    EXPECT_EQ(answer.Title(), "Save melody to . . .");
    const std::string kept = rig.Store("mid").objects[0];
    EXPECT_EQ(kept.size(), 153u);
    EXPECT_EQ(ReadFile(rig.File("Ringer.mid")).toStdString(), kept);
}

TEST(MelodiesPage, MidiFilesShowTheirFiguresAndUploadIntoTheChosenSlot) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    rig.glavna->TabBarBtn1Click(kMelodiesTab);
    TMelodiesPage& page = rig.Melodies();
    QComboBox& saveMelMemCB = Find<QComboBox>(page, "SaveMelMemCB");
    QLabel& midiSizeLab = Find<QLabel>(page, "MidiSizeLab");
    QLabel& midiTonesLab = Find<QLabel>(page, "MidiTonesLab");
    QLabel& midiTracksLab = Find<QLabel>(page, "MidiTracksLab");
    QPushButton& uploadMelBtn = Find<QPushButton>(page, "UploadMelBtn");
    ASSERT_TRUE(PumpUntil([&] { return saveMelMemCB.count() == 3; }, 5000));
    ASSERT_TRUE(PumpUntil([&] { return !rig.glavna->Busy(); }, 5000));

    const QString dir = rig.File("midi/");
    QDir().mkpath(dir);
    WriteFile(dir + "a1023.mid", MidiFile(1023, 3));
    WriteFile(dir + "b1024.mid", MidiFile(1024, 2));
    WriteFile(dir + "c_silent.mid", MidiFile(200, 0));
    WriteFile(dir + "d_damaged.mid", QByteArray("MThd\0\0\0\x09\0\0\0\x01\0\x60", 14));
    WriteFile(dir + "e_notes.txt", "not a melody");
    WriteFile(dir + "f8800.mid", MidiFile(8800, 5));
    WriteFile(dir + "g8801.mid", MidiFile(8801, 5));
    TPcFileList& files = page.MidiFiles();

    ASSERT_TRUE(Rig::Choose(files, dir, "a1023.mid"));
    EXPECT_EQ(midiSizeLab.text(), "1023 bytes");
    EXPECT_EQ(midiTracksLab.text(), "1");
    EXPECT_EQ(midiTonesLab.text(), "3");
    EXPECT_TRUE(uploadMelBtn.isEnabled());
    ASSERT_TRUE(files.SelectPath(dir + "b1024.mid"));
    EXPECT_EQ(midiSizeLab.text(), "1 kB");
    EXPECT_EQ(midiTonesLab.text(), "2");
    ASSERT_TRUE(files.SelectPath(dir + "c_silent.mid"));
    EXPECT_EQ(midiTonesLab.text(), "??");
    EXPECT_EQ(midiSizeLab.text(), "200 bytes");
    ASSERT_TRUE(uploadMelBtn.isEnabled());
    {
        // A file the MIDI model rejects: why, no figures, nothing to send.
        DialogWatcher ok;
        ASSERT_TRUE(files.SelectPath(dir + "d_damaged.mid"));
        ASSERT_TRUE(PumpUntil([&] { return !ok.Seen().empty(); }, 3000));
        EXPECT_EQ(ok.Seen()[0].caption, "Error");
        const QString why = ok.Seen()[0].text;  // the model's own words after the name
        EXPECT_TRUE(why.startsWith("Cannot read melody d_damaged.mid!\n\n")) << why.toStdString();
        EXPECT_GT(why.size(), 38) << why.toStdString();
    }
    for (QLabel* l : {&midiSizeLab, &midiTracksLab, &midiTonesLab})
        EXPECT_EQ(l->text(), "") << l->objectName().toStdString();
    EXPECT_FALSE(uploadMelBtn.isEnabled());
    ASSERT_TRUE(files.SelectPath(dir + "e_notes.txt"));
    EXPECT_EQ(midiSizeLab.text(), "");
    EXPECT_FALSE(uploadMelBtn.isEnabled());
    EXPECT_FALSE(Find<QPushButton>(page, "PlayMidiBtn").isEnabled());

    // 8800 bytes: 50 packets into the first user melody's slot (2).
    ASSERT_TRUE(files.SelectPath(dir + "f8800.mid"));
    saveMelMemCB.setCurrentIndex(0);
    rig.Store("mid").objects.erase(2);
    DialogWatcher yes;
    std::size_t mark = rig.Mark();
    uploadMelBtn.click();
    ASSERT_TRUE(PumpUntil([&] { return rig.Store("mid").objects.count(2) == 1; }, 60000))
        << rig.device.Written().substr(mark, 400);
    EXPECT_TRUE(rig.SentSince(mark, "AT^SBNW=\"mid\",2,1,50\r"));
    EXPECT_TRUE(rig.SentSince(mark, "AT^SBNW=\"mid\",2,50,50\r"));
    EXPECT_EQ(QByteArray::fromStdString(rig.Store("mid").objects[2]), ReadFile(dir + "f8800.mid"));
    ASSERT_TRUE(PumpUntil([&] { return !rig.glavna->Busy() && !rig.citam.isVisible(); }, 5000));

    // 8801 bytes are refused before anything is sent.
    ASSERT_TRUE(files.SelectPath(dir + "g8801.mid"));
    mark = rig.Mark();
    const auto seen = yes.Seen().size();
    uploadMelBtn.click();
    ASSERT_TRUE(PumpUntil([&] { return yes.Seen().size() >= seen + 2; }, 3000));
    EXPECT_EQ(yes.Seen()[seen + 1].text, "Melody too big!");
    testing::Pump(100);
    EXPECT_EQ(rig.device.Written().substr(mark), "");
}

TEST(MelodiesPage, ThePcPlayerRunsTheCommandAndTheButtonsFollowIt) {
    testing::TempHome scratch;
    const QString dir = scratch.QDir();
    const QString script = dir + "player.sh";
    WriteFile(script,
              "#!/bin/sh\necho \"$@\" >> \"$(dirname \"$0\")/args\"\n"
              "echo $$ > \"$(dirname \"$0\")/pid\"\nexec sleep \"${PLAYER_SLEEP:-30}\"\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    WriteFile(dir + "tune.mid", MidiFile(300, 4));
    setenv("PARLENKO_MIDI_PLAYER", script.toLocal8Bit().constData(), 1);
    unsetenv("PLAYER_SLEEP");
    {
        Rig rig;
        TMelodiesPage& page = rig.Melodies();
        QPushButton& playMidiBtn = Find<QPushButton>(page, "PlayMidiBtn");
        QPushButton& stopMidiBtn = Find<QPushButton>(page, "StopMidiBtn");
        ASSERT_TRUE(Rig::Choose(page.MidiFiles(), dir, "tune.mid"));
        ASSERT_TRUE(playMidiBtn.isEnabled());
        page.PlayMidiBtnClick();
        ASSERT_TRUE(PumpUntil([&] { return stopMidiBtn.isEnabled(); }, 5000));
        EXPECT_FALSE(playMidiBtn.isEnabled());
        EXPECT_FALSE(Find<QPushButton>(page, "UploadMelBtn").isEnabled());
        ASSERT_TRUE(PumpUntil([&] { return QFile::exists(dir + "pid"); }, 5000));
        EXPECT_TRUE(ReadFile(dir + "args").contains((dir + "tune.mid").toLocal8Bit()));
        testing::Pump(50);
        const int pid = ReadFile(dir + "pid").trimmed().toInt();
        ASSERT_GT(pid, 0);
        stopMidiBtn.click();
        EXPECT_NE(::kill(pid, 0), 0) << "Zaustavi ended the player";
        EXPECT_TRUE(playMidiBtn.isEnabled());
        EXPECT_FALSE(stopMidiBtn.isEnabled());

        // A player that ends by itself gives play back.
        setenv("PLAYER_SLEEP", "0", 1);
        page.PlayMidiBtnClick();
        ASSERT_TRUE(PumpUntil([&] { return stopMidiBtn.isEnabled(); }, 5000));
        ASSERT_TRUE(
            PumpUntil([&] { return playMidiBtn.isEnabled() && !stopMidiBtn.isEnabled(); }, 5000));
    }
    unsetenv("PLAYER_SLEEP");
    // No player: play stays off, with the hint.
    setenv("PARLENKO_MIDI_PLAYER", "/nonexistent/player", 1);
    {
        Rig rig;
        TMelodiesPage& page = rig.Melodies();
        const QPushButton& playMidiBtn = Find<QPushButton>(page, "PlayMidiBtn");
        ASSERT_TRUE(Rig::Choose(page.MidiFiles(), dir, "tune.mid"));
        EXPECT_FALSE(playMidiBtn.isEnabled());
        EXPECT_EQ(playMidiBtn.toolTip(), "Za sviranje instalirajte timidity ili fluidsynth");
        EXPECT_EQ(Find<QLabel>(page, "MidiTonesLab").text(), "4");
    }
    unsetenv("PARLENKO_MIDI_PLAYER");
}

TEST(LogoPage, ReadSaveUploadAndDeleteTheOperatorLogoAndTheScreensaver) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    TLogoPage& page = rig.Logo();
    QComboBox& logosCB = Find<QComboBox>(page, "LogosCB");
    QLabel& mobLogSizeLab = Find<QLabel>(page, "MobLogSizeLab");
    QLabel& picMaxSizeLab = Find<QLabel>(page, "PicMaxSizeLab");
    QLabel& picSizeLab = Find<QLabel>(page, "PicSizeLab");
    QPushButton& delLogBtn = Find<QPushButton>(page, "DelLogBtn");
    QPushButton& saveToBmpBtn = Find<QPushButton>(page, "SaveToBmpBtn");
    QPushButton& uploadLogBtn = Find<QPushButton>(page, "UploadLogBtn");
    std::size_t mark = rig.Mark();
    rig.glavna->TabBarBtn1Click(kLogoTab);
    ASSERT_TRUE(PumpUntil([&] { return page.MobLogImageTag() == 1; }, 5000))
        << rig.device.Written().substr(mark);
    EXPECT_TRUE(rig.SentSince(mark, "AT^SBNR=\"bmp\",0\r"));
    EXPECT_EQ(mobLogSizeLab.text(), "101 x 46");
    EXPECT_EQ(picMaxSizeLab.text(), "101 x 46");
    ASSERT_EQ(logosCB.count(), 2);
    // The phone's logo is framed in black (its corner pixels too): the frame
    // is drawn on the white canvas (124 x 64, the logo centred at 12, 9),
    // the paper inside it stays white.
    const QImage shown = Find<QLabel>(page, "MobLogImage").pixmap().toImage();
    for (const QPoint at : {QPoint(12, 9), QPoint(12, 30), QPoint(112, 54), QPoint(60, 9)})
        EXPECT_LT(qGray(shown.pixel(at)), 64) << at.x() << "," << at.y();
    EXPECT_EQ(qGray(shown.pixel(14, 52)), 255);
    EXPECT_EQ(qGray(shown.pixel(5, 5)), 255);

    // Saved as "x": "x.bmp" holds the phone's bytes.
    {
        FileDialogAnswer answer(rig.File("x"));
        saveToBmpBtn.click();
        EXPECT_EQ(answer.Title(), "Save logo to . . .");
    }
    EXPECT_EQ(ReadFile(rig.File("x.bmp")).toStdString(), rig.Store("bmp").objects[0]);
    EXPECT_EQ(Find<QLabel>(*rig.status, "PorukaLab").text(), "Logo succesfully saved on disc!");

    // The screensaver kind is index 2 for upload, read and delete.
    Find<QComboBox>(page, "SaveLogoMemCB").setCurrentIndex(1);
    EXPECT_EQ(picMaxSizeLab.text(), "101 x 46");
    const QString dir = rig.File("pictures/");
    QDir().mkpath(dir);
    QImage mono(101, 46, QImage::Format_Mono);
    mono.fill(1);
    for (int x = 10; x < 90; ++x) mono.setPixel(x, 20, 0);
    ASSERT_TRUE(mono.save(dir + "mono.bmp", "BMP"));
    WriteFile(dir + "z_broken.bmp", "BM not really a picture");
    ASSERT_TRUE(Rig::Choose(page.LogoFiles(), dir, "mono.bmp"));
    EXPECT_EQ(picSizeLab.text(), "101 x 46");
    ASSERT_TRUE(uploadLogBtn.isEnabled());
    DialogWatcher yes;
    mark = rig.Mark();
    uploadLogBtn.click();
    ASSERT_TRUE(PumpUntil(
        [&] {
            return Find<QLabel>(*rig.status, "PorukaLab").text() ==
                   "Logo succesfully saved in mobile!";
        },
        20000))
        << rig.device.Written().substr(mark, 300);
    EXPECT_TRUE(rig.SentSince(mark, "AT^SBNW=\"bmp\",2,1,5\r"));
    EXPECT_TRUE(rig.SentSince(mark, "AT^SBNW=\"bmp\",2,5,5\r"));
    const std::string stored = rig.Store("bmp").objects[2];
    const QImage held = QImage::fromData(QByteArray::fromStdString(stored), "BMP");
    EXPECT_EQ(held.depth(), 1);
    EXPECT_EQ(held.size(), QSize(101, 46));
    EXPECT_EQ(logosCB.currentIndex(), 1);
    EXPECT_EQ(mobLogSizeLab.text(), "101 x 46");
    // The target stays the user's: a second upload goes to the screensaver too.
    EXPECT_EQ(Find<QComboBox>(page, "SaveLogoMemCB").currentIndex(), 1);
    EXPECT_EQ(picMaxSizeLab.text(), "101 x 46");
    ASSERT_TRUE(PumpUntil([&] { return !rig.glavna->Busy(); }, 5000));

    mark = rig.Mark();
    Find<QPushButton>(page, "RefLogBtn").click();
    ASSERT_TRUE(PumpUntil([&] { return rig.SentSince(mark, "AT^SBNR=\"bmp\",2\r"); }, 3000));
    ASSERT_TRUE(PumpUntil([&] { return !rig.glavna->Busy(); }, 5000));
    mark = rig.Mark();
    delLogBtn.click();
    ASSERT_TRUE(PumpUntil([&] { return rig.SentSince(mark, "AT^SBNW=\"bmp\",2,0\r"); }, 3000));
    ASSERT_TRUE(PumpUntil([&] { return mobLogSizeLab.text() == "No logo on mobile!"; }, 5000));
    EXPECT_FALSE(delLogBtn.isEnabled());
    EXPECT_FALSE(saveToBmpBtn.isEnabled());

    const auto seen = yes.Seen().size();
    ASSERT_TRUE(page.LogoFiles().SelectPath(dir + "z_broken.bmp"));
    ASSERT_TRUE(PumpUntil([&] { return yes.Seen().size() > seen; }, 3000));
    EXPECT_EQ(yes.Seen()[seen].text, "Cannot open picture!");
    EXPECT_FALSE(uploadLogBtn.isEnabled());
    EXPECT_EQ(picSizeLab.text(), "");
}

}  // namespace
}  // namespace parlenko::ui

#include "ui/base/midi_player.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstdlib>

namespace parlenko::ui {
namespace {

constexpr char kSoundFont[] = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
constexpr int kEndWaitMs = 2000;

}  // namespace

TMidiPlayer::TMidiPlayer(QObject* parent) : QObject(parent) {}

TMidiPlayer::~TMidiPlayer() { Stop(); }

std::optional<TMidiPlayer::Command> TMidiPlayer::Find() const {
    if (const char* own = std::getenv("PARLENKO_MIDI_PLAYER"); own != nullptr && *own != '\0') {
        QStringList words = QProcess::splitCommand(QString::fromLocal8Bit(own));
        if (words.isEmpty()) return std::nullopt;
        Command c{words.takeFirst(), words};
        if (!QFileInfo(c.program).isAbsolute())
            c.program = QStandardPaths::findExecutable(c.program);
        if (c.program.isEmpty() || !QFileInfo(c.program).isExecutable()) return std::nullopt;
        return c;
    }
    if (QString t = QStandardPaths::findExecutable("timidity"); !t.isEmpty())
        return Command{t, {QStringLiteral("-quiet")}};
    if (QString f = QStandardPaths::findExecutable("fluidsynth");
        !f.isEmpty() && QFileInfo::exists(kSoundFont))
        return Command{f, {QStringLiteral("-n"), QStringLiteral("-i"), kSoundFont}};
    return std::nullopt;
}

bool TMidiPlayer::Available() {
    if (!looked_) {
        command_ = Find();
        looked_ = true;
    }
    return command_.has_value();
}

bool TMidiPlayer::Play(const QString& path) {
    Stop();
    if (!Available()) return false;
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->setStandardOutputFile(QProcess::nullDevice());
    QProcess* p = process_;
    connect(p, &QProcess::started, this, [this] { emit Playing(); });
    connect(p, &QProcess::finished, this, [this, p] {
        if (p != process_) return;
        process_->deleteLater();
        process_ = nullptr;
        emit Stopped();
    });
    connect(p, &QProcess::errorOccurred, this, [this, p](QProcess::ProcessError error) {
        if (p != process_ || error != QProcess::FailedToStart) return;
        process_->deleteLater();
        process_ = nullptr;
        emit Stopped();
    });
    process_->start(command_->program, command_->arguments + QStringList{path});
    return true;
}

void TMidiPlayer::Stop() {
    if (process_ == nullptr) return;
    QProcess* p = process_;
    process_ = nullptr;
    p->disconnect(this);
    if (p->state() != QProcess::NotRunning) {
        p->terminate();
        if (!p->waitForFinished(kEndWaitMs)) {
            p->kill();
            p->waitForFinished(kEndWaitMs);
        }
    }
    delete p;
}

bool TMidiPlayer::IsPlaying() const {
    return process_ != nullptr && process_->state() != QProcess::NotRunning;
}

}  // namespace parlenko::ui

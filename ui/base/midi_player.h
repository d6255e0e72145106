#pragma once
// Plays MIDI files on the PC through an outside player: $PARLENKO_MIDI_PLAYER
// (a command line; the file's path is added), else "timidity", else
// "fluidsynth" with the General MIDI sound font of the fluid-soundfont-gm
// package. The player is looked for on first use. One file plays at a time;
// a new one, Stop and the player's destruction end the one playing.

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QProcess;

namespace parlenko::ui {

class TMidiPlayer : public QObject {
    Q_OBJECT
public:
    explicit TMidiPlayer(QObject* parent = nullptr);
    ~TMidiPlayer() override;

    // A player was found.
    bool Available();
    // Starts the player on path (ending the one playing); false when there
    // is no player.
    bool Play(const QString& path);
    // Ends the player; no Stopped follows.
    void Stop();
    bool IsPlaying() const;

signals:
    // The player process started.
    void Playing();
    // It ended by itself, or could not be started.
    void Stopped();

private:
    struct Command {
        QString program;
        QStringList arguments;
    };
    std::optional<Command> Find() const;

    bool looked_ = false;
    std::optional<Command> command_;
    QProcess* process_ = nullptr;
};

}  // namespace parlenko::ui

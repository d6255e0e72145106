#pragma once
// The sub-page "Melodije" of the advanced page: the phone's melodies (play,
// set as the ringer, stop, delete a user melody, save one to a file) and the
// MIDI files of the PC (size, tracks and notes, play on the PC, upload into
// a user-melody slot of the phone). The phone side shows what the engine
// keeps (IMelodiesView) and starts everything through PhoneEngine.

#include "engine/melodies/melodies_view.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace parlenko {
class PhoneEngine;
}  // namespace parlenko

namespace parlenko::ui {

class TMidiPlayer;
class TPcFileList;

class TMelodiesPage : public QWidget, public IMelodiesView {
    Q_OBJECT
public:
    // melodiesDir: the program's own melody folder, offered in the folder box.
    TMelodiesPage(PhoneEngine& engine, const QString& melodiesDir, QWidget* parent = nullptr);
    ~TMelodiesPage() override;

    // The sub-page was opened: reads the melody list while connected.
    void PageShown();

    // Handlers, by their controls.
    void PlayMelBtnClick();
    void SetMelBtnClick();
    void StopMelBtnClick();
    void DelMelBtnClick();
    void SaveToMidiBtnClick();
    void MidiListViewChange();
    void PlayMidiBtnClick();
    void StopMidiBtnClick();
    void UploadMelBtnClick();

    // --- IMelodiesView
    void MelodyListChanged(const MelodyListView& view) override;
    void RingerStateChanged(const MelodyListView& view) override;

    // The rank among the user melodies of the chosen melody (Tag of
    // DelMelBtn and SaveToMidiBtn).
    int UserMelodyTag() const { return userMelodyTag_; }
    TPcFileList& MidiFiles() { return *midiFiles_; }
    TMidiPlayer& Player() { return *player_; }

private:
    QComboBox* MelodijeCB = nullptr;
    QSlider* VolumeTB = nullptr;
    QPushButton* PlayMelBtn = nullptr;
    QPushButton* SetMelBtn = nullptr;
    QPushButton* StopMelBtn = nullptr;
    QPushButton* DelMelBtn = nullptr;
    QPushButton* SaveToMidiBtn = nullptr;
    QLabel* MidiSizeLab = nullptr;
    QLabel* MidiTracksLab = nullptr;
    QLabel* MidiTonesLab = nullptr;
    QPushButton* PlayMidiBtn = nullptr;
    QPushButton* StopMidiBtn = nullptr;
    QComboBox* SaveMelMemCB = nullptr;
    QPushButton* UploadMelBtn = nullptr;

    void BuildPhoneSide();
    void BuildPcSide(const QString& melodiesDir);
    void ConnectHandlers();
    void MelodijeCBChange();
    void ShowState(const MelodyListView& view);
    // The play and upload buttons by the file chosen, the PC player and the
    // phone's own playing.
    void PcButtons(bool pcPlaying);
    bool MidiChosen() const;

    PhoneEngine& engine_;
    TPcFileList* midiFiles_ = nullptr;
    TMidiPlayer* player_ = nullptr;
    int userMelodyTag_ = 0;
    bool phonePlaying_ = false;
    // The chosen ".mid" file was read by the MIDI model (upload needs it).
    bool midiReadable_ = false;
};

}  // namespace parlenko::ui

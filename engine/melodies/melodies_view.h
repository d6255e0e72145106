#pragma once
// The melodies page's phone side: the phone's melody list (MelodijeCB), the
// user-melody slots an upload may overwrite (SaveMelMemCB), the ringer volume
// (VolumeTB) and which of the page's melody controls take input. The engine
// holds the one true copy and tells the page when it changed. A view call
// only shows.

#include <string>
#include <vector>

namespace parlenko {

struct MelodyListView {
    // Item texts and the selected item (-1 none); the item index is the
    // phone's melody number. Deleting a melody derives its index here.
    std::vector<std::string> MelodijeCB;
    int MelodijeIndex = -1;
    std::vector<std::string> SaveMelMemCB;
    int SaveMelMemIndex = -1;
    int VolumeMin = 0;  // VolumeTB's range as the phone gives it
    int VolumeMax = 4;
    int VolumeTB = 0;  // its position
    // A phone melody plays. UploadMelBtn follows the page's PlayMidiBtn
    // while none plays and is disabled while one does.
    bool Playing = false;
    // The melody controls as the ringer state and the play and stop
    // commands leave them; a selection the user changes afterwards is the
    // page's to follow.
    bool MelodijeCBEnabled = false;
    bool VolumeTBEnabled = false;
    bool PlayMelBtnEnabled = false;
    bool SetMelBtnEnabled = false;
    bool StopMelBtnEnabled = false;
    bool SaveToMidiBtnEnabled = false;
    bool DelMelBtnEnabled = false;
};

// The phone's slot of a user melody: the user melodies are numbered from
// the end of the list, so the first of three is slot 2. rank: the melody's
// place (from 0) among userMelodies user melodies.
inline int UserMelodySlot(int userMelodies, int rank) { return userMelodies - 1 - rank; }

class IMelodiesView {
public:
    virtual ~IMelodiesView() = default;
    // The phone's melody list, the upload slots and the volume range were
    // read: fill the two lists and the track bar's range.
    virtual void MelodyListChanged(const MelodyListView& view) { (void)view; }
    // The selected melody, the volume or the state of the melody controls
    // changed.
    virtual void RingerStateChanged(const MelodyListView& view) { (void)view; }
};

}  // namespace parlenko

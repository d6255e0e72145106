#include "ui/pages/melodies_page.h"

#include "components/midi/memory_stream.h"
#include "components/midi/midi_data.h"
#include "engine/core/host.h"
#include "engine/session/phone_engine.h"
#include "ui/artwork/small_images.h"
#include "ui/base/midi_player.h"
#include "ui/base/text_codec.h"
#include "ui/controls/click_handlers.h"
#include "ui/controls/controls.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/message_dialog.h"
#include "ui/controls/page_value_rows.h"
#include "ui/controls/pc_files.h"
#include "ui/controls/transfer_controls.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTreeView>

#include <algorithm>
#include <tuple>
#include <exception>

namespace parlenko::ui {
namespace {

constexpr int kMelodyPicture = 46;
constexpr int kNoteOn = 0x90;
constexpr char kNoPlayerHint[] = "Za sviranje instalirajte timidity ili fluidsynth";

void Fill(QComboBox* box, const std::vector<std::string>& items, int index) {
    controls::Fill(box, items, index, controls::SmallIcon(kMelodyPicture));
}

bool IsUserMelody(const QString& item) { return item.contains(QLatin1String("Individual")); }

bool IsMidiFile(const QString& path) {
    return controls::IsFileWithSuffix(path, QLatin1String("mid"));
}

}  // namespace

TMelodiesPage::TMelodiesPage(PhoneEngine& engine, const QString& melodiesDir, QWidget* parent)
    : QWidget(parent), engine_(engine) {
    setObjectName("MelodijePage");
    BuildPhoneSide();
    BuildPcSide(melodiesDir);
    // Off until the phone's melodies are read, or a file is chosen.
    for (QPushButton* b : {PlayMelBtn, SetMelBtn, StopMelBtn, DelMelBtn, SaveToMidiBtn, PlayMidiBtn,
                           StopMidiBtn, UploadMelBtn})
        b->setEnabled(false);
    player_ = new TMidiPlayer(this);
    ConnectHandlers();
}

// The phone's melodies with the volume, and the saving of a user melody.
void TMelodiesPage::BuildPhoneSide() {
    using namespace controls;
    QGroupBox* phone = Group(this, " Melodije u mobitelu:", QRect(8, 4, 244, 160));
    MelodijeCB = Combo(phone, "MelodijeCB", QRect(12, 24, 220, 22));
    MelodijeCB->setEnabled(false);
    Caption(phone, "Glasnoća:", QRect(12, 58, 64, 20));
    VolumeTB = LevelSlider(phone, "VolumeTB", QRect(80, 54, 152, 28), 0, 4);
    VolumeTB->setEnabled(false);
    PlayMelBtn = Button(phone, "PlayMelBtn", "Sviraj", QRect(12, 92, 106, 25));
    SetMelBtn = Button(phone, "SetMelBtn", "Postavi", QRect(126, 92, 106, 25));
    StopMelBtn = Button(phone, "StopMelBtn", "Zaustavi", QRect(12, 124, 106, 25));
    DelMelBtn = Button(phone, "DelMelBtn", "Izbriši", QRect(126, 124, 106, 25));

    SaveToMidiBtn = SaveToDiskGroup(
        this, 172, " Snimi melodiju iz mobitela:", "Melodija će biti snimljena u MID formatu!",
        "SaveToMidiBtn", "Snimi melodiju na disk");
}

// The PC's MIDI files, the figures of the one chosen, and its upload.
void TMelodiesPage::BuildPcSide(const QString& melodiesDir) {
    using namespace controls;
    QGroupBox* pc = nullptr;
    std::tie(pc, midiFiles_) = PcFilesSide(this, " Melodije na računalu:", "MidiFoldersCB",
                                           "MidiListView", "Melodies", melodiesDir, 150);
    PageValueRows(pc, {10, 90, 100, 142, 18}, 204, 18,
                  {{&MidiSizeLab, "Veličina:", "MidiSizeLab"},
                   {&MidiTracksLab, "Broj traka:", "MidiTracksLab"},
                   {&MidiTonesLab, "Broj tonova:", "MidiTonesLab"}});
    PlayMidiBtn = Button(pc, "PlayMidiBtn", "Sviraj", QRect(10, 264, 112, 25));
    StopMidiBtn = Button(pc, "StopMidiBtn", "Zaustavi", QRect(130, 264, 112, 25));
    std::tie(SaveMelMemCB, UploadMelBtn) =
        UploadControls(pc, "Memorija za snimanje melodije:", "SaveMelMemCB", "UploadMelBtn",
                       "Snimi melodiju u mobitel");
}

void TMelodiesPage::ConnectHandlers() {
    controls::OnClicked(this, {
                                  {PlayMelBtn, &TMelodiesPage::PlayMelBtnClick},
                                  {SetMelBtn, &TMelodiesPage::SetMelBtnClick},
                                  {StopMelBtn, &TMelodiesPage::StopMelBtnClick},
                                  {DelMelBtn, &TMelodiesPage::DelMelBtnClick},
                                  {SaveToMidiBtn, &TMelodiesPage::SaveToMidiBtnClick},
                                  {PlayMidiBtn, &TMelodiesPage::PlayMidiBtnClick},
                                  {StopMidiBtn, &TMelodiesPage::StopMidiBtnClick},
                                  {UploadMelBtn, &TMelodiesPage::UploadMelBtnClick},
                              });
    connect(MelodijeCB, &QComboBox::currentIndexChanged, this, [this] { MelodijeCBChange(); });
    connect(midiFiles_, &TPcFileList::SelectionChanged, this, [this] { MidiListViewChange(); });
    // The player's notices (MPNotify).
    connect(player_, &TMidiPlayer::Playing, this, [this] { PcButtons(true); });
    connect(player_, &TMidiPlayer::Stopped, this, [this] { PcButtons(false); });
}

TMelodiesPage::~TMelodiesPage() = default;

void TMelodiesPage::PageShown() { engine_.ReadMelodies(); }

// ---------------------------------------------------------------- phone melodies

void TMelodiesPage::MelodyListChanged(const MelodyListView& view) {
    Fill(MelodijeCB, view.MelodijeCB, view.MelodijeIndex);
    Fill(SaveMelMemCB, view.SaveMelMemCB, view.SaveMelMemIndex);
    {
        QSignalBlocker block(VolumeTB);
        VolumeTB->setRange(view.VolumeMin, view.VolumeMax);
    }
    ShowState(view);
}

void TMelodiesPage::RingerStateChanged(const MelodyListView& view) { ShowState(view); }

void TMelodiesPage::ShowState(const MelodyListView& view) {
    {
        QSignalBlocker block(MelodijeCB);
        MelodijeCB->setCurrentIndex(view.MelodijeIndex);
    }
    {
        QSignalBlocker block(VolumeTB);
        VolumeTB->setValue(view.VolumeTB);
    }
    phonePlaying_ = view.Playing;
    MelodijeCB->setEnabled(view.MelodijeCBEnabled);
    VolumeTB->setEnabled(view.VolumeTBEnabled);
    PlayMelBtn->setEnabled(view.PlayMelBtnEnabled);
    SetMelBtn->setEnabled(view.SetMelBtnEnabled);
    StopMelBtn->setEnabled(view.StopMelBtnEnabled);
    DelMelBtn->setEnabled(view.DelMelBtnEnabled);
    SaveToMidiBtn->setEnabled(view.SaveToMidiBtnEnabled);
    // The user-melody rank of the selection the engine made.
    int users = 0;
    for (int i = 0; i <= MelodijeCB->currentIndex(); ++i)
        if (IsUserMelody(MelodijeCB->itemText(i))) ++users;
    userMelodyTag_ = std::max(users - 1, 0);
    PcButtons(player_->IsPlaying());
}

void TMelodiesPage::MelodijeCBChange() {
    const int index = MelodijeCB->currentIndex();
    engine_.SelectMelody(index);
    PlayMelBtn->setEnabled(MelodijeCB->count() > 0);
    SetMelBtn->setEnabled(PlayMelBtn->isEnabled());
    DelMelBtn->setEnabled(PlayMelBtn->isEnabled() && index >= 0 &&
                          IsUserMelody(MelodijeCB->itemText(index)));
    SaveToMidiBtn->setEnabled(DelMelBtn->isEnabled());
    if (!DelMelBtn->isEnabled()) return;
    int users = 0;
    for (int i = 0; i <= index; ++i)
        if (IsUserMelody(MelodijeCB->itemText(i))) ++users;
    userMelodyTag_ = std::max(users - 1, 0);
}

void TMelodiesPage::PlayMelBtnClick() {
    if (!engine_.Connected()) return;
    engine_.PlayMelody(MelodijeCB->currentIndex(), VolumeTB->value());
}

void TMelodiesPage::SetMelBtnClick() {
    if (!engine_.Connected()) return;
    engine_.SetMelody(MelodijeCB->currentIndex(), VolumeTB->value());
}

void TMelodiesPage::StopMelBtnClick() {
    if (!engine_.Connected()) return;
    engine_.StopMelody();
}

void TMelodiesPage::DelMelBtnClick() {
    if (!engine_.Connected()) return;
    if (Ask(this, "Delete melody", "Delete user melody from mobile?") != DialogResult::Yes) return;
    engine_.DeleteUserMelody(userMelodyTag_);
}

void TMelodiesPage::SaveToMidiBtnClick() {
    if (!engine_.Connected()) return;
    if (Ask(this, "Save melody", "Save user melody to disc?") != DialogResult::Yes) return;
    engine_.ReadUserMelody(userMelodyTag_);
}

// ---------------------------------------------------------------- MIDI files

bool TMelodiesPage::MidiChosen() const { return IsMidiFile(midiFiles_->SelectedPath()); }

void TMelodiesPage::PcButtons(bool pcPlaying) {
    const bool midi = MidiChosen();
    const bool player = midi && player_->Available();
    PlayMidiBtn->setEnabled(player && !pcPlaying);
    PlayMidiBtn->setToolTip(midi && !player ? U(kNoPlayerHint) : QString());
    StopMidiBtn->setEnabled(pcPlaying);
    UploadMelBtn->setEnabled(midi && midiReadable_ && !pcPlaying && !phonePlaying_ &&
                             SaveMelMemCB->count() > 0);
}

void TMelodiesPage::MidiListViewChange() {
    const QString path = midiFiles_->SelectedPath();
    if (path.isEmpty()) {
        MidiSizeLab->clear();
        MidiTracksLab->clear();
        MidiTonesLab->clear();
        PcButtons(player_->IsPlaying());
        return;
    }
    // Only ".mid" files are played and sent; the labels keep what they show.
    if (!MidiChosen()) {
        PcButtons(player_->IsPlaying());
        return;
    }
    midiReadable_ = false;
    try {
        midi::TMemoryStream stream;
        stream.LoadFromFile(path.toStdString());
        midi::TMidiData model;
        model.LoadFromStream(stream);
        long long notes = 0;
        for (int t = 0; t < model.TrackCount(); ++t) {
            const midi::TMidiTrackStream* track = model.GetTrack(t);
            if (track == nullptr) continue;
            for (std::int32_t e = 0; e < track->EventCount(); ++e) {
                const midi::TMidiTrackEvent* event = track->GetEvent(e);
                if (event != nullptr && event->Status == kNoteOn) ++notes;
            }
        }
        const qint64 size = QFileInfo(path).size();
        MidiTonesLab->setText(notes == 0 ? QStringLiteral("??") : QString::number(notes));
        MidiTracksLab->setText(QString::number(model.TrackCount()));
        MidiSizeLab->setText(size < 1024 ? QString::number(size) + " bytes"
                                         : QString::number(size / 1024) + " kB");
        midiReadable_ = true;
    } catch (const std::exception& e) {
        // Nothing of the file is known: no figures, nothing to send.
        for (QLabel* l : {MidiSizeLab, MidiTracksLab, MidiTonesLab}) l->clear();
        PcButtons(player_->IsPlaying());
        ShowError(this, QStringLiteral("Error"),
                  "Cannot read melody " + QFileInfo(path).fileName() + "!\n\n" +
                      QString::fromLocal8Bit(e.what()));
        return;
    }
    PcButtons(player_->IsPlaying());
}

void TMelodiesPage::PlayMidiBtnClick() {
    if (!MidiChosen()) return;
    player_->Play(midiFiles_->SelectedPath());
}

void TMelodiesPage::StopMidiBtnClick() {
    player_->Stop();
    PcButtons(false);
}

void TMelodiesPage::UploadMelBtnClick() {
    if (!engine_.Connected() || !MidiChosen() || !midiReadable_ || SaveMelMemCB->count() == 0)
        return;
    if (Ask(this, "Save melody", "Save melody in mobile?") == DialogResult::No) return;
    QFile file(midiFiles_->SelectedPath());
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(this, QStringLiteral("Error"),
                  "Cannot open file " + QDir::toNativeSeparators(file.fileName()));
        return;
    }
    const QByteArray bytes = file.readAll();
    const int slot =
        UserMelodySlot(SaveMelMemCB->count(), std::max(SaveMelMemCB->currentIndex(), 0));
    engine_.UploadMelody(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), slot);
}

}  // namespace parlenko::ui

#pragma once
// Everything the engine remembers between two received chunks, in one place.
// One EngineState belongs to one PhoneEngine and is handed explicitly to the
// units that read or change it; there are no hidden globals.
//
// The groups follow the topics of the protocol. Add a field to the group it
// belongs to; a new group gets its own small struct and one member below.
// Flags are plain bools (the phone operations only ever test them); an
// operation that carries data and excludes the others is one typed value
// (PhonebookOpState::Op, SmsState::Op).

#include "engine/general/general_view.h"
#include "engine/melodies/melodies_view.h"
#include "engine/objects/objects_state.h"
#include "engine/objects/objects_view.h"
#include "engine/phone/records.h"
#include "engine/phonebook/phonebook_op.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/receive/rx_lines.h"
#include "engine/services/services_state.h"
#include "engine/session/modes.h"
#include "engine/settings/settings_view.h"
#include "engine/sms/sms_state.h"

#include <cstdint>
#include <string>
#include <vector>

namespace parlenko {

// Values of the windows the engine reads live: the options
// (PhoneEngine::ApplyOptions, SetDataDir) and the page shown
// (PhoneEngine::GeneralPageShown). The engine never asks a window for them.
struct EngineOptions {
    bool CellInfoCheck = false;  // "Check Cell Info": cell broadcasts name the location
    bool RefreshCheck = false;   // "Refresh General Info"
    // The general page (page 0) is shown: the connect chain then reads the
    // general information at once instead of ending with "AT+CSCB=1".
    bool GeneralPageShown = true;
    std::string DataDir;  // folder of "Locations.dat", "Phonebook.dat", ...
};

// The receive side: the list of received lines and what the scan remembers.
struct ReceiveState {
    RxLineList RxLines;
    // The "> " prompt answered last: entry index and list generation, so a
    // prompt is served once even when later chunks leave it unchanged.
    int AnsweredPromptEntry = -1;
    std::uint64_t AnsweredPromptGeneration = 0;
    // The command line written last (without its carriage return) until a
    // final result answers it; empty when no command is in flight. Its
    // answer lands below CommandEntry, the remainder when it was written.
    std::string CommandInFlight;
    int CommandEntry = 0;
    // Receive calls in progress: more than one while a modal window opened
    // from a scan lets new chunks in.
    int Depth = 0;
    // More than 0 while a chain writes its commands with timed pauses
    // between them (the reset at connect, the closing): no notice may slip a
    // command in meanwhile (HoldNotices).
    int NoticesHeld = 0;
};

// Holds the new-message notices back for as long as it lives.
class HoldNotices {
public:
    explicit HoldNotices(ReceiveState& rx) : rx_(rx) { ++rx_.NoticesHeld; }
    ~HoldNotices() { --rx_.NoticesHeld; }
    HoldNotices(const HoldNotices&) = delete;
    HoldNotices& operator=(const HoldNotices&) = delete;

private:
    ReceiveState& rx_;
};

// Calls.
struct CallState {
    bool InCall = false;  // a voice call is up (after "ATD"/"ATA" answered OK)
    // The other party of the call dialled or answered last, kept when the
    // command was sent: the call window shows it once the phone accepts.
    std::string PartyName;
    std::string PartyNumber;
};

// The incoming-call notice's two labels. The notice is a window of the calls
// view; the engine keeps the texts because "RING" tests whether a number is
// shown. The window reports the notice's closing
// (PhoneEngine::NewCallNoticeClosed), which blanks them.
struct NewCallNoticeView {
    std::string OsobaLab;    // caller's name
    std::string TelefonLab;  // caller's number
};

// Phonebook operations that run over a memory selection.
struct PhonebookOpState {
    PhonebookOp Op;                // the entry operation in flight (phonebook_op.h)
    bool PhonebookLoaded = false;  // the last full read ran to its end
    // The last full read ran to its end, and no restore has changed the
    // phone since: the list is the phone's (a restore needs it).
    bool PhonebookReadComplete = false;
    // A full read was started and has not run to its end (it is running, or
    // it stopped): the list holds part of the phone's entries, while the
    // cache still holds the last complete read.
    bool PhonebookListPartial = false;
    // A full read runs now: from its start to its end or its stop.
    bool PhonebookReadRunning = false;
    std::vector<AListIme> PhonebookList;

    // What the list showed before the running full read began: put back
    // when the read fails, so that the list agrees with the cache again.
    struct ListBeforeRead {
        std::vector<AListIme> List;
        bool Loaded = false;
        bool ReadComplete = false;
        bool ListPartial = false;
        std::array<MemoryCounters, kPhonebookMemories.size()> Memories{};
    };
    ListBeforeRead BeforeRead;
};

// A running calendar, melody or logo upload.
struct UploadState {
    std::vector<std::string> UploadPackets;  // hex packets, 352 characters each
    int PacketIndex = 0;                     // number from 1 of the next packet
    int PacketCount = 0;
    bool SendingAppointment = false;
    bool SendingMelody = false;
    bool SendingLogo = false;
};

// Flags of the command chains.
struct ChainState {
    bool ReadingOtherSettings = false;
    bool SettingClock = false;
    bool CregSetSent = false;  // true after "AT+CREG=<n>", false after "AT+CREG?"
    int LastErrorCode = 0;
    std::string LastErrorText;
    std::string SmscText;    // SMS centre number, with the operator's name for the known ones
    std::string PhoneModel;  // model read last; the phone picture changes with it
    // "Communication error!" was shown and the port closed; later failed
    // writes of the same exchange stay silent until the next connect.
    bool CommunicationErrorReported = false;
    // The port was opened and the phone reset, and nothing has come back
    // yet: a time-out now means there is no phone on the port.
    bool AwaitingFirstAnswer = false;
    // The conversation is being closed, or was closed: no command is written
    // but the closing one, until the next reset of the phone. An answer that
    // still arrives updates the lists; the step it would start is not sent.
    bool Closing = false;
};

// Status-bar indicators and the busy animation.
struct IndicatorState {
    int PortTrafficStep = 0;   // 1..8 while the traffic animation runs
    int PortTrafficFrame = 0;  // frame drawn; 0 = idle
    int NewSmsPhase = 0;       // 0 none; 1, 2 new-message blink; -1 dark overflow frame
    int NewCallPhase = 3;      // 3 none; 4, 5 new-call blink
    int SmsOverflowKind = 0;   // 0 memory full; 1 full and a message waiting
    std::string NewSmsHint = "No new SMS messages!";
    std::string NewCallHint = "No new calls!";
};

struct EngineState {
    ActivityMode Mode = ActivityMode::Phonebook;
    // True only while one row is being added to or removed from a list view:
    // the views' change handlers do nothing meanwhile. Set through
    // FillingListGuard (engine/session/filling_list.h), never left set.
    bool FillingList = false;
    // Memory selected last: a phonebook memory or call list ("SM", "LD", ...)
    // or, from the message notices, a message memory ("SM", "ME").
    std::string CurrentMemory;

    EngineOptions Options;
    ReceiveState Receive;
    CallState Call;
    NewCallNoticeView NewCallNotice;
    PhonebookOpState Phonebook;
    PhonebookReadState PhonebookRead;
    SmsState Sms;
    UploadState Upload;
    ObjectsState Objects;
    ChainState Chain;
    MelodyListView Melodies;
    ServicesState Services;
    IndicatorState Indicators;
    GeneralInfoView GeneralInfo;
    PhoneSettingsView Settings;
    ObjectCapabilitiesView Capabilities;
};

}  // namespace parlenko

#pragma once
// What the shared floors of the engine keep between two received chunks:
// the received lines and the command in flight, the activity mode, the
// options the windows set, the flags of the command chains and the
// status-bar indicators. The topics keep their own state (TopicStore); the
// session's EngineState holds both.

#include "engine/core/modes.h"
#include "engine/core/rx_lines.h"

#include <cstdint>
#include <functional>
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
    // When CommandInFlight, or the body its prompt asked for, was written.
    std::int64_t CommandWrittenMs = 0;
    // Receive calls in progress: more than one while a modal window opened
    // from a scan lets new chunks in.
    int Depth = 0;
    // More than 0 while a chain writes its commands with timed pauses
    // between them (the reset at connect, the closing): no notice may slip a
    // command in meanwhile (HoldNotices).
    int NoticesHeld = 0;
    // Exchanges of the engine's own that wait for a quiet moment
    // (conversation/quiet_starts.h), oldest first.
    struct WaitingStart {
        const void* Key = nullptr;
        std::function<void()> Start;
    };
    std::vector<WaitingStart> WaitingStarts;
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

// Flags of the command chains.
struct ChainState {
    bool ReadingOtherSettings = false;
    bool SettingClock = false;
    bool CregSetSent = false;  // true after "AT+CREG=<n>", false after "AT+CREG?"
    std::string SmscText;      // SMS centre number, with the operator's name for the known ones
    std::string PhoneModel;    // model read last; the phone picture changes with it
    // "Communication error!" was shown and the port closed; later failed
    // writes of the same exchange stay silent until the next connect.
    bool CommunicationErrorReported = false;
    // The port was opened and the phone reset, and nothing has come back
    // yet: a time-out now means there is no phone on the port.
    bool AwaitingFirstAnswer = false;
    // A final result came since the phone was reset: it takes commands.
    bool ResultSinceReset = false;
    // The reset ran again after its commands were echoed and none answered
    // (a phone waiting for a body, freed by the time-out's ESC); once per
    // connection.
    bool ResetRepeated = false;
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

struct CoreState {
    ActivityMode Mode = ActivityMode::Phonebook;
    // Memory selected last: a phonebook memory or call list ("SM", "LD", ...)
    // or, from the message notices, a message memory ("SM", "ME").
    std::string CurrentMemory;

    EngineOptions Options;
    ReceiveState Receive;
    ChainState Chain;
    IndicatorState Indicators;
};

}  // namespace parlenko

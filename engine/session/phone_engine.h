#pragma once
// The phone protocol engine and its face to the windows: the operations a
// page starts, read-only access to what the pages show, and the views the
// pages set. The windows include this header, the view headers and the value
// types they carry, and nothing else of the engine (a build check).
//
// Inside, the engine owns its state and timers and listens to the serial
// port. It composes the units (AT writers, receive scan, final results, busy
// state, indicators, time-out), each of which works on the EngineContext it
// is given; the class itself stays thin.
//
//   TSerialPortDriver port(device, scheduler);
//   PhoneEngine engine(port, scheduler, host);   // hooks port.OnReceiveData
//   engine.SetView<IGeneralView>(&generalPage);
//   if (!engine.Connect()) ...
//
// The port, the scheduler, the host and the views must outlive the engine
// (or a view is set back to nullptr first).

#include "engine/calls/calls_view.h"
#include "engine/core/topic_store.h"
#include "engine/general/general_view.h"
#include "engine/melodies/melodies_view.h"
#include "engine/objects/logo_view.h"
#include "engine/objects/objects_view.h"
#include "engine/phone/phone_memory.h"
#include "engine/phone/records.h"
#include "engine/phonebook/backup_view.h"
#include "engine/phonebook/call_lists_view.h"
#include "engine/phonebook/phonebook_view.h"
#include "engine/services/services_view.h"
#include "engine/core/modes.h"
#include "engine/settings/settings_view.h"
#include "engine/sms/composed_sms.h"
#include "engine/sms/sms_view.h"
#include "engine/text/vcalendar.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace parlenko {

class IHost;
class IScheduler;
class ISystemClock;
class TSerialPortDriver;
struct EngineContext;
struct EngineState;
struct EngineTimers;

// The serial line as the options set it. The numbers are the ordinals of
// the port driver's settings: data bits 0..3 for 5..8 bits; parity none,
// odd, even, mark, space; stop bits 1, 1.5, 2; hardware flow off, RTS held
// on, RTS/CTS; software flow off, XON/XOFF.
struct PortSettings {
    std::string PortName = "COM2";
    std::uint32_t BaudRate = 19200;
    int DataBits = 3;
    int Parity = 0;
    int StopBits = 0;
    int HardwareFlowControl = 2;
    int SoftwareFlowControl = 0;
    bool CheckLineStatus = true;  // watch the modem lines ("Device Check")
};

// The option values the engine reads.
struct PhoneOptions {
    PortSettings Port;
    bool CheckCellInfo = false;       // cell broadcasts name the location
    bool RefreshGeneralInfo = false;  // re-read the general page while it is shown
    int RefreshIntervalMs = 30000;
};

class PhoneEngine {
public:
    PhoneEngine(TSerialPortDriver& port, IScheduler& scheduler, IHost& host);
    ~PhoneEngine();  // unhooks the port
    PhoneEngine(const PhoneEngine&) = delete;
    PhoneEngine& operator=(const PhoneEngine&) = delete;

    // --- the pages' views -----------------------------------------------------
    // view becomes the engine's view of the kind View (named: a page may be
    // the view of several kinds); nullptr sets the do-nothing view back.
    template <class View>
    void SetView(std::type_identity_t<View>* view) {
        Views().SetView<View>(view);
    }

    // --- connection ----------------------------------------------------------
    // Opens the port (when it is not open), tells the host the connection is
    // up and resets the phone, which starts the connect chain. False when the
    // port cannot be opened: the engine is then left disconnected and idle.
    bool Connect();
    // Why the last Connect failed: one line naming the device and the
    // reason; empty when the port gave none.
    std::string ConnectErrorText() const;
    // Stops the refresh, switches the phone's notices off, closes the port,
    // tells the host, ends the busy state and clears the received lines.
    void Disconnect();
    // Asks the phone to switch itself off ("AT^SMSO"), then disconnects as
    // a lost phone does (the received lines stay).
    void TurnOff();
    // The running operation ends (the command in flight is given up to a
    // second for its answer), the phone's notices are switched off and the
    // port closed; the program ends. Nothing is written after the notices'
    // command.
    void ClosePort();
    // Clears the received lines back to 20 blank entries.
    void ResetRxLines();

    // --- the general page -----------------------------------------------------
    // Reads the general information again (does nothing while disconnected).
    void RefreshGeneralInfo();
    // The page switch: the refresh stops when a page is left; showing the
    // general page reads it at once and restarts the refresh when the option
    // asks for it. Other pages only stop it.
    void StopRefresh();
    void StartRefresh();
    void GeneralPageShown(bool shown);

    // --- diverts, barrings, locks and security codes ---------------------------------
    // The checks do nothing and the changes return false (sending nothing)
    // while the port is closed; a change also refuses arguments that make no
    // valid command. The answers reach the services view, the success and
    // failure texts the host.
    // Asks the four divert reasons in turn, with the progress window.
    void CheckDiverts();
    // reason 0 always, 1 busy, 2 no reply, 3 not reachable; cls 1 voice,
    // 2 data, 4 fax; time: the no-reply seconds (reason 2). On registers and
    // switches the divert to number on, else it is switched off.
    bool SetDivert(int reason, const std::string& number, int cls, const std::string& time,
                   bool on);
    // Asks the five barrings in turn, with the progress window.
    void CheckBarrings();
    // facility 5 "AO", 6 "OI", 7 "OX", 8 "AI", 9 "IR"; cls as for diverts.
    bool SetBarring(int facility, bool on, int cls, const std::string& password);
    // Asks the four locks in turn.
    void CheckLocks();
    // facility 1 keypad ("CS", no code needed), 2 phone ("PS"), 3 SIM PIN
    // ("SC"), 4 fixed dialling ("FD").
    bool SetLock(int facility, bool on, const std::string& password);
    // kind 1 PIN, 2 PIN 2, 3 phone code, 4..8 the barring passwords ("AO",
    // "OI", "OX", "AI", "IR"); the codes as IsValidSecurityCode takes them.
    bool ChangeSecurityCode(int kind, const std::string& oldCode, const std::string& newCode);

    // --- the phone's ringer melody (melodies page) -----------------------------------
    // The page was opened: reads the melody list and the ringer state.
    void ReadMelodies();
    // melody: an index of the melody list; volume within its range. Play
    // sounds it on the phone (the ringer is restored afterwards); Set makes
    // it the ringer. False (nothing sent) when closed or out of range.
    bool PlayMelody(int melody, int volume);
    bool SetMelody(int melody, int volume);
    void StopMelody();
    // The melody list's selection changed (-1 none); a melody delete
    // addresses the selected melody.
    void SelectMelody(int index);

    // --- the settings page ----------------------------------------------------
    // Reads the SMS centre, alert sound, vibration, ringer level and price
    // again; the answers come to the settings view. Nothing while the port
    // is closed. (The set commands are below with the phone operations.)
    void ReadOtherSettings();

    // --- page switches -------------------------------------------------------
    // Each does nothing while disconnected.
    // The full phonebook read (all four memories); it drops any entry
    // operation left over.
    void RefreshPhonebook();
    // The full phonebook read, then the SMS read at its end.
    void RefreshPhonebookThenSms();
    // The read of all three call lists.
    void RefreshCalls();
    // The full read of both message memories.
    void RefreshSms();
    bool PhonebookEmpty() const;
    // The shown name (without the VIP "!") of the first phonebook entry whose
    // number is number exactly; empty when none is.
    std::string PhonebookNameOf(std::string_view number) const;
    bool SmsListEmpty() const;
    // A new SMS or a new call waits for the user (its indicator blinks).
    bool NewSmsPending() const;
    bool NewCallPending() const;

    // --- network cell names ------------------------------------------------------
    // The name the user gave the current cell (network, area and cell of the
    // general page); empty when unknown.
    std::string CurrentLocationName() const;
    // Names the cell (network, area and cell as the general page showed them)
    // in "Locations.dat" of the data folder; when it is still the current
    // cell the general page shows the name at once. False, with the reason,
    // when the file could not be written (the old file is kept).
    bool SaveLocationName(const std::string& op, const std::string& area, const std::string& cell,
                          const std::string& name, std::string* error);

    // --- the SMS page ------------------------------------------------------------
    // Each does nothing while disconnected. memory is the message memory of
    // the message (PhoneMemory::Sim or PhoneMemory::Phone), position its
    // position as the lists show it ("05"), message the compose window's
    // values (the engine builds its PDU and the command's length argument).
    void DeleteSms(PhoneMemory memory, const std::string& position);
    // The compose window's three say at once what became of the message: a
    // message the PDU encoder refuses (InvalidNumber, TextTooLong) sends
    // nothing, whether connected or not; a started one (Started) makes the
    // SMS view hear ComposedMessageDone once the phone took it or not.
    // Stores a new message in the SIM card (in the phone memory when the SIM
    // card's is full).
    ComposedSmsResult StoreSms(const ComposedSms& message);
    // Sends a new message at once.
    ComposedSmsResult SendSms(const ComposedSms& message);
    // Sends a stored message to its own number, or to number when that is
    // not empty; a number with other characters than digits, "+", "*" and
    // "#" is refused with a message and nothing is sent.
    void SendStoredSms(PhoneMemory memory, const std::string& position,
                       const std::string& number = {});
    // Replaces a stored message by a new version: the new one is stored
    // first and the original deleted only once that succeeded; with
    // sendAfter the new one is then sent.
    ComposedSmsResult EditStoredSms(PhoneMemory memory, const std::string& position,
                                    const ComposedSms& message, bool sendAfter);

    // --- options and data --------------------------------------------------------
    // Line settings (ignored by an open port until it reopens), the refresh
    // period and the option switches.
    void ApplyOptions(const PhoneOptions& options);
    // After new options: the store-location command and the location name by
    // "Check Cell Info", and the status bar's network caption (its hint the
    // same text); the general view is told.
    void ShowCellLocationByOptions();
    // Folder of "Phonebook.dat", "Locations.dat", ... (with its closing '/').
    void SetDataDir(const std::string& dir);
    // At start-up, before the cache is loaded: removes what writes of the
    // data folder's own files left behind when the program was killed.
    void RemoveStaleTempFiles();
    // Fills the phonebook page from the cache file of the data folder; a
    // cache with damaged records says how many could not be read.
    void LoadPhonebookCache();
    // The machine's clock that "phone to PC" sets (must outlive the engine).
    void SetSystemClock(ISystemClock* clock);

    // --- appointments, melodies and logo pages ---------------------------------
    // Each does nothing while the port is closed. The answers reach the
    // objects view; the uploads and the appointment read show the progress
    // window.
    // Reads every calendar slot into the appointments list.
    void RefreshAppointments();
    // Writes entry into calendar slot: a new row (isNew), else the slot's row
    // changes once the phone has taken it.
    void SaveAppointment(const VCalendarEntry& entry, int slot, bool isNew);
    void DeleteAppointment(int slot);
    // The slot a new entry goes into: the lowest free one of the calendar read.
    AppointmentSlotChoice NewAppointmentSlot() const;
    // userMelody: the rank (from 0) of the chosen melody among the user
    // melodies of the melody list; both address the phone's slot
    // UserMelodySlot(number of user melodies, rank). The melody read asks
    // for a file name through the host's save dialog.
    void ReadUserMelody(int userMelody);
    void DeleteUserMelody(int userMelody);
    // A MIDI file's bytes into a user-melody slot (UserMelodySlot of the
    // upload list's size and its chosen item); false (after telling the
    // user) when the file is too big to send.
    bool UploadMelody(std::string_view fileBytes, int slot);
    // kind 0 the operator logo, 1 the screensaver.
    void ReadLogo(int kind);
    void DeleteLogo(int kind);
    bool UploadLogo(std::string_view bitmapBytes, int kind);
    // --- the backup wizard ------------------------------------------------------
    // The full phonebook read for a backup: the wizard's view mirrors it (no
    // progress window) and hears BackupRefreshFinished at its end, or
    // BackupRefreshFailed when it stops before. False while disconnected.
    bool RefreshPhonebookForBackup();
    // The last full read ran to its end and no restore ran since.
    bool PhonebookReadComplete() const;
    // A full read started in this run has not run to its end (it runs, or it
    // stopped): the list holds only part of the phone's entries, so a backup
    // without a re-read is refused. False before any read (the list is the
    // cache's, a complete read).
    bool PhonebookListPartial() const;
    // A full read is running now: started, and neither at its end nor stopped.
    bool PhonebookReadRunning() const;
    // Empty when rows fit into the phone in that mode, else the message for
    // the wizard's box.
    std::string CheckRestoreSpace(const std::vector<RestoreRow>& rows, RestoreMode mode) const;
    // Writes rows (the chosen entries, in file order) into the phone; the
    // wizard's view follows the run. False while disconnected.
    bool StartRestore(const std::vector<RestoreRow>& rows, RestoreMode mode);
    // The wizard closed: a re-read stops mirroring; a restore run in flight
    // stops once its command in flight is answered (or timed out); after a
    // restore the phonebook is read again.
    void BackupWizardClosed();

    // --- phone operations: phonebook entries, calls, set commands ------------------
    // Each does nothing while the port is closed and keeps what it acts on;
    // the phone's answers are handled from that, whatever a window shows by
    // then. A refused request (a service number, a number or tone outside
    // its characters) sends nothing and says why in a message box. A full
    // phonebook read (RefreshPhonebook) drops any entry operation left over.
    //
    // Saves entry (the entry dialog's values) into its memory at its
    // position; values that make no write (a number without a number
    // character, a position outside 1..65535) are refused with a message.
    void SavePhonebookEntry(const PhonebookEntryValues& entry);
    // Deletes the entry at position ("7" or "007") of memory.
    void DeletePhonebookEntry(PhoneMemory memory, const std::string& position);
    // Moves the entry at fromPosition of from to entry's memory and position,
    // written with entry's values: the write goes first, the old position is
    // deleted after its "OK".
    void MovePhonebookEntry(PhoneMemory from, const std::string& fromPosition,
                            const PhonebookEntryValues& entry);
    // Dials number ("#31#" in front when hideNumber); the call window shows
    // name and number once the phone accepts.
    void Dial(const std::string& name, const std::string& number, bool hideNumber);
    // What SendDtmfTones accepts: "0"-"9", "A"-"D", "*" and "#", not empty.
    // (Dial takes a number that is not empty and passes IsValidNumber.)
    static bool AreDtmfTones(std::string_view tones);
    // The incoming-call notice's buttons: answer (the call window then shows
    // name and number) or reject.
    void AnswerCall(const std::string& name, const std::string& number);
    void RejectCall();
    // The call window's hang-up button.
    void HangUp();
    // One DTMF tone for duration (1..255), or a string of tones.
    void SendDtmfTone(const std::string& tone, int duration);
    void SendDtmfTones(const std::string& tones);
    // The phone forgets its dialled calls.
    void DeleteDialledCalls();
    // The clock: the phone's from the computer's local time now, or the
    // computer's from the phone (through the system clock set on the engine).
    void SetPhoneClock(std::chrono::local_seconds now);
    void SetPcClockFromPhone();
    // The settings page's set commands; speaker volume 1..5.
    void SetSmsCentre(const std::string& number);
    void SetAlertSound(AlertSound sound);
    void SetVibration(bool on);
    void SetSpeakerVolume(int volume);
    void SetPricePerUnit(const std::string& currency, const std::string& price,
                         const std::string& pin2);

    // --- the phonebook page and its entry dialog ---------------------------------
    // A full phonebook read has run to its end (the capacities and free
    // positions are known); false until then and while one runs.
    bool PhonebookLoaded() const;
    // The entries of every memory, in the order read or changed since (the
    // cache's contents before the first read).
    const std::vector<AListIme>& PhonebookList() const;
    // Of Sim .. Service: the capacity of the storage answer, whether the
    // memory answered its selection, and (writable memories) one line per
    // position, "001" while free, "" once used.
    int PhonebookCapacity(PhoneMemory memory) const;
    bool PhonebookMemoryLoaded(PhoneMemory memory) const;
    const std::vector<std::string>& PhonebookFreePositions(PhoneMemory memory) const;
    // A voice call is up.
    bool InCall() const;
    // The entry dialog's checks and the VIP mark (pure; see entry_line.h).
    // The typed name's checks take it in UTF-8, as typed, so that a character
    // the phone has not is told, never first turned into "?".
    static bool IsValidName(std::string_view utf8Name);
    static bool IsValidNumber(std::string_view number);
    static std::string UnsupportedNameChars(std::string_view utf8Name);
    static bool CanSaveEntry(std::string_view utf8Name, std::string_view number,
                             std::string_view position);
    // Septets of a name (8-bit text) in the phone: a character of the
    // extension table counts two.
    static int NameLength(std::string_view name);
    static std::string VipName(std::string_view name);

    // --- what the windows report -------------------------------------------------
    // The progress window closed (by the user, or when the engine closed it):
    // the busy state ends.
    void ProgressWindowClosed();
    // The SMS and calls pages clear their indicators.
    void ClearNewSms();
    void ClearNewCall();
    // The incoming-call notice closed (its timer or a button): blank its texts.
    void NewCallNoticeClosed();
    // Activity mode (modes.h): the page starting an operation sets it; the
    // progress window's picture follows it.
    void SetMode(ActivityMode mode);

    // --- read-only -----------------------------------------------------------------
    ActivityMode Mode() const;
    bool Connected() const;
    const std::string& PortName() const;
    int RefreshIntervalMs() const;
    bool RefreshRunning() const;
    // An exchange with the phone is under way: the phone's answer is coming
    // in (the busy state), or a command waits for it. False while the port is
    // closed, and while nothing came back since it opened (there may be no
    // phone on it).
    bool OperationRunning() const;
    const GeneralInfoView& GeneralInfo() const;
    // The services pages' indicators, divert numbers and no-reply times.
    const ServicesView& Services() const;
    // The melodies page's list, volume and melody controls.
    const MelodyListView& Melodies() const;
    const PhoneSettingsView& Settings() const;
    const ObjectCapabilitiesView& Capabilities() const;
    // The operator logo's size on the connected model ("101 x 46"), "??? x ???"
    // when the model is not known.
    std::string PhoneLogoSize() const;
    // The messages of both memories as read, stored and deleted; the newest first.
    const std::vector<AListSMS>& SmsList() const;
    // The appointments list as read and changed since.
    const std::vector<AppointmentRow>& Appointments() const;
    // One line per calendar slot, "1" upward; "" for a used slot. Empty
    // until the calendar was read.
    const std::vector<std::string>& AppointmentFreePositions() const;

    // The port's receive handler (hooked in the constructor).
    void cpDrvReceiveData(const std::uint8_t* data, std::size_t size);

private:
    // The inside: the engine's own units work on it. Tests and benchmarks
    // reach it through one accessor (tests/support/engine_inside.h) and
    // nothing else of the program does.
    friend class EngineInside;
    EngineState& State();
    const EngineState& State() const;
    EngineContext& Context();
    EngineTimers& Timers();

    TopicStore& Views();

    struct Inside;
    TSerialPortDriver& port_;
    std::unique_ptr<Inside> in_;
};

}  // namespace parlenko

#pragma once
// The simulated Siemens phone: a byte-in, byte-out state machine on a clock
// that the caller gives (milliseconds), so it runs on virtual time as well as
// behind a pseudo-terminal.
//
//   Phone phone(MakeDefaultState());
//   phone.Feed("AT+CGMI\r", now);
//   std::string chunk = phone.Poll(now);   // "AT+CGMI\r\r\nSIEMENS\r\n\r\nOK\r\n"
//
// The command line is echoed as it arrives (after ATE1); answers are framed
// "\r\n...\r\n" with the final result "OK", "ERROR", "+CME ERROR: n" or
// "+CMS ERROR: n". Commands that take a body answer "\r\n> ", echo the body
// and take it at Ctrl-Z (ESC aborts). Several information lines of one answer
// follow each other without blank lines between them.

#include "phonesim/state.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace phonesim {

struct PhoneOptions {
    int answerDelayMs = 0;           // from the end of a command line to its answer
    int baud = 0;                    // > 0: paces what the phone sends, 10 bits a byte
    int ringIntervalMs = 5000;       // RING repeats while a call is offered
    int ringTimeoutMs = 30000;       // an unanswered call then becomes a missed call
    int networkDelayMs = 500;        // before a USSD answer (+CUSD)
    int statusReportDelayMs = 5000;  // from sending a message that asked for one to its report
    bool clockStands = false;        // the clock shows the same second all the time (pictures)
};

// A scripted misbehaviour for the next command(s) whose line starts with
// `command` (compared without regard to case; empty matches every command).
struct CommandFault {
    std::string command{};
    int skip = 0;                         // matching commands that pass before it applies
    int times = 1;                        // commands it applies to; -1: every one
    std::optional<std::string> result{};  // answer this final result instead
    bool noAnswer = false;                // echo only, the command is not carried out
    int delayMs = 0;                      // extra time before the answer
    std::vector<std::size_t> splitAt{};   // byte offsets of the answer where a new chunk starts
    int splitGapMs = 0;                   // time between those chunks
    std::string garbageBefore{};          // raw bytes sent just before the answer
    std::string garbageBeforeResult{};    // raw bytes sent just before the final result
    // Lines framed CR LF that arrive out of turn inside the exchange: after
    // the echo, before the answer; after the answer, before the final result.
    std::vector<std::string> unsolicitedBeforeAnswer{};
    std::vector<std::string> unsolicitedBeforeResult{};
    std::vector<std::string> unsolicitedAfter{};  // lines sent after the answer
    std::string rawAfter{};                       // raw bytes sent after those
};

// One command line as received (control characters kept).
struct ReceivedLine {
    std::int64_t ms = 0;
    std::string text;
    bool body = false;  // the body after a "> " prompt (Ctrl-Z or ESC included)
};

enum class CallState { Idle, Ringing, Active };

// The clock text of +CCLK ("yy/MM/dd,hh:mm:ss", a zone after it ignored) as
// seconds since 1970, nullopt when malformed; and back.
std::optional<std::int64_t> ParseClockText(std::string_view text);
std::string FormatClockText(std::int64_t seconds);

class Phone {
public:
    explicit Phone(PhoneState state, PhoneOptions options = {});
    // Scheduled events refer to the phone itself: it stays where it was made.
    Phone(const Phone&) = delete;
    Phone& operator=(const Phone&) = delete;

    // Bytes from the client, arrived at nowMs.
    void Feed(std::string_view bytes, std::int64_t nowMs);
    // The next chunk the phone has sent by nowMs (empty when none). A chunk
    // ends where a scripted split starts a new one.
    std::string Poll(std::int64_t nowMs);
    // Drops what the phone has sent by nowMs (a purge of the client's input).
    void DiscardSent(std::int64_t nowMs);
    // When the next byte or scheduled event is due; nullopt when none is.
    std::optional<std::int64_t> NextEventMs() const;

    // --- fault script ---
    void AddFault(CommandFault fault);
    // Raw bytes (garbage, half lines) at a chosen moment.
    void SendRawAt(std::int64_t atMs, std::string bytes);
    // An unsolicited line ("RING", "+CMTI: \"SM\",3") framed "\r\n...\r\n" at a moment.
    void UnsolicitedAt(std::int64_t atMs, std::string line);

    // --- the world around the phone ---
    void IncomingCall(std::int64_t nowMs, std::string number, int type = 145);
    void RemoteHangup(std::int64_t nowMs);
    // Stores a received message (status unread) in `memory` (empty: the third
    // memory of +CPMS), or another one when full, and sends "+CMTI:" as +CNMI
    // asks. Returns the index, -1 when every memory is full (then "^SMGO: 1,2"
    // is sent when enabled).
    int ReceiveSms(std::int64_t nowMs, const std::string& pduHex, const std::string& memory = "");
    // A cell broadcast page (88 octets as hex), sent as "+CBM: 88" when enabled.
    void CellBroadcast(std::int64_t nowMs, const std::string& pageHex);
    void SetRegistration(std::int64_t nowMs, int status, std::string lac, std::string cellId);
    void PowerOn();

    // --- inspection ---
    PhoneState& State() { return state_; }
    const PhoneState& State() const { return state_; }
    const std::vector<ReceivedLine>& Received() const { return received_; }
    bool PoweredOn() const { return poweredOn_; }
    bool InBody() const { return mode_ == Mode::Body; }
    CallState Call() const { return call_; }
    // The phone's clock at nowMs as "yy/MM/dd,hh:mm:ss".
    std::string ClockText(std::int64_t nowMs) const;
    const PhoneOptions& Options() const { return options_; }

    // What one command line answers (used by the command handlers).
    struct Answer {
        std::vector<std::string> lines;  // information lines
        std::string final = "OK";        // empty: no final result (prompt)
        bool prompt = false;
    };

private:
    enum class Mode { Command, Body };
    struct Segment {
        std::string bytes;
        double startMs = 0;
        std::size_t sent = 0;
        bool breakBefore = false;
    };
    struct Event {
        std::int64_t atMs;
        std::uint64_t seq;
        std::function<void(std::int64_t)> run;
    };
    struct Command {
        std::string name;  // "+CPBR", "^SBNR", "D", "E", "&F", "S3"...
        enum Form { Exec, Read, Test, Set } form = Exec;
        std::string args;  // after "=" (set) or the digits of a basic command
    };
    struct Param {
        std::string text;
        bool quoted = false;
        bool empty = true;
    };
    struct PendingBody {
        Command command;
        std::optional<CommandFault> fault;
    };

    void RunDue(std::int64_t nowMs);
    void Schedule(std::int64_t atMs, std::function<void(std::int64_t)> run);
    void Enqueue(std::string bytes, double earliestMs, bool breakBefore = false);
    void EnqueueAnswer(const Answer& answer, std::int64_t nowMs,
                       const std::optional<CommandFault>& fault);
    void Unsolicited(std::int64_t nowMs, const std::string& line);
    void Echo(std::string_view bytes, std::int64_t nowMs);
    void FlushDeferred(std::int64_t nowMs);

    void FeedCommandByte(char c, std::int64_t nowMs);
    void FeedBodyByte(char c, std::int64_t nowMs);
    void HandleLine(const std::string& line, std::int64_t nowMs);
    void HandleCommands(const std::string& cmdLine, const std::optional<CommandFault>& fault,
                        std::int64_t nowMs);
    std::optional<CommandFault> TakeFault(const std::string& line);
    bool SplitCommands(std::string_view body, std::vector<Command>& out) const;
    Answer Execute(const Command& c, std::int64_t nowMs);
    Answer FinishBody(const Command& c, const std::string& body, std::int64_t nowMs);
    static std::vector<Param> ParseParams(std::string_view args);

    // Command groups. The basic (V.25ter) commands are one function; every
    // other group looks the command up in its table, kept with its handlers
    // in the group's file. nullopt: not one of its commands.
    Answer BasicCommand(const Command& c, std::int64_t nowMs);
    std::optional<Answer> GeneralCommand(const Command& c, std::int64_t nowMs);
    std::optional<Answer> PhonebookCommand(const Command& c, std::int64_t nowMs);
    std::optional<Answer> SmsCommand(const Command& c, std::int64_t nowMs);
    std::optional<Answer> ObjectCommand(const Command& c, std::int64_t nowMs);
    std::optional<Answer> SupplementaryCommand(const Command& c, std::int64_t nowMs);
    std::optional<Answer> CallCommand(const Command& c, std::int64_t nowMs);

    // A group as a table: one row a command name, each with its handler.
    using Params = std::vector<Param>;
    using Handler = Answer (Phone::*)(const Command& c, const Params& params, std::int64_t nowMs);
    struct CommandRow {
        std::string_view name;
        Handler handler;
    };
    std::optional<Answer> Dispatch(std::span<const CommandRow> table, const Command& c,
                                   std::int64_t nowMs);
    static std::optional<int> IntParam(const Params& params, std::size_t k, int absent);
    // A plain number setting: read, test with `range`, set 0..highest.
    Answer NumberSetting(const Command& c, const Params& params, int& value, int highest,
                         const std::string& range);

    // Identity, network, clock (phone_commands.cpp). Identity handlers serve
    // the +G... twins too.
    static Answer Identity(const Command& c, const std::string& value);
    Answer OnCgmi(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCgmm(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCgmr(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCgsn(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCimi(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnScid(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnGcap(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCmee(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCscs(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCpin(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCfun(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCpas(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCbc(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCsq(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCclk(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCreg(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCops(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnSmso(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCnum(const Command& c, const Params& params, std::int64_t nowMs);

    // Phonebooks (phonebook_commands.cpp).
    Answer OnCpbs(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCpbr(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCpbw(const Command& c, const Params& params, std::int64_t nowMs);
    Answer WriteEntry(Phonebook& book, std::optional<int> index, const Params& params);

    // SMS (sms_commands.cpp). +CMGS and +CMGW share the handler of their prompt.
    Answer OnCmgf(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCsms(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCpms(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCmgr(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCmgl(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCmgd(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCmgsCmgw(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCmss(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCnmi(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCsca(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCscb(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnSmgo(const Command& c, const Params& params, std::int64_t nowMs);
    SmsMemory* ChosenSmsMemory(int which);  // of the three of +CPMS

    // Binary objects (object_commands.cpp).
    Answer OnSbnr(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnSbnw(const Command& c, const Params& params, std::int64_t nowMs);
    Answer ObjectTypes(const std::string& name) const;
    std::variant<ObjectStore*, Answer> ObjectSlot(const Command& c, const Params& params,
                                                  std::string& type, int& index);

    // Diverts, locks, codes, ringer, USSD (supplementary_commands.cpp).
    Answer OnCcfc(const Command& c, const Params& params, std::int64_t nowMs);
    Answer DivertQuery(int reason, int classMask);
    Answer DivertChange(const Params& params, int reason, int mode, int classMask, int time);
    Answer OnClck(const Command& c, const Params& params, std::int64_t nowMs);
    Answer LockQuery(const std::string& fac, int classMask);
    void ClearBarringGroup(const std::string& group, int classMask);
    void SetBarring(const std::string& fac, bool on, int classMask);
    Answer OnCpwd(const Command& c, const Params& params, std::int64_t nowMs);
    // The code of owner ("SC", "P2", "PS", "AB") checked as the SIM does:
    // nullopt when right; a wrong PIN or PIN2 uses up one of its tries, and
    // once none is left the code is blocked ("+CME ERROR: 12" or 18).
    std::optional<Answer> CheckCode(const std::string& owner, const std::string& code);
    Answer OnCpuc(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCalm(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCvib(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCrsl(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnSrtc(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnCusd(const Command& c, const Params& params, std::int64_t nowMs);

    // Calls (call_commands.cpp). ATH and AT+CHUP share their handler.
    Answer OnDial(const Command& c, const Params& params, std::int64_t nowMs);
    Answer DialNumber(const std::string& target, std::int64_t nowMs);
    Answer OnAnswer(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnHangup(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnClip(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnVts(const Command& c, const Params& params, std::int64_t nowMs);
    Answer OnSdld(const Command& c, const Params& params, std::int64_t nowMs);

    Answer CmeError(int code) const;
    Answer CmsError(int code) const;
    static Answer Error();
    Phonebook* SelectedPhonebook();
    void AddCallListEntry(const std::string& list, const std::string& number, int type);
    std::string NameForNumber(const std::string& number) const;
    void EndCall(std::int64_t nowMs, bool missed);
    void Ring(std::int64_t nowMs, std::uint64_t callId);
    void CheckOverflow(std::int64_t nowMs);
    void Sent(const std::string& pdu, std::int64_t nowMs);
    void DeliverStatusReport(std::int64_t nowMs, int reference, const std::string& recipient,
                             const std::string& sentAt);
    std::int64_t ClockSeconds(std::int64_t nowMs) const;
    // The seconds the clock has run at nowMs (none when it stands).
    std::int64_t ClockRun(std::int64_t nowMs) const;

    PhoneState state_;
    Settings seededSettings_;
    PhoneOptions options_;
    bool poweredOn_ = true;
    Mode mode_ = Mode::Command;
    std::string line_;
    std::string body_;
    std::optional<PendingBody> pendingBody_;
    std::string lastLine_;
    std::vector<ReceivedLine> received_;
    std::vector<CommandFault> faults_;
    std::deque<Segment> out_;
    double lineFreeMs_ = 0;
    std::vector<Event> events_;
    std::uint64_t eventSeq_ = 0;
    std::int64_t now_ = 0;
    // Notices raised while a command runs go out after its answer.
    bool executing_ = false;
    std::vector<std::string> deferred_;

    // Clock: seconds at virtual time 0, moved by +CCLK.
    std::int64_t clockBase_ = 0;
    // Calls.
    CallState call_ = CallState::Idle;
    std::string callNumber_;
    int callType_ = 145;
    std::uint64_t callId_ = 0;
    std::int64_t callStartMs_ = 0;
    // SMS.
    int messageReference_ = 0;
    int overflowState_ = 0;
    // Binary object upload in progress.
    std::string uploadType_;
    int uploadIndex_ = -1;
    int uploadNextPart_ = 1;
    std::string uploadData_;
    // Ringer playing since (-1: not playing).
    std::int64_t playingSinceMs_ = -1;
};

}  // namespace phonesim

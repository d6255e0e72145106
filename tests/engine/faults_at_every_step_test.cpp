// The connection and every operation against a misbehaving phone at each
// command it writes: an error in each form ("+CMS ERROR: " only where the
// command is an SMS one), silence, a call announced between the echo and the
// answer, a line of no known form and a NUL byte before the result. After
// each case:
//   - one message when the operation was cut short, none when it ran to its
//     end (an error the step may skip, a reset's "ATZ" left unanswered), so
//     never two; a line out of turn cuts nothing; a phone error's box gives
//     the phone's reason;
//   - no busy state and no progress window left;
//   - a read cut short shows its list as before it; one that ran shows each
//     memory as the phone holds it (or not at all when the phone refused
//     it); a write changed the list as it changed the phone; the phonebook
//     cache holds what the list shows;
//   - clean reads afterwards list what the phone holds.

#include "engine/text/error_texts.h"
#include "exchange/formats/phonebook_file.h"
#include "tests/support/operation_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace parlenko::testing {
namespace {

// ------------------------------------------------------------ the faults

struct Fault {
    std::string name;
    std::function<void(phonesim::CommandFault&)> apply;
    bool outOfTurn = false;        // a line out of turn: it cuts nothing
    std::optional<int> code{};     // the phone's error code
    bool smsCommandsOnly = false;  // a code only an SMS command gets
};

const std::vector<Fault>& Faults() {
    using phonesim::CommandFault;
    static const std::vector<Fault> faults = {
        {.name = "+CME ERROR: 3",
         .apply = [](CommandFault& f) { f.result = "+CME ERROR: 3"; },
         .code = 3},
        {.name = "+CMS ERROR: 500",
         .apply = [](CommandFault& f) { f.result = "+CMS ERROR: 500"; },
         .code = 500,
         .smsCommandsOnly = true},
        {.name = "ERROR", .apply = [](CommandFault& f) { f.result = "ERROR"; }},
        {.name = "silence", .apply = [](CommandFault& f) { f.noAnswer = true; }},
        {.name = "RING and +CLIP before the answer",
         .apply =
             [](CommandFault& f) {
                 f.unsolicitedBeforeAnswer = {"RING", "+CLIP: \"0911000099\",129"};
             },
         .outOfTurn = true},
        {.name = "HELLO before the result",
         .apply = [](CommandFault& f) { f.unsolicitedBeforeResult = {"HELLO"}; },
         .outOfTurn = true},
        {.name = "NUL before the result",
         .apply = [](CommandFault& f) { f.garbageBeforeResult = std::string(1, '\0'); },
         .outOfTurn = true},
    };
    return faults;
}

bool IsSmsCommand(const std::string& command) {
    static const std::array prefixes = {"AT+CPMS", "AT+CMG",  "AT+CMSS", "AT+CSMS",
                                        "AT+CNMI", "AT+CSCA", "AT+CSCB", "AT^SMGO"};
    return std::ranges::any_of(prefixes, [&](const char* p) { return command.starts_with(p); });
}

// The fault for the k-th command of `commands` (the phone matches a
// command by its start): the earlier ones that match pass.
phonesim::CommandFault FaultAt(const Fault& fault, const std::vector<std::string>& commands,
                               std::size_t k) {
    phonesim::CommandFault f{.command = commands[k]};
    for (std::size_t j = 0; j < k; ++j) f.skip += commands[j].starts_with(commands[k]) ? 1 : 0;
    fault.apply(f);
    return f;
}

// ------------------------------------------------------------ the lists

// A list by memory, each row as one text; memories without rows left out.
using Rows = std::map<std::string, std::multiset<std::string>>;

void Add(Rows& rows, const std::string& memory, const std::string& row) {
    rows[memory].insert(row);
}

std::string Padded(int position, std::size_t width) {
    std::string text = std::to_string(position);
    return std::string(width > text.size() ? width - text.size() : 0, '0') + text;
}

const std::map<std::string, std::string>& MemoryCaptions() {
    static const std::map<std::string, std::string> captions = {{"SM", "SIM card"},
                                                                {"ME", "Mobile memory"},
                                                                {"ON", "Own numbers"},
                                                                {"SD", "Service numbers"}};
    return captions;
}

Rows PhoneRows(ConnectedPhone& t, PhoneList list) {
    const auto& phone = t.phone().State();
    Rows rows;
    if (list == PhoneList::Phonebook)
        for (const auto& [code, caption] : MemoryCaptions())
            for (const auto& [position, e] : phone.phonebooks.at(code).entries)
                Add(rows, caption, Padded(position, 3) + " " + e.number);
    if (list == PhoneList::CallLists)
        for (const std::string code : {"LD", "RC", "MC"})
            for (const auto& [position, e] : phone.phonebooks.at(code).entries)
                Add(rows, code, e.number);
    if (list == PhoneList::Messages)
        for (const std::string code : {"SM", "ME"})
            for (const auto& [position, m] : phone.smsMemories.at(code).messages)
                Add(rows, MemoryCaptions().at(code), Padded(position, 2));
    if (list == PhoneList::Appointments)
        for (const auto& [slot, object] : phone.objects.at("vcs").objects)
            Add(rows, "vcs", std::to_string(slot));
    return rows;
}

// The program's lists as the engine holds them (the call lists live only
// in their views).
Rows ProgramRows(ConnectedPhone& t, PhoneList list) {
    static const std::array<std::string, 3> callLists = {"LD", "RC", "MC"};
    Rows rows;
    if (list == PhoneList::Phonebook)
        for (const auto& e : t.engine.PhonebookList())
            Add(rows, e.Location, e.Position + " " + e.Phone);
    if (list == PhoneList::CallLists)
        for (const auto& r : t.host.callRows)
            Add(rows, callLists.at(static_cast<std::size_t>(r.list)), r.number);
    if (list == PhoneList::Messages)
        for (const auto& m : t.engine.SmsList()) Add(rows, m.Location, m.Position);
    if (list == PhoneList::Appointments)
        for (const auto& r : t.engine.Appointments()) Add(rows, "vcs", r.Position);
    return rows;
}

// The phonebook cache as rows of the phonebook list.
Rows CacheRows(ConnectedPhone& t) {
    Rows rows;
    for (const auto& e : exchange::LoadPhonebookFile(t.dataDir()).entries)
        Add(rows, e.Location, e.Position + " " + e.Phone);
    return rows;
}

// The rows of `a` that `b` lacks.
Rows Minus(const Rows& a, const Rows& b) {
    Rows out;
    for (const auto& [memory, rows] : a) {
        const auto other = b.find(memory);
        for (const auto& row : rows)
            if (other == b.end() || rows.count(row) > other->second.count(row))
                Add(out, memory, row);
    }
    return out;
}

// Each memory the program shows, it shows as the phone holds it.
bool EachShownMemoryAsThePhone(const Rows& program, const Rows& phone) {
    return std::ranges::all_of(program, [&](const auto& memory) {
        const auto held = phone.find(memory.first);
        return held != phone.end() && held->second == memory.second;
    });
}

std::string Describe(const Rows& rows) {
    std::string out;
    for (const auto& [memory, list] : rows) {
        out += "\n  " + memory + ":";
        for (const auto& row : list) out += " [" + row + "]";
    }
    return out.empty() ? " (empty)" : out;
}

constexpr std::array kLists = {PhoneList::Phonebook, PhoneList::CallLists, PhoneList::Messages,
                               PhoneList::Appointments};

// Reads every list anew on a phone that behaves (connected again when the
// fault closed the port).
void ReadEveryList(ConnectedPhone& t) {
    if (!t.port.Connected()) {
        t.engine.Connect();
        t.clock.RunFor(5000);
    }
    t.engine.RefreshPhonebook();
    t.clock.RunFor(5000);
    t.engine.RefreshCalls();
    t.clock.RunFor(3000);
    t.engine.RefreshSms();
    t.clock.RunFor(3000);
    t.engine.RefreshAppointments();
    t.clock.RunFor(5000);
}

// ------------------------------------------------------------ the table

// The operation ran to its end: a read shows another list than before it
// (the phone holds one entry more in every memory), a write or check told
// its success.
bool Ran(const PhoneOperation& op, ConnectedPhone& t, const Rows& listBefore) {
    return op.read ? ProgramRows(t, op.list) != listBefore : op.done(t);
}

// The phone's reason as a message box gives it.
std::string Reason(int code) {
    return "Reason:  " + PhoneErrorText(code) + "  (" + std::to_string(code) + ")";
}

// The messages that say something failed: the boxes, and a restore's
// outcome on the wizard's page.
std::size_t Told(ConnectedPhone& t) {
    return t.host.dialogs.size() +
           static_cast<std::size_t>(std::ranges::count_if(
               t.host.restoreOutcomes, [](const RestoreOutcome& o) { return !o.Succeeded(); }));
}

// What the user was told: one message exactly when the operation was cut
// short, none when it ran to its end; a phone error's box gives the phone's
// reason. Nothing stays busy.
void ExpectOneEnding(ConnectedPhone& t, const Fault& fault, bool ran, const std::string& what) {
    const auto& boxes = t.host.dialogs;
    const std::string shown = boxes.empty() ? "" : ": " + boxes.back().text;
    if (fault.outOfTurn) {
        EXPECT_TRUE(ran) << what << ": did not run to its end";
    }
    EXPECT_EQ(Told(t), ran ? 0u : 1u)
        << what << (ran ? ": a message though it ran to its end" : ": cut short without a message")
        << shown;
    if (fault.code && !boxes.empty()) {
        EXPECT_NE(boxes[0].text.find(Reason(*fault.code)), std::string::npos)
            << what << ": the phone's reason missing" << shown;
    }
    EXPECT_TRUE(t.host.mainWindowTakesInput) << what << ": still busy";
    EXPECT_FALSE(t.host.progressVisible) << what << ": progress window left";
}

struct Snapshot {
    Rows list;
    Rows phone;
};

Snapshot Take(ConnectedPhone& t, PhoneList list) {
    return {ProgramRows(t, list), PhoneRows(t, list)};
}

// A failed read puts its list back, one that ran shows the phone's; a write
// changes the list as it changed the phone; the cache holds the list.
void ExpectListsAgree(ConnectedPhone& t, const PhoneOperation& op, const Snapshot& before,
                      const std::string& what) {
    const Snapshot after = Take(t, op.list);
    if (op.read && !t.host.dialogs.empty()) {
        EXPECT_EQ(after.list, before.list)
            << what << ": a failed read shows" << Describe(after.list);
    } else if (op.read) {
        EXPECT_TRUE(EachShownMemoryAsThePhone(after.list, after.phone))
            << what << ": the list" << Describe(after.list) << "\nthe phone"
            << Describe(after.phone);
    } else {
        EXPECT_EQ(Minus(after.list, before.list), Minus(after.phone, before.phone))
            << what << ": rows added";
        EXPECT_EQ(Minus(before.list, after.list), Minus(before.phone, after.phone))
            << what << ": rows removed";
    }
    EXPECT_EQ(CacheRows(t), ProgramRows(t, PhoneList::Phonebook))
        << what << ": the phonebook cache";
}

// Afterwards every list read on a phone that behaves shows what it holds.
void ExpectCleanReadsListThePhone(ConnectedPhone& t, const std::string& what) {
    t.host.dialogs.clear();
    ReadEveryList(t);
    EXPECT_TRUE(t.host.dialogs.empty()) << what << ", read again: " << t.host.dialogs.front().text;
    for (const PhoneList list : kLists)
        EXPECT_EQ(ProgramRows(t, list), PhoneRows(t, list))
            << what << ", read again: list " << static_cast<int>(list);
    EXPECT_EQ(CacheRows(t), ProgramRows(t, PhoneList::Phonebook))
        << what << ", read again: the phonebook cache";
}

TEST(FaultsAtEveryStep, EveryOperationEndsWithAtMostOneBoxAndListsThatAgree) {
    for (const PhoneOperation& op : PhoneOperations()) {
        const std::vector<std::string> commands = CommandsOf(op);
        ASSERT_FALSE(commands.empty()) << op.name;
        for (std::size_t k = 0; k < commands.size(); ++k) {
            for (const Fault& fault : Faults()) {
                if (fault.smsCommandsOnly && !IsSmsCommand(commands[k])) continue;
                const std::string what = op.name + ", " + fault.name + " at command " +
                                         std::to_string(k + 1) + " (" + commands[k] + ")";
                ConnectedPhone t;
                if (op.prepare) op.prepare(t);
                const Snapshot before = Take(t, op.list);
                t.phone().AddFault(FaultAt(fault, commands, k));
                op.start(t);
                t.clock.RunFor(30000);
                ExpectOneEnding(t, fault, Ran(op, t, before.list), what);
                ExpectListsAgree(t, op, before, what);
                ExpectCleanReadsListThePhone(t, what);
            }
        }
    }
}

}  // namespace
}  // namespace parlenko::testing

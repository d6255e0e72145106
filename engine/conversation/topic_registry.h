#pragma once
// What each topic adds to the conversation with the phone, so that the
// shared floor runs it without knowing the topic: the rows of its commands'
// final results, the tests of the lines the phone sends out of turn that it
// reads, the bodies it sends at a "> " prompt, and what it does when the
// conversation goes idle, times out or closes. Each topic registers itself
// (RegisterPhonebook, RegisterSms, ...); the session calls them once, in
// the order the rows run on a result.

#include "engine/conversation/echo_actions.h"
#include "engine/conversation/scan_step.h"
#include "engine/core/engine_context.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

// A test of the receive scan on entry i: acts and says how the scan goes
// on; Continue when the entry is not its line.
using ScanTest = ScanStep (*)(EngineContext& ctx, int i);

// The body a "> " prompt asks for, when the command two entries above the
// prompt begins with one of the prefixes: nullopt when nothing is to be
// sent (the operation ended meanwhile).
struct PromptBody {
    std::vector<std::string_view> commands;
    std::optional<std::string> (*body)(EngineContext& ctx);
};

struct TopicRegistry {
    // The rows of a topic's commands. A chain's rows (connect, information,
    // settings) are marked: their commands are the connection itself, whose
    // silence ends it.
    struct Table {
        std::span<const EchoAction> rows;
        bool chain = false;
    };
    std::vector<Table> tables;
    // Tests of the lines the phone sends out of turn (calls, notices).
    std::vector<ScanTest> notices;
    std::vector<PromptBody> prompts;
    // Nothing is in flight any more: work that waited may start.
    std::vector<void (*)(EngineContext&)> idle;
    // The command in flight got no answer. A write of the topic's that waits
    // for it ends with its own message and true is returned (false: not the
    // topic's).
    std::vector<bool (*)(EngineContext&)> unansweredWrites;
    // An upload of the topic's runs (its silence is a packet not sent).
    std::vector<bool (*)(const EngineContext&)> uploads;
    // A read of the topic's that runs stops, its list as before it; true
    // when one ran.
    std::vector<bool (*)(EngineContext&)> reads;
    // No answer comes any more (the time-out, or the port closed): every
    // operation of the topic's that waits for one is given up: its guards,
    // requests and pending flags, so that no later answer carries it out.
    std::vector<void (*)(EngineContext&)> ended;
    // The port closed: beyond that, nothing of the topic's waits to be sent
    // later.
    std::vector<void (*)(EngineContext&)> disconnected;

    // The phonebook's news for the lists that show numbers: a name is known
    // for a number; a full read ran to its end.
    std::vector<void (*)(EngineContext&, const std::string& name, const std::string& number)>
        namesKnown;
    std::vector<void (*)(EngineContext&)> phonebookRead;
};

inline TopicRegistry& Registry(const EngineContext& ctx) { return ctx.topics.Get<TopicRegistry>(); }

}  // namespace parlenko

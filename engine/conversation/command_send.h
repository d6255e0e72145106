#pragma once
// The one road of a command line to the phone.

#include "engine/core/engine_context.h"

#include <string>
#include <string_view>

namespace parlenko {

enum class AnswerExpected { Yes, No };

// Writes line to the port. On success a command that expects an answer
// re-arms the exchange time-out, so a command the phone never answers ends
// the busy state 10000 ms later. When not every byte went out the failure is
// reported (ReportCommunicationError) and the command is dropped.
// Returns whether the line was written.
bool SendAtLine(EngineContext& ctx, std::string_view line,
                AnswerExpected expected = AnswerExpected::Yes);

// The bookkeeping of a command line (ending in a carriage return) about to
// be written, whichever road it takes: it is the command in flight until a
// final result answers it, and an unfinished line still in the received
// lines is noise (the previous exchange has ended; the phone's answer to
// this command starts on a fresh line), unless it may still become a line
// the engine knows (a notice whose line end is on its way). A body after a "> " prompt is not a
// command line: the prompt stays, and the command that asked for it stays
// in flight.
void CommandWritten(EngineContext& ctx, std::string_view line);

// A topic's command line: nothing for "" (a builder that would send
// nothing) or while the conversation closes (the running operation ends
// there, its next step is not sent); else SendAtLine.
void SendCommand(EngineContext& ctx, const std::string& line,
                 AnswerExpected expected = AnswerExpected::Yes);

// A command of the closing itself (switching the phone off, and that
// again when the phone refused): written while the conversation closes too.
void SendClosingCommand(EngineContext& ctx, const std::string& line);

// The conversation's own commands.
void SendAtEchoOn(EngineContext& ctx);
void SendAtPdu(EngineContext& ctx, std::string_view pdu);
// A lone ESC that aborts a waiting "> " prompt; expects no answer, so it
// does not re-arm the time-out.
void SendAtEscape(EngineContext& ctx);

}  // namespace parlenko

#pragma once
// Work that begins an exchange of its own, unasked by the phone (the
// information chain's refresh, the start of a read), waits for a quiet
// moment as the new-message notices do: no command in flight and no chain
// writing with pauses (HoldNotices). A new exchange is never written over
// the answer of another, and the port's buffers are emptied only when no
// answer can be in them.

#include "engine/core/engine_context.h"

#include <functional>

namespace parlenko {

// Nothing is in flight, no chain holds the notices back and the
// conversation is not closing.
bool IsQuiet(const EngineContext& ctx);

// Runs start at once when the conversation is quiet; otherwise keeps it
// until it is (the end of the receive that answered the last command, or
// the time-out). A start already waiting under the same key is replaced
// (the refresh timer ticking again meanwhile). What waits goes when the
// port closes or the phone is reset (a new conversation).
void StartWhenQuiet(EngineContext& ctx, const void* key, std::function<void()> start);

// Runs the waiting starts, in the order they came, while it stays quiet.
void ServeQuietStarts(EngineContext& ctx);

// The port closed: nothing that waited starts.
void DropQuietStarts(EngineContext& ctx);

// Discards what the port's input and output buffers hold, unless a command
// is in flight (its answer may be in the input).
void EmptyPortBuffers(EngineContext& ctx);

}  // namespace parlenko

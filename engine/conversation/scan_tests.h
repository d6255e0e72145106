#pragma once
// The forms of the receive scan's tests, for the topics that read the lines
// the phone sends out of turn: a whole line, or the start of a complete line.

#include "engine/conversation/scan_step.h"
#include "engine/core/engine_context.h"

namespace parlenko {

// The last entry is the unterminated remainder. Whole-line tests, the
// prompt and the ESC echo look at it as soon as it arrives; a test that only
// knows the start of a line and then reads what follows (an error code, a
// number, an index, a status) waits for the carriage return, so that a line
// split between two chunks is not read half.
inline bool IsRemainder(EngineContext& ctx, int i) { return i == Lines(ctx).Size() - 1; }

// The entry is the whole line Text (the remainder too).
template <const char* Text, ScanStep (*Handler)(EngineContext&, int)>
ScanStep WholeLine(EngineContext& ctx, int i) {
    return Lines(ctx).Is(i, Text) ? Handler(ctx, i) : ScanStep::Continue;
}

// The entry begins with Prefix (the remainder too).
template <const char* Prefix, ScanStep (*Handler)(EngineContext&, int)>
ScanStep Beginning(EngineContext& ctx, int i) {
    return Lines(ctx).StartsWith(i, Prefix) ? Handler(ctx, i) : ScanStep::Continue;
}

// A complete line that begins with Prefix.
template <const char* Prefix, ScanStep (*Handler)(EngineContext&, int)>
ScanStep LineBeginning(EngineContext& ctx, int i) {
    if (IsRemainder(ctx, i)) return ScanStep::Continue;
    return Beginning<Prefix, Handler>(ctx, i);
}

}  // namespace parlenko

#pragma once
// What the calls remember: the call in progress and the incoming-call
// notice's texts.

#include "engine/core/engine_context.h"

#include <string>

namespace parlenko {

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

inline CallState& Call(const EngineContext& ctx) { return ctx.topics.Get<CallState>(); }
inline NewCallNoticeView& NewCallNotice(const EngineContext& ctx) {
    return ctx.topics.Get<NewCallNoticeView>();
}

}  // namespace parlenko

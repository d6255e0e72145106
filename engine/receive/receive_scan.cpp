#include "engine/receive/receive_scan.h"

#include "engine/calls/call_notices.h"
#include "engine/general/network_notices.h"
#include "engine/receive/final_results.h"
#include "engine/receive/line_intake.h"
#include "engine/receive/prompt_lines.h"
#include "engine/core/result_codes.h"
#include "engine/core/busy_state.h"
#include "engine/session/exchange_timeout.h"
#include "engine/sms/sms_notices.h"
#include "engine/sms/sms_operations.h"

#include <algorithm>
#include <array>
#include <span>

namespace parlenko {

namespace {

// One test of the scan: looks at entry i afresh and, when it matches, acts.
// A test that does not match returns Continue.
using ScanTest = ScanStep (*)(EngineContext& ctx, int i);

// The last entry is the unterminated remainder. Whole-line tests, the
// prompt and the ESC echo look at it as soon as it arrives; a test that only
// knows the start of a line and then reads what follows (an error code, a
// number, an index, a status) waits for the carriage return, so that a line
// split between two chunks is not read half.
bool IsRemainder(EngineContext& ctx, int i) { return i == Lines(ctx).Size() - 1; }

ScanStep TestPhoneError(EngineContext& ctx, int i) {
    auto& l = Lines(ctx);
    if (IsRemainder(ctx, i)) return ScanStep::Continue;
    if (!l.StartsWith(i, codes::kCmeError) && !l.StartsWith(i, codes::kCmsError))
        return ScanStep::Continue;
    return HandleFinalResult(ctx, i, FinalResultKind::PhoneError);
}

template <const char* Text, ScanStep (*Handler)(EngineContext&, int)>
ScanStep TestWhole(EngineContext& ctx, int i) {
    return Lines(ctx).Is(i, Text) ? Handler(ctx, i) : ScanStep::Continue;
}

template <const char* Prefix, ScanStep (*Handler)(EngineContext&, int)>
ScanStep TestPrefix(EngineContext& ctx, int i) {
    return Lines(ctx).StartsWith(i, Prefix) ? Handler(ctx, i) : ScanStep::Continue;
}

// A prefix test on complete lines only.
template <const char* Prefix, ScanStep (*Handler)(EngineContext&, int)>
ScanStep TestLinePrefix(EngineContext& ctx, int i) {
    if (IsRemainder(ctx, i)) return ScanStep::Continue;
    return TestPrefix<Prefix, Handler>(ctx, i);
}

// A cell-broadcast page: 88 octets as 176 hex characters under its header.
ScanStep TestCellBroadcast(EngineContext& ctx, int i) {
    auto& l = Lines(ctx);
    if (i > 0 && !IsRemainder(ctx, i) && l.Length(i) == 176 && l.StartsWith(i - 1, codes::kCbmPage))
        return HandleCellBroadcast(ctx, i);
    return ScanStep::Continue;
}

ScanStep TestOk(EngineContext& ctx, int i) {
    return Lines(ctx).Is(i, codes::kOk) ? HandleFinalResult(ctx, i, FinalResultKind::Ok)
                                        : ScanStep::Continue;
}

ScanStep TestError(EngineContext& ctx, int i) {
    return Lines(ctx).Is(i, codes::kError) ? HandleFinalResult(ctx, i, FinalResultKind::Error)
                                           : ScanStep::Continue;
}

// The fifteen tests, in the order they run on each entry.
constexpr std::array<ScanTest, 15> kTests = {
    TestPhoneError,                                   // 1  "+CME ERROR: " / "+CMS ERROR: "
    TestWhole<codes::kRing, HandleRing>,              // 2
    TestWhole<codes::kNoCarrier, HandleNoCarrier>,    // 3
    TestWhole<codes::kBusy, HandleBusy>,              // 4
    TestWhole<codes::kNoDialtone, HandleNoDialtone>,  // 5
    TestLinePrefix<codes::kClip, HandleClip>,         // 6
    TestLinePrefix<codes::kCmti, HandleNewMessage>,   // 7
    TestLinePrefix<codes::kCdsi, HandleNewMessage>,   // 8
    TestLinePrefix<codes::kCreg, HandleCreg>,         // 9
    TestCellBroadcast,                                // 10
    TestLinePrefix<codes::kSmgo, HandleSmsOverflow>,  // 11
    TestWhole<codes::kPrompt, HandlePrompt>,          // 12
    TestPrefix<codes::kEsc, HandleEscapeEcho>,        // 13
    TestOk,                                           // 14
    TestError,                                        // 15
};

// The tests of the final results, for the rest of a walk that an
// unsolicited code cut short.
constexpr std::array<ScanTest, 3> kFinalResultTests = {TestPhoneError, TestOk, TestError};

// Once the outermost call is done and no command waits for its answer,
// every line still standing in turn is noise (no final result will come
// for it) and goes; out-of-turn lines stay for the scan that handles them.
void DropStaleLines(EngineContext& ctx) {
    auto& rx = ctx.state.Receive;
    if (!rx.CommandInFlight.empty()) return;
    for (int k = 0; k + 1 < rx.RxLines.Size(); ++k)
        if (!rx.RxLines.IsOutOfTurn(k)) rx.RxLines.Blank(k);
}

// Drops the blank top of the list once no walk is left; the indexes kept
// across chunks (the answered prompt, the command's first entry) move with
// the entries.
void CompactRxLines(EngineContext& ctx) {
    auto& rx = ctx.state.Receive;
    const int removed = rx.RxLines.Compact();
    if (removed == 0) return;
    rx.CommandEntry = std::max(-1, rx.CommandEntry - removed);
    if (rx.AnsweredPromptEntry >= 0)
        rx.AnsweredPromptEntry = std::max(-1, rx.AnsweredPromptEntry - removed);
}

// The chunk's new lines are taken in; when the phone answered, the
// exchange's time-out starts again and the busy state begins.
void TakeIn(EngineContext& ctx, std::string_view chunk) {
    auto& rx = ctx.state.Receive;
    const int first = rx.RxLines.AddChunk(chunk);
    if (!TakeInNewLines(rx.RxLines, first, {rx.CommandInFlight, rx.CommandEntry})) return;
    ctx.state.Chain.AwaitingFirstAnswer = false;
    RestartTimeOut(ctx);
    if (!IsBusy(ctx)) BeginBusy(ctx);
}

}  // namespace

void ScanRxLines(EngineContext& ctx) {
    auto& lines = Lines(ctx);
    const RxLineList::Walk walk(lines);
    const auto generation = lines.Generation();
    // Nested calls (from a modal window opened by a test) may append and
    // blank entries; they never compact while this walk is in progress, so
    // i stays inside the list unless the list was reset, which ends this scan.
    bool resultsOnly = false;
    for (int i = lines.Size() - 1; i >= 0; --i) {
        if (lines.IsBlank(i)) continue;  // an empty entry matches no test
        const std::span<const ScanTest> tests =
            resultsOnly ? std::span<const ScanTest>(kFinalResultTests) : kTests;
        for (ScanTest test : tests) {
            const ScanStep step = test(ctx, i);
            if (lines.Generation() != generation) return;
            if (step == ScanStep::EndScan) return;
            if (step == ScanStep::FinalResultsOnly) {
                resultsOnly = true;
                break;
            }
        }
    }
}

void cpDrvReceiveData(EngineContext& ctx, const std::uint8_t* data, std::size_t size) {
    ReceiveText(ctx, std::string_view(reinterpret_cast<const char*>(data), data ? size : 0));
}

void ReceiveText(EngineContext& ctx, std::string_view chunk) {
    if (chunk.empty()) return;
    auto& rx = ctx.state.Receive;
    TakeIn(ctx, chunk);
    ++rx.Depth;
    ScanRxLines(ctx);
    --rx.Depth;
    // Only the outermost call tidies up and starts waiting work: a nested
    // one runs inside a walk, while a window of the outer call is open.
    if (rx.Depth > 0) return;
    DropStaleLines(ctx);
    CompactRxLines(ctx);
    ServeWaitingNewMessages(ctx);
}

void ResetRxLines(EngineContext& ctx) {
    auto& rx = ctx.state.Receive;
    rx.RxLines.Reset();
    rx.CommandInFlight.clear();
    rx.CommandEntry = 0;
}

}  // namespace parlenko

#include "engine/conversation/receive_scan.h"

#include "engine/conversation/exchange_timeout.h"
#include "engine/conversation/final_results.h"
#include "engine/conversation/line_intake.h"
#include "engine/conversation/prompt_lines.h"
#include "engine/conversation/quiet_starts.h"
#include "engine/conversation/scan_tests.h"
#include "engine/conversation/topic_registry.h"
#include "engine/core/busy_state.h"
#include "engine/core/result_codes.h"

#include <algorithm>
#include <array>
#include <span>

namespace parlenko {

namespace {

ScanStep TestPhoneError(EngineContext& ctx, int i) {
    auto& l = Lines(ctx);
    if (IsRemainder(ctx, i)) return ScanStep::Continue;
    if (!l.StartsWith(i, codes::kCmeError) && !l.StartsWith(i, codes::kCmsError))
        return ScanStep::Continue;
    return HandleFinalResult(ctx, i, FinalResultKind::PhoneError);
}

ScanStep TestOk(EngineContext& ctx, int i) {
    return Lines(ctx).Is(i, codes::kOk) ? HandleFinalResult(ctx, i, FinalResultKind::Ok)
                                        : ScanStep::Continue;
}

ScanStep TestError(EngineContext& ctx, int i) {
    return Lines(ctx).Is(i, codes::kError) ? HandleFinalResult(ctx, i, FinalResultKind::Error)
                                           : ScanStep::Continue;
}

// The tests of every entry, in the order they run: a phone error, the
// topics' tests of the lines the phone sends out of turn, the "> " prompt,
// the ESC echo, "OK" and "ERROR".
constexpr std::array<ScanTest, 1> kFirstTests = {TestPhoneError};
constexpr std::array<ScanTest, 4> kLastTests = {WholeLine<codes::kPrompt, HandlePrompt>,
                                                Beginning<codes::kEsc, HandleEscapeEcho>, TestOk,
                                                TestError};

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

namespace {

// Runs tests on entry i in turn until one acts: its step; Continue when none
// did. Stops at once when the list was reset meanwhile.
ScanStep RunTests(EngineContext& ctx, int i, std::span<const ScanTest> tests,
                  std::uint64_t generation) {
    for (ScanTest test : tests) {
        const ScanStep step = test(ctx, i);
        if (Lines(ctx).Generation() != generation || step != ScanStep::Continue) return step;
    }
    return ScanStep::Continue;
}

}  // namespace

void ScanRxLines(EngineContext& ctx) {
    auto& lines = Lines(ctx);
    const RxLineList::Walk walk(lines);
    const auto generation = lines.Generation();
    // Copied: a test may not change the list of tests, but it may open a
    // window whose nested calls walk the same registry.
    const std::vector<ScanTest> notices = Registry(ctx).notices;
    const std::array<std::span<const ScanTest>, 3> everyTest = {kFirstTests, notices, kLastTests};
    // Nested calls (from a modal window opened by a test) may append and
    // blank entries; they never compact while this walk is in progress, so
    // i stays inside the list unless the list was reset, which ends this scan.
    for (int i = lines.Size() - 1; i >= 0; --i) {
        if (lines.IsBlank(i)) continue;  // an empty entry matches no test
        ScanStep step = ScanStep::Continue;
        for (std::size_t k = 0; k < everyTest.size(); ++k)
            if ((step = RunTests(ctx, i, everyTest[k], generation)) != ScanStep::Continue) break;
        if (lines.Generation() != generation || step == ScanStep::EndScan) return;
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
    for (auto serve : Registry(ctx).idle) serve(ctx);
    ServeQuietStarts(ctx);
}

void ResetRxLines(EngineContext& ctx) {
    auto& rx = ctx.state.Receive;
    rx.RxLines.Reset();
    rx.CommandInFlight.clear();
    rx.CommandEntry = 0;
}

}  // namespace parlenko

#include "engine/receive/receive_scan.h"

#include "engine/receive/final_results.h"
#include "engine/receive/unsolicited_codes.h"
#include "engine/session/busy_state.h"
#include "engine/session/exchange_timeout.h"

#include <algorithm>
#include <array>
#include <span>

namespace parlenko {

namespace {

// One test of the scan: looks at entry i afresh and, when it matches, acts.
// A test that does not match returns Continue.
using ScanTest = ScanStep (*)(EngineContext& ctx, int i);

RxLineList& Lines(EngineContext& ctx) { return ctx.state.Receive.RxLines; }

// The last entry is the unterminated remainder. Whole-line tests, the
// prompt and the ESC echo look at it as soon as it arrives; a test that only
// knows the start of a line and then reads what follows (an error code, a
// number, an index, a status) waits for the carriage return, so that a line
// split between two chunks is not read half.
bool IsRemainder(EngineContext& ctx, int i) { return i == Lines(ctx).Size() - 1; }

ScanStep TestPhoneError(EngineContext& ctx, int i) {
    auto& l = Lines(ctx);
    if (IsRemainder(ctx, i)) return ScanStep::Continue;
    if (!l.StartsWith(i, "+CME ERROR: ") && !l.StartsWith(i, "+CMS ERROR: "))
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
    if (i > 0 && !IsRemainder(ctx, i) && l.Length(i) == 176 && l.StartsWith(i - 1, "+CBM: 88"))
        return HandleCellBroadcast(ctx, i);
    return ScanStep::Continue;
}

ScanStep TestOk(EngineContext& ctx, int i) {
    return Lines(ctx).Is(i, "OK") ? HandleFinalResult(ctx, i, FinalResultKind::Ok)
                                  : ScanStep::Continue;
}

ScanStep TestError(EngineContext& ctx, int i) {
    return Lines(ctx).Is(i, "ERROR") ? HandleFinalResult(ctx, i, FinalResultKind::Error)
                                     : ScanStep::Continue;
}

constexpr char kRing[] = "RING";
constexpr char kNoCarrier[] = "NO CARRIER";
constexpr char kBusy[] = "BUSY";
constexpr char kNoDialtone[] = "NO DIALTONE";
constexpr char kClip[] = "+CLIP: ";
constexpr char kCmti[] = "+CMTI: ";
constexpr char kCdsi[] = "+CDSI: ";
constexpr char kCreg[] = "+CREG: ";
constexpr char kSmgo[] = "^SMGO: ";
constexpr char kPrompt[] = "> ";
constexpr char kEsc[] = "\x1b";

// The fifteen tests, in the order they run on each entry.
constexpr std::array<ScanTest, 15> kTests = {
    TestPhoneError,                            // 1  "+CME ERROR: " / "+CMS ERROR: "
    TestWhole<kRing, HandleRing>,              // 2
    TestWhole<kNoCarrier, HandleNoCarrier>,    // 3
    TestWhole<kBusy, HandleBusy>,              // 4
    TestWhole<kNoDialtone, HandleNoDialtone>,  // 5
    TestLinePrefix<kClip, HandleClip>,         // 6
    TestLinePrefix<kCmti, HandleNewMessage>,   // 7
    TestLinePrefix<kCdsi, HandleNewMessage>,   // 8
    TestLinePrefix<kCreg, HandleCreg>,         // 9
    TestCellBroadcast,                         // 10
    TestLinePrefix<kSmgo, HandleSmsOverflow>,  // 11
    TestWhole<kPrompt, HandlePrompt>,          // 12
    TestPrefix<kEsc, HandleEscapeEcho>,        // 13
    TestOk,                                    // 14
    TestError,                                 // 15
};

// The tests of the final results, for the rest of a walk that an
// unsolicited code cut short.
constexpr std::array<ScanTest, 3> kFinalResultTests = {TestPhoneError, TestOk, TestError};

// Drops the blank top of the list once no walk is left; the one index kept
// across chunks (the answered prompt) moves with the entries.
void CompactRxLines(EngineContext& ctx) {
    auto& rx = ctx.state.Receive;
    const int removed = rx.RxLines.Compact();
    if (removed == 0 || rx.AnsweredPromptEntry < 0) return;
    rx.AnsweredPromptEntry = std::max(-1, rx.AnsweredPromptEntry - removed);
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
    ctx.state.Chain.AwaitingFirstAnswer = false;  // something is on the port
    RestartTimeOut(ctx);
    if (!IsBusy(ctx)) BeginBusy(ctx);
    if (chunk.empty()) return;
    Lines(ctx).AddChunk(chunk);  // line feeds dropped, lines cut at CR
    ScanRxLines(ctx);
    // Only the outermost call compacts: a nested one runs inside a walk.
    CompactRxLines(ctx);
}

void ResetRxLines(EngineContext& ctx) { Lines(ctx).Reset(); }

}  // namespace parlenko

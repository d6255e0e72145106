#include "engine/conversation/echo_actions.h"

#include "engine/parse/answer_reader.h"

#include <algorithm>

namespace parlenko {

std::string_view EchoArguments(std::string_view echo) {
    AnswerReader r(echo);
    return r.SkipCommand() ? r.Rest() : std::string_view();
}

std::string SelectedMemoryCode(std::string_view echo) {
    AnswerReader r(echo);
    if (!r.SkipCommand()) return {};
    r.Skip(1);  // the opening quote
    return std::string(r.NextChars(2));
}

bool EchoAt(const RxLineList& lines, int entry, std::string_view text, EchoCompare compare) {
    return compare == EchoCompare::Whole ? lines.Is(entry, text) : lines.StartsWith(entry, text);
}

namespace {

// The row is for this command line.
bool RowIsFor(const EchoAction& row, std::string_view command) {
    return row.compare == EchoCompare::Whole ? command == row.echo : command.starts_with(row.echo);
}

}  // namespace

std::optional<ScanStep> RunErrorRow(EngineContext& ctx, std::span<const EchoAction> table,
                                    const EchoHit& hit) {
    for (const EchoAction& row : table)
        if (row.onError != nullptr && RowIsFor(row, hit.echo)) return row.onError(ctx, hit);
    return std::nullopt;
}

bool HasRowFor(std::span<const EchoAction> table, std::string_view command) {
    return std::any_of(table.begin(), table.end(),
                       [command](const EchoAction& row) { return RowIsFor(row, command); });
}

int RefusedCommandEntry(const RxLineList& lines, int i) {
    return lines.StartsWith(lines.Above(i, 1), "> ") ? lines.Above(i, 3) : lines.Above(i, 2);
}

ScanStep RunRefusedActions(EngineContext& ctx, std::span<const EchoAction> table,
                           const EchoHit& hit) {
    const auto generation = ctx.state.Receive.RxLines.Generation();
    for (const EchoAction& row : table) {
        if (row.onRefused == nullptr || !RowIsFor(row, hit.echo)) continue;
        if (row.onRefused(ctx, hit) == ScanStep::EndScan) return ScanStep::EndScan;
        if (ctx.state.Receive.RxLines.Generation() != generation) return ScanStep::EndScan;
    }
    return ScanStep::Continue;
}

std::optional<ScanStep> RunPhoneErrorActions(EngineContext& ctx, std::span<const EchoAction> table,
                                             const EchoHit& hit) {
    for (const EchoAction& row : table) {
        if (row.onPhoneError == nullptr || !RowIsFor(row, hit.echo)) continue;
        if (const auto step = row.onPhoneError(ctx, hit)) return step;
    }
    return std::nullopt;
}

namespace {

// The layout's "OK" test at one distance: true when it matched and ran.
// Sets step to what the handler returned (EndScan when the list was reset).
bool RunOkLayout(EngineContext& ctx, int i, const EchoAction& row, const OkLayout& layout,
                 int distance, ScanStep& step) {
    auto& lines = ctx.state.Receive.RxLines;
    const auto generation = lines.Generation();
    const int echoEntry = lines.Above(i, distance);
    if (!EchoAt(lines, echoEntry, row.echo, row.compare)) return false;

    EchoHit hit;
    hit.result = i;
    hit.echoEntry = echoEntry;
    hit.echo = lines.At(echoEntry);
    const int answerEntry = lines.Above(i, 2);
    if (distance == 4) hit.answer = lines.At(answerEntry);
    if (layout.blanking == EchoBlanking::EchoAndAnswer) {
        lines.Blank(echoEntry);
        if (distance == 4) lines.Blank(answerEntry);
    }
    step = layout.then(ctx, hit);
    if (lines.Generation() != generation) step = ScanStep::EndScan;
    return true;
}

}  // namespace

ScanStep RunOkRows(EngineContext& ctx, int i, std::span<const EchoAction> table) {
    for (const EchoAction& row : table) {
        for (const OkLayout& layout : row.onOk) {
            if (layout.then == nullptr) continue;
            for (int distance = layout.at; distance <= layout.upTo; ++distance) {
                ScanStep step = ScanStep::Continue;
                if (!RunOkLayout(ctx, i, row, layout, distance, step)) continue;
                if (step == ScanStep::EndScan) return ScanStep::EndScan;
            }
        }
    }
    return ScanStep::Continue;
}

}  // namespace parlenko

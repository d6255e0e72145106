#include "engine/receive/echo_actions.h"

#include "engine/parse/answer_reader.h"

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

bool RunErrorRowFor(EngineContext& ctx, std::string_view command,
                    std::span<const EchoAction> table) {
    for (const EchoAction& row : table) {
        if (row.onError == nullptr || !RowIsFor(row, command)) continue;
        EchoHit hit;
        hit.result = -1;
        hit.echoEntry = -1;
        hit.echo = std::string(command);
        row.onError(ctx, hit);
        return true;
    }
    return false;
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

ScanStep RunEchoTable(EngineContext& ctx, int i, FinalResultKind kind,
                      std::span<const EchoAction> table) {
    auto& lines = ctx.state.Receive.RxLines;
    const auto generation = lines.Generation();
    const bool ok = kind == FinalResultKind::Ok;
    for (const EchoAction& row : table) {
        const EchoHandler handler = ok ? row.onOk : row.onError;
        if (handler == nullptr) continue;
        const int distance = ok ? row.okDistance : 2;
        const int echoEntry = ok ? lines.Above(i, distance) : RefusedCommandEntry(lines, i);
        if (!EchoAt(lines, echoEntry, row.echo, row.compare)) continue;

        EchoHit hit;
        hit.result = i;
        hit.echoEntry = echoEntry;
        hit.echo = lines.At(echoEntry);
        hit.body = !ok && echoEntry != lines.Above(i, 2);
        const int answerEntry = lines.Above(i, 2);
        if (distance == 4) hit.answer = lines.At(answerEntry);
        if (row.blanking == EchoBlanking::EchoAndAnswer) {
            lines.Blank(echoEntry);
            if (distance == 4) lines.Blank(answerEntry);
        }
        if (hit.body) lines.Blank(lines.Above(i, 1));
        if (handler(ctx, hit) == ScanStep::EndScan) return ScanStep::EndScan;
        if (lines.Generation() != generation) return ScanStep::EndScan;
    }
    return ScanStep::Continue;
}

}  // namespace parlenko

#include "engine/chains/echo_actions.h"

namespace parlenko {

bool EchoAt(const RxLineList& lines, int entry, std::string_view text, EchoCompare compare) {
    return compare == EchoCompare::Whole ? lines.Is(entry, text) : lines.StartsWith(entry, text);
}

bool RunErrorRowFor(EngineContext& ctx, std::string_view command,
                    std::span<const EchoAction> table) {
    for (const EchoAction& row : table) {
        const bool matches =
            row.compare == EchoCompare::Whole ? command == row.echo : command.starts_with(row.echo);
        if (row.onError == nullptr || !matches) continue;
        EchoHit hit;
        hit.result = -1;
        hit.echoEntry = -1;
        hit.echo = std::string(command);
        row.onError(ctx, hit);
        return true;
    }
    return false;
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
        const int echoEntry = lines.Above(i, distance);
        if (!EchoAt(lines, echoEntry, row.echo, row.compare)) continue;

        EchoHit hit;
        hit.result = i;
        hit.echoEntry = echoEntry;
        hit.echo = lines.At(echoEntry);
        const int answerEntry = lines.Above(i, 2);
        if (distance == 4) hit.answer = lines.At(answerEntry);
        if (row.blanking == EchoBlanking::EchoAndAnswer) {
            lines.Blank(echoEntry);
            if (distance == 4) lines.Blank(answerEntry);
        }
        if (handler(ctx, hit) == ScanStep::EndScan) return ScanStep::EndScan;
        if (lines.Generation() != generation) return ScanStep::EndScan;
    }
    return ScanStep::Continue;
}

}  // namespace parlenko

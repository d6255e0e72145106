#include "engine/receive/line_intake.h"

#include "engine/receive/result_codes.h"

#include <algorithm>
#include <span>

namespace parlenko {

namespace {

bool IsOneOf(std::string_view line, std::span<const std::string_view> texts) {
    return std::find(texts.begin(), texts.end(), line) != texts.end();
}

bool BeginsWithOneOf(std::string_view line, std::span<const std::string_view> prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [line](std::string_view p) { return line.starts_with(p); });
}

bool IsFinalResult(std::string_view line) {
    return line == codes::kOk || line == codes::kError || line.starts_with(codes::kCmeError) ||
           line.starts_with(codes::kCmsError);
}

// A complete line the phone sent out of its own accord. A "+CREG: " line
// two in-turn entries under the query's echo answers the query.
bool IsNoticeLine(const RxLineList& lines, int k, std::string_view line) {
    if (BeginsWithOneOf(line, codes::kNoticePrefixes)) return true;
    return line.starts_with(codes::kCreg) && !lines.Is(lines.Above(k, 2), "AT+CREG?");
}

// A cell-broadcast page follows its header directly, with no empty line.
bool IsBroadcastPage(const RxLineList& lines, int k) {
    return lines.IsOutOfTurn(k - 1) && lines.StartsWith(k - 1, codes::kCbm);
}

// Noise received before the echo of the command in flight is glued to it:
// the line is the echo again.
void FreeEcho(RxLineList& lines, int k, std::string_view command) {
    if (command.empty()) return;
    const std::string line = lines.At(k);
    if (line.size() > command.size() && line.ends_with(command)) lines.Set(k, std::string(command));
}

bool IsAnswerOf(std::string_view line, std::string_view command) {
    if (command.empty()) return false;
    if (line == command) return true;
    const std::string prefix = AnswerPrefix(command);
    return !prefix.empty() && line.starts_with(prefix);
}

}  // namespace

std::string AnswerPrefix(std::string_view command) {
    if (!command.starts_with("AT+") && !command.starts_with("AT^")) return {};
    const std::string_view name = command.substr(2, command.find_first_of("=?") - 2);
    return std::string(name) + ":";
}

bool TakeInNewLines(RxLineList& lines, int first, std::string_view commandInFlight) {
    bool answered = false;
    const int remainder = lines.Size() - 1;
    for (int k = std::max(first, 0); k <= remainder; ++k) {
        if (lines.IsBlank(k) || lines.IsOutOfTurn(k)) continue;
        if (k < remainder) FreeEcho(lines, k, commandInFlight);
        const std::string line = lines.At(k);
        // A call code is known whole even before its line ends; the other
        // codes only once the line is complete.
        if (IsOneOf(line, codes::kCallCodes)) {
            lines.MarkOutOfTurn(k);
        } else if (k < remainder && IsNoticeLine(lines, k, line)) {
            lines.MarkOutOfTurn(k);
        } else if (k < remainder && IsBroadcastPage(lines, k)) {
            lines.MarkOutOfTurn(k, /*withFraming=*/false);
        }
        answered = answered || lines.IsOutOfTurn(k) || IsFinalResult(line) ||
                   line == codes::kPrompt || IsAnswerOf(line, commandInFlight);
    }
    return answered;
}

}  // namespace parlenko

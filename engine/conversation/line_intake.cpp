#include "engine/conversation/line_intake.h"

#include "engine/core/result_codes.h"

#include <algorithm>
#include <array>
#include <cctype>
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
// answers the registration query while that query is in flight.
bool IsNoticeLine(std::string_view line, std::string_view command) {
    if (BeginsWithOneOf(line, codes::kNoticePrefixes)) return true;
    return line.starts_with(codes::kCreg) && command != "AT+CREG?";
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

// ---------------------------------------------------------------- answers

// How a command's answer looks between its echo and its final result.
enum class AnswerShape {
    None,      // no information line
    Plain,     // one line without a prefix (the identity queries, a service code's text)
    Prefixed,  // lines that begin with the command's name and a colon
    WithData,  // prefixed headers, each followed directly by a line of data
};

constexpr std::array<std::string_view, 5> kPlainAnswerCommands = {"AT+CGMI", "AT+CGMM", "AT+CGMR",
                                                                  "AT+CGSN", "AT+CIMI"};

AnswerShape ShapeOf(std::string_view command) {
    if (IsOneOf(command, kPlainAnswerCommands) || command.starts_with("ATD"))
        return AnswerShape::Plain;
    if (command.starts_with("AT+CMGR=") || command.starts_with("AT^SBNR=\""))
        return AnswerShape::WithData;
    return AnswerPrefix(command).empty() ? AnswerShape::None : AnswerShape::Prefixed;
}

// "+CUSD: ...", "^SBC: ...": a line in the form of a result code.
bool LooksLikeResultCode(std::string_view line) {
    if (line.size() < 3 || (line[0] != '+' && line[0] != '^')) return false;
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || colon < 2) return false;
    return std::all_of(line.begin() + 1, line.begin() + static_cast<std::ptrdiff_t>(colon),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// The line begins with the answer prefix, whichever sign the phone puts in
// front of the name ("+CPBS:" or "^SPBS:" for either command).
bool HasAnswerPrefix(std::string_view line, std::string_view prefix) {
    if (prefix.empty() || line.empty() || (line[0] != '+' && line[0] != '^')) return false;
    return line.substr(1).starts_with(prefix.substr(1));
}

bool IsAnswerOf(std::string_view line, std::string_view command) {
    if (command.empty()) return false;
    if (line == command) return true;
    if (ShapeOf(command) == AnswerShape::Plain) return !LooksLikeResultCode(line);
    return HasAnswerPrefix(line, AnswerPrefix(command));
}

// Reads the lines between a command's echo and its final result in order
// and tells which belong to its answer.
class AnswerLines {
public:
    explicit AnswerLines(std::string_view command)
        : shape_(ShapeOf(command)), prefix_(AnswerPrefix(command)) {}

    bool Belongs(const RxLineList& lines, int k) {
        if (lines.WasCut(k)) return false;
        const std::string line = lines.At(k);
        if (line.starts_with(codes::kPrompt)) return true;  // the prompt and the body's echo
        switch (shape_) {
            case AnswerShape::None: return false;
            case AnswerShape::Plain:
                if (plainTaken_ || LooksLikeResultCode(line)) return false;
                plainTaken_ = true;
                return true;
            case AnswerShape::Prefixed: return HasAnswerPrefix(line, prefix_);
            case AnswerShape::WithData:
                // A header, and the data line right under it, whatever it holds
                // (the reader of the object says when it cannot use it).
                if (HasAnswerPrefix(line, prefix_)) {
                    header_ = k;
                    return true;
                }
                return header_ == k - 1;
        }
        return false;
    }

private:
    AnswerShape shape_;
    std::string prefix_;
    int header_ = -1;
    bool plainTaken_ = false;
};

// The echoed body of a command that asked for one: the prompt and what
// followed it on its line.
bool IsBodyLine(const RxLineList& lines, int k) { return lines.StartsWith(k, codes::kPrompt); }

// A line that is no part of the answer goes. The echo of a body whose
// prompt line a line out of turn ended (it came between the prompt and the
// body) joins its prompt again.
void SetAside(RxLineList& lines, int k) {
    const int above = lines.Above(k, 1);
    if (lines.Is(above, codes::kPrompt) && lines.At(k).ends_with(codes::kCtrlZ))
        lines.Set(above, std::string(codes::kPrompt) + lines.At(k));
    lines.MarkOutOfTurn(k);
    lines.Blank(k);
}

// The final result at `result` answers the command whose echo is at `echo`:
// every line between them that is no part of the answer is set aside, and
// the empty line that framed it, so that the exchange reads as the phone
// frames it: echo, empty line, answer lines, empty line, result. The phone
// puts a line end in front of every line it sends; the first one after the
// echoed body ends the body's line, so the empty line of a line set aside
// right under the body stands below it: an empty line under the body is
// one too many, as is the upper one of two empty lines in a row.
void SetAsideStrayLines(RxLineList& lines, int echo, int result, std::string_view command) {
    AnswerLines answer(command);
    for (int k = echo + 1; k < result; ++k) {
        if (lines.IsOutOfTurn(k) || lines.IsBlank(k) || answer.Belongs(lines, k)) continue;
        SetAside(lines, k);
    }
    for (int k = echo + 1; k < result; ++k) {
        if (lines.IsOutOfTurn(k) || !lines.IsBlank(k)) continue;
        const int next = lines.Below(k, 1);
        if ((next < result && lines.IsBlank(next)) || IsBodyLine(lines, lines.Above(k, 1)))
            lines.MarkOutOfTurn(k, /*withFraming=*/false);
    }
}

}  // namespace

std::string AnswerPrefix(std::string_view command) {
    if (!command.starts_with("AT+") && !command.starts_with("AT^")) return {};
    const std::string_view name = command.substr(2, command.find_first_of("=?") - 2);
    return std::string(name) + ":";
}

int EchoEntryAbove(const RxLineList& lines, int result, int from, std::string_view command) {
    if (command.empty()) return -1;
    for (int k = lines.Above(result, 1); k >= 0 && k >= from; k = lines.Above(k, 1))
        if (lines.Is(k, command)) return k;
    return -1;
}

bool CanBeginKnownLine(std::string_view text) {
    if (text.empty()) return false;
    constexpr std::array<std::string_view, 6> kWhole = {codes::kRing, codes::kNoCarrier,
                                                        codes::kBusy, codes::kNoDialtone,
                                                        codes::kOk,   codes::kError};
    constexpr std::array<std::string_view, 9> kBeginnings = {
        codes::kCmeError, codes::kCmsError, codes::kClip, codes::kCmti,  codes::kCdsi,
        codes::kCreg,     codes::kCbm,      codes::kSmgo, codes::kPrompt};
    const auto begins = [text](std::string_view known) { return known.starts_with(text); };
    return std::any_of(kWhole.begin(), kWhole.end(), begins) ||
           std::any_of(kBeginnings.begin(), kBeginnings.end(), [&](std::string_view known) {
               return begins(known) || text.starts_with(known);
           });
}

bool TakeInNewLines(RxLineList& lines, int first, CommandInFlightAt inFlight) {
    bool answered = false;
    const std::string_view command = inFlight.command;
    const int remainder = lines.Size() - 1;
    for (int k = std::max(first, 0); k <= remainder; ++k) {
        if (lines.IsBlank(k) || lines.IsOutOfTurn(k)) continue;
        if (k < remainder) FreeEcho(lines, k, command);
        const std::string line = lines.At(k);
        // A call code is known whole even before its line ends; the other
        // codes only once the line is complete.
        const bool complete = k < remainder;
        if (IsOneOf(line, codes::kCallCodes) || (complete && IsNoticeLine(line, command)))
            lines.MarkOutOfTurn(k);
        else if (complete && IsBroadcastPage(lines, k))
            lines.MarkOutOfTurn(k, /*withFraming=*/false);
        const bool result = IsFinalResult(line);
        answered = answered || lines.IsOutOfTurn(k) || result || line == codes::kPrompt ||
                   IsAnswerOf(line, command);
        // "OK" and "ERROR" are known whole before their line ends.
        if (result && (complete || line == codes::kOk || line == codes::kError)) {
            const int echo = EchoEntryAbove(lines, k, inFlight.entry, command);
            if (echo >= 0) SetAsideStrayLines(lines, echo, k, command);
        }
    }
    return answered;
}

}  // namespace parlenko

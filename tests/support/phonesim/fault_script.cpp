#include "phonesim/fault_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <stdexcept>

namespace phonesim {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class LineReader {
public:
    LineReader(std::string_view line, int number) : rest_(line), number_(number) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("fault script line " + std::to_string(number_) + ": " + what);
    }

    // The next blank-separated word; empty at the end.
    std::string_view Word() {
        SkipBlanks();
        std::size_t n = 0;
        while (n < rest_.size() && rest_[n] != ' ' && rest_[n] != '\t') ++n;
        std::string_view w = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return w;
    }

    std::int64_t Number() {
        const std::string_view w = Word();
        std::int64_t v = 0;
        auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
        if (w.empty() || ec != std::errc() || end != w.data() + w.size() || v < 0)
            Fail("a number of milliseconds expected, not \"" + std::string(w) + "\"");
        return v;
    }

    // The rest of the line with its escapes resolved.
    std::string Text() {
        SkipBlanks();
        std::string out;
        for (std::size_t i = 0; i < rest_.size(); ++i) {
            const char c = rest_[i];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (++i == rest_.size()) Fail("a lone \\ at the end");
            switch (rest_[i]) {
                case 'r': out += '\r'; break;
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case '\\': out += '\\'; break;
                case 'x': {
                    const int hi = i + 1 < rest_.size() ? HexDigit(rest_[i + 1]) : -1;
                    const int lo = i + 2 < rest_.size() ? HexDigit(rest_[i + 2]) : -1;
                    if (hi < 0 || lo < 0) Fail("\\x needs two hex digits");
                    out += static_cast<char>(hi * 16 + lo);
                    i += 2;
                    break;
                }
                default: Fail(std::string("unknown escape \\") + rest_[i]);
            }
        }
        rest_ = {};
        return out;
    }

    void End() {
        if (!Word().empty()) Fail("unexpected words at the end");
    }

private:
    void SkipBlanks() {
        while (!rest_.empty() && (rest_.front() == ' ' || rest_.front() == '\t'))
            rest_.remove_prefix(1);
    }

    std::string_view rest_;
    int number_;
};

CommandFault& FaultFor(FaultScript& script, std::string_view command) {
    const std::string name = command == "*" ? std::string() : std::string(command);
    for (auto& f : script.commandFaults)
        if (f.command.size() == name.size() && StartsWithNoCase(f.command, name)) return f;
    CommandFault f;
    f.command = name;
    script.commandFaults.push_back(std::move(f));
    return script.commandFaults.back();
}

void ParseAfter(FaultScript& script, LineReader& in) {
    const std::string_view command = in.Word();
    const std::string_view action = in.Word();
    if (command.empty() || action.empty()) in.Fail("after <command> <action> expected");
    if (action == "close") {
        in.End();
        script.closeAfter.emplace_back(command == "*" ? "" : command);
        return;
    }
    CommandFault& f = FaultFor(script, command);
    if (action == "raw") {
        f.rawAfter += in.Text();
    } else if (action == "unsolicited") {
        f.unsolicitedAfter.push_back(in.Text());
    } else if (action == "before-answer") {
        f.unsolicitedBeforeAnswer.push_back(in.Text());
    } else if (action == "before-result") {
        f.unsolicitedBeforeResult.push_back(in.Text());
    } else if (action == "answer") {
        f.result = in.Text();
        if (f.result->empty()) in.Fail("answer needs a result");
    } else if (action == "silent") {
        in.End();
        f.noAnswer = true;
    } else if (action == "delay") {
        f.delayMs = static_cast<int>(std::min<std::int64_t>(in.Number(), 24 * 3600 * 1000));
        in.End();
    } else {
        in.Fail("unknown action \"" + std::string(action) + "\"");
    }
}

void ParseAt(FaultScript& script, LineReader& in) {
    const std::int64_t at = in.Number();
    const std::string_view action = in.Word();
    if (action == "raw") {
        script.raw.push_back({at, in.Text()});
    } else if (action == "unsolicited") {
        script.unsolicited.push_back({at, in.Text()});
    } else if (action == "silent") {
        const std::int64_t length = in.Number();
        in.End();
        script.silent.push_back({at, at + length});
    } else if (action == "close") {
        in.End();
        script.closeAt.push_back(at);
    } else {
        in.Fail("unknown action \"" + std::string(action) + "\"");
    }
}

}  // namespace

FaultScript ParseFaultScript(std::string_view text) {
    FaultScript script;
    int number = 0;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        LineReader in(line, number);
        const std::string_view head = in.Word();
        if (head.empty() || head.front() == '#') continue;
        if (head == "after") ParseAfter(script, in);
        else if (head == "at") ParseAt(script, in);
        else in.Fail("\"after\" or \"at\" expected, not \"" + std::string(head) + "\"");
    }
    return script;
}

void FaultScript::ApplyTo(Phone& phone) const {
    for (const auto& f : commandFaults) phone.AddFault(f);
    for (const auto& r : raw) phone.SendRawAt(r.atMs, r.text);
    for (const auto& u : unsolicited) phone.UnsolicitedAt(u.atMs, u.text);
}

bool FaultScript::SilentAt(std::int64_t ms) const {
    return std::any_of(silent.begin(), silent.end(),
                       [&](const Window& w) { return ms >= w.fromMs && ms < w.untilMs; });
}

bool FaultScript::ClosesAt(std::int64_t ms) const {
    return std::any_of(closeAt.begin(), closeAt.end(), [&](std::int64_t t) { return ms >= t; });
}

bool FaultScript::ClosesAfter(std::string_view commandLine) const {
    return std::any_of(closeAfter.begin(), closeAfter.end(),
                       [&](const std::string& c) { return StartsWithNoCase(commandLine, c); });
}

}  // namespace phonesim

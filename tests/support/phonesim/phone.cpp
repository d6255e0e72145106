// Framing, timing and the fault script of the simulated phone. The commands
// themselves are in phone_commands.cpp.

#include "phonesim/phone.h"

#include "phonesim/gsm_text.h"

#include <algorithm>
#include <cstdio>

namespace phonesim {
namespace {

constexpr char kCtrlZ = 26;
constexpr char kEsc = 27;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<std::int64_t>(era) * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

// Parses "yy/MM/dd,hh:mm:ss" (an optional zone after it is ignored) into
// seconds since 1970; nullopt when a field is missing or out of range.
std::optional<std::int64_t> ParseClockText(std::string_view s) {
    if (s.size() < 17) return std::nullopt;
    auto two = [&](std::size_t at) -> int {
        if (!IsDigit(s[at]) || !IsDigit(s[at + 1])) return -1;
        return (s[at] - '0') * 10 + (s[at + 1] - '0');
    };
    if (s[2] != '/' || s[5] != '/' || s[8] != ',' || s[11] != ':' || s[14] != ':')
        return std::nullopt;
    int yy = two(0), mo = two(3), dd = two(6), hh = two(9), mi = two(12), ss = two(15);
    if (yy < 0 || mo < 1 || mo > 12 || dd < 1 || hh < 0 || hh > 23 || mi < 0 || mi > 59 || ss < 0 ||
        ss > 59)
        return std::nullopt;
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int year = 2000 + yy;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (dd > kDays[mo - 1] || (mo == 2 && dd == 29 && !leap)) return std::nullopt;
    return DaysFromCivil(year, mo, dd) * 86400 + hh * 3600 + mi * 60 + ss;
}

std::string FormatClockText(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    int y, m, d;
    CivilFromDays(days, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d,%02d:%02d:%02d", ((y % 100) + 100) % 100, m, d,
                  static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
                  static_cast<int>(rest % 60));
    return buf;
}

Phone::Phone(PhoneState state, PhoneOptions options)
    : state_(std::move(state)), seededSettings_(state_.settings), options_(options) {
    clockBase_ = ParseClockText(state_.clock).value_or(ParseClockText("05/03/15,12:34:56").value());
}

// ---------------------------------------------------------------- timing

void Phone::Schedule(std::int64_t atMs, std::function<void(std::int64_t)> run) {
    events_.push_back(Event{atMs, eventSeq_++, std::move(run)});
}

void Phone::RunDue(std::int64_t nowMs) {
    if (nowMs > now_) now_ = nowMs;
    for (;;) {
        auto due = events_.end();
        for (auto it = events_.begin(); it != events_.end(); ++it) {
            if (it->atMs > nowMs) continue;
            if (due == events_.end() || it->atMs < due->atMs ||
                (it->atMs == due->atMs && it->seq < due->seq))
                due = it;
        }
        if (due == events_.end()) return;
        Event e = std::move(*due);
        events_.erase(due);
        e.run(std::max(e.atMs, std::int64_t{0}));
    }
}

void Phone::Enqueue(std::string bytes, double earliestMs, bool breakBefore) {
    if (bytes.empty()) return;
    double start = std::max(earliestMs, lineFreeMs_);
    double byteMs = options_.baud > 0 ? 10000.0 / options_.baud : 0.0;
    lineFreeMs_ = start + byteMs * static_cast<double>(bytes.size());
    out_.push_back(Segment{std::move(bytes), start, 0, breakBefore});
}

std::string Phone::Poll(std::int64_t nowMs) {
    RunDue(nowMs);
    std::string chunk;
    double byteMs = options_.baud > 0 ? 10000.0 / options_.baud : 0.0;
    while (!out_.empty()) {
        Segment& s = out_.front();
        if (s.breakBefore && s.sent == 0 && !chunk.empty()) break;
        if (static_cast<double>(nowMs) < s.startMs) break;
        std::size_t done = s.bytes.size();
        if (byteMs > 0) {
            auto n =
                static_cast<std::size_t>((static_cast<double>(nowMs) - s.startMs) / byteMs + 1e-9);
            done = std::min(done, n);
        }
        if (done <= s.sent) break;
        chunk.append(s.bytes, s.sent, done - s.sent);
        s.sent = done;
        if (s.sent < s.bytes.size()) break;
        out_.pop_front();
    }
    return chunk;
}

void Phone::DiscardSent(std::int64_t nowMs) {
    while (!Poll(nowMs).empty()) {}
}

std::optional<std::int64_t> Phone::NextEventMs() const {
    std::optional<std::int64_t> next;
    auto take = [&](std::int64_t t) {
        if (!next || t < *next) next = t;
    };
    for (const auto& e : events_) take(e.atMs);
    if (!out_.empty()) {
        const Segment& s = out_.front();
        double byteMs = options_.baud > 0 ? 10000.0 / options_.baud : 0.0;
        double t = s.startMs + byteMs * static_cast<double>(s.sent + 1);
        auto ms = static_cast<std::int64_t>(t);
        if (static_cast<double>(ms) < t) ++ms;
        take(ms);
    }
    return next;
}

// ---------------------------------------------------------------- fault script

void Phone::AddFault(CommandFault fault) { faults_.push_back(std::move(fault)); }

void Phone::SendRawAt(std::int64_t atMs, std::string bytes) {
    Schedule(atMs, [this, bytes = std::move(bytes)](std::int64_t t) {
        Enqueue(bytes, static_cast<double>(t));
    });
}

void Phone::UnsolicitedAt(std::int64_t atMs, std::string line) {
    Schedule(atMs, [this, line = std::move(line)](std::int64_t t) { Unsolicited(t, line); });
}

void Phone::Unsolicited(std::int64_t nowMs, const std::string& line) {
    if (!poweredOn_) return;
    if (executing_) {
        deferred_.push_back(line);
        return;
    }
    Enqueue("\r\n" + line + "\r\n", static_cast<double>(nowMs));
}

void Phone::FlushDeferred(std::int64_t nowMs) {
    executing_ = false;
    std::vector<std::string> lines;
    lines.swap(deferred_);
    for (const auto& line : lines)
        Enqueue("\r\n" + line + "\r\n", static_cast<double>(nowMs + options_.answerDelayMs));
}

std::optional<CommandFault> Phone::TakeFault(const std::string& line) {
    std::string upper = Upper(line);
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->times == 0) continue;
        if (upper.compare(0, it->command.size(), Upper(it->command)) != 0) continue;
        if (it->skip > 0) {
            --it->skip;
            continue;
        }
        CommandFault f = *it;
        if (it->times > 0 && --it->times == 0) faults_.erase(it);
        return f;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- input

void Phone::Echo(std::string_view bytes, std::int64_t nowMs) {
    if (state_.settings.echo && !bytes.empty())
        Enqueue(std::string(bytes), static_cast<double>(nowMs));
}

void Phone::Feed(std::string_view bytes, std::int64_t nowMs) {
    RunDue(nowMs);
    if (!poweredOn_) return;
    std::string echo;
    for (char c : bytes) {
        if (mode_ == Mode::Body) {
            echo += c;
            if (c == kCtrlZ || c == kEsc) {
                Echo(echo, nowMs);
                echo.clear();
            }
            FeedBodyByte(c, nowMs);
            continue;
        }
        if (c == kEsc || c == kCtrlZ) continue;  // outside a body: ignored
        echo += c;
        if (c == '\r') {
            // The echo of the line goes out before its answer.
            Echo(echo, nowMs);
            echo.clear();
        }
        FeedCommandByte(c, nowMs);
        if (!poweredOn_) return;
    }
    Echo(echo, nowMs);
}

void Phone::FeedCommandByte(char c, std::int64_t nowMs) {
    if (c == '\r') {
        std::string line;
        line.swap(line_);
        HandleLine(line, nowMs);
        return;
    }
    if (c == '\n' || c == '\0') return;
    if (c == '\b') {
        if (!line_.empty()) line_.pop_back();
        return;
    }
    if (line_.size() < 4096) line_ += c;
    // "A/" repeats the last command line at once, without a carriage return.
    if (line_.size() == 2 && line_[1] == '/' && (line_[0] == 'A' || line_[0] == 'a')) {
        line_.clear();
        if (!lastLine_.empty()) HandleLine(lastLine_, nowMs);
    }
}

void Phone::FeedBodyByte(char c, std::int64_t nowMs) {
    if (c == kEsc) {
        received_.push_back(ReceivedLine{nowMs, body_ + c, true});
        body_.clear();
        pendingBody_.reset();
        mode_ = Mode::Command;
        uploadType_.clear();
        Answer a;
        EnqueueAnswer(a, nowMs, std::nullopt);
        return;
    }
    if (c != kCtrlZ) {
        if (body_.size() < 65536) body_ += c;
        return;
    }
    received_.push_back(ReceivedLine{nowMs, body_ + c, true});
    std::string body;
    body.swap(body_);
    PendingBody pending = std::move(*pendingBody_);
    pendingBody_.reset();
    mode_ = Mode::Command;
    if (pending.fault && pending.fault->result) {
        Answer a;
        a.final = *pending.fault->result;
        EnqueueAnswer(a, nowMs, pending.fault);
        return;
    }
    executing_ = true;
    EnqueueAnswer(FinishBody(pending.command, body, nowMs), nowMs, pending.fault);
    FlushDeferred(nowMs);
}

void Phone::HandleLine(const std::string& line, std::int64_t nowMs) {
    // A command line starts with "AT" (either case); what stands before it is noise.
    std::size_t at = std::string::npos;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if ((line[i] == 'A' || line[i] == 'a') && (line[i + 1] == 'T' || line[i + 1] == 't')) {
            at = i;
            break;
        }
    }
    if (at == std::string::npos) return;
    received_.push_back(ReceivedLine{nowMs, line, false});
    std::string cmdLine = line.substr(at);
    // Blanks at the end of a line carry no meaning.
    while (!cmdLine.empty() && cmdLine.back() == ' ') cmdLine.pop_back();
    lastLine_ = cmdLine;

    std::optional<CommandFault> fault = TakeFault(cmdLine);
    if (fault && fault->noAnswer) return;

    executing_ = true;
    HandleCommands(cmdLine, fault, nowMs);
    FlushDeferred(nowMs);
}

void Phone::HandleCommands(const std::string& cmdLine, const std::optional<CommandFault>& fault,
                           std::int64_t nowMs) {
    std::vector<Command> commands;
    if (!SplitCommands(std::string_view(cmdLine).substr(2), commands)) {
        EnqueueAnswer(Error(), nowMs, fault);
        return;
    }
    Answer total;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const Command& c = commands[i];
        if (fault && fault->result &&
            !(c.name == "+CMGW" || c.name == "+CMGS" || c.name == "^SBNW")) {
            total.lines.clear();
            total.final = *fault->result;
            break;
        }
        Answer a = Execute(c, nowMs);
        if (!poweredOn_ && a.final.empty()) return;
        total.lines.insert(total.lines.end(), a.lines.begin(), a.lines.end());
        total.final = a.final;
        if (a.prompt) {
            if (i + 1 != commands.size()) {
                total.lines.clear();
                total.final = "ERROR";
                uploadType_.clear();
                break;
            }
            total.prompt = true;
            mode_ = Mode::Body;
            body_.clear();
            pendingBody_ = PendingBody{c, fault};
            // A scripted delay holds the prompt back too; the other faults shape the
            // answer after the body.
            Enqueue("\r\n> ", static_cast<double>(nowMs + options_.answerDelayMs +
                                                  (fault ? fault->delayMs : 0)));
            return;
        }
        if (a.final != "OK") break;
    }
    EnqueueAnswer(total, nowMs, fault);
}

void Phone::EnqueueAnswer(const Answer& answer, std::int64_t nowMs,
                          const std::optional<CommandFault>& fault) {
    const auto framed = [](const std::vector<std::string>& lines) {
        std::string out;
        for (const auto& line : lines) out += "\r\n" + line + "\r\n";
        return out;
    };
    std::string bytes;
    if (fault) bytes += framed(fault->unsolicitedBeforeAnswer);
    if (!answer.lines.empty()) {
        bytes += "\r\n";
        for (std::size_t i = 0; i < answer.lines.size(); ++i) {
            if (i) bytes += "\r\n";
            bytes += answer.lines[i];
        }
        bytes += "\r\n";
    }
    if (fault) bytes += framed(fault->unsolicitedBeforeResult);
    if (!answer.final.empty())
        bytes +=
            "\r\n" + (fault ? fault->garbageBeforeResult : std::string()) + answer.final + "\r\n";
    double at = static_cast<double>(nowMs + options_.answerDelayMs);
    if (!fault) {
        Enqueue(std::move(bytes), at);
        return;
    }
    at += fault->delayMs;
    bytes = fault->garbageBefore + bytes;
    std::vector<std::size_t> cuts = fault->splitAt;
    std::sort(cuts.begin(), cuts.end());
    std::size_t from = 0;
    int piece = 0;
    for (std::size_t cut : cuts) {
        if (cut <= from || cut >= bytes.size()) continue;
        Enqueue(bytes.substr(from, cut - from), at + static_cast<double>(piece) * fault->splitGapMs,
                piece > 0);
        from = cut;
        ++piece;
    }
    Enqueue(bytes.substr(from), at + static_cast<double>(piece) * fault->splitGapMs, piece > 0);
    for (const auto& line : fault->unsolicitedAfter) Enqueue("\r\n" + line + "\r\n", at, false);
    Enqueue(fault->rawAfter, at, false);
}

// Splits the text after "AT" into commands: basic ones (a letter or "&" and a
// letter with digits; "D" takes the rest of the line; "S" registers) and
// extended ones ("+" or "^" and a name, up to ";").
bool Phone::SplitCommands(std::string_view body, std::vector<Command>& out) const {
    std::size_t i = 0;
    while (i < body.size()) {
        char c = body[i];
        if (c == ' ' || c == ';') {
            ++i;
            continue;
        }
        Command cmd;
        if (c == '+' || c == '^') {
            std::size_t j = i + 1;
            while (j < body.size() && (IsLetter(body[j]) || IsDigit(body[j]))) ++j;
            if (j == i + 1) return false;
            cmd.name = Upper(body.substr(i, j - i));
            // The rest up to ';' outside quotes.
            std::size_t k = j;
            bool quoted = false;
            while (k < body.size() && (quoted || body[k] != ';')) {
                if (body[k] == '"') quoted = !quoted;
                ++k;
            }
            std::string_view rest = body.substr(j, k - j);
            if (rest.empty()) {
                cmd.form = Command::Exec;
            } else if (rest == "?") {
                cmd.form = Command::Read;
            } else if (rest == "=?") {
                cmd.form = Command::Test;
            } else if (rest.front() == '=') {
                cmd.form = Command::Set;
                cmd.args = std::string(rest.substr(1));
            } else {
                return false;
            }
            out.push_back(cmd);
            i = k;
            continue;
        }
        if (c == '&') {
            if (i + 1 >= body.size() || !IsLetter(body[i + 1])) return false;
            cmd.name = "&" + Upper(body.substr(i + 1, 1));
            std::size_t j = i + 2;
            while (j < body.size() && IsDigit(body[j])) ++j;
            cmd.args = std::string(body.substr(i + 2, j - i - 2));
            out.push_back(cmd);
            i = j;
            continue;
        }
        if (!IsLetter(c)) return false;
        char letter = static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
        if (letter == 'D') {
            cmd.name = "D";
            cmd.args = std::string(body.substr(i + 1));
            out.push_back(cmd);
            return true;
        }
        if (letter == 'S') {
            std::size_t j = i + 1;
            while (j < body.size() && IsDigit(body[j])) ++j;
            if (j == i + 1) return false;
            cmd.name = "S" + std::string(body.substr(i + 1, j - i - 1));
            if (j < body.size() && body[j] == '?') {
                cmd.form = Command::Read;
                ++j;
            } else if (j < body.size() && body[j] == '=') {
                std::size_t k = j + 1;
                while (k < body.size() && IsDigit(body[k])) ++k;
                cmd.form = Command::Set;
                cmd.args = std::string(body.substr(j + 1, k - j - 1));
                j = k;
            }
            out.push_back(cmd);
            i = j;
            continue;
        }
        cmd.name = std::string(1, letter);
        std::size_t j = i + 1;
        while (j < body.size() && IsDigit(body[j])) ++j;
        cmd.args = std::string(body.substr(i + 1, j - i - 1));
        out.push_back(cmd);
        i = j;
    }
    return true;
}

std::vector<Phone::Param> Phone::ParseParams(std::string_view args) {
    std::vector<Param> params;
    if (args.empty()) return params;
    Param cur;
    bool quoted = false;
    for (char c : args) {
        if (quoted) {
            if (c == '"') quoted = false;
            else cur.text += c;
            continue;
        }
        if (c == '"') {
            quoted = true;
            cur.quoted = true;
            cur.empty = false;
        } else if (c == ',') {
            params.push_back(cur);
            cur = Param{};
        } else if (c != ' ') {
            cur.text += c;
            cur.empty = false;
        }
    }
    params.push_back(cur);
    return params;
}

// ---------------------------------------------------------------- answers

Phone::Answer Phone::Error() {
    Answer a;
    a.final = "ERROR";
    return a;
}

Phone::Answer Phone::CmeError(int code) const {
    Answer a;
    if (state_.settings.cmee == 0) a.final = "ERROR";
    else a.final = "+CME ERROR: " + std::to_string(code);
    return a;
}

Phone::Answer Phone::CmsError(int code) const {
    Answer a;
    if (state_.settings.cmee == 0) a.final = "ERROR";
    else a.final = "+CMS ERROR: " + std::to_string(code);
    return a;
}

std::int64_t Phone::ClockRun(std::int64_t nowMs) const {
    return options_.clockStands ? 0 : nowMs / 1000;
}

std::int64_t Phone::ClockSeconds(std::int64_t nowMs) const { return clockBase_ + ClockRun(nowMs); }

std::string Phone::ClockText(std::int64_t nowMs) const {
    return FormatClockText(ClockSeconds(nowMs));
}

void Phone::PowerOn() {
    poweredOn_ = true;
    mode_ = Mode::Command;
    line_.clear();
    state_.settings = seededSettings_;
}

}  // namespace phonesim

#include "engine/parse/answer_reader.h"

#include "engine/core/strings.h"

namespace parlenko {

bool AnswerReader::SkipPrefix() {
    if (!more_) return false;
    const auto colon = rest_.substr(0, rest_.find(',')).find(':');
    if (colon == std::string_view::npos) return false;
    rest_.remove_prefix(colon + 1);
    while (!rest_.empty() && rest_.front() == ' ') rest_.remove_prefix(1);
    return true;
}

bool AnswerReader::SkipCommand() {
    if (!more_) return false;
    const auto equals = rest_.find('=');
    if (equals == std::string_view::npos) return false;
    rest_.remove_prefix(equals + 1);
    return true;
}

void AnswerReader::Skip(std::size_t n) { NextChars(n); }

std::string_view AnswerReader::NextChars(std::size_t n) {
    if (!more_) return {};
    const std::string_view chars = rest_.substr(0, n);
    rest_.remove_prefix(chars.size());
    return chars;
}

std::string_view AnswerReader::NextField() {
    if (!more_) return {};
    const auto comma = rest_.find(',');
    const std::string_view field = rest_.substr(0, comma);
    if (comma == std::string_view::npos) {
        rest_ = {};
        more_ = false;
    } else {
        rest_.remove_prefix(comma + 1);
    }
    return field;
}

std::optional<long long> AnswerReader::NextNumber() {
    if (!more_) return std::nullopt;
    return ParseInt(NextField());
}

std::string_view AnswerReader::NextUnquoted() { return Unquoted(NextField()); }

std::optional<std::string_view> AnswerReader::NextString() {
    if (!more_) return std::nullopt;
    std::size_t open = 0;
    while (open < rest_.size() && rest_[open] == ' ') ++open;
    if (open >= rest_.size() || rest_[open] != '"') {
        NextField();
        return std::nullopt;
    }
    const auto close = rest_.find('"', open + 1);
    if (close == std::string_view::npos) {
        Rest();
        return std::nullopt;
    }
    const std::string_view text = rest_.substr(open + 1, close - open - 1);
    rest_.remove_prefix(close + 1);
    NextField();  // whatever stands between the closing quote and the comma
    return text;
}

std::string_view AnswerReader::Rest() {
    const std::string_view rest = more_ ? rest_ : std::string_view();
    rest_ = {};
    more_ = false;
    return rest;
}

std::string_view Unquoted(std::string_view text) {
    if (!text.empty() && text.front() == '"') text.remove_prefix(1);
    if (!text.empty() && text.back() == '"') text.remove_suffix(1);
    return text;
}

}  // namespace parlenko

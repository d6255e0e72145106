#include "engine/receive/rx_lines.h"

namespace parlenko {

void RxLineList::Reset() {
    lines_.assign(kFloor, std::string());
    ++generation_;
}

void RxLineList::BlankAll() {
    for (auto& l : lines_) l.clear();
}

std::string RxLineList::At(int i) const {
    if (i < 0 || i >= Size()) return {};
    return lines_[static_cast<std::size_t>(i)];
}

bool RxLineList::IsBlank(int i) const {
    return i < 0 || i >= Size() || lines_[static_cast<std::size_t>(i)].empty();
}

int RxLineList::Length(int i) const {
    if (i < 0 || i >= Size()) return 0;
    return static_cast<int>(lines_[static_cast<std::size_t>(i)].size());
}

bool RxLineList::Is(int i, std::string_view text) const {
    if (i < 0 || i >= Size()) return false;
    return lines_[static_cast<std::size_t>(i)] == text;
}

bool RxLineList::StartsWith(int i, std::string_view prefix) const {
    if (prefix.empty() || i < 0 || i >= Size()) return false;
    return lines_[static_cast<std::size_t>(i)].starts_with(prefix);
}

void RxLineList::Blank(int i) {
    if (i >= 0 && i < Size()) lines_[static_cast<std::size_t>(i)].clear();
}

void RxLineList::Set(int i, std::string text) {
    if (i >= 0 && i < Size()) lines_[static_cast<std::size_t>(i)] = std::move(text);
}

void RxLineList::Append(std::string text) { lines_.push_back(std::move(text)); }

void RxLineList::AddChunk(std::string_view chunk) {
    std::string s;
    s.reserve(chunk.size());
    for (char c : chunk)
        if (c != '\n') s += c;
    if (lines_.empty()) lines_.emplace_back();
    // The old remainder goes in front; the first completed line replaces it.
    std::string text = lines_.back() + s;
    bool first = true;
    std::size_t start = 0;
    for (;;) {
        auto cr = text.find('\r', start);
        if (cr == std::string::npos) break;
        std::string line = text.substr(start, cr - start);
        if (first) {
            lines_.back() = std::move(line);
            first = false;
        } else {
            lines_.push_back(std::move(line));
        }
        start = cr + 1;
    }
    std::string rest = text.substr(start);
    if (first) lines_.back() = std::move(rest);
    else lines_.push_back(std::move(rest));
}

}  // namespace parlenko

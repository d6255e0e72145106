#include "engine/receive/rx_lines.h"

#include <algorithm>

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

int RxLineList::Compact() {
    if (walks_ > 0 || Size() <= kFloor) return 0;
    // The remainder stays whatever it holds: a line may be arriving in it.
    const std::size_t last = lines_.size() - 1;
    std::size_t first = 0;
    while (first < last && lines_[first].empty()) ++first;
    const std::size_t removable = lines_.size() - static_cast<std::size_t>(kFloor);
    const std::size_t n = std::min(first, removable);
    if (n == 0) return 0;
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(n));
    return static_cast<int>(n);
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

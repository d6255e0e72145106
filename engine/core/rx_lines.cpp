#include "engine/core/rx_lines.h"

#include <algorithm>

namespace parlenko {

void RxLineList::Reset() {
    dropped_ += lines_.size();
    lines_.assign(kFloor, Entry{});
    ++generation_;
}

void RxLineList::BlankAll() {
    for (auto& l : lines_) l.text.clear();
}

const RxLineList::Entry* RxLineList::EntryAt(int i) const {
    if (i < 0 || i >= Size()) return nullptr;
    return &lines_[static_cast<std::size_t>(i)];
}

std::string RxLineList::At(int i) const {
    const Entry* e = EntryAt(i);
    return e ? e->text : std::string();
}

bool RxLineList::IsBlank(int i) const {
    const Entry* e = EntryAt(i);
    return !e || e->text.empty();
}

int RxLineList::Length(int i) const {
    const Entry* e = EntryAt(i);
    return e ? static_cast<int>(e->text.size()) : 0;
}

bool RxLineList::Is(int i, std::string_view text) const {
    const Entry* e = EntryAt(i);
    return e && e->text == text;
}

bool RxLineList::StartsWith(int i, std::string_view prefix) const {
    const Entry* e = EntryAt(i);
    return e && !prefix.empty() && e->text.starts_with(prefix);
}

void RxLineList::Blank(int i) {
    if (i >= 0 && i < Size()) lines_[static_cast<std::size_t>(i)].text.clear();
}

void RxLineList::Set(int i, std::string text) {
    if (i < 0 || i >= Size()) return;
    Entry& e = lines_[static_cast<std::size_t>(i)];
    e.text = std::move(text);
    e.cut = false;
}

int RxLineList::Compact() {
    if (walks_ > 0 || Size() <= kFloor) return 0;
    // The remainder stays whatever it holds: a line may be arriving in it.
    const std::size_t last = lines_.size() - 1;
    std::size_t first = 0;
    while (first < last && lines_[first].text.empty()) ++first;
    const std::size_t removable = lines_.size() - static_cast<std::size_t>(kFloor);
    const std::size_t n = std::min(first, removable);
    if (n == 0) return 0;
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(n));
    dropped_ += n;
    return static_cast<int>(n);
}

int RxLineList::AddChunk(std::string_view chunk) {
    if (lines_.empty()) lines_.emplace_back();
    const int first = Size() - 1;
    std::size_t start = 0;
    while (start <= chunk.size()) {
        const std::size_t cr = chunk.find('\r', start);
        const std::string_view piece =
            chunk.substr(start, cr == std::string_view::npos ? std::string_view::npos : cr - start);
        Entry& rest = lines_.back();
        for (char c : piece)
            if (c != '\n' && !(c == '\0' && rest.text.empty())) rest.text += c;
        if (rest.text.size() > kLongestLine) {
            rest.text.erase(0, rest.text.size() - kLongestLine);
            rest.cut = true;
        }
        if (cr == std::string_view::npos) break;
        while (!rest.text.empty() && rest.text.back() == '\0') rest.text.pop_back();
        rest.receivedEmpty = rest.text.empty();
        lines_.emplace_back();
        start = cr + 1;
    }
    return first;
}

bool RxLineList::WasCut(int i) const {
    const Entry* e = EntryAt(i);
    return e && e->cut;
}

void RxLineList::MarkOutOfTurn(int i, bool withFraming) {
    if (i < 0 || i >= Size()) return;
    lines_[static_cast<std::size_t>(i)].outOfTurn = true;
    if (!withFraming || i == 0) return;
    Entry& above = lines_[static_cast<std::size_t>(i - 1)];
    if (above.receivedEmpty && above.text.empty() && !above.outOfTurn) above.outOfTurn = true;
}

bool RxLineList::IsOutOfTurn(int i) const {
    const Entry* e = EntryAt(i);
    return e && e->outOfTurn;
}

int RxLineList::Above(int i, int n) const {
    int k = i;
    for (int counted = 0; counted < n;) {
        if (--k < 0) return -1;
        if (!IsOutOfTurn(k)) ++counted;
    }
    return k;
}

int RxLineList::Below(int i, int n) const {
    int k = i;
    for (int counted = 0; counted < n;) {
        if (++k >= Size()) return Size();
        if (!IsOutOfTurn(k)) ++counted;
    }
    return k;
}

}  // namespace parlenko

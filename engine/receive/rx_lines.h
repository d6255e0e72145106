#pragma once
// The received-lines list: every line of the connection, in order, with the
// unterminated remainder as the last entry. Handled lines are blanked, not
// removed on the spot, because final results find their command by counting
// entries up to its echo. Between walks, the run of blank entries at the top
// of the list is dropped (Compact): nothing below it moves relative to
// anything else, so every count up to an echo stays what it was.
//
// The receive handler is re-entrant (a message box opened from a scan lets
// nested calls handle new chunks on this same list), so nobody may hold a
// reference into the list across a call out: At() returns a copy, every
// access is bounds-checked (outside the list reads as an empty line) and
// Reset() bumps a generation that an outer scan checks to notice it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

class RxLineList {
public:
    static constexpr int kFloor = 20;  // never fewer entries than this

    RxLineList() { Reset(); }

    // Clears the list and fills it with kFloor empty entries.
    void Reset();
    // Blanks every entry but keeps them (the time-out).
    void BlankAll();

    int Size() const { return static_cast<int>(lines_.size()); }
    // Entry i, or "" when i is outside the list.
    std::string At(int i) const;
    // Entry i is empty (true outside the list).
    bool IsBlank(int i) const;
    // Length of entry i (0 outside the list).
    int Length(int i) const;
    // Entry i equals text (false outside the list).
    bool Is(int i, std::string_view text) const;
    // Entry i begins with prefix (false outside the list or for an empty prefix).
    bool StartsWith(int i, std::string_view prefix) const;
    void Blank(int i);
    void Set(int i, std::string text);
    void Append(std::string text);

    // Adds a received chunk: line feeds dropped, lines cut at carriage
    // returns; the old remainder is completed in place and the new
    // remainder becomes the last entry.
    void AddChunk(std::string_view chunk);

    std::uint64_t Generation() const { return generation_; }

    // Marks a walk over the list (a scan) for as long as it lives; walks nest.
    class Walk {
    public:
        explicit Walk(RxLineList& list) : list_(list) { ++list_.walks_; }
        ~Walk() { --list_.walks_; }
        Walk(const Walk&) = delete;
        Walk& operator=(const Walk&) = delete;

    private:
        RxLineList& list_;
    };

    // Drops the blank entries above the first non-blank one (the remainder
    // counts as non-blank), keeping at least kFloor entries. Does nothing
    // while a walk is in progress, since a walk holds indexes. Returns how
    // many entries went: every index left moved down by that much.
    int Compact();

private:
    std::vector<std::string> lines_;
    std::uint64_t generation_ = 0;
    int walks_ = 0;
};

}  // namespace parlenko

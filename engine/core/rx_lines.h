#pragma once
// The received-lines list: every line of the connection, in order, with the
// unterminated remainder as the last entry. Handled lines are blanked, not
// removed on the spot, because final results find their command by counting
// entries up to its echo. Between walks, the run of blank entries at the top
// of the list is dropped (Compact): nothing below it moves relative to
// anything else, so every count up to an echo stays what it was.
//
// Lines the phone sends out of turn (a call, a notice) are marked as such
// together with the empty line that framed them, and the counts up to an
// echo pass over them (Above, Below): an exchange reads the same whether a
// notice fell into it or not.
//
// The receive handler is re-entrant (a message box opened from a scan lets
// nested calls handle new chunks on this same list), so nobody may hold a
// reference into the list across a call out: At() returns a copy, every
// access is bounds-checked (outside the list reads as an empty line) and
// Reset() bumps a generation that an outer scan checks to notice it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

class RxLineList {
public:
    static constexpr int kFloor = 20;  // never fewer entries than this
    // A line keeps at most this many characters: of a longer one (a device
    // that talks without ever ending a line) only the last ones are kept, so
    // that an echo that follows the noise still ends the line whole, and the
    // line is marked cut (WasCut). The longest line the phone sends (an
    // object packet, a message PDU) is a few hundred characters.
    static constexpr std::size_t kLongestLine = 16384;

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

    // Adds a received chunk: line feeds dropped, lines cut at carriage
    // returns; the old remainder is completed in place and the new remainder
    // becomes the last entry. A NUL byte inside a line is kept: it is the
    // phone's "@" (GSM code 0) in a quoted name or text. NUL bytes before a
    // line's first character and at its end are noise and dropped, since no
    // line the engine reads begins or ends with "@" ("\0OK" is "OK"). Costs
    // the chunk's size. Returns the first entry the chunk changed (the old
    // remainder's).
    int AddChunk(std::string_view chunk);
    // Entry i lost its beginning to the length cap: it is no line the phone
    // sent whole.
    bool WasCut(int i) const;

    // Out-of-turn lines. Marking entry i marks the empty line the phone put
    // in front of it too (a received empty line right above, not yet
    // marked), unless withFraming is false (a line that follows its header).
    void MarkOutOfTurn(int i, bool withFraming = true);
    bool IsOutOfTurn(int i) const;
    // The entry n in-turn entries above i (n = 0: i itself), passing over
    // out-of-turn ones; -1 when the list ends first.
    int Above(int i, int n) const;
    // The entry n in-turn entries below i; Size() when the list ends first.
    int Below(int i, int n) const;

    std::uint64_t Generation() const { return generation_; }
    // A number for entry i that keeps the order lines arrived in across
    // compactions and resets (a later line has a larger number).
    std::uint64_t ArrivalNumber(int i) const {
        return dropped_ + static_cast<std::uint64_t>(std::max(i, 0));
    }

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
    struct Entry {
        std::string text;
        bool receivedEmpty = false;  // completed with nothing in it: a framing line
        bool outOfTurn = false;
        bool cut = false;  // longer than kLongestLine: its beginning was dropped
    };
    const Entry* EntryAt(int i) const;

    std::vector<Entry> lines_;
    std::uint64_t generation_ = 0;
    std::uint64_t dropped_ = 0;  // entries removed from the top so far
    int walks_ = 0;
};

}  // namespace parlenko

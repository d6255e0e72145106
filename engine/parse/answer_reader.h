#pragma once
// Reads one answer line field by field, left to right, so that each answer
// is parsed once:
//
//   AnswerReader r("+CPBS: \"SM\",3,250");
//   r.SkipPrefix();                 // past "+CPBS: "
//   r.NextString();                 // "SM"
//   r.NextNumber();                 // 3
//   r.NextNumber();                 // 250
//
// Fields are separated by commas. A field that does not hold what is asked
// for yields nullopt (or the empty text) and is consumed all the same, so a
// garbled field never shifts the ones after it. Nothing here throws.
//
// Some answers are read by character positions instead (a hex page, a code
// of fixed width, the memory between the quotes of an echoed selection):
// Skip and NextChars move by characters, commas included, and the field
// reads go on from where they stop.
//
//   AnswerReader e("AT+CPBS=\"SM\"");
//   e.SkipCommand();                // past "AT+CPBS="
//   e.Skip(1);                      // the opening quote
//   e.NextChars(2);                 // "SM"

#include <cstddef>
#include <optional>
#include <string_view>

namespace parlenko {

class AnswerReader {
public:
    explicit AnswerReader(std::string_view line) : rest_(line) {}

    // Skips the response prefix: the text up to the first ':' of the first
    // field and the blanks after it. Returns false, skipping nothing, when the
    // first field has no ':'.
    bool SkipPrefix();
    // Skips the command of an echoed command line: the text up to and
    // including the first '='. Returns false, skipping nothing, when the line
    // has none.
    bool SkipCommand();
    // Passes over n characters (what is left when fewer are).
    void Skip(std::size_t n);

    // Whether a field is left: the line has its first field (empty or not)
    // and one more after each comma.
    bool HasField() const { return more_; }
    // The first character of the next field; '\0' when it is empty or absent.
    char Peek() const { return more_ && !rest_.empty() ? rest_.front() : '\0'; }

    // The next field as it stands, up to the next comma; "" when none is left.
    std::string_view NextField();
    // The next field read as a whole decimal number (blanks around it
    // allowed); nullopt when it is not one or no field is left.
    std::optional<long long> NextNumber();
    // The next field without one double quote at its start and one at its end.
    std::string_view NextUnquoted();
    // The text between the double quotes that open the next field (after any
    // blanks); commas inside the quotes belong to it. The reader goes on after
    // the next comma behind the closing quote. nullopt when the field does not
    // open with a quote or the quote is not closed (the field is consumed).
    std::optional<std::string_view> NextString();
    // The next n characters as they stand, commas included (what is left
    // when fewer are); "" when no field is left.
    std::string_view NextChars(std::size_t n);
    // Everything not read yet, commas included; nothing is left after it.
    std::string_view Rest();

private:
    std::string_view rest_;
    bool more_ = true;
};

// The same as NextUnquoted for a whole text: one leading and one trailing
// double quote removed.
std::string_view Unquoted(std::string_view text);

}  // namespace parlenko

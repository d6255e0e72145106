#include "engine/phonebook/cpbr_answer.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/text/gsm_alphabet.h"

namespace parlenko {

CpbrEntry ReadCpbrEntry(std::string_view line) {
    AnswerReader r(line);
    r.SkipPrefix();
    CpbrEntry entry;
    const std::string_view position = r.NextField();
    if (const auto value = ParseInt(position); value && *value >= 0)
        entry.position = IntToStrPadded(*value, 3);
    entry.number = std::string(r.NextString().value_or(std::string_view()));
    r.NextField();  // the number's type
    if (r.HasField()) entry.name = PhonebookNameFromGsm(Unquoted(r.Rest()));
    return entry;
}

}  // namespace parlenko

// Phonebooks and call lists: +CPBS, ^SPBS, +CPBR, +CPBW.

#include "phonesim/command_util.h"
#include "phonesim/gsm_text.h"
#include "phonesim/pdu.h"
#include "phonesim/phone.h"

#include <algorithm>

namespace phonesim {

using namespace detail;

// ---------------------------------------------------------------- phonebooks

std::optional<Phone::Answer> Phone::PhonebookCommand(const Command& c, std::int64_t nowMs) {
    static constexpr CommandRow kTable[] = {
        {"+CPBS", &Phone::OnCpbs},
        {"^SPBS", &Phone::OnCpbs},
        {"+CPBR", &Phone::OnCpbr},
        {"+CPBW", &Phone::OnCpbw},
    };
    return Dispatch(kTable, c, nowMs);
}

// +CPBS and the Siemens ^SPBS, which alone reaches the service numbers.
Phone::Answer Phone::OnCpbs(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    const std::string& n = c.name;
    const bool siemens = n == "^SPBS";
    if (c.form == Command::Set) {
        if (params.size() != 1) return Error();
        std::string id = Upper(params[0].text);
        if (!state_.phonebooks.count(id) || (!siemens && id == "SD")) return Error();
        state_.settings.phonebook = id;
        return ok;
    }
    if (c.form == Command::Read) {
        Phonebook* book = SelectedPhonebook();
        if (!book) return CmeError(3);
        ok.lines = {n + ": " + Quote(state_.settings.phonebook) + "," +
                    std::to_string(book->entries.size()) + "," + std::to_string(book->capacity)};
        return ok;
    }
    if (c.form == Command::Test) {
        std::string list;
        for (const auto& [id, book] : state_.phonebooks) {
            if (!siemens && id == "SD") continue;
            // Appended: GCC 12 warns falsely (-Wrestrict) on "text" + a temporary string.
            list.append(list.empty() ? "" : ",").append(Quote(id));
        }
        ok.lines = {n + ": (" + list + ")"};
        return ok;
    }
    return Error();
}

Phone::Answer Phone::OnCpbr(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    Phonebook* book = SelectedPhonebook();
    if (c.form == Command::Test) {
        if (!book) return CmeError(3);
        ok.lines = {"+CPBR: (1-" + std::to_string(book->capacity) + ")," +
                    std::to_string(book->numberLength) + "," + std::to_string(book->nameLength)};
        return ok;
    }
    if (c.form != Command::Set || params.empty() || params.size() > 2) return Error();
    auto first = ToInt(params[0].text);
    auto last = params.size() == 2 ? ToInt(params[1].text) : first;
    if (!first || !last) return Error();
    if (!book) return CmeError(3);
    if (*first < 1 || *last > book->capacity || *first > *last) return CmeError(21);
    for (auto it = book->entries.lower_bound(*first);
         it != book->entries.end() && it->first <= *last; ++it) {
        ok.lines.push_back("+CPBR: " + std::to_string(it->first) + "," + Quote(it->second.number) +
                           "," + std::to_string(it->second.type) + "," + Quote(it->second.name));
    }
    return ok;
}

Phone::Answer Phone::OnCpbw(const Command& c, const Params& params, std::int64_t) {
    Answer ok;
    Phonebook* book = SelectedPhonebook();
    if (c.form == Command::Test) {
        if (!book) return CmeError(3);
        ok.lines = {"+CPBW: (1-" + std::to_string(book->capacity) + ")," +
                    std::to_string(book->numberLength) + ",(128-255)," +
                    std::to_string(book->nameLength)};
        return ok;
    }
    if (c.form != Command::Set || params.empty() || params.size() > 4) return Error();
    if (!book) return CmeError(3);
    if (!book->writable) return CmeError(3);
    std::optional<int> index;
    if (!params[0].empty) {
        index = ToInt(params[0].text);
        if (!index) return Error();
        if (*index < 1 || *index > book->capacity) return CmeError(21);
    }
    // Only the index, or neither number nor name: the entry is deleted.
    const bool erase = params.size() == 1 ||
                       (params[1].text.empty() && (params.size() < 4 || params[3].text.empty()));
    if (erase) {
        if (!index) return Error();
        book->entries.erase(*index);
        return ok;
    }
    return WriteEntry(*book, index, params);
}

// An entry written at `index`, or at the first free position without one.
Phone::Answer Phone::WriteEntry(Phonebook& book, std::optional<int> index, const Params& params) {
    std::string number = params.size() > 1 ? params[1].text : "";
    if (!ValidNumber(number)) return CmeError(27);
    std::string digits = !number.empty() && number[0] == '+' ? number.substr(1) : number;
    if (static_cast<int>(digits.size()) > book.numberLength) return CmeError(26);
    int type = number.size() && number[0] == '+' ? 145 : 129;
    if (params.size() > 2 && !params[2].empty) {
        auto t = ToInt(params[2].text);
        if (!t || *t < 128 || *t > 255) return Error();
        type = *t;
    }
    std::string name;
    if (params.size() > 3) {
        auto decoded = DecodeGsmArgument(params[3].text);
        if (!decoded) return CmeError(25);
        name = *decoded;
    }
    if (static_cast<int>(GsmLength(name)) > book.nameLength) return CmeError(24);
    if (!index) {
        int free = book.FirstFree();
        if (free < 1) return CmeError(20);
        index = free;
    }
    book.entries[*index] = PhonebookEntry{number, type, name};
    return Answer{};
}

}  // namespace phonesim

#include "engine/text/phonebook_lookup.h"

namespace parlenko {

std::string DisplayName(std::string_view name) {
    if (!name.empty() && name.back() == '!') name.remove_suffix(1);
    return std::string(name);
}

std::string FindNameByNumber(std::string_view number, const std::vector<AListIme>& phonebook) {
    for (const auto& entry : phonebook)
        if (entry.Phone == number) return DisplayName(entry.Name);
    return {};
}

}  // namespace parlenko

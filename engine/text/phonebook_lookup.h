#pragma once
// Names of phone numbers, looked up in the phonebook read from the phone.

#include <string>
#include <string_view>
#include <vector>

#include "engine/phone/records.h"

namespace parlenko {

// A phonebook name as shown: without the trailing "!" that marks a VIP entry.
std::string DisplayName(std::string_view name);

// The shown name of the first entry whose Phone equals number exactly;
// empty when none does.
std::string FindNameByNumber(std::string_view number, const std::vector<AListIme>& phonebook);

}  // namespace parlenko

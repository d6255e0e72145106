#include "engine/text/balance_amount.h"

namespace parlenko {

std::string KeepDigitsAndSeparators(std::string_view s) {
    std::string out;
    for (char c : s)
        if ((c >= '0' && c <= '9') || c == '.' || c == ',') out += c;
    if (!out.empty() && out.back() == '.') out.pop_back();
    return out;
}

}  // namespace parlenko

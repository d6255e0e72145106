#include "engine/phone/free_positions.h"

#include "engine/core/strings.h"

namespace parlenko {

std::string PositionText(int position) { return IntToStrPadded(position, 3); }

void FillFreePositionList(std::vector<std::string>& list, int count) {
    for (int i = 1; i <= count; ++i) list.push_back(PositionText(i));
}

bool BlankFreePosition(std::vector<std::string>& list, std::string_view position) {
    auto value = ParseInt(position);
    if (!value || *value < 1 || *value > static_cast<long long>(list.size())) return false;
    list[static_cast<std::size_t>(*value - 1)].clear();
    return true;
}

std::string FirstFreePosition(const std::vector<std::string>& list) {
    for (const auto& line : list)
        if (!line.empty()) return line;
    return {};
}

}  // namespace parlenko

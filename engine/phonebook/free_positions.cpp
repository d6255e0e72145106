#include "engine/phonebook/free_positions.h"

#include "engine/core/strings.h"
#include "engine/phonebook/phonebook_state.h"

namespace parlenko {

std::string PositionText(int position) { return IntToStrPadded(position, 3); }

void FillFreePositionList(std::vector<std::string>& list, int count) {
    for (int i = 1; i <= count; ++i) list.push_back(PositionText(i));
}

std::vector<std::string>* FreePositionList(PhonebookReadState& state, PhoneMemory memory) {
    return IsWritable(memory) ? &state.Of(memory).FreePositions : nullptr;
}

void RefillFreePositionList(PhonebookReadState& state, PhoneMemory memory, int count) {
    if (auto* list = FreePositionList(state, memory)) {
        list->clear();
        FillFreePositionList(*list, count);
    }
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

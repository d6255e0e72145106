#include "engine/phonebook/free_positions.h"

#include "engine/phonebook/phonebook_state.h"

namespace parlenko {

std::vector<std::string>* FreePositionList(PhonebookReadState& state, PhoneMemory memory) {
    return IsWritable(memory) ? &state.Of(memory).FreePositions : nullptr;
}

void RefillFreePositionList(PhonebookReadState& state, PhoneMemory memory, int count) {
    if (auto* list = FreePositionList(state, memory)) {
        list->clear();
        FillFreePositionList(*list, count);
    }
}

}  // namespace parlenko

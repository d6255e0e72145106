#include "engine/phonebook/phonebook_topic.h"

#include "engine/phonebook/phonebook_actions.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/phonebook/restore_step.h"

namespace parlenko {

namespace {

// No answer comes for the entry operation any more; a restore run ends and
// tells its outcome.
void EntryOperationEnds(EngineContext& ctx) {
    ClearPhonebookOp(Phonebook(ctx).Op);
    if (IsRestoring(Phonebook(ctx).Op)) AbortRestore(ctx);
}

}  // namespace

void RegisterPhonebook(TopicRegistry& registry) {
    registry.tables.push_back({PhonebookActions()});
    registry.unansweredWrites.push_back(EndUnansweredPhonebookWrite);
    registry.reads.push_back(StopPhonebookRead);
    registry.reads.push_back(StopCallListRead);
    registry.ended.push_back(EntryOperationEnds);
}

}  // namespace parlenko

#include "engine/sms/sms_topic.h"

#include "engine/conversation/scan_tests.h"
#include "engine/core/result_codes.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/sms/refresh_sms.h"
#include "engine/sms/sms_actions.h"
#include "engine/sms/sms_notices.h"
#include "engine/sms/sms_operations.h"
#include "engine/sms/sms_state.h"
#include "engine/sms/sms_steps.h"
#include "engine/sms/sms_view.h"

namespace parlenko {

namespace {

std::optional<std::string> MessagePdu(EngineContext& ctx) { return Sms(ctx).PduToSend; }

// The port closed: no notice waits to be read.
void NoticesEnd(EngineContext& ctx) { Sms(ctx).NewMessagesWaiting.clear(); }

// A phonebook name shows in the message lists in place of its number.
void ShowName(EngineContext& ctx, const std::string& name, const std::string& number) {
    ViewOf<ISmsView>(ctx).SetNameInSmsLists(name, number);
}

// The messages wait for the phonebook's names when both are read at once.
void ReadAfterPhonebook(EngineContext& ctx) {
    auto& r = PhonebookRead(ctx);
    if (!r.ReadSmsAfterPhonebook) return;
    r.ReadSmsAfterPhonebook = false;
    RefreshSms(ctx);
}

}  // namespace

void RegisterSms(TopicRegistry& registry) {
    registry.tables.push_back({SmsActions()});
    registry.notices.insert(registry.notices.end(),
                            {LineBeginning<codes::kCmti, HandleNewMessage>,
                             LineBeginning<codes::kCdsi, HandleNewMessage>,
                             LineBeginning<codes::kSmgo, HandleSmsOverflow>});
    registry.prompts.push_back({{"AT+CMGW=", "AT+CMGS="}, MessagePdu});
    registry.idle.push_back(ServeWaitingNewMessages);
    registry.unansweredWrites.push_back(EndUnansweredSmsWrite);
    registry.reads.push_back(StopSmsFullRead);
    registry.ended.push_back(EndSmsOperation);
    registry.disconnected.push_back(NoticesEnd);
    registry.namesKnown.push_back(ShowName);
    registry.phonebookRead.push_back(ReadAfterPhonebook);
}

}  // namespace parlenko

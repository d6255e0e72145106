#include "engine/sms/sms_topic.h"

#include "engine/conversation/scan_tests.h"
#include "engine/core/result_codes.h"
#include "engine/sms/sms_actions.h"
#include "engine/sms/sms_notices.h"
#include "engine/sms/sms_operations.h"
#include "engine/sms/sms_state.h"
#include "engine/sms/sms_steps.h"

namespace parlenko {

namespace {

std::optional<std::string> MessagePdu(EngineContext& ctx) { return Sms(ctx).PduToSend; }

// The port closed: nothing waits for an answer, no notice waits to be read.
void MessagesEnd(EngineContext& ctx) {
    EndSmsOperation(ctx);
    Sms(ctx).NewMessagesWaiting.clear();
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
    registry.timedOut.push_back(EndSmsOperation);
    registry.disconnected.push_back(MessagesEnd);
}

}  // namespace parlenko

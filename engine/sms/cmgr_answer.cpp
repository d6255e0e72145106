#include "engine/sms/cmgr_answer.h"

namespace parlenko {

// The read loop (progress, the message list, the next "AT+CMGR=") is built
// with the SMS operations; until then a read answer changes nothing.
void HandleCmgrAnswer(EngineContext& ctx, std::string_view index, std::string_view pdu,
                      std::string_view status, int kind) {
    (void)ctx;
    (void)index;
    (void)pdu;
    (void)status;
    (void)kind;
}

}  // namespace parlenko

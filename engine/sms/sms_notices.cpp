#include "engine/sms/sms_notices.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/core/result_codes.h"
#include "engine/core/busy_state.h"
#include "engine/core/indicators.h"
#include "engine/sms/sms_operations.h"

#include <algorithm>
#include <cctype>

namespace parlenko {

NewMessageNotice ParseNewMessageNotice(std::string_view line) {
    NewMessageNotice n;
    // The memory: the two characters after the first double quote.
    if (const auto quote = line.find('"'); quote != std::string_view::npos) {
        AnswerReader memory(line);
        memory.Skip(quote + 1);
        n.Memory = std::string(memory.NextChars(2));
    }
    // The index: the digits that open what follows the first comma.
    AnswerReader r(line);
    r.NextField();
    if (r.HasField()) {
        const std::string rest = Trim(r.Rest());
        const auto digits = std::find_if_not(rest.begin(), rest.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        });
        n.Index.assign(rest.begin(), digits);
    }
    return n;
}

ScanStep HandleNewMessage(EngineContext& ctx, int i) {
    EndBusy(ctx);
    auto& lines = ctx.state.Receive.RxLines;
    const NewMessageNotice n = ParseNewMessageNotice(lines.At(i));
    lines.Blank(i);
    ShowNewSms(ctx);
    // Only a message in the SIM or the phone memory is read; a status
    // report kept elsewhere ("SR") is shown by the indicator alone, and no
    // flag is left behind for a read that never comes.
    const auto memory = MemoryFromCode(n.Memory);
    if (memory != PhoneMemory::Sim && memory != PhoneMemory::Phone) return ScanStep::Continue;
    if (n.Index.empty()) return ScanStep::Continue;
    // Read once nothing else runs: a memory selection now would pull the
    // exchange in flight (a read, a write) into another memory.
    NewMessageArrived(ctx, *memory, n.Index, lines.ArrivalNumber(i));
    return ScanStep::Continue;
}

ScanStep HandleSmsOverflow(EngineContext& ctx, int i) {
    EndBusy(ctx);
    auto& lines = ctx.state.Receive.RxLines;
    // "^SMGO: <state>" or "^SMGO: <mode>,<state>": the state, one digit (so
    // "^SMGO: 10" gives nothing).
    const std::string line = lines.At(i);
    lines.Blank(i);
    AnswerReader r(line);
    r.SkipPrefix();
    std::string_view v = r.NextField();
    if (r.HasField()) v = r.NextField().substr(0, 1);
    if (v == "0") ClearNewSms(ctx);
    else if (v == "1") ShowSmsOverflow(ctx, 0);
    else if (v == "2") ShowSmsOverflow(ctx, 1);
    return ScanStep::Continue;
}

}  // namespace parlenko

#include "engine/receive/prompt_lines.h"

#include "engine/at/at_commands.h"
#include "engine/core/busy_state.h"
#include "engine/sms/sms_state.h"
#include "engine/objects/objects_state.h"

namespace parlenko {

namespace {

constexpr int kPromptSettleMs = 50;  // the phone wants a moment before the body

}  // namespace

ScanStep HandlePrompt(EngineContext& ctx, int i) {
    auto& rx = ctx.state.Receive;
    auto& lines = rx.RxLines;
    // The prompt stays "> " until the body's echo is appended to it; a chunk
    // that adds nothing meanwhile must not send the body a second time.
    if (rx.AnsweredPromptEntry == i && rx.AnsweredPromptGeneration == lines.Generation())
        return ScanStep::Continue;
    rx.AnsweredPromptEntry = i;
    rx.AnsweredPromptGeneration = lines.Generation();

    ctx.scheduler.Sleep(kPromptSettleMs);
    const int command = lines.Above(i, 2);
    if (lines.StartsWith(command, "AT+CMGW=") || lines.StartsWith(command, "AT+CMGS=")) {
        SendAtPdu(ctx, Sms(ctx).PduToSend);
    } else if (lines.StartsWith(command, "AT^SBNW=\"vcs\"") ||
               lines.StartsWith(command, "AT^SBNW=\"mid\"") ||
               lines.StartsWith(command, "AT^SBNW=\"bmp\"")) {
        const auto& up = Upload(ctx);
        // No upload running (the time-out ended it): nothing to send.
        if (up.PacketIndex >= 1 && up.PacketIndex <= static_cast<int>(up.UploadPackets.size()))
            SendAtPdu(ctx, up.UploadPackets[static_cast<std::size_t>(up.PacketIndex - 1)]);
    }
    return ScanStep::Continue;
}

ScanStep HandleEscapeEcho(EngineContext& ctx, int i) {
    EndBusy(ctx);
    ctx.state.Receive.RxLines.Blank(i);
    return ScanStep::Continue;
}

}  // namespace parlenko

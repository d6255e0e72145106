#include "engine/conversation/prompt_lines.h"

#include "engine/conversation/topic_registry.h"
#include "engine/core/busy_state.h"
#include "engine/conversation/command_send.h"

#include <algorithm>
#include <string>

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
    const std::string command = lines.At(lines.Above(i, 2));
    for (const PromptBody& prompt : Registry(ctx).prompts) {
        const bool asked = std::any_of(prompt.commands.begin(), prompt.commands.end(),
                                       [&](std::string_view c) { return command.starts_with(c); });
        if (!asked) continue;
        // Nothing to send when the operation ended meanwhile (the time-out).
        if (const auto body = prompt.body(ctx)) SendAtPdu(ctx, *body);
        break;
    }
    return ScanStep::Continue;
}

ScanStep HandleEscapeEcho(EngineContext& ctx, int i) {
    EndBusy(ctx);
    ctx.state.Receive.RxLines.Blank(i);
    return ScanStep::Continue;
}

}  // namespace parlenko

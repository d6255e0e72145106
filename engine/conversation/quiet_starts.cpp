#include "engine/conversation/quiet_starts.h"

#include "engine/serial/serial_port_driver.h"

#include <algorithm>
#include <utility>

namespace parlenko {

bool IsQuiet(const EngineContext& ctx) {
    const auto& rx = ctx.state.Receive;
    return rx.CommandInFlight.empty() && rx.NoticesHeld == 0 && !ctx.state.Chain.Closing;
}

void StartWhenQuiet(EngineContext& ctx, const void* key, std::function<void()> start) {
    auto& waiting = ctx.state.Receive.WaitingStarts;
    std::erase_if(waiting, [key](const auto& w) { return w.Key == key; });
    if (IsQuiet(ctx) && waiting.empty()) {
        start();
        return;
    }
    waiting.push_back({key, std::move(start)});
}

void ServeQuietStarts(EngineContext& ctx) {
    auto& waiting = ctx.state.Receive.WaitingStarts;
    while (!waiting.empty() && IsQuiet(ctx)) {
        // Taken out first: the start may add or drop waiting starts.
        const auto start = std::move(waiting.front().Start);
        waiting.erase(waiting.begin());
        start();
    }
}

void DropQuietStarts(EngineContext& ctx) { ctx.state.Receive.WaitingStarts.clear(); }

void EmptyPortBuffers(EngineContext& ctx) {
    if (!ctx.state.Receive.CommandInFlight.empty()) return;
    ctx.port.FlushBuffers(true, true);
}

}  // namespace parlenko

#include "engine/settings/settings_commands.h"

#include "engine/at/at_commands.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/text/clock_format.h"

#include <algorithm>
#include <initializer_list>

namespace parlenko {

namespace {

bool Open(EngineContext& ctx) { return ctx.port.Connected(); }

// True when every text can stand between the double quotes of a command.
bool Quotable(std::initializer_list<std::string_view> texts) {
    return std::ranges::all_of(texts, [](std::string_view t) {
        return std::ranges::none_of(t, [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return c == '"' || u < 32 || u == 127;
        });
    });
}

}  // namespace

void ReadOtherSettings(EngineContext& ctx) {
    if (!Open(ctx)) return;
    ctx.state.Chain.ReadingOtherSettings = true;
    SendAtCsca(ctx, 1);
}

void SetSmsCentre(EngineContext& ctx, std::string_view number) {
    if (!Open(ctx) || !Quotable({number})) return;
    SendAtCsca(ctx, 0, number);
}

void SetAlertSound(EngineContext& ctx, int value) {
    if (!Open(ctx)) return;
    SendAtCalm(ctx, 0, value);
}

void SetVibration(EngineContext& ctx, bool on) {
    if (!Open(ctx)) return;
    SendAtCvib(ctx, 0, on ? 1 : 0);
}

void SetRingerLevel(EngineContext& ctx, int level) {
    if (!Open(ctx)) return;
    SendAtCrsl(ctx, 0, level);
}

void SetPricePerUnit(EngineContext& ctx, std::string_view currency, std::string_view price,
                     std::string_view pin2) {
    if (!Open(ctx) || !Quotable({currency, price, pin2})) return;
    SendAtCpuc(ctx, 0, currency, price, pin2);
}

void SetPhoneClock(EngineContext& ctx, std::chrono::local_seconds now) {
    if (!Open(ctx)) return;
    SendAtCclk(ctx, 0, FormatPcClockForPhone(now));
}

void SetPcClockFromPhoneClock(EngineContext& ctx) {
    if (!Open(ctx)) return;
    ctx.state.Chain.SettingClock = true;
    SendAtCclk(ctx, 1);
}

}  // namespace parlenko

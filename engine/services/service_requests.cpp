#include "engine/services/service_requests.h"

#include "engine/core/strings.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/services/service_answers.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/services/services_state.h"
#include "engine/services/service_commands.h"
#include "engine/conversation/command_lines.h"

namespace parlenko {

namespace {

bool IsCallClass(int cls) { return cls == 1 || cls == 2 || cls == 4; }

void StartCheckProgress(EngineContext& ctx, const char* caption, const char* position) {
    auto& p = Services(ctx).Progress;
    p = ProgressWindowView{};
    p.Caption = caption;
    p.LokacijaLab = "Network";
    p.Label1Visible = false;
    p.PozicijaLab = position;
    p.ProgressBar1 = 0;
    p.ProgresLab = "0%";
    ShowCheckProgress(ctx);
}

void ShowCheckWindow(EngineContext& ctx) {
    if (!ctx.host.IsProgressWindowVisible()) ctx.host.ShowProgressWindow();
}
}  // namespace

// ---------------------------------------------------------------- diverts

void CheckDiverts(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    for (int n = 1; n <= 12; ++n) ShowDivert(ctx, n, 0, "");
    for (int c = 1; c <= 3; ++c) ShowDivertTime(ctx, c, "");
    EnableDivertButton(ctx, false);
    Services(ctx).DivertStep = 0;
    ctx.state.Mode = ActivityMode::Diverts;
    StartCheckProgress(ctx, "Checking call diverts . . .", "Divert type:  Always . . .");
    SendAtCcfc(ctx, "0", "", "", "", 2);
    ShowCheckWindow(ctx);
}

bool SetDivert(EngineContext& ctx, int reason, std::string_view number, int cls,
               std::string_view time, bool on) {
    if (!ctx.port.Connected()) return false;
    if (reason < 0 || reason > 3 || !IsCallClass(cls) || number.empty() || !IsValidNumber(number) ||
        !at::IsDigitsText(time))
        return false;
    SendAtCcfc(ctx, IntToStr(reason), number, IntToStr(cls), time, on ? 3 : 0);
    return true;
}

// ---------------------------------------------------------------- barrings and locks

void CheckBarrings(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    for (int n = 1; n <= 15; ++n) ShowBarring(ctx, n, 0);
    EnableBarringButton(ctx, false);
    Services(ctx).BarringStep = 5;
    ctx.state.Mode = ActivityMode::Barrings;
    StartCheckProgress(ctx, "Checking call barrings . . .", "Checking call barrings . . .");
    SendAtClck(ctx, 5, 2, -1, "");
    ShowCheckWindow(ctx);
}

bool SetBarring(EngineContext& ctx, int facility, bool on, int cls, std::string_view password) {
    if (!ctx.port.Connected()) return false;
    if (facility < 5 || facility > 9 || !IsCallClass(cls) || !IsValidSecurityCode(password, true))
        return false;
    SendAtClck(ctx, facility, on ? 1 : 0, cls, password);
    return true;
}

void CheckLocks(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    Services(ctx).BarringStep = 1;
    SendAtClck(ctx, 1, 2, -1, "");
}

bool SetLock(EngineContext& ctx, int facility, bool on, std::string_view password) {
    if (!ctx.port.Connected()) return false;
    if (facility < 1 || facility > 4) return false;
    // The keypad lock takes no code; the writer sends none for it. The codes
    // go unquoted into the line, so only digits may pass.
    if (facility != 1 && !IsValidSecurityCode(password, false)) return false;
    SendAtClck(ctx, facility, on ? 1 : 0, -1, facility == 1 ? std::string_view() : password);
    return true;
}

bool ChangeSecurityCode(EngineContext& ctx, int kind, std::string_view oldCode,
                        std::string_view newCode) {
    if (!ctx.port.Connected()) return false;
    if (kind < 1 || kind > static_cast<int>(at::PasswordFacilities.size())) return false;
    // Kinds 4..8 are the network's barring password.
    const bool network = kind >= 4;
    if (!IsValidSecurityCode(oldCode, network) || !IsValidSecurityCode(newCode, network))
        return false;
    SendAtCpwd(ctx, kind, oldCode, newCode);
    return true;
}

}  // namespace parlenko

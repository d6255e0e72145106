#include "engine/services/service_answers.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/services/services_view.h"
#include "engine/services/services_state.h"
#include "engine/services/service_commands.h"

#include <array>

namespace parlenko {

namespace {

constexpr int kDivertReasons = 4;
constexpr int kLocks = 4;         // "CS", "PS", "SC", "FD": indexes 1..4
constexpr int kFirstBarring = 5;  // "AO"
constexpr int kLastBarring = 9;   // "IR"
constexpr int kBarringsPerColumn = 5;

// Reads the fields after a response prefix that must be the line's own.
std::optional<AnswerReader> ReaderAfter(std::string_view line, std::string_view prefix) {
    if (!StartsWith(line, prefix)) return std::nullopt;
    AnswerReader r(line);
    if (!r.SkipPrefix()) return std::nullopt;
    return r;
}

int Picture(bool active) { return active ? 1 : 0; }

// The next divert query of the check, with its progress line.
struct DivertCheckStep {
    const char* reason;
    const char* position;
    int percent;
};
constexpr std::array<DivertCheckStep, 3> kDivertCheck = {{
    {"1", "Divert type:  If busy . . .", 25},
    {"2", "Divert type:  If no reply . . .", 50},
    {"3", "Divert type:  If not reachable . . .", 75},
}};

void ContinueDivertCheck(EngineContext& ctx) {
    auto& s = Services(ctx);
    if (s.DivertStep >= 1 && s.DivertStep <= 3) {
        const auto& step = kDivertCheck[static_cast<std::size_t>(s.DivertStep - 1)];
        s.Progress.PozicijaLab = step.position;
        s.Progress.ProgressBar1 = step.percent;
        s.Progress.ProgresLab = IntToStr(step.percent) + "%";
        ShowCheckProgress(ctx);
        SendAtCcfc(ctx, step.reason, "", "", "", 2);
    }
    if (s.DivertStep > 3 && ctx.host.IsProgressWindowVisible()) ctx.host.CloseProgressWindow();
}

void ContinueBarringCheck(EngineContext& ctx) {
    auto& s = Services(ctx);
    const int step = s.BarringStep;
    if (step >= 2 && step <= 4) {
        // The lock check: "PS", "SC", "FD" (no progress window).
        SendAtClck(ctx, step, 2, -1, "");
    } else if (step >= 6 && step <= kLastBarring) {
        const int percent = (step - kFirstBarring) * 20;
        s.Progress.ProgressBar1 = percent;
        s.Progress.ProgresLab = IntToStr(percent) + "%";
        ShowCheckProgress(ctx);
        SendAtClck(ctx, step, 2, -1, "");
    }
    if (step > kLastBarring && ctx.host.IsProgressWindowVisible()) ctx.host.CloseProgressWindow();
}

bool IsOutgoingBarring(int facility) { return facility >= kFirstBarring && facility <= 7; }

int BarringNumber(int facility, int column) {
    return facility - kFirstBarring + 1 + kBarringsPerColumn * column;
}

}  // namespace

// ---------------------------------------------------------------- parsing

std::optional<DivertLine> ParseCcfcLine(std::string_view line) {
    auto r = ReaderAfter(line, "+CCFC:");
    if (!r) return std::nullopt;
    const auto status = r->NextNumber();
    const auto cls = r->NextNumber();
    if (!status || !cls) return std::nullopt;
    DivertLine d;
    d.active = *status == 1;
    d.cls = *cls;
    d.number = std::string(r->NextString().value_or(std::string_view()));
    (void)r->NextField();  // number type
    (void)r->NextField();  // subaddress
    (void)r->NextField();  // its type
    if (const auto time = r->NextNumber(); time && *time >= 0) d.time = IntToStr(*time);
    return d;
}

std::optional<LockLine> ParseClckLine(std::string_view line) {
    auto r = ReaderAfter(line, "+CLCK:");
    if (!r) return std::nullopt;
    const auto status = r->NextNumber();
    if (!status) return std::nullopt;
    LockLine l;
    l.active = *status == 1;
    if (r->HasField()) l.cls = r->NextNumber();
    return l;
}

DivertEcho ParseCcfcEcho(std::string_view echo) {
    DivertEcho e;
    constexpr std::string_view kEcho = "AT+CCFC=";
    if (!StartsWith(echo, kEcho)) return e;
    AnswerReader r(echo.substr(kEcho.size()));
    e.reason = r.NextNumber();
    e.mode = r.NextNumber();
    return e;
}

LockEcho ParseClckEcho(std::string_view echo) {
    LockEcho e;
    constexpr std::string_view kEcho = "AT+CLCK=";
    if (!StartsWith(echo, kEcho)) return e;
    AnswerReader r(echo.substr(kEcho.size()));
    if (const auto code = r.NextString()) e.facility = LockFacilityIndex(*code);
    e.mode = r.NextNumber();
    (void)r.NextField();  // password
    e.cls = r.NextNumber();
    return e;
}

std::optional<int> LockFacilityIndex(std::string_view code) {
    for (std::size_t k = 0; k < at::LockFacilities.size(); ++k)
        if (at::LockFacilities[k] == code) return static_cast<int>(k) + 1;
    return std::nullopt;
}

std::optional<int> ClassColumn(long long cls) {
    switch (cls) {
        case 1: return 0;
        case 2: return 1;
        case 4: return 2;
        default: return std::nullopt;
    }
}

// ---------------------------------------------------------------- indicators

void ShowDivert(EngineContext& ctx, int number, int picture, const std::string& divertNumber) {
    auto& page = Services(ctx).Page;
    if (number < 1 || number > static_cast<int>(page.DivertPB.size())) return;
    const auto k = static_cast<std::size_t>(number - 1);
    page.DivertPB[k] = picture;
    page.DivertLab[k] = divertNumber;
    ViewOf<IServicesView>(ctx).DivertChanged(number, picture, divertNumber);
}

void ShowDivertTime(EngineContext& ctx, int column, const std::string& seconds) {
    auto& page = Services(ctx).Page;
    if (column < 1 || column > static_cast<int>(page.DivertSekLab.size())) return;
    page.DivertSekLab[static_cast<std::size_t>(column - 1)] = seconds;
    ViewOf<IServicesView>(ctx).DivertTimeChanged(column, seconds);
}

void ShowBarring(EngineContext& ctx, int number, int picture) {
    auto& page = Services(ctx).Page;
    if (number < 1 || number > static_cast<int>(page.BarPB.size())) return;
    page.BarPB[static_cast<std::size_t>(number - 1)] = picture;
    ViewOf<IServicesView>(ctx).BarringChanged(number, picture);
}

void ShowLock(EngineContext& ctx, int number, int picture) {
    auto& page = Services(ctx).Page;
    if (number < 1 || number > static_cast<int>(page.LockPB.size())) return;
    page.LockPB[static_cast<std::size_t>(number - 1)] = picture;
    ViewOf<IServicesView>(ctx).LockChanged(number, picture);
}

void EnableDivertButton(EngineContext& ctx, bool enabled) {
    ViewOf<IServicesView>(ctx).DivertButtonEnabled(enabled);
}

void EnableBarringButton(EngineContext& ctx, bool enabled) {
    ViewOf<IServicesView>(ctx).BarringButtonEnabled(enabled);
}

void ShowCheckProgress(EngineContext& ctx) {
    ctx.host.ProgressWindowChanged(Services(ctx).Progress);
}

// ---------------------------------------------------------------- answers

void HandleCcfcAnswer(EngineContext& ctx, int reason, const std::string& line, bool last) {
    if (reason >= 0 && reason < kDivertReasons) {
        const auto d = ParseCcfcLine(line);
        const auto column = d ? ClassColumn(d->cls) : std::nullopt;
        if (column) {
            ShowDivert(ctx, 3 * reason + *column + 1, Picture(d->active), d->number);
            if (reason == 2) ShowDivertTime(ctx, *column + 1, d->time);
        }
        if (reason == 3) EnableDivertButton(ctx, true);
    }
    if (last) ContinueDivertCheck(ctx);
}

void HandleCcfcChangeEcho(EngineContext& ctx, const std::string& echo) {
    const DivertEcho e = ParseCcfcEcho(echo);
    if (!e.reason || *e.reason < 0 || *e.reason >= kDivertReasons) return;
    auto& s = Services(ctx);
    if (e.mode == 0) s.DivertStep = kSwitchedOff;
    if (e.mode == 3) s.DivertStep = kSwitchedOn;
    SendAtCcfc(ctx, IntToStr(*e.reason), "", "", "", 2);
}

void HandleClckAnswer(EngineContext& ctx, int facilityIndex, const std::string& line, bool last) {
    if (const auto l = ParseClckLine(line)) {
        if (facilityIndex >= 1 && facilityIndex <= kLocks) {
            ShowLock(ctx, facilityIndex, Picture(l->active));
        } else if (facilityIndex >= kFirstBarring && facilityIndex <= kLastBarring && l->cls) {
            if (const auto column = ClassColumn(*l->cls))
                ShowBarring(ctx, BarringNumber(facilityIndex, *column), Picture(l->active));
        }
    }
    if (facilityIndex == kLastBarring) EnableBarringButton(ctx, true);
    if (last) ContinueBarringCheck(ctx);
}

void HandleClckChangeEcho(EngineContext& ctx, const std::string& echo) {
    const LockEcho e = ParseClckEcho(echo);
    if (!e.facility) return;
    auto& s = Services(ctx);
    if (e.mode == 0) s.BarringStep = kSwitchedOff;
    if (e.mode == 1) s.BarringStep = kSwitchedOn;
    const int facility = *e.facility;
    const auto column = e.cls ? ClassColumn(*e.cls) : std::nullopt;
    if (e.mode == 1 && facility >= kFirstBarring && column) {
        const bool outgoing = IsOutgoingBarring(facility);
        for (int f = kFirstBarring; f <= kLastBarring; ++f)
            if (IsOutgoingBarring(f) == outgoing) ShowBarring(ctx, BarringNumber(f, *column), 0);
    }
    SendAtClck(ctx, facility, 2, -1, "");
}

}  // namespace parlenko

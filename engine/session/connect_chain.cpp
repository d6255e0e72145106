#include "engine/session/connect_chain.h"

#include "engine/general/general_info_chain.h"
#include "engine/general/general_commands.h"
#include "engine/objects/object_commands.h"
#include "engine/objects/object_ranges.h"
#include "engine/general/general_answers.h"
#include "engine/core/busy_state.h"
#include "engine/conversation/communication_error.h"
#include "engine/conversation/connection.h"
#include "engine/conversation/phone_errors.h"
#include "engine/text/service_centre.h"
#include "engine/settings/settings_view.h"
#include "engine/settings/settings_state.h"
#include "engine/objects/objects_view.h"
#include "engine/objects/objects_state.h"
#include "engine/objects/logo_view.h"
#include "engine/settings/settings_commands.h"
#include "engine/session/connect_commands.h"

#include <array>

namespace parlenko {

namespace {

ScanStep EndsExchange(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    return ScanStep::Continue;
}

void QuerySmsCentre(EngineContext& ctx) { SendAtCsca(ctx, 1); }

// Without echo no answer could be matched: the connection fails here.
ScanStep EchoRefused(EngineContext& ctx, const EchoHit& hit) {
    ReportEchoRefused(ctx, hit.echo.empty() ? std::string("ATE1") : hit.echo, RefusalReason(hit));
    return ScanStep::EndScan;
}

ScanStep AfterCmeeOk(EngineContext& ctx, const EchoHit&) {
    QuerySmsCentre(ctx);
    // A new connection: the SMS centre's answer continues the connect chain.
    ctx.state.Chain.ReadingOtherSettings = false;
    return ScanStep::Continue;
}

ScanStep AfterCscaOk(EngineContext& ctx, const EchoHit& hit) {
    auto& chain = ctx.state.Chain;
    auto& settings = Settings(ctx);
    chain.SmscText = ParseCsca(hit.answer);
    settings.SmscEdit = chain.SmscText;
    chain.SmscText = ServiceCentreName(chain.SmscText);
    settings.SmscLab = chain.SmscText;
    ViewOf<ISettingsView>(ctx).PhoneSettingsChanged(settings);
    if (chain.ReadingOtherSettings) {
        SendAtCalm(ctx, 1);  // the chain of the other settings
        return ScanStep::EndScan;
    }
    SendAtCsms(ctx);
    return ScanStep::Continue;
}

ScanStep AfterCscaError(EngineContext& ctx, const EchoHit&) {
    if (ctx.state.Chain.ReadingOtherSettings) return ScanStep::EndScan;
    SendAtCsms(ctx);
    return ScanStep::Continue;
}

ScanStep AfterCsms(EngineContext& ctx, const EchoHit&) {
    // Cell broadcasts are delivered only when they name the location.
    SendAtCnmi(ctx, ctx.state.Options.CellInfoCheck ? 1 : 0);
    return ScanStep::Continue;
}

ScanStep AfterSbnrOk(EngineContext& ctx, const EchoHit& hit) {
    auto& caps = Capabilities(ctx);
    caps.AppointmentSlots = ParseSbnrVcsRange(hit.answer);
    caps.AppCapLab = std::to_string(caps.AppointmentSlots);
    caps.ScreensaverLogoSupported = ParseSbnrBmpRange(hit.answer);
    caps.LogosCB = {"Operator logo"};
    if (caps.ScreensaverLogoSupported) caps.LogosCB.push_back("Screensaver");
    caps.SaveLogoMemCB = caps.LogosCB;
    caps.LogosIndex = 0;
    caps.SaveLogoMemIndex = 0;
    ViewOf<IObjectsView>(ctx).ObjectCapabilitiesChanged(caps);
    ViewOf<ILogoView>(ctx).LogoKindsChanged(caps);
    SendAtCmgf(ctx);
    return ScanStep::Continue;
}

// The end of the settings: read the general information when its page is
// shown (and keep it fresh when asked to), else switch cell broadcasts on.
void AfterMessageFormat(EngineContext& ctx) {
    if (ctx.state.Options.GeneralPageShown) {
        RefreshGeneralInfo(ctx);
        if (ctx.state.Options.RefreshCheck) ctx.timers.RefreshTimer->Start();
    } else {
        SendAtCscb(ctx);
    }
}

ScanStep AfterCmgfOk(EngineContext& ctx, const EchoHit&) {
    EndBusy(ctx);
    AfterMessageFormat(ctx);
    return ScanStep::Continue;
}

constexpr std::array kClosing = {
    EchoAction{.echo = "AT+CNMI=0,0,0,0", .onOk = {At(2, EndsExchange)}},
    EchoAction{.echo = "ATZ", .onOk = {At(2, EndsExchange)}},
};

// Each setting's "OK" (and its refusal, the echo aside) sends the next.
constexpr std::array kConnect = {
    EchoAction{.echo = "ATE1", .onOk = {At(2, Then<SendAtCmee>)}, .onError = EchoRefused},
    EchoAction{.echo = "AT+CMEE=1", .onOk = {At(2, AfterCmeeOk)}, .onError = Then<QuerySmsCentre>},
    EchoAction{.echo = "AT+CSCA?", .onOk = {At(4, AfterCscaOk)}, .onError = AfterCscaError},
    EchoAction{.echo = "AT+CSMS=1", .onOk = {At(4, AfterCsms)}, .onError = AfterCsms},
    EchoAction{
        .echo = "AT+CNMI=1,1,0,2", .onOk = {At(2, Then<SendAtSmgo>)}, .onError = Then<SendAtSmgo>},
    EchoAction{
        .echo = "AT+CNMI=1,1,2,2", .onOk = {At(2, Then<SendAtSmgo>)}, .onError = Then<SendAtSmgo>},
    EchoAction{.echo = "AT^SMGO=1", .onOk = {At(2, Then<SendAtClip>)}, .onError = Then<SendAtClip>},
    EchoAction{.echo = "AT+CLIP=1",
               .onOk = {At(2, Then<SendAtSbnrTest>)},
               .onError = Then<SendAtSbnrTest>},
    EchoAction{.echo = "AT^SBNR=?", .onOk = {At(4, AfterSbnrOk)}, .onError = Then<SendAtCmgf>},
    EchoAction{
        .echo = "AT+CMGF=0", .onOk = {At(2, AfterCmgfOk)}, .onError = Then<AfterMessageFormat>},
    EchoAction{.echo = "AT+CSCB=1", .onOk = {At(2, EndsExchange)}, .onError = ChainStops},
};

}  // namespace

std::span<const EchoAction> ClosingEchoActions() { return kClosing; }
std::span<const EchoAction> ConnectChainActions() { return kConnect; }

}  // namespace parlenko

#include "engine/receive/final_results.h"

#include "engine/chains/connect_chain.h"
#include "engine/chains/echo_actions.h"
#include "engine/chains/general_info_chain.h"
#include "engine/chains/phone_errors.h"
#include "engine/chains/settings_chain.h"
#include "engine/objects/object_actions.h"
#include "engine/receive/phonebook_actions.h"
#include "engine/services/service_actions.h"
#include "engine/session/busy_state.h"

#include <array>
#include <span>

namespace parlenko {

namespace {

using ActionTable = std::span<const EchoAction> (*)();

// The action tables of "OK" and "ERROR", in the order their rows run on a
// result. The per-command actions of the phone operations slot in at the
// marked places:
//   - calls and the prepaid balance ("ATD", "AT+CHUP", "ATA", the balance
//     texts) after the closing echoes;
//   - "AT+CCLK=" between the two halves of the general-information chain;
//   - "AT^SMSO" right after the connect chain, then the phonebook, SMS,
//     transfer, divert, lock and melody actions, among which the other
//     settings' chain stands.
constexpr std::array<ActionTable, 8> kResultTables = {
    ClosingEchoActions,
    // calls and prepaid balance
    GeneralInfoActionsToClock,
    // "AT+CCLK="
    GeneralInfoActionsAfterClock,
    ConnectChainActions,
    // "AT^SMSO"
    PhonebookActions,
    // SMS
    ObjectActions,
    ServicesActions,  // diverts, locks and barrings, security codes, ringer melody
    SettingsChainActions,
};

}  // namespace

ScanStep HandleFinalResult(EngineContext& ctx, int i, FinalResultKind kind) {
    if (kind == FinalResultKind::PhoneError) return HandlePhoneError(ctx, i);

    // An "ERROR" ends the exchange whatever it answers.
    if (kind == FinalResultKind::Error) EndBusy(ctx);
    ctx.state.Receive.RxLines.Blank(i);
    for (ActionTable table : kResultTables)
        if (RunEchoTable(ctx, i, kind, table()) == ScanStep::EndScan) return ScanStep::EndScan;
    return ScanStep::Continue;
}

}  // namespace parlenko

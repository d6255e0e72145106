#include "engine/general/network_notices.h"

#include "engine/general/network_view.h"
#include "engine/parse/answer_reader.h"
#include "engine/pdu/pdu_decoder.h"
#include "engine/core/busy_state.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/general/general_view.h"
#include "engine/general/general_state.h"

#include <string>

namespace parlenko {

ScanStep HandleCreg(EngineContext& ctx, int i) {
    auto& lines = ctx.state.Receive.RxLines;
    // The answer to the information chain's query (the intake marks only the
    // notices out of turn): its "OK" handles it.
    if (!lines.IsOutOfTurn(i)) return ScanStep::EndScan;
    const std::string line = lines.At(i);
    lines.Blank(i);
    // A notice ends no exchange of its own, like every other notice.
    EndBusy(ctx);
    ApplyRegistration(ctx, line);
    return ScanStep::Continue;
}

ScanStep HandleCellBroadcast(EngineContext& ctx, int i) {
    EndBusy(ctx);
    auto& lines = ctx.state.Receive.RxLines;
    const std::string page = lines.At(i);
    lines.Blank(i - 1);
    lines.Blank(i);
    // The page's hex text: serial number (4 digits), message identifier (4;
    // 50, low octet 0x32, is the cell's location name), coding scheme (2).
    // What follows goes to the decoder as it stands, the page octet in the
    // place where the decoder reads the text's length.
    AnswerReader hex(page);
    hex.Skip(6);
    // Another page is dropped; the lines above (a final result among them)
    // are handled in this walk as after any notice.
    if (hex.NextChars(2) != "32") return ScanStep::Continue;
    hex.Skip(2);
    const auto decoded = Decode7BitText(hex.Rest(), /*udhi=*/false);
    // Every letter of the name as the phone's alphabet has it; the line
    // breaks that pad the page to its length are no part of it.
    std::string name = PhoneTextFromGsm(decoded.Out);
    std::erase_if(name, [](char c) { return c == '\r' || c == '\n'; });
    auto& v = GeneralInfo(ctx);
    v.LokacijaLab = name;
    UpdateNetLocCaption(v, NetLocVariant::CellBroadcast);
    ViewOf<IGeneralView>(ctx).GeneralInfoChanged(v);
    return ScanStep::Continue;
}

}  // namespace parlenko

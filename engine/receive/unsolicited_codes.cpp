#include "engine/receive/unsolicited_codes.h"

#include "engine/at/at_commands.h"
#include "engine/core/strings.h"
#include "engine/pdu/pdu_decoder.h"
#include "engine/general/network_view.h"
#include "engine/session/busy_state.h"
#include "engine/session/indicators.h"
#include "engine/sms/sms_operations.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/text/phonebook_lookup.h"

#include <algorithm>
#include <cctype>

namespace parlenko {

namespace {

constexpr int kPromptSettleMs = 50;  // the phone wants a moment before the body

// Shows the incoming-call notice with the engine's texts.
void PresentCallNotice(EngineContext& ctx) {
    const auto& n = ctx.state.NewCallNotice;
    ctx.views.calls->ShowNewCallNotice(n.OsobaLab, n.TelefonLab);
}

void CallEnded(EngineContext& ctx, int i) {
    ctx.state.Call.InCall = false;
    ctx.views.calls->SetDialButtonEnabled(true);
    EndBusy(ctx);
    ctx.state.Receive.RxLines.Blank(i);
}

}  // namespace

std::string ClipNumber(std::string_view line) {
    std::string rest = CopyFrom(line, 8);
    const auto comma = rest.find(',');
    if (comma != std::string::npos) rest.erase(comma);
    std::erase(rest, '"');
    return rest;
}

NewMessageNotice ParseNewMessageNotice(std::string_view line) {
    NewMessageNotice n;
    const long quote = Pos("\"", line);
    if (quote > 0) n.Memory = Copy(line, quote + 1, 2);
    const long comma = Pos(",", line);
    if (comma > 0) {
        std::string rest = Trim(CopyFrom(line, comma + 1));
        std::size_t k = 0;
        while (k < rest.size() && std::isdigit(static_cast<unsigned char>(rest[k]))) ++k;
        n.Index = rest.substr(0, k);
    }
    return n;
}

ScanStep HandleRing(EngineContext& ctx, int i) {
    EndBusy(ctx);
    ShowNewCall(ctx);
    ctx.state.Receive.RxLines.Blank(i);
    auto& notice = ctx.state.NewCallNotice;
    // This call's notice is up: the other codes above wait for the next
    // chunk, but a final result that came with the call is still handled.
    if (!notice.TelefonLab.empty()) return ScanStep::FinalResultsOnly;
    notice.OsobaLab = "Unknown";
    notice.TelefonLab = "Hidden";
    PresentCallNotice(ctx);
    return ScanStep::Continue;
}

ScanStep HandleNoCarrier(EngineContext& ctx, int i) {
    CallEnded(ctx, i);
    ctx.views.calls->CloseNewCallNotice();
    ctx.state.NewCallNotice = {};
    ctx.views.calls->CloseTalkingWindow();
    ctx.host.ShowStatusMessage("Disconnected!");
    return ScanStep::Continue;
}

ScanStep HandleBusy(EngineContext& ctx, int i) {
    CallEnded(ctx, i);
    ctx.host.ShowMessageDialog("Information", "Phone number you dialed is busy!",
                               DialogKind::Information, DialogButtons::Ok);
    return ScanStep::Continue;
}

ScanStep HandleNoDialtone(EngineContext& ctx, int i) {
    CallEnded(ctx, i);
    ctx.host.ShowMessageDialog("Information", "No dialtone!", DialogKind::Information,
                               DialogButtons::Ok);
    return ScanStep::Continue;
}

ScanStep HandleClip(EngineContext& ctx, int i) {
    EndBusy(ctx);
    auto& lines = ctx.state.Receive.RxLines;
    const std::string number = ClipNumber(lines.At(i));
    lines.Blank(i);
    auto& notice = ctx.state.NewCallNotice;
    notice.OsobaLab = FindNameByNumber(number, ctx.state.Phonebook.PhonebookList);
    notice.TelefonLab = number;
    PresentCallNotice(ctx);
    return ScanStep::Continue;
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
    NewMessageArrived(ctx, *memory, n.Index);
    return ScanStep::Continue;
}

ScanStep HandleCreg(EngineContext& ctx, int i) {
    auto& lines = ctx.state.Receive.RxLines;
    // The answer to the information chain's query: its "OK" handles it.
    if (lines.Is(lines.Above(i, 2), "AT+CREG?")) return ScanStep::EndScan;
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
    // Message identifier 50 (low octet 0x32): the cell's location name.
    if (Copy(page, 7, 2) != "32") return ScanStep::EndScan;
    const auto decoded = Decode7BitText(CopyFrom(page, 11), /*udhi=*/false);
    std::string name = ReplaceUnsupportedChars(decoded.Out);
    std::erase(name, '?');
    auto& v = ctx.state.GeneralInfo;
    v.LokacijaLab = name;
    UpdateNetLocCaption(v, NetLocVariant::CellBroadcast);
    ctx.views.general->GeneralInfoChanged(v);
    return ScanStep::Continue;
}

ScanStep HandleSmsOverflow(EngineContext& ctx, int i) {
    EndBusy(ctx);
    auto& lines = ctx.state.Receive.RxLines;
    std::string v = Copy(lines.At(i), 8, 3);
    lines.Blank(i);
    if (v.size() > 1) v = Copy(v, 3, 1);  // "<mode>,<state>": the state
    if (v == "0") ClearNewSms(ctx);
    else if (v == "1") ShowSmsOverflow(ctx, 0);
    else if (v == "2") ShowSmsOverflow(ctx, 1);
    return ScanStep::Continue;
}

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
        SendAtPdu(ctx, ctx.state.Sms.PduToSend);
    } else if (lines.StartsWith(command, "AT^SBNW=\"vcs\"") ||
               lines.StartsWith(command, "AT^SBNW=\"mid\"") ||
               lines.StartsWith(command, "AT^SBNW=\"bmp\"")) {
        const auto& up = ctx.state.Upload;
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

#include "engine/receive/unsolicited_codes.h"

#include "engine/at/at_commands.h"
#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/pdu/pdu_decoder.h"
#include "engine/receive/result_codes.h"
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
    AnswerReader r(line);
    r.Skip(std::string_view(codes::kClip).size());
    std::string number(r.NextField());
    std::erase(number, '"');
    return number;
}

NewMessageNotice ParseNewMessageNotice(std::string_view line) {
    NewMessageNotice n;
    // The memory: the two characters after the first double quote.
    if (const auto quote = line.find('"'); quote != std::string_view::npos) {
        AnswerReader memory(line);
        memory.Skip(quote + 1);
        n.Memory = std::string(memory.NextChars(2));
    }
    // The index: the digits that open what follows the first comma.
    AnswerReader r(line);
    r.NextField();
    if (r.HasField()) {
        const std::string rest = Trim(r.Rest());
        const auto digits = std::find_if_not(rest.begin(), rest.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        });
        n.Index.assign(rest.begin(), digits);
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
    // The page's hex text: serial number (4 digits), message identifier (4;
    // 50, low octet 0x32, is the cell's location name), coding scheme (2).
    // What follows goes to the decoder as it stands, the page octet in the
    // place where the decoder reads the text's length.
    AnswerReader hex(page);
    hex.Skip(6);
    if (hex.NextChars(2) != "32") return ScanStep::EndScan;
    hex.Skip(2);
    const auto decoded = Decode7BitText(hex.Rest(), /*udhi=*/false);
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
    // Characters 8 to 10 of the line; of a longer value its third, the state
    // of "<mode>,<state>" (so "^SMGO: 10" gives nothing).
    const std::string line = lines.At(i);
    lines.Blank(i);
    AnswerReader r(line);
    r.Skip(std::string_view(codes::kSmgo).size());
    std::string_view v = r.NextChars(3);
    if (v.size() > 1) v = v.substr(2, 1);
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

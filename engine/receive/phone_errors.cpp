#include "engine/receive/phone_errors.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/receive/echo_actions.h"
#include "engine/receive/final_results.h"
#include "engine/receive/result_codes.h"
#include "engine/session/busy_state.h"
#include "engine/text/error_texts.h"

namespace parlenko {

namespace {

// The phone's words for a refusal: the text of its code ("Text too long"),
// the code itself when it has no text, or the verbose text.
std::string RefusalText(std::optional<int> code, const std::string& verbose) {
    if (!code) return verbose;
    const std::string text = Trim(PhoneErrorText(*code));
    return text.empty() ? "+CME ERROR: " + IntToStr(*code) : text;
}

// The error at entry i and the command it refused, as a row's actions read
// them. Blanks the error, its echo and a refused body; keeps the code.
EchoHit TakePhoneError(EngineContext& ctx, int i) {
    auto& lines = Lines(ctx);
    EchoHit hit;
    hit.result = i;
    hit.echoEntry = RefusedCommandEntry(lines, i);
    hit.echo = lines.At(hit.echoEntry);
    hit.body = hit.echoEntry != lines.Above(i, 2);

    // The code stands in the five characters after "+CME ERROR: "; a phone
    // in verbose mode puts its words there instead.
    const std::string line = lines.At(i);
    AnswerReader r(line);
    r.Skip(std::string_view(codes::kCmeError).size());
    AnswerReader words = r;
    if (const auto n = ParseInt(r.NextChars(5))) hit.code = static_cast<int>(*n);
    hit.reason = RefusalText(hit.code, Trim(words.Rest()));

    if (hit.body) lines.Blank(lines.Above(i, 1));
    lines.Blank(i);
    lines.Blank(hit.echoEntry);
    if (hit.code) ctx.state.Chain.LastErrorCode = *hit.code;
    return hit;
}

// The error box: the code's message, or the phone's own words.
void ShowPhoneError(EngineContext& ctx, const EchoHit& hit) {
    auto& chain = ctx.state.Chain;
    EndBusy(ctx);
    if (hit.code) {
        chain.LastErrorCode = *hit.code;
        chain.LastErrorText = PhoneErrorText(*hit.code);
        ShowError(ctx, PhoneErrorMessage(*hit.code, chain.LastErrorText));
    } else {
        // Verbose error mode (the phone was reset behind our back): the
        // phone's own words, without a code.
        chain.LastErrorCode = -1;
        chain.LastErrorText = hit.reason;
        ShowError(ctx, "Error occurred communicating with mobile!\r\rReason:  " + hit.reason);
    }
}

}  // namespace

std::string PhoneErrorMessage(int code, const std::string& text) {
    return "Error occurred communicating with mobile!\r\rReason:  " + text + "  (" +
           IntToStr(code) + ")";
}

ScanStep HandlePhoneError(EngineContext& ctx, int i) {
    const EchoHit hit = TakePhoneError(ctx, i);
    if (const auto step = RunPhoneErrorRows(ctx, hit)) return *step;
    // The operation that owns the exchange ends before the box, so that
    // nothing waits for the time-out and the time-out has nothing to say.
    if (EndRefusedOperation(ctx, hit.echo, hit.body) == ScanStep::EndScan) return ScanStep::EndScan;
    ShowPhoneError(ctx, hit);
    return ScanStep::Continue;
}

}  // namespace parlenko

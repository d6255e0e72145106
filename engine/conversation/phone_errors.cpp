#include "engine/conversation/phone_errors.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/core/result_codes.h"
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

bool IsPhoneError(std::string_view line) {
    return line.starts_with(codes::kCmeError) || line.starts_with(codes::kCmsError);
}

// The code stands in the five characters after "+CME ERROR: "; a phone in
// verbose mode puts its words there instead.
void ReadPhoneError(EchoHit& hit, const std::string& line) {
    AnswerReader r(line);
    r.Skip(std::string_view(codes::kCmeError).size());
    AnswerReader words = r;
    if (const auto n = ParseInt(r.NextChars(5))) hit.code = static_cast<int>(*n);
    hit.reason = RefusalText(hit.code, Trim(words.Rest()));
    // A phone error without words of its own still names itself.
    if (hit.reason.empty()) hit.reason = Trim(line);
}

}  // namespace

std::string PhoneErrorMessage(int code, const std::string& text) {
    return "Error occurred communicating with mobile!\r\rReason:  " + text + "  (" +
           IntToStr(code) + ")";
}

std::string RefusalReason(const EchoHit& hit) {
    if (hit.code)
        return "Reason:  " + PhoneErrorText(*hit.code) + "  (" + IntToStr(*hit.code) + ")";
    return hit.reason.empty() ? std::string() : "Reason:  " + hit.reason;
}

EchoHit TakeRefusal(EngineContext& ctx, int i) {
    auto& lines = Lines(ctx);
    EchoHit hit;
    hit.result = i;
    hit.echoEntry = RefusedCommandEntry(lines, i);
    hit.echo = lines.At(hit.echoEntry);
    hit.body = hit.echoEntry != lines.Above(i, 2);
    if (const std::string line = lines.At(i); IsPhoneError(line)) ReadPhoneError(hit, line);

    if (hit.body) lines.Blank(lines.Above(i, 1));
    lines.Blank(i);
    lines.Blank(hit.echoEntry);
    return hit;
}

void ShowRefusal(EngineContext& ctx, const EchoHit& hit, const std::string& text) {
    if (hit.code) {
        ShowError(ctx, PhoneErrorMessage(*hit.code, PhoneErrorText(*hit.code)));
    } else if (!hit.reason.empty()) {
        // Verbose error mode (the phone was reset behind our back): the
        // phone's own words, without a code.
        ShowError(ctx, "Error occurred communicating with mobile!\r\rReason:  " + hit.reason);
    } else if (!text.empty()) {
        ShowError(ctx, text);
    }
}

}  // namespace parlenko

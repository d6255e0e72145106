// fuzz-links: parlenko_engine
// The readers of single answer lines and notices: any bytes must give a
// result of the promised shape, never a crash or a read outside the line.
#include "engine/calls/call_notices.h"
#include "engine/general/general_answers.h"
#include "engine/sms/sms_notices.h"
#include "engine/text/balance_amount.h"
#include "engine/phonebook/cpbr_answer.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace parlenko;
    const std::string_view s(reinterpret_cast<const char*>(data), size);

    (void)ParseCpas(s);
    (void)ParseCclk(s);
    (void)ParseCbc(s);
    (void)ParseCreg(s);
    (void)ParseCsca(s);
    (void)ReadCpbrEntry(s);

    for (char c : KeepDigitsAndSeparators(s))
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != ',') std::abort();

    if (ClipNumber(s).find('"') != std::string::npos) std::abort();

    const NewMessageNotice n = ParseNewMessageNotice(s);
    if (n.Memory.size() > 2) std::abort();
    for (char c : n.Index)
        if (!std::isdigit(static_cast<unsigned char>(c))) std::abort();
    return 0;
}

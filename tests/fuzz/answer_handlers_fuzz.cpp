// fuzz-links: parlenko_engine parlenko_test_support
// The handlers of answer lines that reach the engine's state: registration,
// and the phonebook and call-list storage and entry answers. Each input line
// goes to every handler, with a phonebook read and a call-list read under
// way; whatever the line, the engine must stay whole. (The "+CMGR" answers
// of the SMS read have a target of their own, sms_read_answers_fuzz.)
//
// Input: lines separated by LF.
#include "engine/core/virtual_scheduler.h"
#include "engine/general/network_view.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/core/engine_context.h"
#include "engine/session/phone_engine.h"
#include "tests/support/engine_inside.h"
#include "tests/support/quiet_engine.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using namespace parlenko;

std::string_view Cut(std::string_view& rest, char at) {
    const std::size_t k = rest.find(at);
    const std::string_view head = rest.substr(0, k);
    rest.remove_prefix(k == std::string_view::npos ? rest.size() : k + 1);
    return head;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::QuietEngine quiet;
    PhoneEngine& engine = quiet.engine;
    VirtualScheduler& clock = quiet.clock;
    EngineContext& ctx = EngineInside::Context(engine);

    std::string_view input(reinterpret_cast<const char*>(data), size);
    int line = 0;
    while (!input.empty() && line++ < 64) {
        const std::string_view text = Cut(input, '\n');
        ApplyRegistration(ctx, text);

        RefreshPhonebook(ctx, PhoneMemory::Sim);
        HandlePhonebookCpbsAnswer(ctx, text);
        HandlePhonebookCpbrAnswer(ctx, text, CpbrAnswer::Entry);
        HandlePhonebookCpbrAnswer(ctx, text, CpbrAnswer::Empty);

        RefreshCalls(ctx, PhoneMemory::Dialled);
        HandleCallListCpbsAnswer(ctx, text);
        HandleCallListCpbrAnswer(ctx, text, CpbrAnswer::Entry);

        clock.RunFor(11000);  // the time-out ends whatever was left open
    }
    return 0;
}

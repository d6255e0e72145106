// fuzz-links: parlenko_engine
// Arbitrary "AT+CMGR=" answers through the SMS read: the storage answer that
// starts a pass, then messages with arbitrary index, header and PDU, handed
// to the read step directly and as phone output through the receive
// handler, with or without a new-message read in flight.
//
// Input: a control byte, then fields separated by '\n': the storage answer,
// then triples of index, header line and PDU line.
#include "engine/core/virtual_scheduler.h"
#include "tests/support/engine_inside.h"
#include "engine/conversation/receive_scan.h"
#include "engine/session/phone_engine.h"
#include "engine/sms/sms_operations.h"
#include "engine/sms/sms_steps.h"
#include "tests/support/quiet_engine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace parlenko;

std::vector<std::string> Fields(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> out(1);
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == '\n') out.emplace_back();
        else out.back().push_back(static_cast<char>(data[k]));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    testing::QuietEngine quiet;
    PhoneEngine& engine = quiet.engine;
    VirtualScheduler& clock = quiet.clock;
    EngineContext& ctx = EngineInside::Context(engine);

    const std::uint8_t control = data[0];
    auto& s = EngineInside::State(engine);
    s.CurrentMemory = (control & 1) ? "ME" : "SM";
    s.Phonebook.PhonebookList = {{"Ana!", "+385911", "SIM card", "001"}, {"", "0912", "", "002"}};
    const auto fields = Fields(data + 1, size - 1);

    HandleCpmsAnswer(ctx, fields[0]);
    for (std::size_t k = 1; k < fields.size(); k += 3) {
        const std::string& index = fields[k];
        const std::string header = k + 1 < fields.size() ? fields[k + 1] : std::string();
        const std::string pdu = k + 2 < fields.size() ? fields[k + 2] : std::string();
        if (control & 2) ReadNewSms(ctx, PhoneMemory::Phone, index);
        if (control & 4) {
            ReceiveText(ctx,
                        "AT+CMGR=" + index + "\r\r\n" + header + "\r\n" + pdu + "\r\n\r\nOK\r\n");
        } else {
            HandleCmgrAnswer(ctx, index, pdu, header, CmgrAnswer::Message);
            HandleCmgrAnswer(ctx, index, "", "", CmgrAnswer::Empty);
        }
        clock.RunFor(static_cast<int>(control >> 3) * 1000);
    }
    return 0;
}

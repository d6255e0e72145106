// fuzz-links: parlenko_engine
// Arbitrary phone output, cut into arbitrary chunks, through the receive
// handler. Message boxes and the call and balance windows re-enter the handler
// with the next chunk, as a modal window's loop does, and time passes between chunks so the time-out fires.
//
// Input: a control byte, then chunks. Each chunk is a length byte (the low 6
// bits, +1) and that many bytes; bit 6 of the length byte lets 11 s pass
// before the chunk, bit 7 makes it arrive inside the next message box. The
// input's length picks the phonebook and the SMS operation and the divert,
// barring or ringer state in flight.
#include "engine/core/virtual_scheduler.h"
#include "tests/support/engine_inside.h"
#include "engine/conversation/receive_scan.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "tests/support/null_serial_device.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace {

using namespace parlenko;

class NestingHost final : public IHost, public ICallsView {
public:
    int ShowMessageDialog(const std::string&, const std::string&, DialogKind,
                          DialogButtons) override {
        RunModalLoop();
        return DialogResult::Ok;
    }
    // The call and balance windows are modal too.
    void ShowTalkingWindow(const std::string&, const std::string&) override { RunModalLoop(); }
    void ShowBalanceWindow(const std::string&, const std::string&) override { RunModalLoop(); }
    void ShowStatusMessage(const std::string&) override {}
    bool IsProgressWindowVisible() override { return progress; }
    void CloseProgressWindow() override { progress = false; }

    PhoneEngine* engine = nullptr;
    std::deque<std::string> nested;
    bool progress = false;

private:
    void RunModalLoop() {
        if (depth_ < 3 && !nested.empty() && engine) {
            std::string chunk = std::move(nested.front());
            nested.pop_front();
            ++depth_;
            ReceiveText(EngineInside::Context(*engine), chunk);
            --depth_;
        }
    }
    int depth_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    VirtualScheduler clock;
    testing::NullSerialDevice device;
    TSerialPortDriver port(device, clock);
    NestingHost host;
    PhoneEngine engine(port, clock, host);
    host.engine = &engine;
    engine.SetView<ICallsView>(&host);
    port.Connect();

    const std::uint8_t control = data[0];
    auto& s = EngineInside::State(engine);
    s.Options.CellInfoCheck = control & 1;
    device.failWrites = control & 2;
    host.progress = control & 4;
    s.Mode = static_cast<ActivityMode>((control >> 3) & 15);
    s.Sms.PduToSend = "0011000B91";
    // A phonebook operation in flight, picked by the input's length so that
    // the chunk format stays as it is.
    const WritePending write{"AT+CPBW=2,\"0912\",129,\"Ivo\"\r",
                             {"Ivo", "0912", "SIM card", "002"}};
    const DeletePending del{PhoneMemory::Phone, "7"};
    switch (size % 5) {
        case 1: s.Phonebook.Op = write; break;
        case 2: s.Phonebook.Op = del; break;
        case 3: s.Phonebook.Op = MoveEntry{del, PhoneMemory::Sim, write}; break;
        case 4: {
            Restoring run;
            run.Step = write;
            run.Rows = {{PhoneMemory::Sim, "Ana", "0911", true}};
            s.Phonebook.Op = run;
            break;
        }
        default: break;
    }
    // And an SMS operation, picked the same way.
    SmsEdit edit;
    edit.OriginalPosition = "05";
    edit.Pdu = "0011000B91";
    edit.SendAfter = true;
    switch ((size / 5) % 5) {
        case 1: s.Sms.Op = SmsStore{PhoneMemory::Sim, "0011000B91"}; break;
        case 2: s.Sms.Op = edit; break;
        case 3: s.Sms.Op = SmsReadNew{PhoneMemory::Phone, "120"}; break;
        case 4: s.Sms.Op = SmsDelete{PhoneMemory::Sim, "07"}; break;
        default: break;
    }
    // A divert, lock or barring check or a ringer command in flight, picked
    // by the length too.
    auto& services = s.Services;
    switch ((size / 5) % 4) {
        case 1:
            services.DivertStep = 2;
            services.BarringStep = 7;
            break;
        case 2:
            services.DivertStep = kSwitchedOn;
            services.BarringStep = kSwitchedOff;
            break;
        case 3:
            services.MelodyPlayPending = true;
            services.MelodySetPending = true;
            services.KeptMelody = 1;
            services.KeptVolume = 2;
            s.Melodies.MelodijeCB = {"01  -  Mute", "02  -  Individual"};
            break;
        default: break;
    }
    if (control & 128) {
        s.Upload.UploadPackets = {"AA", "BB"};
        s.Upload.PacketIndex = (control >> 5) & 3;
    }

    std::size_t pos = 1;
    while (pos < size) {
        const std::uint8_t head = data[pos++];
        const std::size_t n = std::min<std::size_t>((head & 63) + 1, size - pos);
        std::string chunk(reinterpret_cast<const char*>(data + pos), n);
        pos += n;
        if (head & 64) clock.RunFor(11000);
        if (head & 128) host.nested.push_back(std::move(chunk));
        else
            engine.cpDrvReceiveData(reinterpret_cast<const std::uint8_t*>(chunk.data()),
                                    chunk.size());
    }
    clock.RunFor(11000);
    return 0;
}

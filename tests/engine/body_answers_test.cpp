// The answer to a body sent at a "> " prompt is read by its shape like any
// other answer: a line the phone slips in between the body and the answer
// (or the final result) is set aside, and a write the phone confirmed is
// reported done, once.

#include "engine/text/vcalendar.h"
#include "tests/support/engine_rig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace parlenko::testing {
namespace {

// Lines a phone sends of its own accord, of every form: no form at all, a
// result code of its own, a network answer, a call.
const std::vector<std::string> kStrays = {"HELLO", "^SBC: Undervoltage", "+CUSD: 0,\"Stanje\",15",
                                          "RING"};

struct Connected : SimPhoneRig {
    Connected() : SimPhoneRig(phonesim::MakeDefaultState(), {.dataFolder = true}) {
        state().Options.GeneralPageShown = false;
        state().Chain.PhoneModel = "S45";
        Connect();
        host.dialogs.clear();
        host.statusMessages.clear();
    }
    int Bodies() {
        int n = 0;
        for (const auto& r : phone().Received()) n += r.body ? 1 : 0;
        return n;
    }
};

ComposedSms Message() {
    ComposedSms m;
    m.Number = "0911234567";
    m.Text = "Dolazim";
    return m;
}

struct Write {
    std::string name;
    std::string command;  // the command whose body's answer gets the stray line
    std::function<void(Connected&)> start;
    std::string done;  // the status text of success
    int bodies;        // bodies the phone takes
};

std::vector<Write> Writes() {
    VCalendarEntry entry;
    entry.Text = "Sastanak";
    entry.Date = std::chrono::year_month_day{std::chrono::year{2006}, std::chrono::month{7},
                                             std::chrono::day{14}};
    return {
        {"send", "AT+CMGS", [](Connected& t) { t.engine.SendSms(Message()); },
         "SMS message succesfully sent!", 1},
        {"store", "AT+CMGW", [](Connected& t) { t.engine.StoreSms(Message()); },
         "SMS message succesfully saved in mobile!", 1},
        {"appointment", "AT^SBNW",
         [entry](Connected& t) { t.engine.SaveAppointment(entry, 2, true); },
         "Appointment succesfully saved in mobile!", 1},
        {"melody", "AT^SBNW", [](Connected& t) { t.engine.UploadMelody(std::string(100, 'm'), 1); },
         "Melody succesfully saved in mobile!", 1},
        {"logo", "AT^SBNW",
         [](Connected& t) { t.engine.UploadLogo("BM" + std::string(100, 'l'), 0); },
         "Logo succesfully saved in mobile!", 1},
    };
}

TEST(BodyAnswer, ALineBetweenTheBodyAndItsAnswerLeavesTheWriteDone) {
    for (const Write& w : Writes()) {
        for (const std::string& stray : kStrays) {
            for (const bool beforeResult : {false, true}) {
                const std::string what =
                    w.name + " / " + stray +
                    (beforeResult ? " before the result" : " before the answer");
                Connected t;
                phonesim::CommandFault fault{.command = w.command};
                (beforeResult ? fault.unsolicitedBeforeResult : fault.unsolicitedBeforeAnswer)
                    .push_back(stray);
                t.phone().AddFault(fault);
                const int before = t.Bodies();
                w.start(t);
                t.clock.RunFor(15000);
                EXPECT_TRUE(t.host.dialogs.empty()) << what;
                int done = 0;
                for (const auto& s : t.host.statusMessages) done += s == w.done ? 1 : 0;
                EXPECT_EQ(done, 1) << what;
                EXPECT_EQ(t.Bodies() - before, w.bodies) << what;
                EXPECT_TRUE(t.host.mainWindowTakesInput) << what;
            }
        }
    }
}

// A call comes between the prompt and the echo of the body: the echo is
// the body's all the same.
TEST(BodyAnswer, ALineBetweenThePromptAndTheBodysEchoLeavesTheStoreDone) {
    ScriptRig h;
    ASSERT_EQ(h.engine.StoreSms(Message()), ComposedSmsResult::Started);
    h.Sent();  // the memory selection
    h.Receive("AT+CPMS=\"SM\",\"SM\",\"SM\"\r\r\n+CPMS: 1,10,1,10,1,10\r\n\r\nOK\r\n");
    const std::string command = h.Sent();
    ASSERT_TRUE(command.starts_with("AT+CMGW=")) << command;
    h.Receive(command + "\r\n> ");
    const std::string body = h.Sent();
    ASSERT_TRUE(body.ends_with("\x1a")) << body;
    h.Receive("\r\nRING\r\n" + body + "\r\n+CMGW: 4\r\n\r\nOK\r\n");
    EXPECT_TRUE(h.host.dialogs.empty());
    EXPECT_EQ(h.host.statusMessages.back(), "SMS message succesfully saved in mobile!");
    ASSERT_FALSE(h.state().Sms.SmsList.empty());
    EXPECT_EQ(h.state().Sms.SmsList.front().Position, "04");
    EXPECT_EQ(h.state().Sms.SmsList.front().Number, "0911234567");
}

}  // namespace
}  // namespace parlenko::testing

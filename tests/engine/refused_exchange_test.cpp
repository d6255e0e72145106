// Every final error form ("ERROR", "+CME ERROR: n", "+CMS ERROR: n") ends the
// operation that owns the exchange, on the simulated phone: one message box,
// the controls usable again, the progress window closed, and nothing more
// from the time-out 10 s later.

#include "engine/objects/object_answers.h"
#include "engine/conversation/phone_errors.h"
#include "engine/text/error_texts.h"
#include "engine/text/vcalendar.h"
#include "tests/support/engine_rig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace parlenko::testing {
namespace {

constexpr char kCme[] = "+CME ERROR: 100";

const std::string& CodeMessage() {
    static const std::string text = PhoneErrorMessage(100, PhoneErrorText(100));
    return text;
}

// The phone after the connect chain ("AT+CMEE=1": errors come with codes).
struct Connected : SimPhoneRig {
    Connected() : SimPhoneRig(phonesim::MakeDefaultState(), {.dataFolder = true}) {
        state().Options.GeneralPageShown = false;
        state().Chain.PhoneModel = "S45";
        Connect();
        host.dialogs.clear();
    }
    // The next command starting with `command` is answered `result`; the
    // `pass` commands with that start before it are answered as usual.
    void Refuse(const std::string& command, const std::string& result, int pass = 0) {
        if (pass > 0) phone().AddFault({.command = command, .times = pass});
        phone().AddFault({.command = command, .result = result});
    }
    // Exactly one box, with `text`, now and after the time-out's 10 s; the
    // progress window closed and the main window usable.
    void ExpectOneBoxAndNothingLater(const std::string& text, const std::string& what) {
        clock.RunFor(1000);
        ASSERT_EQ(host.dialogs.size(), 1u) << what;
        EXPECT_EQ(host.dialogs[0].text, text) << what;
        EXPECT_FALSE(host.progressVisible) << what;
        EXPECT_TRUE(host.mainWindowTakesInput) << what;
        clock.RunFor(12000);
        EXPECT_EQ(host.dialogs.size(), 1u) << what;
    }
};

TEST(RefusedExchange, ARefusedMelodyPlayOrSettingLeavesTheControlsUsable) {
    // 0: the play's setting refused; 1: the play itself; 2: a setting.
    for (int step = 0; step < 3; ++step) {
        Connected t;
        t.engine.ReadMelodies();
        t.clock.RunFor(3000);
        t.Refuse("AT^SRTC", kCme, step == 1 ? 1 : 0);
        ASSERT_TRUE(step < 2 ? t.engine.PlayMelody(5, 2) : t.engine.SetMelody(5, 2));
        t.clock.RunFor(1000);
        const MelodyListView& m = t.engine.Melodies();
        EXPECT_TRUE(m.MelodijeCBEnabled && m.VolumeTBEnabled && m.PlayMelBtnEnabled) << step;
        EXPECT_FALSE(t.state().Services.MelodyPlayPending || t.state().Services.MelodySetPending)
            << step;
        t.ExpectOneBoxAndNothingLater(CodeMessage(), "step " + std::to_string(step));
    }
}

// The second packet of each kind of upload is refused, after its body (the
// phone checks a packet when it has it whole).
TEST(RefusedExchange, ARefusedPacketEndsTheUpload) {
    VCalendarEntry entry;
    entry.Text = std::string(240, 'b');  // three packets
    entry.Date = std::chrono::year_month_day{std::chrono::year{2006}, std::chrono::month{7},
                                             std::chrono::day{14}};
    const std::string file(400, 'x');  // three packets
    for (const std::string kind : {"vcs", "mid", "bmp"}) {
        for (const std::string result : {kCme, "ERROR"}) {
            const std::string what = kind + " " + result;
            Connected t;
            t.Refuse("AT^SBNW", result, 1);
            if (kind == "vcs") t.engine.SaveAppointment(entry, 2, true);
            const bool started = kind == "vcs" ||
                                 (kind == "mid" && t.engine.UploadMelody(file, 1)) ||
                                 (kind == "bmp" && t.engine.UploadLogo("BM" + file, 0));
            ASSERT_TRUE(started) << what;
            t.clock.RunFor(1000);
            const UploadState& up = t.state().Upload;
            EXPECT_FALSE(up.SendingAppointment || up.SendingMelody || up.SendingLogo) << what;
            t.ExpectOneBoxAndNothingLater(
                result == "ERROR" ? "Error occurred while trying to send packet!" : CodeMessage(),
                what);
            // Nothing more went to the phone: the upload is over.
            int packets = 0;
            for (const auto& c : t.Commands())
                if (c.rfind("AT^SBNW", 0) == 0) ++packets;
            EXPECT_EQ(packets, 2) << what;
        }
    }
}

TEST(RefusedExchange, ARefusedQueryEndsTheDivertBarringOrLockCheck) {
    for (const std::string check : {"diverts", "barrings", "locks"}) {
        for (const std::string result : {kCme, "ERROR"}) {
            const std::string what = check + " " + result;
            Connected t;
            const bool diverts = check == "diverts";
            t.Refuse(diverts ? "AT+CCFC" : "AT+CLCK", result, 1);
            if (diverts) t.engine.CheckDiverts();
            if (check == "barrings") t.engine.CheckBarrings();
            if (check == "locks") t.engine.CheckLocks();
            const std::string text = result != "ERROR" ? CodeMessage()
                                     : diverts
                                         ? "Error occured while trying to check divert!"
                                         : "Error occured while trying to check barring or lock!";
            t.ExpectOneBoxAndNothingLater(text, what);
        }
    }
}

TEST(RefusedExchange, ARefusedSlotEndsTheAppointmentRead) {
    for (const std::string result : {kCme, "ERROR"}) {
        Connected t;
        t.Refuse("AT^SBNR", result, 1);
        t.engine.RefreshAppointments();
        t.ExpectOneBoxAndNothingLater(result == "ERROR" ? kAppointmentReadFailed : CodeMessage(),
                                      result);
    }
}

// A write the phone never answers ends with its own failure text when the
// time-out comes: an upload the phone never prompts for could not send its
// packet; a setting says which one failed. Nothing more follows.
TEST(SilentExchange, AWriteThePhoneNeverAnswersSaysWhatFailed) {
    VCalendarEntry entry;
    entry.Text = "Sastanak";
    entry.Date = std::chrono::year_month_day{std::chrono::year{2006}, std::chrono::month{7},
                                             std::chrono::day{14}};
    const std::string file(400, 'x');
    constexpr char kPacket[] = "Error occurred while trying to send packet!";
    constexpr char kLock[] = "Error occured while trying to set barring or lock!";
    struct Case {
        const char* what;
        const char* command;
        std::function<bool(Connected&)> start;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"appointment", "AT^SBNW",
         [&](Connected& t) {
             t.engine.SaveAppointment(entry, 2, true);
             return true;
         },
         kPacket},
        {"melody", "AT^SBNW", [&](Connected& t) { return t.engine.UploadMelody(file, 1); },
         kPacket},
        {"logo", "AT^SBNW", [&](Connected& t) { return t.engine.UploadLogo("BM" + file, 0); },
         kPacket},
        {"divert",
         "AT+CCFC=", [](Connected& t) { return t.engine.SetDivert(0, "+38591222", 1, "", true); },
         "Error occured while trying to set divert!"},
        {"barring",
         "AT+CLCK=", [](Connected& t) { return t.engine.SetBarring(6, true, 1, "0000"); }, kLock},
        {"lock", "AT+CLCK=", [](Connected& t) { return t.engine.SetLock(3, false, "1234"); },
         kLock},
        {"code",
         "AT+CPWD=", [](Connected& t) { return t.engine.ChangeSecurityCode(2, "5678", "8765"); },
         "Error occured while trying to change security code!"},
        {"clock", "AT+CCLK=",
         [](Connected& t) {
             t.engine.SetPhoneClock(std::chrono::local_seconds{std::chrono::seconds{1150000000}});
             return true;
         },
         "Error occured while trying to\rsave date and time in mobile!"},
    };
    for (const Case& c : cases) {
        Connected t;
        t.phone().AddFault({.command = c.command, .noAnswer = true});
        ASSERT_TRUE(c.start(t)) << c.what;
        t.clock.RunFor(12000);
        ASSERT_EQ(t.host.dialogs.size(), 1u) << c.what;
        EXPECT_EQ(t.host.dialogs[0].text, c.text) << c.what;
        EXPECT_FALSE(t.host.progressVisible) << c.what;
        EXPECT_TRUE(t.host.mainWindowTakesInput) << c.what;
        t.clock.RunFor(12000);
        EXPECT_EQ(t.host.dialogs.size(), 1u) << c.what;
    }
}

// A read or check the phone never answers says what it could not read or
// check, not a write's text.
TEST(SilentExchange, AReadOrCheckThePhoneNeverAnswersSaysWhatFailed) {
    const std::string kUnknownError =
        "Unknown error occurred while trying\rto read data from mobile!\r\rPlease, try againg!!!";
    struct Case {
        const char* what;
        const char* command;
        std::function<void(Connected&)> start;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"logo", "AT^SBNR", [](Connected& t) { t.engine.ReadLogo(0); }, kLogoReadFailed},
        {"lock check", "AT+CLCK=", [](Connected& t) { t.engine.CheckLocks(); },
         "Error occured while trying to check barring or lock!"},
        // The checks that show the progress window end as a stalled read.
        {"barring check", "AT+CLCK=", [](Connected& t) { t.engine.CheckBarrings(); },
         kUnknownError},
        {"divert check", "AT+CCFC=", [](Connected& t) { t.engine.CheckDiverts(); }, kUnknownError},
    };
    for (const Case& c : cases) {
        Connected t;
        t.phone().AddFault({.command = c.command, .noAnswer = true});
        c.start(t);
        t.clock.RunFor(12000);
        ASSERT_EQ(t.host.dialogs.size(), 1u) << c.what;
        EXPECT_EQ(t.host.dialogs[0].text, c.text) << c.what;
        EXPECT_FALSE(t.host.progressVisible) << c.what;
        t.clock.RunFor(12000);
        EXPECT_EQ(t.host.dialogs.size(), 1u) << c.what;
    }
}

}  // namespace
}  // namespace parlenko::testing

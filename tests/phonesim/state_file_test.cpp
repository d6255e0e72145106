// The state file: the documented format, its errors, and the default S45.

#include "phonesim/gsm_text.h"
#include "phonesim/pdu.h"
#include "phonesim/state.h"

#include <gtest/gtest.h>

#include <set>

namespace phonesim {
namespace {

TEST(StateFile, ReadsEverySection) {
    PhoneState st = ParseState(R"(# a phone
[phone]
model = ME45
imei = 350000000000001
registration = 5,00A1,BEEF
smsc = +385980501,145
busy = 0911111111
[settings]
echo = 0
cnmi = 1,1,0,2,1
[locks]
OI = 3
[diverts]
2,1,+385981234567,145,15
[ussd]
*100# = Na racunu imate 10,00 kn
[phonebook SM]
capacity = 10
name_length = 12
3,"+385911234567",145,"Jürgen "Jupp" Ä€"
[sms ME]
capacity = 5
4,2,0011000391
[objects vcs]
range = 0-9
2,4142
2,43
)");
    EXPECT_EQ(st.model, "ME45");
    EXPECT_EQ(st.regStatus, 5);
    EXPECT_EQ(st.cellId, "BEEF");
    EXPECT_EQ(st.smsc, "+385980501");
    EXPECT_TRUE(st.busyNumbers.count("0911111111"));
    EXPECT_FALSE(st.settings.echo);
    EXPECT_EQ(st.settings.cnmi, (std::vector<int>{1, 1, 0, 2, 1}));
    EXPECT_EQ(st.locks.at("OI"), 3);
    EXPECT_EQ((st.diverts.at({2, 1}).time), 15);
    EXPECT_EQ(st.ussd.at("*100#"), "Na racunu imate 10,00 kn");
    const auto& e = st.phonebooks.at("SM").entries.at(3);
    EXPECT_EQ(GsmToUtf8(e.name), "Jürgen \"Jupp\" Ä€");
    EXPECT_EQ(e.name.size(), 17u);  // the euro sign takes two units
    EXPECT_EQ(st.smsMemories.at("ME").messages.at(4).status, 2);
    EXPECT_EQ(st.objects.at("vcs").highest, 9);
    EXPECT_EQ(st.objects.at("vcs").objects.at(2), "ABC");
}

TEST(StateFile, ErrorsNameTheLine) {
    auto message = [](const std::string& text) {
        try {
            ParseState(text, "t.state");
        } catch (const StateError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("[phone]\nbattery = 0,x\n"), "t.state:2: not a number: 'x'");
    EXPECT_EQ(message("\n[gadgets]\n"), "t.state:2: unknown section 'gadgets'");
    EXPECT_EQ(message("[phonebook SM]\ncapacity = 2\n3,\"1\",129,\"A\"\n"),
              "t.state:3: position outside the capacity");
    EXPECT_EQ(message("[sms SM]\n1,1,XYZ\n"), "t.state:2: PDU is not hex");
    EXPECT_EQ(message("model = S45\n"), "t.state:1: line outside a section");
    EXPECT_THROW(LoadStateFile("/nonexistent/s45.state"), StateError);
}

TEST(StateFile, TheDefaultS45LooksLikeAUsersPhone) {
    PhoneState st = LoadStateFile(PARLENKO_SOURCE_DIR "/tests/data/s45.state");
    EXPECT_EQ(st.manufacturer, "SIEMENS");
    EXPECT_EQ(st.model, "S45");
    EXPECT_TRUE(st.settings.echo);
    const Phonebook& sim = st.phonebooks.at("SM");
    EXPECT_EQ(sim.capacity, 250);
    EXPECT_GE(sim.entries.size(), 90u);
    EXPECT_LE(sim.entries.size(), 110u);
    int vip = 0, escaped = 0;
    for (const auto& [pos, e] : sim.entries) {
        EXPECT_LE(static_cast<int>(e.name.size()), sim.nameLength) << GsmToUtf8(e.name);
        if (!e.name.empty() && e.name.back() == '!') ++vip;
        for (char c : e.name)
            if (c == 0x1B || c == 0x11 || c == 0x1E || c == 0x5B || c == 0x5C || c == 0x5E ||
                c == 0x7B || c == 0x7C || c == 0x7E || c == 0x01 || c == 0x02) {
                ++escaped;
                break;
            }
    }
    EXPECT_GE(vip, 3);
    EXPECT_GE(escaped, 5);
    for (const char* book : {"ME", "ON", "SD", "LD", "RC", "MC"})
        EXPECT_FALSE(st.phonebooks.at(book).entries.empty()) << book;

    std::set<int> statuses;
    std::size_t messages = 0;
    bool ucs2 = false;
    for (const auto& [id, mem] : st.smsMemories) {
        for (const auto& [index, sms] : mem.messages) {
            ++messages;
            statuses.insert(sms.status);
            auto d = DecodePdu(sms.pdu);
            ASSERT_TRUE(d) << sms.pdu;
            EXPECT_EQ(d->submit, sms.status >= 2);
            EXPECT_FALSE(d->text.empty());
            ucs2 = ucs2 || d->ucs2;
        }
    }
    EXPECT_EQ(messages, 12u);
    EXPECT_EQ(statuses, (std::set<int>{0, 1, 2, 3}));
    EXPECT_TRUE(ucs2);

    EXPECT_EQ(st.objects.at("vcs").objects.size(), 3u);
    for (const auto& [index, data] : st.objects.at("vcs").objects)
        EXPECT_EQ(data.substr(0, 15), "BEGIN:VCALENDAR");
    EXPECT_EQ(st.objects.at("mid").objects.at(0).substr(0, 4), "MThd");
    const std::string& bmp = st.objects.at("bmp").objects.at(0);
    ASSERT_GT(bmp.size(), 62u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[2]) | static_cast<unsigned char>(bmp[3]) << 8,
              static_cast<int>(bmp.size()));
}

TEST(PduToolkit, BuildsAndReadsBackMessages) {
    SubmitMessage s;
    s.destination = "0911234567";
    s.text = "Vidimo se u 8!";
    s.statusReport = true;
    s.validity = 0xA7;
    auto d = DecodePdu(BuildSubmitPdu(s));
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->submit);
    EXPECT_TRUE(d->statusReportRequested);
    EXPECT_EQ(d->address, "0911234567");
    EXPECT_EQ(d->text, "Vidimo se u 8!");

    DeliverMessage m;
    m.smsc = "+385910401";
    m.sender = "+385911234567";
    m.timestamp = "05/03/15,12:34:56";
    m.text = "Čestitam! 12€";
    m.ucs2 = true;
    std::string pdu = BuildDeliverPdu(m);
    EXPECT_EQ(pdu.substr(0, 16), "069183950104F104");  // centre, then SMS-DELIVER
    d = DecodePdu(pdu);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->smsc, "+385910401");
    EXPECT_EQ(d->address, "+385911234567");
    EXPECT_EQ(d->timestamp, "05/03/15,12:34:56");
    EXPECT_EQ(d->text, "Čestitam! 12€");
    auto sizes = MeasurePdu(pdu);
    ASSERT_TRUE(sizes);
    EXPECT_EQ(sizes->smscOctets, 7);
    EXPECT_EQ(sizes->tpduOctets, static_cast<int>(pdu.size() / 2) - 7);

    // Eight septets fill seven octets; a ninth starts an eighth octet.
    EXPECT_EQ(PackSeptets("abcdefgh").size(), 7u);
    EXPECT_EQ(PackSeptets("abcdefghi").size(), 8u);
    EXPECT_EQ(UnpackSeptets(PackSeptets("abcdefghi"), 9), "abcdefghi");
    EXPECT_EQ(Utf8ToGsm("Ä_€@"), std::string("\x5B\x11\x1B\x65\x00", 5));
}

}  // namespace
}  // namespace phonesim

#include "engine/general/general_answers.h"

#include <gtest/gtest.h>

namespace parlenko {
namespace {

TEST(SingleAnswers, Activity) {
    EXPECT_EQ(ParseCpas("+CPAS: 0"), "Ready.");
    EXPECT_EQ(ParseCpas("+CPAS: 3"), "Incoming call.");
    EXPECT_EQ(ParseCpas("+CPAS: 4"), "Call is active.");
    EXPECT_EQ(ParseCpas("+CPAS: 2"), "");
    EXPECT_EQ(ParseCpas("+CPAS: "), "");
    EXPECT_EQ(ParseCpas("+CPAS: x"), "");
    EXPECT_EQ(ParseCpas(""), "");
}

TEST(SingleAnswers, Clock) {
    EXPECT_EQ(ParseCclk("+CCLK: \"05/03/15,12:34:56\""), "15.03.2005    12:34:56");
    EXPECT_EQ(ParseCclk("+CCLK: \"05/13/15,12:34:56\""), "");  // month 13: nothing at all
    EXPECT_EQ(ParseCclk("+CCLK: \"05/02/30,12:34:56\""), "");
    EXPECT_EQ(ParseCclk("+CCLK: \"0a/03/15,12:34:56\""), "");
    EXPECT_EQ(ParseCclk("+CCLK: \"05/03/1"), "");
    EXPECT_EQ(ParseCclk("+CCLK: "), "");
    EXPECT_EQ(ParseCclk(""), "");
}

TEST(SingleAnswers, Battery) {
    EXPECT_EQ(ParseCbc("+CBC: 0,80"), "Mobile is supplied from battery.");
    EXPECT_EQ(ParseCbc("+CBC: 1,80"), "Mobile has battery, but is not supplied from there.");
    EXPECT_EQ(ParseCbc("+CBC: 2,0"), "Mobile has no battery connected.");
    EXPECT_EQ(ParseCbc("+CBC: 3,0"), "Error!");
    EXPECT_EQ(ParseCbc("+CBC: 4,0"), "");
    EXPECT_EQ(ParseCbc("+CBC:"), "");
}

TEST(SingleAnswers, RegistrationAnswer) {
    const char* line = "+CREG: 2,1,\"0DA2\",\"5C1F\"";
    EXPECT_EQ(ParseCreg(line).status, "Checked in.");
    EXPECT_EQ(ParseCreg(line).area, "0DA2");
    EXPECT_EQ(ParseCreg(line).cell, "5C1F");

    EXPECT_EQ(ParseCreg("+CREG: 2,5").status, "Registered, roaming.");
    EXPECT_EQ(ParseCreg("+CREG: 2,5").area, "");
    EXPECT_EQ(ParseCreg("+CREG: 2,5").cell, "");
    EXPECT_EQ(ParseCreg("+CREG: 0,0").status, "Not checked in, not searching.");
    EXPECT_EQ(ParseCreg("+CREG: 1,2").status, "Not checked in, but searching.");
    EXPECT_EQ(ParseCreg("+CREG: 1,3").status, "Check-in denied by network.");
    EXPECT_EQ(ParseCreg("+CREG: 1,4").status, "Unknown.");
    EXPECT_EQ(ParseCreg("+CREG: 1,9").status, "");
}

TEST(SingleAnswers, RegistrationNoticeWithoutTheMode) {
    const char* line = "+CREG: 5,\"0DA2\",\"5C1F\"";
    EXPECT_EQ(ParseCreg(line).status, "Registered, roaming.");
    EXPECT_EQ(ParseCreg(line).area, "0DA2");
    EXPECT_EQ(ParseCreg(line).cell, "5C1F");
    EXPECT_EQ(ParseCreg("+CREG: 1").status, "Checked in.");
    EXPECT_EQ(ParseCreg("+CREG: 1").area, "");
    EXPECT_EQ(ParseCreg("+CREG: 1").cell, "");
}

TEST(SingleAnswers, RegistrationGarbled) {
    for (const char* line : {"", "+CREG: ", "+CREG: ,", ",,,", "+CREG: 2,\"", "+CREG: \"\",\"",
                             "+CREG: 2,1,\"0DA2\""}) {
        EXPECT_NO_THROW((void)ParseCreg(line).status) << line;
        EXPECT_EQ(ParseCreg(line).area, "") << line;
        EXPECT_EQ(ParseCreg(line).cell, "") << line;
    }
    EXPECT_EQ(ParseCreg("").status, "");
    EXPECT_EQ(ParseCreg("+CREG: ,").status, "");
    // An area without its cell: no third comma, no area either.
    EXPECT_EQ(ParseCreg("+CREG: 2,1,\"0DA2\"").status, "Checked in.");
}

TEST(SingleAnswers, ServiceCentre) {
    EXPECT_EQ(ParseCsca("+CSCA: \"+385910401\",145"), "+385910401");
    EXPECT_EQ(ParseCsca("+CSCA: \"\",129"), "");
    EXPECT_EQ(ParseCsca("+CSCA: \"+3859"), "");  // no closing quote
    EXPECT_EQ(ParseCsca("+CSCA"), "");
    EXPECT_EQ(ParseCsca(""), "");
}

}  // namespace
}  // namespace parlenko

#include "engine/parse/answer_reader.h"

#include <gtest/gtest.h>

namespace parlenko {
namespace {

TEST(AnswerReader, ReadsEachFieldOnceInOrder) {
    AnswerReader r("+CPBR: 7,\"+385, 98\"x,145,\"Ana, B\"");
    EXPECT_TRUE(r.SkipPrefix());
    EXPECT_EQ(r.NextNumber(), 7);
    // Commas inside the quotes belong to the string; what follows the
    // closing quote up to the comma is passed over.
    EXPECT_EQ(r.NextString(), "+385, 98");
    EXPECT_EQ(r.NextNumber(), 145);
    EXPECT_EQ(r.Peek(), '"');
    EXPECT_EQ(r.Rest(), "\"Ana, B\"");
    EXPECT_FALSE(r.HasField());
    EXPECT_EQ(r.NextField(), "");
    EXPECT_EQ(r.NextNumber(), std::nullopt);
    EXPECT_EQ(r.NextString(), std::nullopt);
}

TEST(AnswerReader, MalformedFieldsYieldNothingAndDoNotShiftTheNext) {
    AnswerReader r("+CPBS: \"SM\",x3,250");
    r.SkipPrefix();
    EXPECT_EQ(r.NextString(), "SM");
    EXPECT_EQ(r.NextNumber(), std::nullopt);  // "x3"
    EXPECT_EQ(r.NextNumber(), 250);

    AnswerReader unquoted("+CSCA: 385,145");
    unquoted.SkipPrefix();
    EXPECT_EQ(unquoted.NextString(), std::nullopt);
    EXPECT_EQ(unquoted.NextNumber(), 145);

    AnswerReader unclosed("+CSCA: \"+3859,145");
    unclosed.SkipPrefix();
    EXPECT_EQ(unclosed.NextString(), std::nullopt);
    EXPECT_FALSE(unclosed.HasField());

    // An empty last field is a field; after it there is none.
    AnswerReader trailing("+CREG: 1,");
    trailing.SkipPrefix();
    EXPECT_EQ(trailing.NextField(), "1");
    EXPECT_TRUE(trailing.HasField());
    EXPECT_EQ(trailing.NextUnquoted(), "");
    EXPECT_FALSE(trailing.HasField());
}

TEST(AnswerReader, PrefixIsLookedForInTheFirstFieldOnly) {
    AnswerReader noPrefix("2,1,\"0D:A2\"");
    EXPECT_FALSE(noPrefix.SkipPrefix());
    EXPECT_EQ(noPrefix.NextField(), "2");

    AnswerReader blanks("+CALM:   2");
    EXPECT_TRUE(blanks.SkipPrefix());
    EXPECT_EQ(blanks.Rest(), "2");
    EXPECT_EQ(Unquoted("\"0DA2\""), "0DA2");
    EXPECT_EQ(Unquoted("\""), "");
}

}  // namespace
}  // namespace parlenko

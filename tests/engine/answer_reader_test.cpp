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

TEST(AnswerReader, CharacterPositionsAndEchoedCommands) {
    // The memory between the quotes of an echoed selection.
    AnswerReader echo("AT+CPMS=\"SM\",\"SM\",\"SM\"");
    EXPECT_TRUE(echo.SkipCommand());
    echo.Skip(1);
    EXPECT_EQ(echo.NextChars(2), "SM");
    // Field reads go on from where the characters stopped.
    EXPECT_EQ(echo.NextField(), "\"");
    EXPECT_EQ(echo.NextString(), "SM");

    AnswerReader noCommand("+CME ERROR: 10");
    EXPECT_FALSE(noCommand.SkipCommand());
    noCommand.Skip(12);
    // Fewer characters than asked for: what is left; then nothing.
    EXPECT_EQ(noCommand.NextChars(5), "10");
    EXPECT_EQ(noCommand.NextChars(5), "");
    noCommand.Skip(3);
    EXPECT_EQ(noCommand.Rest(), "");

    AnswerReader read("^SMGO: 1,2");
    read.Skip(7);
    EXPECT_EQ(read.NextChars(3), "1,2");  // commas count as characters
    EXPECT_TRUE(read.HasField());
    EXPECT_EQ(read.NextField(), "");
    EXPECT_EQ(read.NextChars(1), "");  // no field left
}

}  // namespace
}  // namespace parlenko

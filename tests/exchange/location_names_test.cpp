// "Locations.dat": the user's cell names, looked up and saved by key.
#include "exchange/formats/location_names.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

namespace parlenko::exchange {
namespace {

using testing::TempFolder;

TEST(LocationNames, SaveAddsReplacesInPlaceAndFindsAgain) {
    TempFolder dir;
    EXPECT_EQ(FindLocationName(dir.path(), "HR VIP", "0F3A", "1D2C"), "");

    ASSERT_TRUE(SaveLocationName(dir.path(), "HR VIP", "0F3A", "1D2C", "Home").ok());
    ASSERT_TRUE(SaveLocationName(dir.path(), "HR VIP", "0F3A", "1D2D", "Office").ok());
    EXPECT_EQ(dir.Get("Locations.dat"),
              "{HR VIP},{0F3A},{1D2C},\"Home\"\r\n"
              "{HR VIP},{0F3A},{1D2D},\"Office\"\r\n");

    // The same cell named again keeps its line's place.
    ASSERT_TRUE(SaveLocationName(dir.path(), "HR VIP", "0F3A", "1D2C", "Home \"old town\"").ok());
    EXPECT_EQ(dir.Get("Locations.dat"),
              "{HR VIP},{0F3A},{1D2C},\"Home \"old town\"\"\r\n"
              "{HR VIP},{0F3A},{1D2D},\"Office\"\r\n");
    EXPECT_EQ(FindLocationName(dir.path(), "HR VIP", "0F3A", "1D2C"), "Home \"old town\"");
    EXPECT_EQ(FindLocationName(dir.path(), "HR VIP", "0F3A", "1D2D"), "Office");
    EXPECT_EQ(FindLocationName(dir.path(), "HR VIP", "0F3A", "1D2E"), "");
    EXPECT_EQ(FindLocationName(dir.path(), "hr vip", "0F3A", "1D2D"), "");
    EXPECT_EQ(dir.Listing(), "Locations.dat");
}

TEST(LocationNames, EmptyAndMalformedLinesArePassedOverAndKept) {
    TempFolder dir;
    dir.Put("Locations.dat",
            "{A},{1},{2},\"First\"\r\n"
            "\r\n"
            "no quote at all\r\n"
            "{A},{1},{3},\"Unclosed\r\n"
            "{A},{1},{4},\"After the gap\"\n");  // a lone LF ends a line too
    EXPECT_EQ(FindLocationName(dir.path(), "A", "1", "2"), "First");
    EXPECT_EQ(FindLocationName(dir.path(), "A", "1", "4"), "After the gap");
    EXPECT_EQ(FindLocationName(dir.path(), "A", "1", "3"), "");

    // A key after the empty line is replaced where it stands, not added again.
    ASSERT_TRUE(SaveLocationName(dir.path(), "A", "1", "4", "Renamed").ok());
    EXPECT_EQ(dir.Get("Locations.dat"),
              "{A},{1},{2},\"First\"\r\n"
              "\r\n"
              "no quote at all\r\n"
              "{A},{1},{3},\"Unclosed\r\n"
              "{A},{1},{4},\"Renamed\"\r\n");
}

TEST(LocationNames, KeysWithQuotesOrLineBreaksStillRoundTrip) {
    std::vector<std::string> lines;
    std::string key = LocationKey("Op \"X\"", "1\r\n2", "3");
    EXPECT_EQ(key, "{Op 'X'},{1  2},{3}");
    SetLocationNameIn(lines, key, "Two\nlines");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(FindLocationNameIn(lines, key), "Two lines");
}

TEST(LocationNames, FailedSaveKeepsTheOldFile) {
    TempFolder dir;
    dir.Put("plain", "x");
    auto saved = SaveLocationName(dir.file("plain"), "A", "1", "2", "Name");
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.error.find("Locations.dat"), std::string::npos);
    EXPECT_EQ(FindLocationName(dir.file("plain"), "A", "1", "2"), "");
}

}  // namespace
}  // namespace parlenko::exchange

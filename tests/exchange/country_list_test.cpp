// "CountryList.dat": country names and calling codes for the code picker.
#include "exchange/formats/country_list.h"

#include "exchange/formats/atomic_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <set>

namespace parlenko::exchange {
namespace {

using testing::TempFolder;

TEST(CountryList, ParsesWellFormedLinesAndSkipsTheRest) {
    auto countries = ParseCountryList(
        "[Croatia][+385]\r\n"
        "\r\n"
        "[Germany][0049]\r\n"
        "  [Bosnia and Herzegovina] [+387]  \r\n"
        "Slovenia [+386]\r\n"    // no opening bracket
        "[Austria]\r\n"          // no code
        "[Italy][+39\r\n"        // unclosed code
        "[Hungary]+36\r\n"       // code not in brackets
        "[][+1]\r\n"             // no name
        "[France][+33]][x]\r\n"  // more than two bracketed parts
        "[Serbia][+381]");       // last line without a line end
    EXPECT_EQ(countries, (std::vector<CountryEntry>{{"Croatia", "+385"},
                                                    {"Germany", "0049"},
                                                    {"Bosnia and Herzegovina", "+387"},
                                                    {"Serbia", "+381"}}));
    EXPECT_EQ(GetCountryCode(countries, "Croatia"), "+385");
    EXPECT_EQ(GetCountryCode(countries, "Germany"), "0049");  // used as it stands
    EXPECT_EQ(GetCountryCode(countries, "croatia"), "");
    EXPECT_EQ(GetCountryCode(countries, "Austria"), "");
}

TEST(CountryList, MissingFileGivesNoCountries) {
    TempFolder dir;
    EXPECT_TRUE(LoadCountryList(dir.path()).empty());
    dir.Put("CountryList.dat", "[Croatia][+385]\r\n");
    EXPECT_EQ(LoadCountryList(dir.path() + "/").size(), 1u);
}

TEST(CountryList, ShippedListIsWellFormed) {
    auto bytes = ReadFileBytes(std::string(PARLENKO_SOURCE_DIR) + "/ui/assets/CountryList.dat");
    ASSERT_TRUE(bytes);
    auto countries = ParseCountryList(*bytes);
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = bytes->find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    EXPECT_EQ(countries.size(), lines);  // every line is a country, every line ends CR LF
    EXPECT_GT(countries.size(), 150u);

    std::set<std::string> names;
    for (const auto& c : countries) {
        EXPECT_TRUE(names.insert(c.Name).second) << c.Name;
        EXPECT_EQ(c.Code.front(), '+') << c.Name;
        EXPECT_EQ(c.Code.find_first_not_of("+0123456789"), std::string::npos) << c.Name;
    }
    EXPECT_EQ(GetCountryCode(countries, "Croatia"), "+385");
    EXPECT_EQ(GetCountryCode(countries, "Germany"), "+49");
}

}  // namespace
}  // namespace parlenko::exchange

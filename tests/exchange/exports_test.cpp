// The export files: exact bytes of CSV, XML, vCard and vCalendar files.
#include "exchange/formats/exports.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

namespace parlenko::exchange {
namespace {

using testing::TempFolder;

const std::vector<PhonebookFileEntry> kEntries = {
    {"Ana!", "+385911234567", "SIM card", "001"},
    {"Bob", "0981234567", "Mobile memory", "012"},
    {"Voicemail", "123", "Service numbers", "001"},
};

TEST(Exports, PhonebookCsvNumbersEntriesAndMarksTheNumber) {
    TempFolder dir;
    ASSERT_TRUE(ExportPhonebookCsv(dir.file("book.csv"), kEntries).ok());
    EXPECT_EQ(dir.Get("book.csv"),
              "NO;NAME;PHONE;LOCATION;POSITION\r\r\n"
              "1;Ana!;'+385911234567;SIM card;001\r\n"
              "2;Bob;'0981234567;Mobile memory;012\r\n"
              "3;Voicemail;'123;Service numbers;001\r\n");

    ASSERT_TRUE(ExportPhonebookCsv(dir.file("book.csv"), {}).ok());  // replaces the file
    EXPECT_EQ(dir.Get("book.csv"), "NO;NAME;PHONE;LOCATION;POSITION\r\r\n");
}

TEST(Exports, CsvCellsWithSeparatorsOrQuotesAreQuoted) {
    EXPECT_EQ(PhonebookCsvText({{"Smith; John", "1", "SIM card", "001"},
                                {"\"Boss\"", "2", "SIM card", "002"},
                                {"Caf\xe9", "3", "SIM card", "003"}}),
              "NO;NAME;PHONE;LOCATION;POSITION\r\r\n"
              "1;\"Smith; John\";'1;SIM card;001\r\n"
              "2;\"\"\"Boss\"\"\";'2;SIM card;002\r\n"
              "3;Caf\xe9;'3;SIM card;003\r\n");
}

TEST(Exports, CallListsCsvNameTheirList) {
    std::vector<CallListRow> rows = {{"Ana", "+385911234567"}, {"", "0981234567"}};
    TempFolder dir;
    ASSERT_TRUE(ExportReceivedCallsCsv(dir.file("in.csv"), rows).ok());
    ASSERT_TRUE(ExportMissedCallsCsv(dir.file("miss.csv"), {}).ok());
    EXPECT_EQ(dir.Get("in.csv"),
              "NO;NAME;PHONE;LOCATION\r\r\n"
              "1;Ana;'+385911234567;Received calls\r\n"
              "2;;'0981234567;Received calls\r\n");
    EXPECT_EQ(dir.Get("miss.csv"), "NO;NAME;PHONE;LOCATION\r\r\n");
}

TEST(Exports, PhonebookXmlNumbersTheEntryElements) {
    TempFolder dir;
    ASSERT_TRUE(ExportPhonebookXml(dir.file("book.xml"), {kEntries[0], kEntries[1]}).ok());
    EXPECT_EQ(dir.Get("book.xml"),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n"
              "<PHONEBOOK>\r\n"
              "<ENTRY1>\r\n<NAME>Ana!</NAME>\r\n<PHONE>+385911234567</PHONE>\r\n"
              "<LOCATION>SIM card</LOCATION>\r\n<POSITION>001</POSITION>\r\n</ENTRY1>\r\n"
              "<ENTRY2>\r\n<NAME>Bob</NAME>\r\n<PHONE>0981234567</PHONE>\r\n"
              "<LOCATION>Mobile memory</LOCATION>\r\n<POSITION>012</POSITION>\r\n</ENTRY2>\r\n"
              "</PHONEBOOK>\r\n");

    EXPECT_EQ(
        PhonebookXmlText({}),
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<PHONEBOOK>\r\n</PHONEBOOK>\r\n");
}

TEST(Exports, XmlTextIsEscapedAndStaysInItsDeclaredCharset) {
    std::string xml = PhonebookXmlText({{"A&B <x> \"q\" \x80 \xe9\x01", "1", "SIM card", "001"}});
    EXPECT_NE(xml.find("<NAME>A&amp;B &lt;x&gt; \"q\" &#8364; \xe9?</NAME>"), std::string::npos)
        << xml;
}

// The phone's Greek capitals and a lone ESC (held at their GSM codes) in
// each export: character references in XML, UTF-8 in a vCard, the bytes
// themselves in the Windows-1252 CSV.
TEST(Exports, ThePhonesLettersWindows1252LacksAreKept) {
    const PhonebookFileEntry e{"\x10\x12 @\x1B", "1", "SIM card", "001"};
    EXPECT_NE(PhonebookXmlText({e}).find("<NAME>&#916;&#934; @&#9243;</NAME>"), std::string::npos);
    EXPECT_NE(VCardText(e.Name, "1").find("FN;CHARSET=UTF-8:ΔΦ @␛\r\n"), std::string::npos);
    EXPECT_NE(PhonebookCsvText({e}).find("1;\x10\x12 @\x1B;'1;"), std::string::npos);
}

TEST(Exports, VCardHasSixLines) {
    TempFolder dir;
    ASSERT_TRUE(SaveEntryAsVCard(dir.file("card.vcf"), "Ana", "+385911234567").ok());
    EXPECT_EQ(dir.Get("card.vcf"),
              "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Ana\r\nFN:Ana\r\n"
              "TEL;HOME;VOICE:+385911234567\r\nEND:VCARD\r\n");
    // N is a compound value: its ";" is escaped, FN keeps the name as it is.
    EXPECT_EQ(VCardText("Doe; John", "1"),
              "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe\\; John\r\nFN:Doe; John\r\n"
              "TEL;HOME;VOICE:1\r\nEND:VCARD\r\n");
    // Beyond ASCII a value is UTF-8, and its property says so.
    EXPECT_EQ(VCardText("B\xFCro Berlin", "1"),
              "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8:B\xC3\xBCro Berlin\r\n"
              "FN;CHARSET=UTF-8:B\xC3\xBCro Berlin\r\nTEL;HOME;VOICE:1\r\nEND:VCARD\r\n");
}

TEST(Exports, PhonebookVCardsOneFilePerEntryNoneLost) {
    TempFolder dir;
    std::vector<PhonebookFileEntry> entries = {
        {"Ana!", "1", "SIM card", "001"},     {"Bob", "2", "SIM card", "002"},
        {"Bob", "3", "Mobile memory", "001"}, {"../up", "4", "Own numbers", "001"},
        {"", "5", "SIM card", "003"},         {"M\xfcller", "6", "SIM card", "004"},
    };
    ASSERT_TRUE(ExportPhonebookVCards(dir.path() + "/", entries).ok());
    // No card is hidden (a leading "."), the names are UTF-8 on disk.
    EXPECT_EQ(dir.Listing(), "Ana!.vcf Bob (2).vcf Bob.vcf M\xc3\xbcller.vcf _.._up.vcf _.vcf");
    EXPECT_EQ(dir.Get("Ana!.vcf"), VCardText("Ana!", "1"));  // the bulk export keeps the VIP "!"
    EXPECT_EQ(dir.Get("Bob.vcf"), VCardText("Bob", "2"));
    EXPECT_EQ(dir.Get("Bob (2).vcf"), VCardText("Bob", "3"));
    EXPECT_EQ(dir.Get("_.._up.vcf"), VCardText("../up", "4"));
    EXPECT_EQ(dir.Get("M\xc3\xbcller.vcf"), VCardText("M\xfcller", "6"));
    EXPECT_EQ(ExportFileStem(".Ana"), "_.Ana");
    EXPECT_EQ(ExportFileStem("A/B.C"), "A_B.C");

    TempFolder empty;
    ASSERT_TRUE(ExportPhonebookVCards(empty.path(), {}).ok());
    EXPECT_EQ(empty.Listing(), "");
}

TEST(Exports, VCalendarFileIsTheObjectAndOneLineEnd) {
    std::string object =
        "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nCATEGORIES:MEETING\r\n"
        "DTSTART:20020517T183000\r\nSUMMARY:Team\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    TempFolder dir;
    ASSERT_TRUE(SaveAppointmentAsVCalendar(dir.file("a.vcs"), object).ok());
    EXPECT_EQ(dir.Get("a.vcs"), object + "\r\n");
}

TEST(Exports, UnwritableTargetIsReported) {
    TempFolder dir;
    dir.Put("plain", "x");
    auto csv = ExportPhonebookCsv(dir.file("plain") + "/book.csv", kEntries);
    EXPECT_FALSE(csv.ok());
    EXPECT_NE(csv.error.find("book.csv"), std::string::npos);
    EXPECT_FALSE(ExportPhonebookVCards(dir.file("plain"), kEntries).ok());
    EXPECT_EQ(dir.Listing(), "plain");
}

}  // namespace
}  // namespace parlenko::exchange

// vCard files: what the three versions give, what is no contact, and the
// bytes of a written card.
#include "exchange/store/vcard.h"

#include "exchange/formats/text_encoding.h"

#include <gtest/gtest.h>

namespace parlenko::exchange::store {
namespace {

TEST(VCard, TheThreeVersionsGiveTheFiveNumbers) {
    // 2.1: bare types, quoted-printable in Latin-1 over a soft line break.
    auto v21 = ReadVCard(
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "N:Horvat;Ana\r\n"
        "FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Ana =C4r=\r\nger\r\n"
        "TEL;WORK;FAX:01 999\r\n"
        "TEL;HOME;VOICE:+385 (01) 234 567\r\n"
        "TEL;CELL;VOICE:091 234 5678\r\n"
        "TEL;WORK;VOICE:01 111\r\n"
        "TEL;WORK:01 222\r\n"
        "TEL;X-EVOLUTION-COMPANY:01 333\r\n"
        "END:VCARD\r\n");
    ASSERT_TRUE(v21);
    EXPECT_EQ(*v21, (ContactFields{"Ana \xC3\x84rger", "+385 (01) 234 567", "091 234 5678",
                                   "01 111", "01 222", "01 333"}));

    // A soft line break keeps the blank that begins the next line.
    auto soft = ReadVCard(
        "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;ENCODING=QUOTED-PRINTABLE:Ana=\r\n Ivi=\r\nc\r\n"
        "END:VCARD\r\n");
    ASSERT_TRUE(soft);
    EXPECT_EQ(soft->FullName, "Ana Ivic");

    // 3.0: groups, escaped commas, repeated and listed types, an untyped number for home.
    auto v30 = ReadVCard(
        "BEGIN:VCARD\nVERSION:3.0\nN:Doe;John;;;\nFN:Doe\\, John\n"
        "item1.TEL;type=pref;type=CELL:+1 555 0100\n"
        "item1.X-ABLabel:mobile\n"
        "TEL;TYPE=WORK,CELL:+1 555 0199\n"
        "item2.TEL;TYPE=WORK,VOICE:+1 555 0101\n"
        "TEL;TYPE=pager:+1 555 0198\n"
        "TEL;TYPE=VOICE:+1 555 0103\n"
        "TEL;TYPE=WORK:+1 555 0102\n"
        "TEL;TYPE=X-COMPANY:+1 555 0104\n"
        "END:VCARD\n");
    ASSERT_TRUE(v30);
    EXPECT_EQ(*v30, (ContactFields{"Doe, John", "+1 555 0103", "+1 555 0100", "+1 555 0101",
                                   "+1 555 0102", "+1 555 0104"}));

    // 4.0: "tel:" values, quoted type lists, a folded line, no FN.
    auto v40 = ReadVCard(
        "BEGIN:VCARD\r\nVERSION:4.0\r\nN:Horvat;Ivan;;;\r\n"
        "TEL;VALUE=uri;TYPE=\"home,voice\":tel:+385-1-234-5678\r\n"
        "TEL;VALUE=uri;PREF=1;TYPE=cell:tel:+385-91-\r\n 234-5678\r\n"
        "TEL;VALUE=uri;TYPE=work:tel:+385-1-999;ext=12\r\n"
        "END:VCARD\r\n");
    ASSERT_TRUE(v40);
    EXPECT_EQ(*v40, (ContactFields{"Ivan Horvat", "+385-1-234-5678", "+385-91-234-5678",
                                   "+385-1-999", "", ""}));
}

TEST(VCard, GroupsAndBrokenFilesAreNoContacts) {
    EXPECT_FALSE(ReadVCard("BEGIN:VCARD\nVERSION:4.0\nKIND:group\nFN:Team\nEND:VCARD\n"));
    EXPECT_FALSE(
        ReadVCard("BEGIN:VCARD\nVERSION:3.0\nX-ADDRESSBOOKSERVER-KIND:Group\n"
                  "FN:Team\nEND:VCARD\n"));
    EXPECT_FALSE(ReadVCard("BEGIN:VCARD\nVERSION:3.0\nFN:Cut off\n"));
    EXPECT_FALSE(ReadVCard("\x01\x02 not a card"));
    // A card inside a 2.1 card (AGENT) lends nothing to the outer one.
    auto outer = ReadVCard(
        "BEGIN:VCARD\nVERSION:2.1\nFN:Boss\nAGENT:\nBEGIN:VCARD\nFN:Agent\nTEL;CELL:1\n"
        "END:VCARD\nEND:VCARD\n");
    ASSERT_TRUE(outer);
    EXPECT_EQ(outer->FullName, "Boss");
    EXPECT_EQ(outer->Mobile, "");
}

TEST(VCard, WrittenCardsAreVersion30AndReadBack) {
    ContactFields c;
    c.FullName = Windows1252ToUtf8("Ana; \xC4rger \x80");
    c.Mobile = "+385911234567";
    c.CompanyMain = "01 333";
    EXPECT_EQ(WriteVCard(c, "u-1", "20261207T101500Z"),
              "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:u-1\r\n"
              "FN:Ana\\; \xC3\x84rger \xE2\x82\xAC\r\n"
              "N:;Ana\\; \xC3\x84rger \xE2\x82\xAC;;;\r\n"
              "TEL;TYPE=CELL:+385911234567\r\n"
              "TEL;TYPE=X-EVOLUTION-COMPANY:01 333\r\n"
              "REV:20261207T101500Z\r\nEND:VCARD\r\n");
    EXPECT_EQ(ReadVCard(WriteVCard(c, "u-1", "r")), c);
    EXPECT_EQ(Utf8ToWindows1252(ReadVCard(WriteVCard(c, "u", "r"))->FullName),
              "Ana; \xC4rger \x80");

    // Long names fold at 75 octets and never inside a character.
    ContactFields longName{
        std::string(72, 'a') + "\xC5\xA0" + std::string(80, 'b'), "1", "", "", "", ""};
    const std::string text = WriteVCard(longName, "u", "r");
    EXPECT_NE(text.find("FN:" + std::string(72, 'a') + "\r\n \xC5\xA0"), std::string::npos);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_LE(end - start, 75u) << text.substr(start, end - start);
    EXPECT_EQ(ReadVCard(text), longName);
}

// Quoted-printable line ends: at the ends of a name or number they go, inside
// they are one line feed, and the card written from them reads back the same.
TEST(VCard, LineEndsInQuotedPrintableValuesReadBackTheSame) {
    auto c = ReadVCard(
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "FN;ENCODING=QUOTED-PRINTABLE:Ana=0D=0AIvic =0D\r\n"
        "TEL;CELL;ENCODING=QUOTED-PRINTABLE:091 234=0D=0A\r\n"
        "END:VCARD\r\n");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->FullName, "Ana\nIvic");
    EXPECT_EQ(c->Mobile, "091 234");
    EXPECT_EQ(ReadVCard(WriteVCard(*c, "u", "r")), c);
}

TEST(VCard, FoldingCountsOctets) {
    EXPECT_EQ(FoldLine(std::string(75, 'x')), std::string(75, 'x') + "\r\n");
    EXPECT_EQ(FoldLine(std::string(74, 'x') + "\xE2\x82\xAC"),
              std::string(74, 'x') + "\r\n \xE2\x82\xAC\r\n");
    EXPECT_EQ(FoldLine(std::string(150, 'x')),
              std::string(75, 'x') + "\r\n " + std::string(74, 'x') + "\r\n x\r\n");
}

}  // namespace
}  // namespace parlenko::exchange::store

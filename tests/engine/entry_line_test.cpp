// The entry dialog's checks and the "AT+CPBW" line it sends.

#include "engine/phonebook/entry_line.h"

#include <gtest/gtest.h>

namespace parlenko {
namespace {

TEST(EntryLine, WriteLineAndStoredEntry) {
    // The position without zeros, the number filtered, the name escaped for
    // the phone (é is GSM code 5) and stored as it is.
    const auto w = BuildPhonebookWrite("Ana \"Mala\"\xE9", "+385 (91) 123-4567", "010");
    EXPECT_EQ(w.Line, "AT+CPBW=10,\"+385911234567\",,\"Ana \\22Mala\\22\\05\"\r");
    EXPECT_EQ(w.Entry.Name, "Ana \"Mala\"\xE9");
    EXPECT_EQ(w.Entry.Phone, "+385911234567");
    EXPECT_EQ(w.Entry.Position, "010");
    // A letter the phone lacks is never written as "?": no line at all.
    EXPECT_EQ(BuildPhonebookWrite("Khardi\x9A", "091", "010").Line, "");
}

TEST(EntryLine, VipMarkAndTheSaveRule) {
    EXPECT_EQ(VipName("Abcdefghijklmno"), "Abcdefghijklmno!");   // 15 -> 16
    EXPECT_EQ(VipName("Abcdefghijklmnop"), "Abcdefghijklmno!");  // 16 stays 16
    EXPECT_EQ(VipName("Abcdefghijklmn{"), "Abcdefghijklmn!");    // "{" takes two
    EXPECT_EQ(UnsupportedNameChars("A{b}~\xC4\x87`"), "\xC4\x87 ` ");
    EXPECT_TRUE(CanSaveEntry("Ana", "091", "006"));
    EXPECT_FALSE(CanSaveEntry("Ana", "091", "Memory full"));
    EXPECT_FALSE(CanSaveEntry("  ", "091", "006"));
    EXPECT_FALSE(CanSaveEntry("Ana", "09a", "006"));
    EXPECT_TRUE(CanSaveEntry("Caf\xC3\xA9 {\xCE\x94}", "091", "006"));
    // Checked as typed: "ć" is refused, whatever its 8-bit copy would be.
    EXPECT_FALSE(CanSaveEntry("Iva Khardi\xC4\x87", "091", "006"));
}

}  // namespace
}  // namespace parlenko

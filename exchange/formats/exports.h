#pragma once
// The files other programs read: the phonebook as CSV, as XML or as vCard 2.1
// files, the received and missed calls as CSV, one entry as a vCard and one
// appointment as a vCalendar file. Every file is a list of lines, each ending
// CR LF, written in one go (replacing a file of the same name). CSV and XML
// hold the Windows-1252 bytes the program holds (XML writes what ISO-8859-1
// lacks as character references; CSV, which has no such way, holds the
// phone's Greek capitals and a lone ESC as the program does, at their GSM
// codes 0x10..0x1B, exchange/formats/text_encoding.h); in vCard and vCalendar files
// a value beyond ASCII is UTF-8 and its property says so (CHARSET=UTF-8, as
// vCard 2.1 and vCalendar 1.0 allow), the encoding their readers on this
// platform expect.

#include "exchange/formats/atomic_file.h"
#include "exchange/formats/phonebook_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace parlenko::exchange {

// One row of a call list as shown: the name column and the number.
struct CallListRow {
    std::string Name;
    std::string Number;
};

inline constexpr char kReceivedCallsText[] = "Received calls";
inline constexpr char kMissedCallsText[] = "Missed calls";

// "NO;NAME;PHONE;LOCATION;POSITION" ending CR CR LF (so readers see an empty
// row after it), then n;Name;'Phone;Location;Position per
// entry from n = 1, in list order, all memories, a VIP name with its "!". The
// apostrophe keeps spreadsheets from reading the number as a number. A cell
// holding ";", a double quote or a line break is quoted, quotes doubled.
std::string PhonebookCsvText(const std::vector<PhonebookFileEntry>& entries);
// "NO;NAME;PHONE;LOCATION" ending CR CR LF, then n;Name;'Number;listText per row.
std::string CallsCsvText(const std::vector<CallListRow>& rows, std::string_view listText);
// The XML declaration (ISO-8859-1), "<PHONEBOOK>", per entry n the element
// ENTRYn holding NAME, PHONE, LOCATION, POSITION, and "</PHONEBOOK>", one tag
// per line. "&", "<", ">" are escaped; characters outside ISO-8859-1 (the
// euro sign, curly quotes, the phone's Greek capitals ...) and line breaks
// become character references, other control characters "?".
std::string PhonebookXmlText(const std::vector<PhonebookFileEntry>& entries);
// The six lines of a vCard 2.1 with the name and a home voice number
// (Windows-1252). In N, a compound value, ";" is written "\;" so that the
// whole name stays the family name; FN holds the name as it is.
std::string VCardText(std::string_view name, std::string_view number);
// One property line of a vCard or vCalendar file (without its line end) for
// a Windows-1252 value: "NAME:value" when its characters are ASCII, else
// "NAME;CHARSET=UTF-8:" and the value in UTF-8.
std::string Utf8Property(std::string_view property, std::string_view value);

WriteResult ExportPhonebookCsv(const std::string& path,
                               const std::vector<PhonebookFileEntry>& entries);
WriteResult ExportPhonebookXml(const std::string& path,
                               const std::vector<PhonebookFileEntry>& entries);
WriteResult ExportReceivedCallsCsv(const std::string& path, const std::vector<CallListRow>& rows);
WriteResult ExportMissedCallsCsv(const std::string& path, const std::vector<CallListRow>& rows);

// The file name (without extension, Windows-1252) an export of one item
// offers or takes: the name with "/" (or NUL) written as "_" so that the file
// lands in its folder, and "_" in front of an empty name or one that begins
// with "." (such files are hidden).
std::string ExportFileStem(std::string_view name);
// The file name of an entry's vCard: ExportFileStem of the stored name (VIP
// "!" included) in UTF-8, the file names' encoding, + ".vcf".
std::string VCardFileName(std::string_view name);
// One vCard per entry into folder, in list order. A name met again in the same
// export gets " (2)", " (3)" ... before ".vcf" so that no entry is lost. The
// first failing file stops the export; the cards written before it remain.
WriteResult ExportPhonebookVCards(const std::string& folder,
                                  const std::vector<PhonebookFileEntry>& entries);
// One entry as a "Business Card" (the caller passes the name without the VIP "!").
WriteResult SaveEntryAsVCard(const std::string& path, std::string_view name,
                             std::string_view number);
// A vCalendar object (its own lines ending CR LF) followed by one CR LF.
WriteResult SaveAppointmentAsVCalendar(const std::string& path, std::string_view text);

}  // namespace parlenko::exchange

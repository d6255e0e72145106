#include "exchange/formats/exports.h"

#include "exchange/formats/text_encoding.h"
#include "exchange/formats/text_lines.h"

#include <cstdint>
#include <set>

namespace parlenko::exchange {
namespace {

// A CSV cell with ";" as the separator.
std::string CsvCell(std::string_view text) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) return std::string(text);
    std::string cell = "\"";
    for (char c : text) {
        if (c == '"') cell += '"';
        cell += c;
    }
    cell += '"';
    return cell;
}

// Element content in ISO-8859-1: markup characters escaped; the characters
// ISO-8859-1 has not (the Windows-1252 extras, the phone's Greek capitals and
// its lone ESC) and the line breaks as character references; the other
// control characters, which XML cannot carry at all, as "?".
std::string XmlText(std::string_view text) {
    std::string out;
    for (char ch : text) {
        const char32_t cp = Windows1252CodePoint(ch);
        switch (cp) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default:
                if ((cp >= 0x80 && cp <= 0x9F) || cp > 0xFF || cp == '\r' || cp == '\n')
                    out += "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ";";
                else if (cp < 0x20 && cp != '\t') out += '?';
                else out += ch;
        }
    }
    return out;
}

std::string Numbered(std::size_t n) { return std::to_string(n); }

// The header line of a CSV file: it ends CR CR LF, the layout other programs
// reading these files know.
std::string CsvHeader(std::string_view columns) { return std::string(columns) + "\r"; }

// A vCard 2.1 compound value (N): its ";" separates the name's parts.
std::string CompoundValue(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ';') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

std::string PhonebookCsvText(const std::vector<PhonebookFileEntry>& entries) {
    std::vector<std::string> lines{CsvHeader("NO;NAME;PHONE;LOCATION;POSITION")};
    std::size_t n = 0;
    for (const auto& e : entries)
        lines.push_back(Numbered(++n) + ";" + CsvCell(e.Name) + ";" + CsvCell("'" + e.Phone) + ";" +
                        CsvCell(e.Location) + ";" + CsvCell(e.Position));
    return JoinLines(lines);
}

std::string CallsCsvText(const std::vector<CallListRow>& rows, std::string_view listText) {
    std::vector<std::string> lines{CsvHeader("NO;NAME;PHONE;LOCATION")};
    std::size_t n = 0;
    for (const auto& r : rows)
        lines.push_back(Numbered(++n) + ";" + CsvCell(r.Name) + ";" + CsvCell("'" + r.Number) +
                        ";" + CsvCell(listText));
    return JoinLines(lines);
}

std::string PhonebookXmlText(const std::vector<PhonebookFileEntry>& entries) {
    std::vector<std::string> lines{"<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>",
                                   "<PHONEBOOK>"};
    std::size_t n = 0;
    for (const auto& e : entries) {
        std::string tag = "ENTRY" + Numbered(++n);
        lines.push_back("<" + tag + ">");
        lines.push_back("<NAME>" + XmlText(e.Name) + "</NAME>");
        lines.push_back("<PHONE>" + XmlText(e.Phone) + "</PHONE>");
        lines.push_back("<LOCATION>" + XmlText(e.Location) + "</LOCATION>");
        lines.push_back("<POSITION>" + XmlText(e.Position) + "</POSITION>");
        lines.push_back("</" + tag + ">");
    }
    lines.push_back("</PHONEBOOK>");
    return JoinLines(lines);
}

std::string VCardText(std::string_view name, std::string_view number) {
    return JoinLines({"BEGIN:VCARD", "VERSION:2.1", Utf8Property("N", CompoundValue(name)),
                      Utf8Property("FN", name), Utf8Property("TEL;HOME;VOICE", number),
                      "END:VCARD"});
}

std::string Utf8Property(std::string_view property, std::string_view value) {
    // The phone's Greek capitals are bytes below 0x80 that are no ASCII.
    const std::string utf8 = Windows1252ToUtf8(value);
    if (IsAscii(utf8)) return std::string(property) + ":" + utf8;
    return std::string(property) + ";CHARSET=UTF-8:" + utf8;
}

WriteResult ExportPhonebookCsv(const std::string& path,
                               const std::vector<PhonebookFileEntry>& entries) {
    return WriteFileAtomically(path, PhonebookCsvText(entries));
}

WriteResult ExportPhonebookXml(const std::string& path,
                               const std::vector<PhonebookFileEntry>& entries) {
    return WriteFileAtomically(path, PhonebookXmlText(entries));
}

WriteResult ExportReceivedCallsCsv(const std::string& path, const std::vector<CallListRow>& rows) {
    return WriteFileAtomically(path, CallsCsvText(rows, kReceivedCallsText));
}

WriteResult ExportMissedCallsCsv(const std::string& path, const std::vector<CallListRow>& rows) {
    return WriteFileAtomically(path, CallsCsvText(rows, kMissedCallsText));
}

std::string ExportFileStem(std::string_view name) {
    std::string stem(name);
    for (char& c : stem)
        if (c == '/' || c == '\0') c = '_';
    if (stem.empty() || stem.front() == '.')
        stem.insert(stem.begin(), '_');  // GCC 12 warns falsely (-Wrestrict) on insert(0, "_")
    return stem;
}

std::string VCardFileName(std::string_view name) {
    return Windows1252ToUtf8(ExportFileStem(name)) + ".vcf";
}

WriteResult ExportPhonebookVCards(const std::string& folder,
                                  const std::vector<PhonebookFileEntry>& entries) {
    std::set<std::string> used;
    for (const auto& e : entries) {
        std::string file = VCardFileName(e.Name);
        std::string stem = file.substr(0, file.size() - 4);
        for (int copy = 2; !used.insert(file).second; ++copy)
            file = stem + " (" + std::to_string(copy) + ").vcf";
        auto written = WriteFileAtomically(JoinPath(folder, file), VCardText(e.Name, e.Phone));
        if (!written.ok()) return written;
    }
    return {};
}

WriteResult SaveEntryAsVCard(const std::string& path, std::string_view name,
                             std::string_view number) {
    return WriteFileAtomically(path, VCardText(name, number));
}

WriteResult SaveAppointmentAsVCalendar(const std::string& path, std::string_view text) {
    return WriteFileAtomically(path, std::string(text) + "\r\n");
}

}  // namespace parlenko::exchange

#include "exchange/formats/exports.h"

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

// Unicode code points of Windows-1252 bytes 0x80..0x9F; the five bytes the code
// page leaves undefined keep their own value.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Element content in ISO-8859-1: markup characters escaped, the Windows-1252
// extras as character references, control characters XML cannot carry as "?".
std::string XmlText(std::string_view text) {
    std::string out;
    for (char ch : text) {
        auto b = static_cast<unsigned char>(ch);
        switch (b) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default:
                if (b >= 0x80 && b <= 0x9F)
                    out += "&#" + std::to_string(kCp1252High[b - 0x80]) + ";";
                else if (b < 0x20 && b != '\t') out += '?';
                else out += ch;
        }
    }
    return out;
}

std::string Numbered(std::size_t n) { return std::to_string(n); }

// The header line of a CSV file: it ends CR CR LF, the layout other programs
// reading these files know.
std::string CsvHeader(std::string_view columns) { return std::string(columns) + "\r"; }

// The Windows-1252 bytes as UTF-8, the encoding of file names here.
std::string FileNameUtf8(std::string_view text) {
    std::string out;
    for (char ch : text) {
        auto b = static_cast<unsigned char>(ch);
        std::uint32_t cp = b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : b;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

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
    return JoinLines({"BEGIN:VCARD", "VERSION:2.1", "N:" + CompoundValue(name),
                      "FN:" + std::string(name), "TEL;HOME;VOICE:" + std::string(number),
                      "END:VCARD"});
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
    return FileNameUtf8(ExportFileStem(name)) + ".vcf";
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

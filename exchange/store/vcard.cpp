#include "exchange/store/vcard.h"

#include "exchange/formats/text_encoding.h"

#include <algorithm>
#include <set>
#include <vector>

namespace parlenko::exchange::store {
namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string Upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return Upper(c); });
    return out;
}

bool IEquals(std::string_view a, std::string_view b) { return Upper(a) == Upper(b); }

bool IStartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && IEquals(s.substr(0, prefix.size()), prefix);
}

// Without the blanks and line ends at either end.
std::string TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return std::string(s);
}

std::vector<std::string_view> PhysicalLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

// One content line: [group.]NAME;params:value.
struct Property {
    std::string name;                                         // upper case, no group
    std::vector<std::pair<std::string, std::string>> params;  // key upper case
    std::set<std::string> types;                              // upper case
    std::string value;                                        // raw, still encoded
};

// Splits s at sep outside double quotes.
std::vector<std::string_view> SplitOutsideQuotes(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"') quoted = !quoted;
        if (s[i] == sep && !quoted) {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(s.substr(start));
    return parts;
}

std::string Unquote(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != '"') out.push_back(c);
    return out;
}

std::optional<Property> ParseLine(std::string_view line) {
    bool quoted = false;
    std::size_t colon = std::string_view::npos;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string_view::npos) return std::nullopt;
    Property p;
    p.value = std::string(line.substr(colon + 1));
    auto parts = SplitOutsideQuotes(line.substr(0, colon), ';');
    std::string_view name = parts.front();
    if (auto dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
    p.name = Upper(TrimBlanks(name));
    for (std::size_t i = 1; i < parts.size(); ++i) {
        std::string_view param = parts[i];
        std::string key;
        std::string value;
        if (auto eq = param.find('='); eq != std::string_view::npos) {
            key = Upper(TrimBlanks(param.substr(0, eq)));
            value = Unquote(param.substr(eq + 1));
        } else {
            // vCard 2.1 names a type or an encoding without its key.
            value = Unquote(param);
            const std::string v = Upper(TrimBlanks(value));
            key = (v == "QUOTED-PRINTABLE" || v == "BASE64" || v == "8BIT" || v == "7BIT")
                      ? "ENCODING"
                      : "TYPE";
        }
        if (key == "TYPE")
            for (auto t : SplitOutsideQuotes(value, ','))
                if (auto u = Upper(TrimBlanks(t)); !u.empty()) p.types.insert(u);
        p.params.emplace_back(key, value);
    }
    return p;
}

std::string Param(const Property& p, std::string_view key) {
    for (const auto& [k, v] : p.params)
        if (k == key) return Upper(TrimBlanks(v));
    return {};
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Upper(c);
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string DecodeQuotedPrintable(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '=' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
            out.push_back(static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2])));
            i += 2;
        } else if (s[i] == '=' && i + 1 == s.size()) {
            // A soft line break that was the last line of the card.
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

bool IsUtf8(std::string_view s) { return ValidUtf8(s) == s; }

// The value's bytes as UTF-8: decoded, then from its CHARSET.
std::string DecodedValue(const Property& p) {
    std::string bytes =
        Param(p, "ENCODING") == "QUOTED-PRINTABLE" ? DecodeQuotedPrintable(p.value) : p.value;
    const std::string charset = Param(p, "CHARSET");
    const bool eightBit = charset == "ISO-8859-1" || charset == "ISO-8859-15" ||
                          charset == "LATIN1" || charset == "WINDOWS-1252" || charset == "CP1252";
    // A NUL byte is never part of a name or number.
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
    // A line end inside the value (a quoted-printable "=0D=0A" or a lone
    // "=0D") is one line feed, as the card is written back.
    std::string lines;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            lines.push_back(bytes[i]);
            continue;
        }
        lines.push_back('\n');
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
    bytes = std::move(lines);
    if (eightBit || !IsUtf8(bytes)) return Windows1252ToUtf8(bytes);
    return bytes;
}

std::string Unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out.push_back(s[i]);
            continue;
        }
        const char next = s[++i];
        out.push_back(next == 'n' || next == 'N' ? '\n' : next);
    }
    return out;
}

// The components of a structured value, split at semicolons that are no escapes.
std::vector<std::string> Components(std::string_view s) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            parts.back() += s.substr(i, 2);
            ++i;
        } else if (s[i] == ';') {
            parts.emplace_back();
        } else {
            parts.back().push_back(s[i]);
        }
    }
    for (auto& part : parts) part = TrimBlanks(Unescape(part));
    return parts;
}

// A vCard 4.0 number, or one marked VALUE=uri, may be a "tel:" URI.
std::string Number(const Property& p, bool uri) {
    std::string value = TrimBlanks(DecodedValue(p));
    if ((uri || Param(p, "VALUE") == "URI") && IStartsWith(value, "tel:")) {
        value.erase(0, 4);
        if (auto semicolon = value.find(';'); semicolon != std::string::npos)
            value.erase(semicolon);
    }
    return TrimBlanks(Unescape(value));
}

// A quoted-printable value whose line ends in "=" goes on in the next line.
bool SoftLineBreak(std::string_view logical) {
    if (logical.empty() || logical.back() != '=') return false;
    const auto colon = logical.find(':');
    return colon != std::string_view::npos &&
           Upper(logical.substr(0, colon)).find("QUOTED-PRINTABLE") != std::string::npos;
}

// vCard 2.1 folds before a blank that stays part of the value.
bool FoldsKeepTheBlank(const std::vector<std::string_view>& lines) {
    return std::any_of(lines.begin(), lines.end(),
                       [](auto line) { return IEquals(TrimBlanks(line), "VERSION:2.1"); });
}

bool StartsWithBlank(std::string_view line) {
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

// The logical line that starts at lines[i]: folds unfolded, quoted-printable
// soft breaks joined. i is left on its last physical line.
std::string LogicalLine(const std::vector<std::string_view>& lines, std::size_t& i, bool v21) {
    std::string logical(lines[i]);
    while (i + 1 < lines.size()) {
        if (SoftLineBreak(logical)) {
            // The next line goes on as it is, blanks in front included.
            logical.pop_back();
            logical += lines[++i];
        } else if (StartsWithBlank(lines[i + 1])) {
            logical += lines[++i].substr(v21 ? 0 : 1);
        } else {
            break;
        }
    }
    return logical;
}

// Logical lines of the first card: unfolded, quoted-printable soft breaks joined.
std::optional<std::vector<Property>> CardProperties(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const auto lines = PhysicalLines(bytes);
    const bool v21 = FoldsKeepTheBlank(lines);

    std::vector<Property> props;
    int depth = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string logical = LogicalLine(lines, i, v21);
        if (TrimBlanks(logical).empty()) continue;
        auto prop = ParseLine(logical);
        if (!prop) continue;
        const std::string value = Upper(TrimBlanks(prop->value));
        if (prop->name == "BEGIN" && value == "VCARD") {
            ++depth;
        } else if (prop->name == "END" && value == "VCARD" && depth > 0) {
            if (--depth == 0) return props;
        } else if (depth == 1) {
            // Deeper lines belong to a card inside this one (a 2.1 AGENT).
            props.push_back(std::move(*prop));
        }
    }
    return std::nullopt;
}

bool Has(const Property& p, std::string_view type) { return p.types.count(std::string(type)) > 0; }

bool IsGroup(const Property& p) {
    return (p.name == "KIND" || p.name == "X-ADDRESSBOOKSERVER-KIND") &&
           IEquals(TrimBlanks(p.value), "group");
}

// N's "Family;Given" as "Given Family".
std::string NameFromN(const Property& p) {
    const auto parts = Components(DecodedValue(p));
    const std::string family = parts.empty() ? "" : parts[0];
    const std::string given = parts.size() > 1 ? parts[1] : "";
    return given.empty() ? family : family.empty() ? given : given + " " + family;
}

// The card's properties taken one by one into the fields they fill.
class CardFields {
public:
    explicit CardFields(bool v40) : v40_(v40) {}

    void Take(const Property& p) {
        if (p.name == "FN" && fn_.empty()) {
            fn_ = TrimBlanks(Unescape(DecodedValue(p)));
        } else if (p.name == "N" && nameFromN_.empty()) {
            nameFromN_ = NameFromN(p);
        } else if (p.name == "TEL") {
            TakeNumber(p);
        }
    }

    ContactFields Result() && {
        fields_.FullName = fn_.empty() ? nameFromN_ : fn_;
        if (fields_.Home.empty()) fields_.Home = untyped_;
        return std::move(fields_);
    }

private:
    void TakeNumber(const Property& p) {
        const std::string number = Number(p, v40_);
        if (number.empty()) return;
        const bool company = Has(p, "X-EVOLUTION-COMPANY") || Has(p, "X-COMPANY");
        const bool special = Has(p, "CELL") || Has(p, "FAX") || Has(p, "PAGER");
        if (Has(p, "CELL") && fields_.Mobile.empty()) fields_.Mobile = number;
        if (company && fields_.CompanyMain.empty()) fields_.CompanyMain = number;
        if (!company && !special) TakeVoiceNumber(p, number);
    }

    // A number that is neither a mobile, fax or pager nor the company's.
    void TakeVoiceNumber(const Property& p, const std::string& number) {
        if (Has(p, "HOME") && fields_.Home.empty()) fields_.Home = number;
        if (Has(p, "WORK")) {
            if (works_ == 0) fields_.Business = number;
            if (works_ == 1) fields_.Business2 = number;
            ++works_;
        }
        const bool plain = std::all_of(p.types.begin(), p.types.end(),
                                       [](const auto& t) { return t == "VOICE" || t == "PREF"; });
        if (plain && untyped_.empty()) untyped_ = number;
    }

    bool v40_;
    ContactFields fields_;
    std::string fn_;
    std::string nameFromN_;
    std::string untyped_;  // the first number without a type (or with VOICE only)
    int works_ = 0;        // WORK numbers seen
};

}  // namespace

std::optional<ContactFields> ReadVCard(std::string_view bytes) {
    const auto props = CardProperties(bytes);
    if (!props || std::any_of(props->begin(), props->end(), IsGroup)) return std::nullopt;
    const bool v40 = std::any_of(props->begin(), props->end(), [](const Property& p) {
        return p.name == "VERSION" && TrimBlanks(p.value) == "4.0";
    });
    CardFields fields(v40);
    for (const auto& p : *props) fields.Take(p);
    return std::move(fields).Result();
}

std::string FoldLine(std::string_view line) {
    std::string out;
    std::size_t limit = 75;  // octets of this piece, the leading blank included
    std::size_t taken = 0;
    while (line.size() - taken > limit) {
        std::size_t cut = taken + limit;
        // Never between the lead byte of a character and its continuation bytes.
        while (cut > taken + 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out += line.substr(taken, cut - taken);
        out += "\r\n ";
        taken = cut;
        limit = 74;
    }
    out += line.substr(taken);
    out += "\r\n";
    return out;
}

namespace {

std::string Escape(std::string_view s) {
    std::string out;
    for (char c : ValidUtf8(s)) {
        if (c == '\\' || c == ',' || c == ';') {
            out.push_back('\\');
            out.push_back(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r' && c != '\0') {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

std::string WriteVCard(const ContactFields& c, std::string_view uid, std::string_view rev) {
    std::string out;
    auto line = [&out](const std::string& l) { out += FoldLine(l); };
    line("BEGIN:VCARD");
    line("VERSION:3.0");
    line("UID:" + Escape(uid));
    line("FN:" + Escape(c.FullName));
    line("N:;" + Escape(c.FullName) + ";;;");
    const std::pair<const std::string*, const char*> numbers[] = {
        {&c.Home, "HOME,VOICE"},
        {&c.Mobile, "CELL"},
        {&c.Business, "WORK,VOICE"},
        {&c.Business2, "WORK,VOICE"},
        {&c.CompanyMain, "X-EVOLUTION-COMPANY"}};
    for (const auto& [number, type] : numbers)
        if (!number->empty()) line(std::string("TEL;TYPE=") + type + ":" + Escape(*number));
    line("REV:" + Escape(rev));
    line("END:VCARD");
    return out;
}

}  // namespace parlenko::exchange::store

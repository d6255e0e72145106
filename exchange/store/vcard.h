#pragma once
// vCard files of the contacts store. Cards of versions 2.1, 3.0 and 4.0 are
// read for a name and five telephone numbers; cards are written as vCard 3.0,
// the version khard, vdirsyncer and the CardDAV servers all take.

#include <optional>
#include <string>
#include <string_view>

namespace parlenko::exchange::store {

// What the exchange uses of a contact; UTF-8 texts.
struct ContactFields {
    std::string FullName;
    std::string Home;
    std::string Mobile;
    std::string Business;
    std::string Business2;
    std::string CompanyMain;
    bool operator==(const ContactFields&) const = default;
};

// The first card of a file. Lines are unfolded (CR LF, LF or CR ends), groups
// ("item1.TEL") dropped, "TYPE=a,b", repeated TYPE and bare 2.1 types
// ("TEL;HOME;VOICE") all read; quoted-printable values are decoded and turned
// from their CHARSET into UTF-8 (bytes that are no UTF-8 are read as
// Windows-1252); "tel:" values (vCard 4.0 or VALUE=uri) lose the scheme.
//   FullName    FN, else N as "Given Family"
//   Home        the first TEL of type HOME (not CELL, FAX or PAGER), else the
//               first TEL without a type (or with VOICE only)
//   Mobile      the first TEL of type CELL
//   Business(2) the first (second) TEL of type WORK (not CELL, FAX, PAGER or
//               a company number)
//   CompanyMain the first TEL of type X-EVOLUTION-COMPANY or X-COMPANY
// nullopt when the file holds no whole card, or the card is a group
// (KIND:group, X-ADDRESSBOOKSERVER-KIND:group).
std::optional<ContactFields> ReadVCard(std::string_view bytes);

// A vCard 3.0: UID, FN, N (";name;;;"), one TEL per number set (HOME,VOICE;
// CELL; WORK,VOICE twice; X-EVOLUTION-COMPANY), REV. Lines end CR LF and are
// folded at 75 octets, never inside a character.
std::string WriteVCard(const ContactFields& contact, std::string_view uid, std::string_view rev);

// line folded into pieces of at most 75 octets, each continuation starting
// with a blank; every piece ends CR LF.
std::string FoldLine(std::string_view line);

}  // namespace parlenko::exchange::store

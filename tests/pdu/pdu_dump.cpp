// Prints our decoding of PDUs as JSON lines, for the comparison with Gammu.
// Each input line is one of
//   deliver HEX      decoded as a received message (status 0 and 1)
//   submit HEX       decoded as a stored outgoing message (status 2 and 3)
//   cmgr HEX         decoded as the SMS read decodes an "AT+CMGR=" answer,
//                    by the message's own type; "decoder" names the one used
//   encode NUMBER|TEXT|VPVALUE|VPUNIT|REPORT|FLASH
//                    a PDU built as the message editor builds it; TEXT is
//                    the Windows-1252 text in hex, NUMBER may be empty
// Strings are written byte by byte: every byte outside printable ASCII as
// \u00XX, so that a JSON reader sees one character per byte.
#include "engine/core/strings.h"
#include "engine/pdu/pdu_decoder.h"
#include "engine/pdu/pdu_encoder.h"
#include "engine/pdu/pdu_helpers.h"
#include "engine/text/gsm_alphabet.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace parlenko;

std::string Json(const std::string& s) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : s) {
        auto b = static_cast<unsigned char>(ch);
        if (b == '"' || b == '\\') {
            out += '\\';
            out += ch;
        } else if (b < 0x20 || b >= 0x7F) {
            out += "\\u00";
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

const char* CodingName(PduCoding c) {
    switch (c) {
        case PduCoding::EightBit: return "8bit";
        case PduCoding::Ucs2: return "ucs2";
        case PduCoding::Gsm7Bit: break;
    }
    return "7bit";
}

void PrintDecoded(const DecodedPdu& d, const char* decoder = nullptr) {
    std::cout << "{";
    if (decoder) std::cout << "\"decoder\":\"" << decoder << "\",";
    std::cout << "\"smsc\":" << Json(d.PduSmsc) << ",\"number\":" << Json(d.PduNumber)
              << ",\"date\":" << Json(d.PduDate) << ",\"time\":" << Json(d.PduTime)
              << ",\"validity\":" << Json(d.PduValidity) << ",\"text\":" << Json(d.PduText)
              << ",\"display\":" << Json(PduDisplayText(d)) << ",\"coding\":\""
              << CodingName(d.Coding)
              << "\",\"status_report\":" << (d.PduStatusReport ? "true" : "false")
              << ",\"udhi\":" << (d.PduUdhi ? "true" : "false")
              << ",\"no_validity\":" << (d.PduNoValidity ? "true" : "false") << "}\n";
}

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> parts(1);
    for (char ch : s) {
        if (ch == sep) parts.emplace_back();
        else parts.back() += ch;
    }
    return parts;
}

std::string FromHex(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(HexToByte(hex.substr(i, 2))));
    return out;
}

void PrintEncoded(const std::string& args) {
    std::vector<std::string> f = Split(args, '|');
    f.resize(6);
    bool flash = f[5] == "1";
    std::string text = FromHex(UpperCase(f[1]));
    SubmitPdu p = BuildSubmitPdu(f[0], flash ? text : SmsTextToGsm(text),
                                 static_cast<int>(StrToIntDef(f[2], 0)), f[4] == "1", flash,
                                 static_cast<int>(StrToIntDef(f[3], 0)));
    std::cout << "{\"pdu\":" << Json(p.Pdu) << ",\"ok\":" << (p.Ok() ? "true" : "false")
              << ",\"length\":" << Json(p.Ok() ? SmsPduLength(p.Pdu) : std::string()) << "}\n";
}

}  // namespace

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        auto space = line.find(' ');
        std::string verb = line.substr(0, space);
        std::string arg = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (verb == "deliver") PrintDecoded(DecodeSmsPdu(arg));
        else if (verb == "submit") PrintDecoded(DecodeStoredSubmitPdu(arg));
        else if (verb == "cmgr")
            PrintDecoded(DecodeReadPdu(arg),
                         MessageTypeOfPdu(arg) == PduMessageType::Submit ? "submit" : "deliver");
        else if (verb == "encode") PrintEncoded(arg);
        else std::cout << "{\"error\":" << Json("unknown request: " + verb) << "}\n";
        std::cout.flush();
    }
    return 0;
}

#include "engine/text/error_texts.h"

#include <string_view>

#include "engine/core/strings.h"

namespace parlenko {
namespace {

struct ErrorText {
    int code;
    std::string_view text;
};

constexpr ErrorText kErrorTexts[] = {
    // GSM 07.07 +CME ERROR
    {0, "PHONE FAILURE"},
    {1, "NO CONNECTION TO PHONE"},
    {2, "PH-TA LINK RESERVED"},
    {3, "OPERATION NOT ALLOWED"},
    {4, "OPERATION NOT SUPPORT"},
    {5, "PH-SIM PIN REQUIRED"},
    {10, "SIM NOT INSERTED"},
    {11, "SIM PIN REQUIRED"},
    {12, "SIM PUK REQUIRED"},
    {13, "SIM FAILURE"},
    {14, "SIM BUSY"},
    {15, "SIM WRONG"},
    {16, "INCORRECT PASSWORD"},
    {17, "SIM PIN2 REQUIRED"},
    {18, "SIM PUK2 REQUIRED"},
    {20, "MEMORY FULL"},
    {21, "INVALID INDEX"},
    {22, "NOT FOUND"},
    {23, "MEMORY FAILURE"},
    {24, "TEXT TOO LONG"},
    {25, "INVALID CHAR IN TEXT"},
    {26, "DIAL STRING TOO LONG"},
    {27, "INVALID CHAR IN DIAL"},
    {30, "NO NETWORK SERVICE"},
    {31, "NETWORK TIMEOUT"},
    {100, "UNKNOWN"},
    // GSM 07.05 +CMS ERROR
    {300, "ME failure"},
    {301, "SMS service of ME reserved"},
    {302, "operation not allowed"},
    {303, "operation not supported"},
    {304, "invalid PDU parameter"},
    {305, "invalid TEXT mode"},
    {310, "SIM not inserted"},
    {311, "SIM PIN necessary"},
    {312, "PH-SIM PIN necessary"},
    {313, "SIM failure"},
    {314, "SIM busy"},
    {315, "SIM wrong"},
    {320, "memory failure"},
    {321, "invalid memory failure"},
    {322, "memory full"},
    {330, "SMSC address unknown"},
    {331, "no network service"},
    {332, "network timeout"},
    {340, "NO +CNMA ACK EXPECTED"},
    {500, "unknown error"},
    // Siemens
    {512, "CALL BARRED BY BLACKLIST"},
    {513, "PHONE LINK RESERVED"},
    {514, "INVALID DIAL STRING"},
    {515, "PHONE BUSY"},
    {550, "PH-SIM PUK REQUIRED"},
    {551, "NTF-SIM PIN REQUIRED"},
    {552, "NTF-SIM PUK REQUIRED"},
    {553, "PH-NET PIN REQUIRED"},
    {554, "PH-NET PUK REQUIRED"},
    {555, "PH-SP PIN REQUIRED"},
    {556, "PH-SP PUK REQUIRED"},
    {557, "PH-CP PIN REQUIRED"},
    {558, "PH-CP PUK REQUIRED"},
    {559, "FEATURE PIN REQUIRED"},
    {560, "FEATURE PUK REQUIRED"},
};

}  // namespace

std::string PhoneErrorText(int code) {
    for (const auto& e : kErrorTexts) {
        if (e.code != code) continue;
        // The first character as stored, the rest lower case.
        return std::string(e.text.substr(0, 1)) + LowerCase(e.text.substr(1));
    }
    return "     ";
}

}  // namespace parlenko

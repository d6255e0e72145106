#pragma once
// A small SMS PDU toolkit of the simulated phone (GSM 03.40 / 03.38), enough to
// seed messages, check what a client stores or sends, and build incoming ones.
// PDUs are hex text with the service-centre field first, as in AT+CMGR.

#include <optional>
#include <string>
#include <string_view>

namespace phonesim {

// 7-bit packing of GSM code units; fillBits pads before the first septet
// (used after a user data header).
std::string PackSeptets(std::string_view gsm, int fillBits = 0);
// The first count septets of packed octets.
std::string UnpackSeptets(std::string_view octets, std::size_t count, int fillBits = 0);

// Address field: digit count, type (145 with a leading '+', else 129) and the
// semi-octets. An empty number gives "00 81".
std::string EncodeAddress(std::string_view number);
// Service-centre field: octet count (type included), type and semi-octets;
// an empty number gives the single octet 00.
std::string EncodeSmsc(std::string_view number);

struct DeliverMessage {
    std::string smsc;                             // "+385910401"
    std::string sender;                           // "+385911234567" or digits
    std::string timestamp = "05/03/15,12:34:56";  // yy/MM/dd,hh:mm:ss
    int timezoneQuarters = 4;                     // +01:00
    std::string text;                             // UTF-8
    bool ucs2 = false;                            // else the GSM 7-bit alphabet
};
std::string BuildDeliverPdu(const DeliverMessage& m);

struct SubmitMessage {
    std::string smsc;  // empty: no centre in the PDU (00)
    std::string destination;
    std::string text;  // UTF-8
    bool ucs2 = false;
    bool statusReport = false;
    int validity = -1;  // relative validity octet, -1: none
    int reference = 0;
};
std::string BuildSubmitPdu(const SubmitMessage& m);

// SMS-STATUS-REPORT: the network's word that a sent message was delivered.
struct StatusReport {
    std::string smsc;
    int reference = 0;
    std::string recipient;
    std::string sent = "05/03/15,12:34:56";       // service-centre time stamp
    std::string delivered = "05/03/15,12:35:10";  // discharge time
    int status = 0;                               // 0: received by the recipient
};
std::string BuildStatusReportPdu(const StatusReport& r);

// Sizes of a PDU: the service-centre field and the TPDU after it. nullopt when
// the text is not hex or the centre field runs past the end.
struct PduSizes {
    int smscOctets = 0;  // length octet included
    int tpduOctets = 0;
};
std::optional<PduSizes> MeasurePdu(std::string_view hex);

// Reads back the main fields of a SUBMIT or DELIVER PDU (7-bit or UCS2 text,
// a user data header skipped). nullopt when it cannot be read.
struct DecodedPdu {
    bool submit = false;
    bool statusReportRequested = false;
    std::string smsc;
    std::string address;    // destination of a SUBMIT, originator of a DELIVER
    std::string timestamp;  // DELIVER only, yy/MM/dd,hh:mm:ss
    std::string text;       // UTF-8
    bool ucs2 = false;
};
std::optional<DecodedPdu> DecodePdu(std::string_view hex);

}  // namespace phonesim

#pragma once
// Decoder of the SMS PDUs that "AT+CMGR" reads in PDU mode (GSM 03.40):
// received messages and status reports (SMS-DELIVER, SMS-STATUS-REPORT) and
// outgoing messages stored in the phone (SMS-SUBMIT).
//
// Every decode returns its fields as a value; nothing is kept between calls.
// Any text is accepted: a short, truncated, odd-length or garbage PDU decodes
// as far as it goes, an invalid hex pair reading as 0.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

// How the user data of a message is coded (GSM 03.38 data coding groups).
enum class PduCoding { Gsm7Bit, EightBit, Ucs2 };

struct DecodedPdu {
    // Service centre: "+" for an international number, then its digits;
    // the two known centres carry their operator name.
    std::string PduSmsc;
    // Originator (received) or destination (stored) number, "+" first when
    // international; an alphanumeric sender's name as 8-bit text (the
    // phone's alphabet converted, PhoneTextFromGsm); "Status Report" for a
    // status report.
    std::string PduNumber;
    // Service-centre time stamp (discharge time for a status report):
    // "dd.mm.yyyy" (empty when the date is not a date) and "hh:mm:ss".
    std::string PduDate;
    std::string PduTime;
    // Relative validity period of a stored message ("2 days"), else empty.
    std::string PduValidity;
    // The message text: GSM code units for a 7-bit message, UTF-8 for a UCS2
    // message (every character kept), the octets of an 8-bit message, the
    // report text of a status report (Windows-1252: it holds a phonebook
    // name). Every LF and every CR is written as CR LF (in GSM codes, ESC and
    // LF, the form feed, stays as it is).
    std::string PduText;

    bool PduUdhi = false;          // a user data header is present and was not removed
    bool PduStatusReport = false;  // the message is a status report
    bool PduEightBit = false;      // the user data is 8-bit data
    bool PduNoValidity = false;    // a stored message without validity period field
    PduCoding Coding = PduCoding::Gsm7Bit;
};

// The phonebook name of a number (empty when unknown); used for the
// receiver line of a status report.
using PduNameLookup = std::function<std::string(const std::string& number)>;

// A received message (status "0" or "1" of "+CMGR:"): SMS-DELIVER or
// SMS-STATUS-REPORT. Sets PduSmsc, PduNumber, PduDate, PduTime, PduText.
DecodedPdu DecodeSmsPdu(std::string_view pdu, const PduNameLookup& findNameByNumber = {});

// A stored outgoing message (status "2" or "3"): SMS-SUBMIT. Sets PduSmsc,
// PduNumber, PduValidity, PduText.
DecodedPdu DecodeStoredSubmitPdu(std::string_view pdu);

// The message type in the two low bits of a PDU's first octet.
enum class PduMessageType { Deliver = 0, Submit = 1, StatusReport = 2, Reserved = 3 };
// nullopt when the PDU ends before its first octet.
std::optional<PduMessageType> MessageTypeOfPdu(std::string_view pdu);

// A message read with "AT+CMGR=", decoded by its own type whatever status
// the phone filed it under (phones keep a sent SMS-SUBMIT under "1" and a
// delivery report under "3"): an SMS-SUBMIT as a stored message, everything
// else as a received message or status report.
DecodedPdu DecodeReadPdu(std::string_view pdu, const PduNameLookup& findNameByNumber = {});

// The text of a decoded message as UTF-8, for showing and storing: the GSM
// code units of a 7-bit message go through the GSM alphabet (every code has
// its character, SmsTextFromGsm), the
// octets of an 8-bit message and a status report's text are read as
// Windows-1252, and a UCS2 text stands as it is.
std::string PduDisplayText(const DecodedPdu& decoded);

struct SevenBitText {
    std::string Text;            // septets 1..UDL, without the header when one was dropped
    std::string Out;             // every septet of the first UDL octets (missing octets read as 0)
    bool HeaderDropped = false;  // the user data header was removed from Text
};

// Unpacks 7-bit user data given as hex: the length octet (UDL, in septets)
// and the packed septets. With udhi set, the header (its length octet, the
// header and the fill bits) is dropped from Text. In Text and Out every LF
// and every CR becomes CR LF. Out serves cell-broadcast pages, whose length
// octet counts octets.
SevenBitText Decode7BitText(std::string_view userData, bool udhi);

// The coding of a data coding scheme octet.
PduCoding CodingOfDcs(int dcs);

}  // namespace parlenko

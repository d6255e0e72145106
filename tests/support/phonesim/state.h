#pragma once
// Everything a simulated phone holds: identity, network, settings, the
// phonebooks and call lists, the SMS memories, binary objects (calendar,
// melodies, logos), diverts, locks and passwords.
//
// A state is built in code (tests) or read from a state file (LoadStateFile);
// the file format is described in state.cpp and at the top of
// tests/data/s45.state.

#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace phonesim {

struct PhonebookEntry {
    std::string number;
    int type = 129;    // 145 international, 129 national/unknown
    std::string name;  // GSM code units
};

struct Phonebook {
    int capacity = 0;
    int numberLength = 20;                  // longest number
    int nameLength = 14;                    // longest name in septets
    bool writable = true;                   // false for the call lists and service numbers
    std::map<int, PhonebookEntry> entries;  // by position from 1
    int FirstFree() const;
};

// GSM 07.05 message status: 0 received unread, 1 received read,
// 2 stored unsent, 3 stored sent.
struct StoredSms {
    int status = 1;
    std::string pdu;  // hex, service-centre field first
};

struct SmsMemory {
    int capacity = 0;
    std::map<int, StoredSms> messages;  // by index from 1
    int FirstFree() const;
};

// A binary object store of one type ("vcs", "mid", "bmp").
struct ObjectStore {
    int lowest = 0;
    int highest = 0;
    std::map<int, std::string> objects;  // index -> raw bytes
};

// One divert of one reason and one class.
struct Divert {
    bool active = false;
    std::string number;
    int type = 145;
    int time = 20;  // no-reply time in seconds
};

// Session settings that ATZ returns to their seeded values.
struct Settings {
    bool echo = true;
    int cmee = 0;
    int cregMode = 0;
    bool clip = false;
    int cmgf = 0;
    std::string cscs = "GSM";
    std::vector<int> cnmi = {0, 0, 0, 0, 0};
    int smgo = 0;
    int copsFormat = 0;
    std::string phonebook = "SM";  // selected by +CPBS / ^SPBS
    std::vector<std::string> smsMemories = {"SM", "SM", "SM"};
};

struct PhoneState {
    // Identity.
    std::string manufacturer = "SIEMENS";
    std::string model = "S45";
    std::string revision = "21";
    std::string imei = "350123456789015";
    std::string imsi = "219101234567890";
    std::string simId = "89385101234567890123";

    // Network and power.
    int batteryStatus = 0;  // +CBC <bcs>
    int batteryLevel = 80;  // +CBC <bcl>
    int rssi = 20;
    int ber = 99;
    int regStatus = 1;  // +CREG <stat>
    std::string lac = "0DA2";
    std::string cellId = "5C1F";
    std::string operatorName = "HR VIP";
    std::string operatorNumeric = "21910";

    // Clock at virtual time 0: "yy/MM/dd,hh:mm:ss".
    std::string clock = "05/03/15,12:34:56";

    std::string smsc = "+385910401";
    int smscType = 145;

    // Ringer and alerts.
    int alertMode = 0;       // +CALM
    int vibration = 0;       // +CVIB
    int ringerLevel = 3;     // +CRSL 0..5
    int ringerMelody = 1;    // ^SRTC melody index
    int ringerVolume = 3;    // ^SRTC volume
    int melodyHighest = 41;  // ^SRTC=? melody range 0..melodyHighest
    int volumeHighest = 4;
    std::string currency = "HRK";  // +CPUC
    std::string pricePerUnit = "0.50";

    // Cell broadcast (+CSCB).
    int cbMode = 0;
    std::string cbMids = "50";
    std::string cbDcss;

    // Passwords by facility: "SC" PIN, "P2" PIN2, "PS" phone code, "AB" the
    // network's barring password (every barring facility uses it), "PUK" the
    // code that unblocks the PIN.
    std::map<std::string, std::string> passwords = {
        {"SC", "1234"}, {"P2", "5678"}, {"PS", "0000"}, {"AB", "0000"}, {"PUK", "12345678"}};
    // Wrong tries left of the PIN and the PIN2, as a SIM counts them: a right
    // code gives back all three, none left blocks the code.
    int pinTries = 3;
    int pin2Tries = 3;
    // Lock facilities "CS", "PS", "SC", "FD": on or off. Barrings "AO", "OI",
    // "OX", "AI", "IR": a bit mask of the classes barred (1 voice, 2 data, 4 fax).
    std::map<std::string, int> locks = {{"CS", 0}, {"PS", 0}, {"SC", 1}, {"FD", 0}, {"AO", 0},
                                        {"OI", 0}, {"OX", 0}, {"AI", 0}, {"IR", 0}};
    // Diverts by reason (0..3) and class (1, 2, 4).
    std::map<std::pair<int, int>, Divert> diverts;

    std::map<std::string, Phonebook> phonebooks;   // "SM", "ME", "ON", "SD", "LD", "RC", "MC"
    std::map<std::string, SmsMemory> smsMemories;  // "SM", "ME"
    std::map<std::string, ObjectStore> objects;    // "vcs", "mid", "bmp"

    // USSD answers by service code ("*101#") and numbers that answer busy.
    std::map<std::string, std::string> ussd;
    std::set<std::string> busyNumbers;

    Settings settings;

    // What the phone sent out (+CMGS / +CMSS), as PDUs, for assertions.
    std::vector<std::string> sentPdus;
};

class StateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A small S45 built in code: a few entries in each memory, two messages, one
// calendar entry. Unit tests start from it.
PhoneState MakeDefaultState();
// Reads a state file; throws StateError with "file:line: reason".
PhoneState LoadStateFile(const std::string& path);
// The same from text (name is used in error messages).
PhoneState ParseState(const std::string& text, const std::string& name = "state");

}  // namespace phonesim

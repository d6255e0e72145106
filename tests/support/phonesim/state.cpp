// The state of a simulated phone, and its state file.
//
// State file format (plain UTF-8 text, one item a line):
//
//   # comment                 blank lines and lines starting with '#' are ignored
//   [phone]                   identity, network, clock and settings: key = value
//     manufacturer, model, revision, imei, imsi, scid   answers of +CGMI, +CGMM, +CGMR, +CGSN, +CIMI, ^SCID
//     clock = yy/MM/dd,hh:mm:ss      the phone's clock when the simulation starts
//     battery = bcs,bcl              +CBC;  signal = rssi,ber  (+CSQ)
//     registration = stat,lac,ci     +CREG (lac and ci as hex text)
//     operator = name;  operator_numeric = 21910
//     smsc = number,type             +CSCA
//     alert = n (+CALM); vibration = n (+CVIB); speaker_level = n (+CRSL)
//     ringer = melody,volume (^SRTC?);  ringer_range = highest melody,highest volume (^SRTC=?)
//     price = currency,price per unit (+CPUC)
//     cell_broadcast = mode,mids,dcss (+CSCB)
//     busy = number                  dialling it answers BUSY (repeatable)
//   [settings]                what ATZ returns to: echo, cmee, creg, clip, cnmi (five numbers), smgo
//   [passwords]               SC (PIN), P2 (PIN2), PS (phone code), AB (barring password), PUK = digits;
//                             SC_TRIES, P2_TRIES = wrong tries left (3; 0 blocks the code)
//   [locks]                   CS, PS, SC, FD = 0/1;  AO, OI, OX, AI, IR = class mask barred (1 voice, 2 data, 4 fax)
//   [diverts]                 reason,class,number,type,time   one active divert a line
//   [ussd]                    code = text    the answer to that service code (ATD or +CUSD)
//   [phonebook XX]            XX = SM, ME, ON, SD, LD, RC, MC
//     capacity = n; number_length = n; name_length = n; writable = 0/1
//     index,"number",type,"name"     the name in UTF-8, stored in the GSM alphabet
//   [sms XX]                  XX = SM, ME
//     capacity = n
//     index,status,PDU               status 0 unread, 1 read, 2 unsent, 3 sent; PDU in hex
//   [objects TYPE]            TYPE = vcs, mid, bmp
//     range = low-high               the indexes ^SBNR=? reports
//     index,HEX                      object bytes in hex; repeated lines of one index are joined
//
// Unknown sections, keys or malformed lines are errors ("file:line: reason").

#include "phonesim/state.h"

#include "phonesim/gsm_text.h"
#include "phonesim/pdu.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace phonesim {

int Phonebook::FirstFree() const {
    for (int i = 1; i <= capacity; ++i)
        if (!entries.count(i)) return i;
    return -1;
}

int SmsMemory::FirstFree() const {
    for (int i = 1; i <= capacity; ++i)
        if (!messages.count(i)) return i;
    return -1;
}

namespace {

std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return std::string(s.substr(b, e - b));
}

std::vector<std::string> SplitComma(const std::string& s, std::size_t maxParts = 0) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = s.find(',', start);
        if (comma == std::string::npos || (maxParts && out.size() + 1 == maxParts)) {
            out.push_back(Trim(s.substr(start)));
            return out;
        }
        out.push_back(Trim(s.substr(start, comma - start)));
        start = comma + 1;
    }
}

class Parser {
public:
    Parser(const std::string& name) : name_(name) {}

    [[noreturn]] void Fail(const std::string& why) const {
        throw StateError(name_ + ":" + std::to_string(line_) + ": " + why);
    }

    int Int(const std::string& s) const {
        int v = 0;
        auto r = std::from_chars(s.data(), s.data() + s.size(), v);
        if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size())
            Fail("not a number: '" + s + "'");
        return v;
    }

    std::vector<int> Ints(const std::string& s, std::size_t count) const {
        auto parts = SplitComma(s);
        if (parts.size() != count)
            Fail("expected " + std::to_string(count) + " numbers: '" + s + "'");
        std::vector<int> out;
        for (const auto& p : parts) out.push_back(Int(p));
        return out;
    }

    PhoneState Parse(const std::string& text) {
        PhoneState st;
        st.phonebooks.clear();
        st.smsMemories.clear();
        st.objects.clear();
        std::istringstream in(text);
        std::string raw;
        std::string section, arg;
        while (std::getline(in, raw)) {
            ++line_;
            std::string lineText = Trim(raw);
            if (lineText.empty() || lineText[0] == '#') continue;
            if (lineText.front() == '[') {
                if (lineText.back() != ']') Fail("unclosed section header");
                std::string inner = Trim(lineText.substr(1, lineText.size() - 2));
                auto space = inner.find(' ');
                section = inner.substr(0, space);
                arg = space == std::string::npos ? "" : Trim(inner.substr(space + 1));
                if (section == "phonebook") {
                    if (arg.empty()) Fail("phonebook without a name");
                    st.phonebooks[arg];
                    if (arg == "SD" || arg == "LD" || arg == "RC" || arg == "MC")
                        st.phonebooks[arg].writable = false;
                } else if (section == "sms") {
                    if (arg.empty()) Fail("sms memory without a name");
                    st.smsMemories[arg];
                } else if (section == "objects") {
                    if (arg.empty()) Fail("objects without a type");
                    st.objects[arg];
                } else if (section != "phone" && section != "settings" && section != "passwords" &&
                           section != "locks" && section != "diverts" && section != "ussd") {
                    Fail("unknown section '" + section + "'");
                }
                continue;
            }
            if (section.empty()) Fail("line outside a section");
            bool entry = lineText[0] >= '0' && lineText[0] <= '9';
            if (section == "diverts") {
                Divert(st, lineText);
                continue;
            }
            if (entry && (section == "phonebook" || section == "sms" || section == "objects")) {
                if (section == "phonebook") PhonebookLine(st.phonebooks[arg], lineText);
                else if (section == "sms") SmsLine(st.smsMemories[arg], lineText);
                else ObjectLine(st.objects[arg], lineText);
                continue;
            }
            auto eq = lineText.find('=');
            if (eq == std::string::npos) Fail("expected key = value");
            std::string key = Trim(lineText.substr(0, eq));
            std::string value = Trim(lineText.substr(eq + 1));
            Setting(st, section, arg, key, value);
        }
        return st;
    }

private:
    void Setting(PhoneState& st, const std::string& section, const std::string& arg,
                 const std::string& key, const std::string& value) {
        if (section == "phone") return PhoneKey(st, key, value);
        if (section == "settings") {
            Settings& s = st.settings;
            if (key == "echo") s.echo = Int(value) != 0;
            else if (key == "cmee") s.cmee = Int(value);
            else if (key == "creg") s.cregMode = Int(value);
            else if (key == "clip") s.clip = Int(value) != 0;
            else if (key == "cnmi") s.cnmi = Ints(value, 5);
            else if (key == "smgo") s.smgo = Int(value);
            else Fail("unknown setting '" + key + "'");
            return;
        }
        if (section == "passwords") {
            if (key == "SC_TRIES") st.pinTries = Int(value);
            else if (key == "P2_TRIES") st.pin2Tries = Int(value);
            else st.passwords[key] = value;
            return;
        }
        if (section == "locks") {
            if (!st.locks.count(key)) Fail("unknown lock '" + key + "'");
            st.locks[key] = Int(value);
            return;
        }
        if (section == "ussd") {
            st.ussd[key] = value;
            return;
        }
        if (section == "phonebook") {
            Phonebook& b = st.phonebooks[arg];
            if (key == "capacity") b.capacity = Int(value);
            else if (key == "number_length") b.numberLength = Int(value);
            else if (key == "name_length") b.nameLength = Int(value);
            else if (key == "writable") b.writable = Int(value) != 0;
            else Fail("unknown phonebook key '" + key + "'");
            return;
        }
        if (section == "sms") {
            if (key != "capacity") Fail("unknown sms key '" + key + "'");
            st.smsMemories[arg].capacity = Int(value);
            return;
        }
        if (section == "objects") {
            if (key != "range") Fail("unknown objects key '" + key + "'");
            auto dash = value.find('-');
            if (dash == std::string::npos) Fail("range as low-high");
            st.objects[arg].lowest = Int(Trim(value.substr(0, dash)));
            st.objects[arg].highest = Int(Trim(value.substr(dash + 1)));
            return;
        }
        Fail("unexpected key '" + key + "'");
    }

    void PhoneKey(PhoneState& st, const std::string& key, const std::string& value) {
        if (key == "manufacturer") st.manufacturer = value;
        else if (key == "model") st.model = value;
        else if (key == "revision") st.revision = value;
        else if (key == "imei") st.imei = value;
        else if (key == "imsi") st.imsi = value;
        else if (key == "scid") st.simId = value;
        else if (key == "clock") {
            st.clock = value;
            if (value.size() < 17) Fail("clock as yy/MM/dd,hh:mm:ss");
        } else if (key == "battery") {
            auto v = Ints(value, 2);
            st.batteryStatus = v[0];
            st.batteryLevel = v[1];
        } else if (key == "signal") {
            auto v = Ints(value, 2);
            st.rssi = v[0];
            st.ber = v[1];
        } else if (key == "registration") {
            auto parts = SplitComma(value);
            if (parts.size() != 3) Fail("registration = stat,lac,ci");
            st.regStatus = Int(parts[0]);
            st.lac = parts[1];
            st.cellId = parts[2];
        } else if (key == "operator") st.operatorName = value;
        else if (key == "operator_numeric") st.operatorNumeric = value;
        else if (key == "smsc") {
            auto parts = SplitComma(value);
            if (parts.size() != 2) Fail("smsc = number,type");
            st.smsc = parts[0];
            st.smscType = Int(parts[1]);
        } else if (key == "alert") st.alertMode = Int(value);
        else if (key == "vibration") st.vibration = Int(value);
        else if (key == "speaker_level") st.ringerLevel = Int(value);
        else if (key == "ringer") {
            auto v = Ints(value, 2);
            st.ringerMelody = v[0];
            st.ringerVolume = v[1];
        } else if (key == "ringer_range") {
            auto v = Ints(value, 2);
            st.melodyHighest = v[0];
            st.volumeHighest = v[1];
        } else if (key == "price") {
            auto parts = SplitComma(value);
            if (parts.size() != 2) Fail("price = currency,price");
            st.currency = parts[0];
            st.pricePerUnit = parts[1];
        } else if (key == "cell_broadcast") {
            auto parts = SplitComma(value);
            if (parts.size() != 3) Fail("cell_broadcast = mode,mids,dcss");
            st.cbMode = Int(parts[0]);
            st.cbMids = parts[1];
            st.cbDcss = parts[2];
        } else if (key == "busy") st.busyNumbers.insert(value);
        else Fail("unknown key '" + key + "'");
    }

    // index,"number",type,"name" - the name runs to the last quote of the line.
    void PhonebookLine(Phonebook& book, const std::string& text) {
        auto comma = text.find(',');
        if (comma == std::string::npos) Fail("entry as index,\"number\",type,\"name\"");
        int index = Int(Trim(text.substr(0, comma)));
        auto q1 = text.find('"', comma);
        auto q2 = q1 == std::string::npos ? q1 : text.find('"', q1 + 1);
        auto c2 = q2 == std::string::npos ? q2 : text.find(',', q2);
        auto c3 = c2 == std::string::npos ? c2 : text.find(',', c2 + 1);
        auto q3 = c3 == std::string::npos ? c3 : text.find('"', c3);
        auto q4 = text.rfind('"');
        if (q3 == std::string::npos || q4 == q3) Fail("entry as index,\"number\",type,\"name\"");
        if (index < 1 || (book.capacity > 0 && index > book.capacity))
            Fail("position outside the capacity");
        PhonebookEntry e;
        e.number = text.substr(q1 + 1, q2 - q1 - 1);
        e.type = Int(Trim(text.substr(c2 + 1, c3 - c2 - 1)));
        e.name = Utf8ToGsm(text.substr(q3 + 1, q4 - q3 - 1));
        book.entries[index] = e;
    }

    void SmsLine(SmsMemory& mem, const std::string& text) {
        auto parts = SplitComma(text);
        if (parts.size() != 3) Fail("message as index,status,PDU");
        int index = Int(parts[0]);
        int status = Int(parts[1]);
        if (status < 0 || status > 3) Fail("status 0..3");
        if (!MeasurePdu(parts[2])) Fail("PDU is not hex");
        if (index < 1 || (mem.capacity > 0 && index > mem.capacity))
            Fail("index outside the capacity");
        mem.messages[index] = StoredSms{status, Upper(parts[2])};
    }

    void ObjectLine(ObjectStore& store, const std::string& text) {
        auto parts = SplitComma(text);
        if (parts.size() != 2) Fail("object as index,HEX");
        int index = Int(parts[0]);
        auto bytes = FromHex(parts[1]);
        if (!bytes) Fail("object data is not hex");
        store.objects[index] += *bytes;
    }

    void Divert(PhoneState& st, const std::string& text) {
        auto parts = SplitComma(text);
        if (parts.size() != 5) Fail("divert as reason,class,number,type,time");
        phonesim::Divert d;
        d.active = true;
        d.number = parts[2];
        d.type = Int(parts[3]);
        d.time = Int(parts[4]);
        st.diverts[{Int(parts[0]), Int(parts[1])}] = d;
    }

    std::string name_;
    int line_ = 0;
};

}  // namespace

PhoneState ParseState(const std::string& text, const std::string& name) {
    return Parser(name).Parse(text);
}

PhoneState LoadStateFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw StateError(path + ": cannot open");
    std::ostringstream buf;
    buf << in.rdbuf();
    return ParseState(buf.str(), path);
}

PhoneState MakeDefaultState() {
    PhoneState st;
    auto book = [&](const std::string& id, int capacity, int nameLength,
                    bool writable) -> Phonebook& {
        Phonebook& b = st.phonebooks[id];
        b.capacity = capacity;
        b.nameLength = nameLength;
        b.writable = writable;
        return b;
    };
    Phonebook& sm = book("SM", 250, 14, true);
    sm.entries[1] = {"+385911234567", 145, Utf8ToGsm("Ana Horvat!")};
    sm.entries[2] = {"0987654321", 129, Utf8ToGsm("Müller")};
    sm.entries[5] = {"+38512345678", 145, Utf8ToGsm("Posao_ured")};
    Phonebook& me = book("ME", 100, 18, true);
    me.entries[1] = {"+385981112223", 145, Utf8ToGsm("Marko")};
    Phonebook& on = book("ON", 2, 14, true);
    on.entries[1] = {"+385915550001", 145, Utf8ToGsm("My number")};
    Phonebook& sd = book("SD", 4, 14, false);
    sd.entries[1] = {"112", 129, Utf8ToGsm("Emergency")};
    sd.entries[2] = {"*101#", 129, Utf8ToGsm("Balance")};
    Phonebook& ld = book("LD", 10, 14, false);
    ld.entries[1] = {"+385911234567", 145, Utf8ToGsm("Ana Horvat!")};
    book("RC", 10, 14, false).entries[1] = {"0987654321", 129, Utf8ToGsm("Müller")};
    book("MC", 10, 14, false);

    SmsMemory& smsSm = st.smsMemories["SM"];
    smsSm.capacity = 10;
    DeliverMessage hello;
    hello.smsc = "+385910401";
    hello.sender = "+385911234567";
    hello.timestamp = "05/03/14,09:15:00";
    hello.text = "Hello from Ana";
    smsSm.messages[1] = StoredSms{1, BuildDeliverPdu(hello)};
    SubmitMessage draft;
    draft.destination = "0987654321";
    draft.text = "See you at 8";
    draft.validity = 0xA7;
    smsSm.messages[3] = StoredSms{2, BuildSubmitPdu(draft)};
    st.smsMemories["ME"].capacity = 25;

    ObjectStore& vcs = st.objects["vcs"];
    vcs.lowest = 0;
    vcs.highest = 49;
    vcs.objects[1] =
        "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nCATEGORIES:MEETING\r\nDTSTART:"
        "20050316T090000\r\n"
        "DALARM:20050316T085000\r\nDESCRIPTION:Team meeting\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    ObjectStore& mid = st.objects["mid"];
    mid.lowest = 0;
    mid.highest = 2;
    ObjectStore& bmp = st.objects["bmp"];
    bmp.lowest = 0;
    bmp.highest = 2;
    st.ussd["*101#"] = "VIPme saldo: 45,20 kn";
    st.busyNumbers.insert("+385915550000");
    return st;
}

}  // namespace phonesim

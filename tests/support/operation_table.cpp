#include "tests/support/operation_table.h"

#include "engine/text/vcalendar.h"
#include "phonesim/gsm_text.h"
#include "phonesim/pdu.h"

#include <algorithm>
#include <chrono>

namespace parlenko::testing {

namespace {

// One entry more in every memory and list the reads walk.
void AddBehindTheProgramsBack(phonesim::PhoneState& phone) {
    auto entry = [](const std::string& number, const std::string& name) {
        return phonesim::PhonebookEntry{number, 129, phonesim::Utf8ToGsm(name)};
    };
    phone.phonebooks["SM"].entries[7] = entry("0911000007", "Vera");
    phone.phonebooks["ME"].entries[3] = entry("0911000003", "Zoran");
    phone.phonebooks["ON"].entries[2] = entry("0911000002", "Office");
    phone.phonebooks["SD"].entries[3] = entry("0800", "Info");
    phone.phonebooks["LD"].entries[2] = entry("0911000012", "");
    phone.phonebooks["RC"].entries[2] = entry("0911000022", "");
    phone.phonebooks["MC"].entries[1] = entry("0911000032", "");
    phonesim::DeliverMessage m;
    m.smsc = "+385910401";
    m.sender = "0911000042";
    m.text = "Stizem";
    phone.smsMemories["SM"].messages[5] = {1, phonesim::BuildDeliverPdu(m)};
    m.text = "Kasnim";
    phone.smsMemories["ME"].messages[2] = {0, phonesim::BuildDeliverPdu(m)};
    phone.objects["vcs"].objects[4] =
        "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nCATEGORIES:MISCELLANEOUS\r\nDTSTART:"
        "20050320T100000\r\nDESCRIPTION:Zubar\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// The S45 with a calendar of ten slots: a read of every slot stays short.
phonesim::PhoneState TenCalendarSlots() {
    phonesim::PhoneState phone = phonesim::MakeDefaultState();
    phone.objects["vcs"].highest = 9;
    return phone;
}

bool Told(ConnectedPhone& t, const std::string& text) {
    return std::ranges::count(t.host.statusMessages, text) > 0;
}

// A write or change is done when the host was told its success text.
std::function<bool(ConnectedPhone&)> Tells(std::string text) {
    return [text](ConnectedPhone& t) { return Told(t, text); };
}

}  // namespace

ConnectedPhone::ConnectedPhone()
    : SimPhoneRig(TenCalendarSlots(), {.dataFolder = true, .phone = {.answerDelayMs = 30}}) {
    state().Options.GeneralPageShown = false;
    state().Chain.PhoneModel = "S45";
    Connect();
    engine.RefreshPhonebook();
    clock.RunUntil([this] { return host.phonebookSorts > 0; }, 60000);
    engine.RefreshSms();
    clock.RunUntil([this] { return !state().Sms.FullReadRunning; }, 60000);
    engine.ReadMelodies();
    clock.RunFor(3000);
    AddBehindTheProgramsBack(phone().State());
    host.dialogs.clear();
    host.statusMessages.clear();
    host.ringerStates.clear();
    host.serviceChanges.clear();
}

std::vector<PhoneOperation> PhoneOperations() {
    using enum PhoneList;
    const ComposedSms message{.Number = "0911234567", .Text = "Dolazim"};
    VCalendarEntry entry;
    entry.Text = std::string(240, 'b');  // three packets
    entry.Date = std::chrono::year_month_day{std::chrono::year{2006}, std::chrono::month{7},
                                             std::chrono::day{14}};
    const PhonebookEntryValues ivo{PhoneMemory::Phone, "009", "Ivo", "0911"};
    return {
        {"connection", [](ConnectedPhone& t) { t.engine.Connect(); }, None, false,
         [](ConnectedPhone& t) {
             // The connect chain ran to its last setting.
             const auto sent = t.Commands();
             return t.port.Connected() && !sent.empty() && sent.back() == "AT+CSCB=1";
         },
         [](ConnectedPhone& t) {
             t.engine.Disconnect();
             t.clock.RunFor(2000);
         }},
        {"phonebook read", [](ConnectedPhone& t) { t.engine.RefreshPhonebook(); }, Phonebook, true},
        {"call lists read", [](ConnectedPhone& t) { t.engine.RefreshCalls(); }, CallLists, true},
        {"SMS read", [](ConnectedPhone& t) { t.engine.RefreshSms(); }, Messages, true},
        {"appointment read", [](ConnectedPhone& t) { t.engine.RefreshAppointments(); },
         Appointments, true},
        {"entry write", [ivo](ConnectedPhone& t) { t.engine.SavePhonebookEntry(ivo); }, Phonebook,
         false, Tells("Entry succesfully saved in mobile phonebook!")},
        {"entry move",
         [ivo](ConnectedPhone& t) { t.engine.MovePhonebookEntry(PhoneMemory::Sim, "001", ivo); },
         Phonebook, false, Tells("Entry succesfully moved to another location in mobile!")},
        {"entry delete",
         [](ConnectedPhone& t) { t.engine.DeletePhonebookEntry(PhoneMemory::Sim, "001"); },
         Phonebook, false, Tells("Entry succesfully deleted from mobile phonebook!")},
        {"SMS send", [message](ConnectedPhone& t) { t.engine.SendSms(message); }, Messages, false,
         Tells("SMS message succesfully sent!")},
        {"SMS store", [message](ConnectedPhone& t) { t.engine.StoreSms(message); }, Messages, false,
         Tells("SMS message succesfully saved in mobile!")},
        {"SMS delete", [](ConnectedPhone& t) { t.engine.DeleteSms(PhoneMemory::Sim, "01"); },
         Messages, false, Tells("SMS message succesfully deleted from mobile!")},
        {"appointment upload",
         [entry](ConnectedPhone& t) { t.engine.SaveAppointment(entry, 2, true); }, Appointments,
         false, Tells("Appointment succesfully saved in mobile!")},
        {"melody upload",
         [](ConnectedPhone& t) { t.engine.UploadMelody(std::string(400, 'm'), 1); }, None, false,
         Tells("Melody succesfully saved in mobile!")},
        {"logo upload",
         [](ConnectedPhone& t) { t.engine.UploadLogo("BM" + std::string(400, 'l'), 0); }, None,
         false, Tells("Logo succesfully saved in mobile!")},
        {"melody play", [](ConnectedPhone& t) { t.engine.PlayMelody(5, 2); }, None, false,
         [](ConnectedPhone& t) {
             return std::ranges::any_of(t.host.ringerStates,
                                        [](const MelodyListView& v) { return v.Playing; });
         }},
        {"divert set", [](ConnectedPhone& t) { t.engine.SetDivert(0, "0911234567", 1, "", true); },
         None, false, Tells("Divert succesfully activated!")},
        {"lock check", [](ConnectedPhone& t) { t.engine.CheckLocks(); }, None, false,
         [](ConnectedPhone& t) {
             return std::ranges::any_of(t.host.serviceChanges, [](const std::string& c) {
                 return c.starts_with("Lock4=");
             });
         }},
        {"restore",
         [](ConnectedPhone& t) {
             t.engine.StartRestore({{PhoneMemory::Sim, "Ana", "0911", false},
                                    {PhoneMemory::Sim, "Ivo", "0922", false}},
                                   RestoreMode::FreePositions);
         },
         // The wizard reads the phonebook again when it closes.
         None, false,
         [](ConnectedPhone& t) {
             return t.host.restoreOutcomes.size() == 1 && t.host.restoreOutcomes[0].Succeeded();
         }},
    };
}

std::vector<std::string> CommandsOf(const PhoneOperation& op) {
    ConnectedPhone t;
    if (op.prepare) op.prepare(t);
    const auto from = t.CommandCount();
    op.start(t);
    t.clock.RunFor(30000);
    return t.Commands(from);
}

}  // namespace parlenko::testing

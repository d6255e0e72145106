#pragma once
// The SMS page: what the engine shows there. A view call only shows.
//
// The page has two lists, the inbox (received messages, status "0" and "1")
// and the outbox (stored outgoing messages, "2" and "3"), a count beside
// each list's header, a detail panel with the current message, and the
// notice of a new message.

#include "engine/phone/records.h"
#include "engine/text/sms_counts.h"

#include <string>

namespace parlenko {

inline constexpr int kImageSmsMarked = 24;  // an unread received message, a sent stored one
inline constexpr int kImageSms = 25;        // every other message

// One row of an SMS list: the caption (the phonebook name, else the number;
// an outbox row whose number's entry has no name stays empty), the message
// with all its fields, and the row's image.
struct SmsRow {
    std::string Caption;
    AListSMS Message;
    int Image = kImageSms;
};

// What the new-message notice shows.
struct NewSmsNotice {
    std::string OsobaLab;    // the sender's phonebook name; empty when unknown
    std::string TelefonLab;  // the number
    std::string DatumLab;    // date + five blanks + time
    std::string PorukaMemo;  // the text (UTF-8)
};

class ISmsView {
public:
    virtual ~ISmsView() = default;
    // A full read starts: empty both message lists, blank the detail panel
    // ("Message length:  0", an empty text) and set both counts to "(0/0 new)".
    virtual void ClearSmsLists() {}
    // Every row of both SMS lists whose caption is number (no name was known)
    // now shows name; the detail panel follows. name is never empty.
    virtual void SetNameInSmsLists(const std::string& name, const std::string& number) {
        (void)name;
        (void)number;
    }
    // A row at the top of a list.
    virtual void InsertSmsRow(SmsFolder folder, const SmsRow& row) {
        (void)folder;
        (void)row;
    }
    // Remove every row of the list whose message has this position and
    // memory caption ("SIM card", "Mobile memory").
    virtual void RemoveSmsRows(SmsFolder folder, const std::string& position,
                               const std::string& location) {
        (void)folder;
        (void)position;
        (void)location;
    }
    // The image of the rows with this position and memory caption.
    virtual void SetSmsRowImage(SmsFolder folder, const std::string& position,
                                const std::string& location, int image) {
        (void)folder;
        (void)position;
        (void)location;
        (void)image;
    }
    // The count beside a list's header (SmsFolderCountText: "(3/1 new)").
    virtual void SetSmsFolderCount(SmsFolder folder, const std::string& text) {
        (void)folder;
        (void)text;
    }
    // Select the first row of each list that has rows; the detail panel
    // shows the first row of `current` (blank when that list is empty).
    virtual void ShowFirstSmsRows(SmsFolder current) { (void)current; }
    // Show the new-message notice (or refill it when it is up) and restart
    // its 30 s closing timer.
    virtual void ShowNewSmsNotice(const NewSmsNotice& notice) { (void)notice; }
    // The message the compose window handed over (StoreSms, SendSms,
    // EditStoredSms) was taken by the phone (stored or sent), or not: then
    // its failure has been told and the window keeps what was typed.
    virtual void ComposedMessageDone(bool accepted) { (void)accepted; }
};

}  // namespace parlenko

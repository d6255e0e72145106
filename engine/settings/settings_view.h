#pragma once
// The phone settings page and the SMS centre of the compose dialog: what the
// engine shows there. A view call only shows.

#include <string>

namespace parlenko {

// The phone settings page and the SMS centre shown in the compose dialog.
struct PhoneSettingsView {
    std::string SmscEdit;    // SMS centre number as read
    std::string SmscLab;     // the same, decorated (compose dialog)
    int AlertRB = 0;         // checked alert radio: 1 Alert1RB, 2 Alert2RB, 3 Alert3RB; 0 none
    int VibraRB = 0;         // checked vibration radio: 1 Vibra1RB, 2 Vibra2RB; 0 none
    int RingerTB = 0;        // ringer volume track bar position
    std::string ValutaEdit;  // currency
    std::string CijenaEdit;  // price per unit
};

// The alert sounds of a call the settings page sets (the values of
// "AT+CALM=").
enum class AlertSound { Normal = 0, Silent = 1, ShortTone = 2 };

class ISettingsView {
public:
    virtual ~ISettingsView() = default;
    // The settings read from the phone (and the SMS centre) changed.
    virtual void PhoneSettingsChanged(const PhoneSettingsView& view) { (void)view; }
};

}  // namespace parlenko

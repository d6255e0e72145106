// Writes one appointment as a vCalendar file, for the check with an
// independent reader.
//   vcs_write PATH CATEGORY REPEAT ALARM YEAR MONTH DAY SECONDS TEXT_HEX
// CATEGORY 0..3 and REPEAT 0..4 in the editor's order, ALARM 0/1, SECONDS
// the time of day, TEXT_HEX the Windows-1252 text in hex.
#include "engine/core/strings.h"
#include "engine/text/hex_text.h"
#include "engine/text/vcalendar.h"
#include "exchange/formats/exports.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace parlenko;
    if (argc != 10) {
        std::cerr
            << "usage: vcs_write PATH CATEGORY REPEAT ALARM YEAR MONTH DAY SECONDS TEXT_HEX\n";
        return 2;
    }
    const auto number = [&](int k) { return StrToIntDef(argv[k], -1); };
    const auto text = HexToBytes(argv[9]);
    if (number(2) < 0 || number(2) > 3 || number(3) < 0 || number(3) > 4 || !text) {
        std::cerr << "bad arguments\n";
        return 2;
    }
    VCalendarEntry e;
    e.Category = static_cast<AppointmentCategory>(number(2));
    e.Repeat = static_cast<AppointmentRepeat>(number(3));
    e.Alarm = number(4) == 1;
    e.Date = std::chrono::year_month_day{std::chrono::year{static_cast<int>(number(5))},
                                         std::chrono::month{static_cast<unsigned>(number(6))},
                                         std::chrono::day{static_cast<unsigned>(number(7))}};
    e.Time = std::chrono::seconds{number(8)};
    e.Text = *text;
    const auto written =
        exchange::SaveAppointmentAsVCalendar(argv[1], BuildVCalendar(e, VCalendarForm::File));
    if (!written.ok()) {
        std::cerr << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}

// fuzz-links: parlenko_exchange_store
// vCard and iCalendar files come from other programs and servers: any bytes
// read without failing, what is read writes a file that reads back the same,
// and the Windows-1252 conversion turns any bytes into one byte per character.
#include "exchange/store/icalendar.h"
#include "exchange/store/vcard.h"
#include "exchange/formats/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace parlenko::exchange;
using namespace parlenko::exchange::store;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (auto contact = ReadVCard(bytes)) {
        // Names and numbers lose only blanks at their ends and line ends on the way.
        const std::string text = WriteVCard(*contact, "uid", "rev");
        auto again = ReadVCard(text);
        if (!again || WriteVCard(*again, "uid", "rev") != text) std::abort();
    }

    if (auto appointment = ReadAppointment(bytes)) {
        if (ValidUtf8(appointment->Subject) != appointment->Subject) std::abort();
        (void)WriteAppointment(*appointment, "uid", 0);
    }

    const std::string ansi = Utf8ToWindows1252(bytes);
    if (ansi.size() > size) std::abort();
    if (Utf8ToWindows1252(Windows1252ToUtf8(bytes)) != bytes) std::abort();
    return 0;
}

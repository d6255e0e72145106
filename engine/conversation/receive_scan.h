#pragma once
// The receive handler: every chunk the serial port delivers comes here. It
// re-arms the exchange time-out, enters the busy state, cuts the chunk into
// lines in the received-lines list and scans the whole list from the last
// entry (the unterminated remainder) down to the first, running fifteen
// tests per entry in a fixed order.
//
// Re-entrant: a message box or modal window opened from a test lets nested
// calls handle new chunks on the same list. The scan is index-based and
// re-reads the entry at every test; a reset of the list (its generation
// changes) ends the outer scan.

#include "engine/core/engine_context.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace parlenko {

void cpDrvReceiveData(EngineContext& ctx, const std::uint8_t* data, std::size_t size);
// The same for text (tests, simulators).
void ReceiveText(EngineContext& ctx, std::string_view chunk);

// Scans the list once (what a chunk does after its assembly).
void ScanRxLines(EngineContext& ctx);

// Empties the list back to its 20 blank entries (the port was left closed).
void ResetRxLines(EngineContext& ctx);

}  // namespace parlenko

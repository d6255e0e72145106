#pragma once
// What a handler tells the receive scan after acting on an entry.

namespace parlenko {

enum class ScanStep {
    Continue,  // go on with the next test / the next entry
    EndScan,   // examine nothing more in this chunk; the lines left wait for the next one
    // Like EndScan for everything but the final results: the entries left
    // are still tested for "+CME ERROR: "/"+CMS ERROR: ", "OK" and "ERROR",
    // so that an unsolicited code in the same chunk never strands the
    // result of the exchange in flight.
    FinalResultsOnly,
};

}  // namespace parlenko

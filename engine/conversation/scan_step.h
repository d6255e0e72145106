#pragma once
// What a handler tells the receive scan after acting on an entry.

namespace parlenko {

enum class ScanStep {
    Continue,  // go on with the next test / the next entry
    EndScan,   // examine nothing more in this chunk; the lines left wait for the next one
};

}  // namespace parlenko

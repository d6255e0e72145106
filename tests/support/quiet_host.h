#pragma once
// A host that shows nothing: every box answers Ok at once, status texts go
// nowhere. For benchmarks and fuzz targets that drive the engine without
// looking at what it says. Header-only, as the null serial device is.

#include "engine/core/host.h"

#include <string>

namespace parlenko::testing {

class QuietHost final : public IHost {
public:
    int ShowMessageDialog(const std::string&, const std::string&, DialogKind,
                          DialogButtons) override {
        return DialogResult::Ok;
    }
    void ShowStatusMessage(const std::string&) override {}
};

}  // namespace parlenko::testing

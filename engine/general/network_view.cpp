#include "engine/general/network_view.h"

#include "engine/core/strings.h"
#include "engine/general/general_answers.h"
#include "engine/general/general_view.h"
#include "engine/general/general_state.h"
#include "exchange/formats/location_names.h"

namespace parlenko {

void UpdateNetLocCaption(GeneralInfoView& v, NetLocVariant variant) {
    const bool haveLocation = !Trim(v.LokacijaLab).empty();
    if (variant == NetLocVariant::Registration) {
        v.NetLocLab = haveLocation ? v.OperLab + ":  " + v.LokacijaLab : v.OperLab;
    } else if (!haveLocation) {
        v.NetLocLab = v.OperLab;
    } else if (!Trim(v.OperLab).empty()) {
        v.NetLocLab = v.OperLab + ":  " + v.LokacijaLab;
    } else {
        v.NetLocLab = v.LokacijaLab;
    }
    UpdateNetLocHint(v);
}

void UpdateNetLocHint(GeneralInfoView& v) {
    // The reception label up to its percent sign.
    const auto percent = v.PrijemLab.find('%');
    const std::string reception =
        percent != std::string::npos ? v.PrijemLab.substr(0, percent + 1) : std::string();
    v.NetLocHint = "Network name:  " + v.OperLab + "\r" + "Location name:  " + v.LokacijaLab +
                   "\r" + "Network status:  " + v.StatMreLab + "\r" +
                   "Reception level:  " + reception;
}

namespace {

// Store-location button and location name by the cell-broadcast option.
void ApplyCellLocation(EngineContext& ctx) {
    auto& v = GeneralInfo(ctx);
    if (ctx.state.Options.CellInfoCheck) {
        v.SaveNetLocEnabled = false;
    } else {
        v.SaveNetLocEnabled =
            !Trim(v.OperLab).empty() && !Trim(v.PodrucjeLab).empty() && !Trim(v.BazaIDLab).empty();
        const auto& dir = ctx.state.Options.DataDir;
        v.LokacijaLab =
            dir.empty() ? std::string()
                        : exchange::FindLocationName(dir, v.OperLab, v.PodrucjeLab, v.BazaIDLab);
    }
}

}  // namespace

void ApplyRegistration(EngineContext& ctx, std::string_view line) {
    auto& v = GeneralInfo(ctx);
    Registration reg = ParseCreg(line);
    v.StatMreLab = std::move(reg.status);
    v.PodrucjeLab = std::move(reg.area);
    v.BazaIDLab = std::move(reg.cell);
    ApplyCellLocation(ctx);
    UpdateNetLocCaption(v, NetLocVariant::Registration);
    ViewOf<IGeneralView>(ctx).GeneralInfoChanged(v);
}

void ShowCellLocationByOptions(EngineContext& ctx) {
    auto& v = GeneralInfo(ctx);
    ApplyCellLocation(ctx);
    v.NetLocLab = !Trim(v.LokacijaLab).empty() ? v.OperLab + ":  " + v.LokacijaLab : v.OperLab;
    v.NetLocHint = v.NetLocLab;
    ViewOf<IGeneralView>(ctx).GeneralInfoChanged(v);
}

}  // namespace parlenko

#pragma once
// The network part of the general page and the status bar's network caption
// with its hint. Shared by the registration notice, the cell broadcast and
// the answers of the general-information chain ("AT+COPS?", "AT+CREG?",
// "AT+CSQ").

#include "engine/core/engine_context.h"
#include "engine/general/general_view.h"

#include <string_view>

namespace parlenko {

enum class NetLocVariant {
    Registration,   // operator, then ":  " and the location name when there is one
    CellBroadcast,  // the location name alone when no operator is known
};

// Sets the caption of NetLocLab by its variant, and its hint.
void UpdateNetLocCaption(GeneralInfoView& view, NetLocVariant variant);
// Sets only the hint of NetLocLab: network, location, status and reception.
void UpdateNetLocHint(GeneralInfoView& view);

// A registration line, solicited or unsolicited: status, area and cell
// labels; the store-location button (disabled while cell broadcasts name the
// location, else enabled when operator, area and cell are known) and the
// location name stored for the cell; then caption and hint. Tells the
// general view.
void ApplyRegistration(EngineContext& ctx, std::string_view line);

// The options changed: the store-location button and the location name by
// the cell-broadcast option, as for a registration; then the caption of
// NetLocLab by the registration variant, and its hint the same text. Tells
// the general view.
void ShowCellLocationByOptions(EngineContext& ctx);

}  // namespace parlenko

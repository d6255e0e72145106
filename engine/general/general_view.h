#pragma once
// The general page and the status bar's phone and network captions: what the
// engine shows there. The window of the general page implements it; a view
// call only shows, it never calls back into the engine.

#include <string>

namespace parlenko {

// The general page and the status bar's network caption. The engine holds
// the one true copy (later rules read the texts back); the view renders it
// when told through IGeneralView::GeneralInfoChanged.
struct GeneralInfoView {
    std::string ProLab;     // maker
    std::string ModLab;     // model
    std::string ProModLab;  // maker and model
    std::string ProModHint;
    std::string SoftLab;     // software revision
    std::string StatMobLab;  // phone activity
    std::string ImeiLab;
    std::string ImsiLab;
    std::string SimIdLab;
    std::string DatMobLab;    // phone date and time
    std::string NapLab;       // power source
    std::string NapBatLab;    // battery percentage
    int NapStatBars = 0;      // battery bars drawn
    std::string OperLab;      // network name
    std::string StatMreLab;   // network status
    std::string PodrucjeLab;  // location area
    std::string BazaIDLab;    // cell id
    std::string LokacijaLab;  // location name
    std::string NetLocLab;    // status-bar network caption
    std::string NetLocHint;
    std::string PrijemLab;   // reception level
    int PrijemStatBars = 0;  // reception bars drawn
    // SaveNetLocBtn and the menu item Snimilokacijumreze1 share this state.
    bool SaveNetLocEnabled = false;
};

class IGeneralView {
public:
    virtual ~IGeneralView() = default;
    // The general page's texts or the network caption changed; redraw them.
    virtual void GeneralInfoChanged(const GeneralInfoView& view) { (void)view; }
    // The phone model changed: show its picture.
    virtual void ShowPhonePicture(const std::string& model) { (void)model; }
};

}  // namespace parlenko

#pragma once
// The progress window of the multi-step phone reads (CitamForm). The engine
// holds its texts, the one true copy; the host renders them when told
// through IHost::ProgressWindowChanged and shows the window without blocking
// (IHost::ShowProgressWindow), so the read goes on in the receive handler.

#include <string>

namespace parlenko {

struct ProgressWindowView {
    std::string Caption;        // the window's title
    std::string LokacijaLab;    // memory being read ("SIM card", "Dialled calls", ...)
    bool Label1Visible = true;  // the caption of the count line
    std::string UpisanoLab;     // used " of " capacity
    std::string PozicijaLab;    // "Reading entry from position no. 5"
    int ProgressBar1 = 0;       // 0..100
    std::string ProgresLab;     // "38%"
};

}  // namespace parlenko

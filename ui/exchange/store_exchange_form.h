#pragma once
// What the store exchange windows (the contacts' and the calendar's) share:
// the engine, the store session and the progress window of their reads;
// opening the store before the window; and the phone's list in the lower
// half, whose rows can all be chosen at once to be saved into the store.

#include "ui/controls/small_window.h"

class QTreeWidget;

namespace parlenko {
class PhoneEngine;
}  // namespace parlenko

namespace parlenko::ui {

class TCitamForm;
class TStoreSession;

class TStoreExchangeForm : public TSmallWindow {
public:
    // Connects to the store and fills both lists without the modal loop:
    // true when the window may be shown (a failure has said why).
    virtual bool OpenStore() = 0;

protected:
    // citam: the progress window of the reads (may be null).
    TStoreExchangeForm(QWidget* mainWindow, PhoneEngine& engine, TStoreSession& session,
                       TCitamForm* citam);
    // OpenStore, then the window modally.
    void OpenModally();
    // Every row of the phone's list chosen, and the list focused.
    static void ChooseAllPhoneRows(QTreeWidget* list);

    PhoneEngine& engine_;
    TStoreSession& session_;
    TCitamForm* citam_;
};

}  // namespace parlenko::ui

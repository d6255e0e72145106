#pragma once
// What the store exchange windows (the contacts' and the calendar's) share:
// the engine, the store session and the progress window of their reads;
// opening the store before the window; and the phone's list in the lower
// half, whose rows can all be chosen at once to be saved into the store.

#include "ui/controls/small_window.h"

#include <QPoint>

class QPushButton;
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
    // Closing forgets the store's list (FormClose), then logs off.
    void done(int result) override;

    // citam: the progress window of the reads (may be null).
    TStoreExchangeForm(QWidget* mainWindow, PhoneEngine& engine, TStoreSession& session,
                       TCitamForm* citam);
    // OpenStore, then the window modally.
    void OpenModally();

    // The store's side's buttons, side by side from at, gap apart: read the
    // list again (RefreshBtn) and put the chosen item into the phone
    // (SaveBtn, disabled until one is chosen).
    void AddStoreButtons(QWidget* box, QPoint at, int gap, int saveWidth);
    // The phone's side's buttons, the same way: choose every row of
    // phoneList (OutSelectAllBtn) and save the chosen rows into the store
    // (OutSaveBtn, saveCaption); both disabled until there are rows.
    void AddPhoneButtons(QWidget* box, QPoint at, int gap, int saveWidth, const char* saveCaption,
                         QTreeWidget* phoneList);

    // The buttons' handlers, and what closing forgets of the store's side.
    virtual void RefreshBtnClick() = 0;
    virtual void SaveBtnClick() = 0;
    virtual void OutSaveBtnClick() = 0;
    virtual void FormClose() = 0;

    QPushButton* RefreshBtn = nullptr;
    QPushButton* SaveBtn = nullptr;
    QPushButton* OutSelectAllBtn = nullptr;
    QPushButton* OutSaveBtn = nullptr;
    PhoneEngine& engine_;
    TStoreSession& session_;
    TCitamForm* citam_;
};

}  // namespace parlenko::ui

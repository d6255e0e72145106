#pragma once
// The diverts, barrings and locks sub-pages of the advanced page and the
// indicator box they share. TServicesPages makes the three pages and is the
// engine's services view for them: it hands each indicator, number and time
// on to its page.

#include "engine/services/services_view.h"
#include "ui/controls/tag_painted.h"

#include <QWidget>

#include <utility>

class QGroupBox;
class QPushButton;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TBarringPage;
class TDivertPage;
class TLocksPage;

// An indicator: paints picture Tag of the checked pictures (0 off, 1 on)
// at (0, 1).
class TIndicatorBox : public controls::TTagPainted {
    Q_OBJECT
public:
    explicit TIndicatorBox(QWidget* parent, const char* name);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// What the diverts and barrings pages build alike.
namespace services {

// The frame of the call class column (0 voice, 1 data, 2 fax), height high,
// under the ones before it.
QGroupBox* CallClassGroup(QWidget* page, const char* name, int column, int height);
// An indicator named name with its caption to the right, on the row at y.
TIndicatorBox* IndicatorRow(QWidget* group, const QByteArray& name, const char* caption, int y,
                            int captionWidth);
// "Osvježi", which checks, and "Izmjeni" (off until the check ends) at y.
std::pair<QPushButton*, QPushButton*> CheckAndChange(QWidget* page, const char* checkName,
                                                     const char* changeName, int y);

}  // namespace services

class TServicesPages : public IServicesView {
public:
    // mainWindow: what the dialogs centre on. The pages are made without a
    // parent; whoever places them owns them.
    TServicesPages(PhoneEngine& engine, QWidget* mainWindow);

    TDivertPage* Diverts() const { return diverts_; }
    TBarringPage* Barrings() const { return barrings_; }
    TLocksPage* Locks() const { return locks_; }

    void DivertChanged(int number, int picture, const std::string& divertNumber) override;
    void DivertTimeChanged(int column, const std::string& seconds) override;
    void BarringChanged(int number, int picture) override;
    void LockChanged(int number, int picture) override;
    void DivertButtonEnabled(bool enabled) override;
    void BarringButtonEnabled(bool enabled) override;

    // The locks sub-page was entered while connected: its check runs.
    void CheckLocks();

private:
    TDivertPage* diverts_;    // "Preusmjeravanja"
    TBarringPage* barrings_;  // "Zabrana poziva"
    TLocksPage* locks_;       // "Zakljucavanja"
};

}  // namespace parlenko::ui

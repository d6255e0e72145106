#pragma once
// The diverts, barrings and locks sub-pages of the advanced page (Notebook2
// pages 0 to 2) and the indicator box they share. TServicesPages places the
// three pages in their places of Notebook2 and is the engine's services
// view: it hands each indicator, number and time on to its page.

#include "engine/services/services_view.h"

#include <QWidget>

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TAdvancedPage;
class TBarringPage;
class TDivertPage;
class TLocksPage;

// An indicator: paints picture Tag of the checked pictures (0 off, 1 on)
// at (0, 1).
class TIndicatorBox : public QWidget {
    Q_OBJECT
public:
    explicit TIndicatorBox(QWidget* parent, const char* name);
    int Tag() const { return tag_; }
    void SetTag(int tag);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int tag_ = 0;
};

class TServicesPages : public IServicesView {
public:
    // mainWindow: what the dialogs centre on; the pages fill the first three
    // sub-pages of advanced.
    TServicesPages(PhoneEngine& engine, QWidget* mainWindow, TAdvancedPage& advanced);
    ~TServicesPages() override;
    TServicesPages(const TServicesPages&) = delete;
    TServicesPages& operator=(const TServicesPages&) = delete;

    void DivertChanged(int number, int picture, const std::string& divertNumber) override;
    void DivertTimeChanged(int column, const std::string& seconds) override;
    void BarringChanged(int number, int picture) override;
    void LockChanged(int number, int picture) override;
    void DivertButtonEnabled(bool enabled) override;
    void BarringButtonEnabled(bool enabled) override;

    // The locks sub-page was entered while connected: its check runs.
    void CheckLocks();

private:
    PhoneEngine& engine_;
    TDivertPage* Diverts = nullptr;    // "Preusmjeravanja", page 0
    TBarringPage* Barrings = nullptr;  // "Zabrana poziva", page 1
    TLocksPage* Locks = nullptr;       // "Zakljucavanja", page 2
};

}  // namespace parlenko::ui

#pragma once
// The buttons under a window that acts one way or the other on what it
// holds (switch on or off, lock or unlock), then the one that gives up.

#include <QString>

#include <functional>

class QDialog;
class QPushButton;

namespace parlenko::ui::controls {

struct ButtonOf {
    const char* name;
    QString caption;
};

struct OnOffButtons {
    QPushButton* on = nullptr;
    QPushButton* off = nullptr;
    QPushButton* cancel = nullptr;

    // The two act only while what they act on is valid.
    void SetEnabled(bool enabled) const;
};

// The three at y, to the right of the window (its size set): the two that
// act (off at first) tell act which was pressed; the last rejects the window.
OnOffButtons MakeOnOffButtons(QDialog* window, const ButtonOf& on, const ButtonOf& off,
                              const ButtonOf& cancel, int y, const std::function<void(bool)>& act);

}  // namespace parlenko::ui::controls

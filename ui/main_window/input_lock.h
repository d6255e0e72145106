#pragma once
// The main window's busy state: while the phone answers, no click, key,
// wheel turn or shortcut reaches the window, its controls or its menus. The
// window is not disabled: disabling it would take the focus from the list
// that has it and, when it is enabled again, switch on every menu of it
// (and the button a menu drops down from) whatever its page had decided.
// The window's own dialogs and message boxes are windows of their own and
// take input as always.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace parlenko::ui {

class TInputLock : public QObject {
public:
    explicit TInputLock(QWidget& window);
    ~TInputLock() override;
    TInputLock(const TInputLock&) = delete;
    TInputLock& operator=(const TInputLock&) = delete;

    void SetLocked(bool locked);
    bool Locked() const { return locked_; }
    // Whether widget is the window, one of its controls or a menu it opens.
    bool Covers(const QWidget* widget) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    bool locked_ = false;
};

}  // namespace parlenko::ui

#pragma once
// The frame of the progress and status windows: a dialog border and a
// caption bar without title-bar buttons, drawn by the window itself. A
// window manager gives every title bar of its own at least a close button
// (and the progress window must not be closed from there), so these
// windows take none from it.
//
// Installed on a built window whose controls lie in a client area of
// clientSize from (0, 0): the controls move inside the frame and the
// window takes the size of the client area and the frame. The caption
// shows the window's title, in the active colours while the window is the
// active one; dragging it moves the window.

#include <QSize>
#include <QWidget>

namespace parlenko::ui {

class TOwnFrame : public QWidget {
public:
    static constexpr int kBorder = 3;          // the dialog border's rings
    static constexpr int kCaptionHeight = 18;  // the bar, then one line of the face

    // Frames window (before it is first shown).
    static TOwnFrame* Install(QWidget& window, QSize clientSize);

    // Where the caption bar lies in the window.
    QRect CaptionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TOwnFrame(QWidget& window);
    QWidget& window_;
};

}  // namespace parlenko::ui

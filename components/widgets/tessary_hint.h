#pragma once
// The hint window: a frameless pop-up with word-wrapped text on a pale green
// ground. Shown by ShowHintAt it is a validation balloon, with a green band
// and an icon at its left edge; shown by ActivateHint it is a plain tooltip.
// THintInstaller makes it the application's tooltip.

#include "components/widgets/gdi_colors.h"
#include "components/widgets/gdi_draw.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace parlenko::widgets {

class TTessaryHintWindow : public QWidget {
public:
    // The owner (a dialog) destroys the window with itself. An owner's
    // balloon lies inside the owner's window (it moves with it, other
    // windows cover it, clicks pass through it); without an owner it is a
    // tooltip window above every other. Either way ShowHintAt and
    // ActivateHint take screen coordinates.
    explicit TTessaryHintWindow(QWidget* owner = nullptr);

    static constexpr TColor kBackground = 0x00ECFFEC;
    static constexpr TColor kBand = 0x004FC21D;
    static constexpr int kBandWidth = 21;
    static constexpr int kIconSpace = 26;
    // The window is this much taller than the rectangle it is shown at.
    static constexpr int kExtraHeight = 4;

    // The rectangle at (0, 0) the hint needs within maxWidth: the text with
    // outer blanks trimmed, word-wrapped, plus margins, 26 wider for the band
    // and at least 20 high.
    TRect CalcHintRect(int maxWidth, const QString& hint, const void* hintData = nullptr) const;
    // Shows a plain hint (no band) with its window at rect.
    void ActivateHint(const TRect& rect, const QString& hint);
    // The same with the band and icon.
    void ActivateHintData(const TRect& rect, const QString& hint, const void* hintData = nullptr);
    // The balloon with its top-left corner at the screen point (x, y); shown
    // again, it moves and takes the new text.
    void ShowHintAt(const QString& text, const void* hintData, int x, int y);

    const QString& Caption() const { return caption_; }
    bool ShowsIcon() const { return icon_ != nullptr; }

    // The 16 x 16 icon of the band, made once and shared by every window.
    static const QImage& HintIcon();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect Room(QPoint at) const;
    int WrapWidth(QPoint at) const;

    const QImage* icon_ = nullptr;
    QString caption_;
    int wrapWidth_ = 0;  // the width the balloon's text wraps within
};

// While it lives, every tooltip of the application is shown in one shared
// TTessaryHintWindow below the pointer, for hideMs at most; leaving the
// widget, a press, a key or leaving the application hides it. Widgets
// without tooltip text of their own are left to Qt.
class THintInstaller : public QObject {
public:
    explicit THintInstaller(int hideMs);
    ~THintInstaller() override;

    TTessaryHintWindow& Window() { return *window_; }
    int HidePause() const { return hideMs_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Hide();

    int hideMs_;
    std::unique_ptr<TTessaryHintWindow> window_;
    QPointer<QWidget> owner_;
    QTimer hideTimer_;
};

}  // namespace parlenko::widgets

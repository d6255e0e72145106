#include "components/widgets/tessary_hint.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include <algorithm>

namespace parlenko::widgets {
namespace {

// The pointer's height: hints open this far below the pointer.
constexpr int kCursorHeight = 20;

// Blanks and control characters off both ends.
QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] <= QLatin1Char(' ')) ++first;
    while (last > first && text[last - 1] <= QLatin1Char(' ')) --last;
    return text.mid(first, last - first);
}

QRect ScreenAt(const QWidget* w, QPoint at) {
    const QScreen* s = QGuiApplication::screenAt(at);
    if (s == nullptr) s = w->screen();
    if (s == nullptr) s = QGuiApplication::primaryScreen();
    return s != nullptr ? s->geometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

// An owner's balloon lies in the owner's window, as a part of it: it moves
// with the window, other windows cover it as they cover the window, and a
// click on it reaches what lies under it. The tooltip of no owner is a
// window of its own above every other.
TTessaryHintWindow::TTessaryHintWindow(QWidget* owner)
    : QWidget(owner != nullptr ? owner->window() : nullptr,
              owner != nullptr ? Qt::Widget : Qt::ToolTip | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (owner != nullptr) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }
    setFont(QToolTip::font());
}

// Where the hint may lie, in screen coordinates: the screen, or for an
// owner's balloon the owner window's inside.
QRect TTessaryHintWindow::Room(QPoint at) const {
    if (isWindow()) return ScreenAt(this, at);
    const QWidget* window = parentWidget();
    return QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
}

const QImage& TTessaryHintWindow::HintIcon() {
    // A yellow warning sign with a black exclamation mark.
    static const QImage icon = [] {
        QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF corners[] = {{8.0, 1.0}, {15.0, 14.5}, {1.0, 14.5}};
        p.setPen(QPen(QColor(110, 80, 0), 1.0));
        p.setBrush(QColor(255, 214, 0));
        p.drawPolygon(corners, 3);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRect(7, 5, 2, 5), Qt::black);
        p.fillRect(QRect(7, 11, 2, 2), Qt::black);
        return img;
    }();
    return icon;
}

TRect TTessaryHintWindow::CalcHintRect(int maxWidth, const QString& hint, const void*) const {
    TRect r{0, 0, maxWidth, 0};
    CalcTextRect(fontMetrics(), TrimBlanks(hint), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6;
    r.Bottom += 2;
    // Room for the band, whether it is drawn or not.
    r.Right += kIconSpace;
    if (r.Bottom < 20) r.Bottom = 20;
    return r;
}

void TTessaryHintWindow::ActivateHint(const TRect& rect, const QString& hint) {
    icon_ = nullptr;
    caption_ = hint;
    // The window is a little taller than the rectangle and kept on the screen.
    const int w = rect.Width();
    const int h = rect.Height() + kExtraHeight;
    const QRect room = Room(QPoint(rect.Left, rect.Top));
    int left = rect.Left;
    int top = rect.Top;
    if (top + h > room.bottom() + 1) top = room.bottom() + 1 - h;
    if (left + w > room.right() + 1) left = room.right() + 1 - w;
    if (left < room.left()) left = room.left();
    if (top < room.top()) top = room.top();
    const QPoint at =
        isWindow() ? QPoint(left, top) : parentWidget()->mapFromGlobal(QPoint(left, top));
    setGeometry(at.x(), at.y(), w, h);
    show();
    if (!isWindow()) raise();  // above the window's own controls
    update();
}

void TTessaryHintWindow::ActivateHintData(const TRect& rect, const QString& hint, const void*) {
    ActivateHint(rect, hint);
    icon_ = &HintIcon();
    update();
}

void TTessaryHintWindow::ShowHintAt(const QString& text, const void* hintData, int x, int y) {
    wrapWidth_ = WrapWidth(QPoint(x, y));
    TRect r = CalcHintRect(wrapWidth_, text, hintData);
    OffsetRect(r, x, y);
    ActivateHintData(r, text, hintData);
}

// The width the text wraps within: the screen's, or what is left of the
// owner's window right of x (at least a third of it).
int TTessaryHintWindow::WrapWidth(QPoint at) const {
    const QRect room = Room(at);
    if (isWindow()) return room.width();
    return std::max(room.right() + 1 - at.x(), room.width() / 3);
}

void TTessaryHintWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const TRect client = TRect::FromQRect(rect());
    FillRect(p, client, ToQColor(kBackground));
    TRect text = client;
    if (icon_ != nullptr) {
        text = CalcHintRect(wrapWidth_ > 0 ? wrapWidth_ : ScreenAt(this, pos()).width(), caption_);
        OffsetRect(text, kIconSpace, height() == 24 ? 5 : 2);
        FillRect(p, {0, 0, kBandWidth, height()}, ToQColor(kBand));
        DrawLine(p, {kBandWidth, 0}, {kBandWidth, height()}, Qt::black);
        FrameRect(p, client, Qt::black);
        p.drawImage(3, 3, *icon_);
    }
    p.setFont(font());
    p.setPen(ToQColor(clInfoText));
    DrawText(p, caption_, text, DT_WORDBREAK);
}

// --- the application's hints -------------------------------------------------------

THintInstaller::THintInstaller(int hideMs)
    : hideMs_(hideMs), window_(std::make_unique<TTessaryHintWindow>()) {
    hideTimer_.setSingleShot(true);
    // After the pause the widget's hint stays away until the pointer leaves it.
    connect(&hideTimer_, &QTimer::timeout, window_.get(), &QWidget::hide);
    qApp->installEventFilter(this);
}

THintInstaller::~THintInstaller() { qApp->removeEventFilter(this); }

void THintInstaller::Hide() {
    hideTimer_.stop();
    owner_ = nullptr;
    window_->hide();
}

bool THintInstaller::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ToolTip: {
            auto* w = qobject_cast<QWidget*>(watched);
            if (w == nullptr || w->toolTip().isEmpty()) return false;
            // The pointer rests again over the widget whose hint is shown (or
            // has timed out): nothing new.
            if (w == owner_) {
                event->accept();
                return true;
            }
            const QPoint at = static_cast<QHelpEvent*>(event)->globalPos();
            const QString text = w->toolTip();
            const QRect screen = ScreenAt(w, at);
            TRect r = window_->CalcHintRect(screen.width(), text);
            // Below the pointer; above it where the screen ends, so that the
            // window never opens under the pointer.
            int top = at.y() + kCursorHeight;
            if (top + r.Height() + TTessaryHintWindow::kExtraHeight > screen.bottom() + 1)
                top = at.y() - r.Height() - TTessaryHintWindow::kExtraHeight;
            OffsetRect(r, at.x(), top);
            window_->ActivateHint(r, text);
            owner_ = w;
            hideTimer_.start(hideMs_);
            event->accept();
            return true;
        }
        case QEvent::Leave:
            if (owner_ != nullptr && watched == owner_) Hide();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::WindowDeactivate:
            if (window_->isVisible()) Hide();
            break;
        case QEvent::ApplicationStateChange:
            if (QGuiApplication::applicationState() != Qt::ApplicationActive) Hide();
            break;
        default: break;
    }
    return false;
}

}  // namespace parlenko::widgets

#include "components/widgets/control_sub_class.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTextEdit>
#include <QToolBar>

namespace parlenko::widgets {

namespace {

constexpr int kSkipTag = 999;
constexpr int kLightComboTag = 1000;

int TagOf(const QObject* o) { return o != nullptr ? o->property("Tag").toInt() : 0; }
QColor Q(TColor c) { return ToQColor(c); }

bool IsPanel(const QWidget* w) {
    return w->metaObject() == &QFrame::staticMetaObject ||
           w->inherits("parlenko::widgets::TFlatPanel");
}

// Covers the control and paints the hook's face after the control painted.
class Overlay : public QWidget {
public:
    Overlay(QWidget* control, TControlSubClass& hook) : QWidget(control), hook_(hook) {
        setObjectName(QStringLiteral("ControlSubClassOverlay"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(control->rect());
        show();
        raise();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        hook_.Paint(p);
    }

private:
    TControlSubClass& hook_;
};

}  // namespace

// --- selection ---------------------------------------------------------------------

TPaintControls TControlSubClass::KindOf(const QWidget* c) {
    if (c == nullptr) return {};
    if (qobject_cast<const QComboBox*>(c)) return pcCombo;
    if (const auto* e = qobject_cast<const QLineEdit*>(c))
        return e->inputMask().isEmpty() ? pcEdit : pcMaskEdit;
    if (qobject_cast<const QPlainTextEdit*>(c)) return pcMemo;
    if (qobject_cast<const QCheckBox*>(c)) return pcCheckBox;
    if (qobject_cast<const QRadioButton*>(c)) return pcRadioButton;
    if (const auto* b = qobject_cast<const QPushButton*>(c))
        return b->icon().isNull() ? pcButton : pcBitBtn;
    if (qobject_cast<const QGroupBox*>(c)) return pcGroupBox;
    if (IsPanel(c)) return pcPanel;
    return {};
}

TPaintContainers TControlSubClass::ContainerKindOf(const QWidget* w) {
    if (w == nullptr) return {};
    if (w->isWindow()) return pccForm;
    if (const auto* main = qobject_cast<const QMainWindow*>(w->parentWidget());
        main != nullptr && main->centralWidget() == w)
        return pccForm;
    if (qobject_cast<const QToolBar*>(w)) return pccToolbar;
    if (qobject_cast<const QGroupBox*>(w)) return pccGroupBox;
    if (qobject_cast<const QStackedWidget*>(w->parentWidget())) return pccTabSheet;
    if (IsPanel(w)) return pccPanel;
    return {};
}

void TControlSubClass::HookControls(TMenuPainter& painter, bool enable, bool repaint) {
    if (!enable) {
        const auto hooks = painter.ControlHooks;
        painter.ControlHooks.clear();
        for (const QPointer<QObject>& h : hooks) {
            if (auto* sub = qobject_cast<TControlSubClass*>(h.data())) {
                sub->Unhook();
            } else if (h) {
                if (auto* bar = qobject_cast<QWidget*>(h->parent())) bar->update();
                delete h.data();
            }
        }
        return;
    }
    QWidget* owner = painter.Owner();
    if (owner == nullptr) return;
    const auto widgets = owner->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        QWidget* parent = w->parentWidget();
        if (TagOf(w) == kSkipTag || TagOf(parent) == kSkipTag) continue;
        if (qobject_cast<QToolBar*>(w) != nullptr && (painter.PaintControls() & pcControlbar) &&
            w->findChild<TToolBarBandPainter*>(QString(), Qt::FindDirectChildrenOnly) == nullptr) {
            painter.ControlHooks.append(new TToolBarBandPainter(painter, w));
            if (repaint) w->update();
            continue;
        }
        const TPaintControls kind = KindOf(w);
        if (kind && (painter.PaintControls() & kind) &&
            (painter.PaintContainers() & ContainerKindOf(parent)))
            Hook(painter, w, repaint);
    }
}

TControlSubClass* TControlSubClass::Hook(TMenuPainter& painter, QWidget* control, bool repaint) {
    if (control == nullptr || Of(control) != nullptr) return nullptr;
    auto* hook = new TControlSubClass(painter, control);
    painter.ControlHooks.append(hook);
    if (repaint) control->update();
    return hook;
}

TControlSubClass* TControlSubClass::Of(const QWidget* control) {
    if (control == nullptr) return nullptr;
    const auto hooks =
        control->findChildren<TControlSubClass*>(QString(), Qt::FindDirectChildrenOnly);
    for (TControlSubClass* h : hooks)
        if (!h->unhooking_) return h;
    return nullptr;
}

// --- life ----------------------------------------------------------------------------

TControlSubClass::TControlSubClass(TMenuPainter& painter, QWidget* control)
    : QObject(control), painter_(&painter), control_(control) {
    setObjectName(QStringLiteral("ControlSubClass"));
    // The flat frame replaces the sunken one.
    if (auto* e = qobject_cast<QLineEdit*>(control)) {
        singleBorder_ = e->hasFrame();
        if (singleBorder_) {
            e->setFrame(false);
            frameSwitchedOff_ = true;
        }
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(control)) {
        singleBorder_ = m->frameShape() != QFrame::NoFrame;
        if (singleBorder_) {
            control->setProperty("ControlSubClassShape", static_cast<int>(m->frameShape()));
            m->setFrameShape(QFrame::NoFrame);
            frameSwitchedOff_ = true;
        }
    }
    if (auto* b = qobject_cast<QAbstractButton*>(control)) {
        connect(b, &QAbstractButton::toggled, this, [this] {
            hot_ = false;
            Repaint();
        });
        connect(b, &QAbstractButton::pressed, this, &TControlSubClass::Repaint);
        connect(b, &QAbstractButton::released, this, &TControlSubClass::Repaint);
    }
    control->installEventFilter(this);
    overlay_ = new Overlay(control, *this);
}

TControlSubClass::~TControlSubClass() = default;

void TControlSubClass::Unhook() {
    if (unhooking_) return;
    unhooking_ = true;
    control_->removeEventFilter(this);
    if (frameSwitchedOff_) {
        if (auto* e = qobject_cast<QLineEdit*>(control_)) e->setFrame(true);
        if (auto* m = qobject_cast<QPlainTextEdit*>(control_)) {
            m->setFrameShape(
                static_cast<QFrame::Shape>(control_->property("ControlSubClassShape").toInt()));
            control_->setProperty("ControlSubClassShape", QVariant());
        }
    }
    delete overlay_;
    overlay_ = nullptr;
    control_->update();
    deleteLater();
}

void TControlSubClass::Repaint() {
    if (!unhooking_) control_->update();
}

bool TControlSubClass::eventFilter(QObject* watched, QEvent* event) {
    if (watched != control_ || unhooking_) return false;
    if (!painter_ || !painter_->Active()) {
        Unhook();
        return false;
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                mouseDown_ = event->type() == QEvent::MouseButtonPress;
                Repaint();
            }
            break;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
                spaceDown_ = true;
                if (!spaceSeen_) {
                    spaceSeen_ = true;
                    Repaint();
                }
            }
            break;
        case QEvent::KeyRelease: {
            auto* k = static_cast<QKeyEvent*>(event);
            if (k->key() == Qt::Key_Space && !k->isAutoRepeat()) {
                spaceDown_ = spaceSeen_ = false;
                Repaint();
            }
            break;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            hot_ = event->type() == QEvent::FocusIn;
            Repaint();
            break;
        case QEvent::Enter:
        case QEvent::Leave:
            if (control_->isEnabled()) {
                hot_ = event->type() == QEvent::Enter;
                Repaint();
            }
            break;
        case QEvent::EnabledChange:
            if (!control_->isEnabled()) hot_ = false;
            Repaint();
            break;
        case QEvent::PaletteChange: Repaint(); break;
        case QEvent::Resize:
            if (overlay_ != nullptr) overlay_->setGeometry(control_->rect());
            break;
        case QEvent::ChildAdded:
            if (overlay_ != nullptr) overlay_->raise();
            break;
        default: break;
    }
    return false;
}

// --- painting -----------------------------------------------------------------------

QColor TControlSubClass::ParentColor() const {
    const QWidget* parent = control_->parentWidget();
    if (parent == nullptr) return ToQColor(clBtnFace);
    return parent->palette().color(parent->backgroundRole());
}

QColor TControlSubClass::ControlColor() const {
    return control_->palette().color(control_->backgroundRole());
}

void TControlSubClass::Paint(QPainter& p) {
    if (!painter_ || !painter_->Active() || unhooking_) return;
    painter_->PreparePalette(p);
    focused_ = control_->hasFocus();
    const TPaintControls kind = KindOf(control_);
    if (kind & pcCombo) PaintCombo(p);
    if (kind & (pcEdit | pcMaskEdit | pcMemo)) PaintEdit(p);
    if (kind & pcCheckBox) PaintCheck(p, false);
    if (kind & pcRadioButton) PaintCheck(p, true);
    if (kind & (pcButton | pcBitBtn)) PaintButton(p);
    if (kind & pcPanel) PaintPanel(p);
    if (kind & pcGroupBox) PaintGroupBox(p);
}

void TControlSubClass::PaintCombo(QPainter& p) {
    auto* combo = qobject_cast<QComboBox*>(control_);
    const TMenuColors& k = painter_->Colors();
    const TRect r = TRect::FromQRect(control_->rect());
    const bool droppedDown = combo->view() != nullptr && combo->view()->isVisible();
    const QColor frame = hot_ || focused_ ? Q(k.SelectionBorder) : ControlColor();
    FrameRect(p, r, ParentColor());
    TRect inner = r;
    InflateRect(inner, -1, -1);
    FrameRect(p, inner, frame);
    TRect face = inner;
    InflateRect(face, -1, -1);

    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.editable = combo->isEditable();
    const int arrow =
        control_->style()
            ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, combo)
            .width() +
        1;
    const bool rtl = control_->layoutDirection() == Qt::RightToLeft;
    TRect button = face;
    TRect strip = face;
    int line = 0;
    if (rtl) {
        button.Right = face.Left + arrow;
        line = button.Right;
        strip.Left = line + 1;
        strip.Right = strip.Left + 5;
    } else {
        button.Left = face.Right - arrow;
        line = button.Left - 1;
        strip.Right = line;
        strip.Left = strip.Right - 5;
    }
    QColor fill = ToQColor(clBtnFace);
    if (TagOf(control_) == kLightComboTag) fill = Q(Lighten(FromQColor(ParentColor()), 16));
    if (focused_) fill = Q(k.CheckedArea);
    if (hot_) fill = Q(k.Selection);
    if (droppedDown) fill = Q(k.CheckedAreaSelected);
    FillRect(p, button, fill);
    FillRect(p, strip, ControlColor());
    DrawLine(p, {line, face.Top}, {line, face.Bottom}, frame);
    const QColor arrowColour =
        control_->isEnabled() && !droppedDown ? QColor(Qt::black) : QColor(Qt::white);
    const int centre = rtl ? r.Left + 10 : r.Right - 10;
    for (int i = 0; i < 3; ++i) {
        const int half = 2 - i;
        DrawLine(p, {centre - half, r.Top + 10 + i}, {centre + half + 1, r.Top + 10 + i},
                 arrowColour);
    }
}

void TControlSubClass::PaintEdit(QPainter& p) {
    const TMenuColors& k = painter_->Colors();
    QColor colour;
    if (hot_ || focused_) {
        colour = Q(painter_->Light(k.SelectionBorder, singleBorder_ ? 60 : 80));
    } else {
        const TColor parent = FromQColor(ParentColor());
        colour = Q(singleBorder_ ? Darken(parent, 60) : parent);
    }
    FrameRect(p, TRect::FromQRect(control_->rect()), colour);
}

void TControlSubClass::PaintCheck(QPainter& p, bool radio) {
    const auto* button = qobject_cast<QAbstractButton*>(control_);
    const TMenuColors& k = painter_->Colors();
    const int size = control_->style()->pixelMetric(
        radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, control_);
    const bool rtl = control_->layoutDirection() == Qt::RightToLeft;
    const int x = rtl ? control_->width() - size : 0;
    const int y = (control_->height() - size) / 2;
    const TRect box{x, y, x + size, y + size};
    const bool pressed = mouseDown_ || spaceDown_;
    const auto* check = qobject_cast<const QCheckBox*>(control_);
    const bool grayed = check != nullptr && check->checkState() == Qt::PartiallyChecked;
    const bool checked = button->isChecked() || grayed;
    QColor frame = ToQColor(clBtnShadow);
    QColor fill = ToQColor(clWindow);
    if (hot_ || focused_) {
        frame = Q(k.SelectionBorder);
        fill = Q(k.Selection);
    }
    if (pressed) fill = Q(k.CheckedAreaSelected);
    if (grayed) fill = Q(clSilver);
    QColor mark = ToQColor(clHighlight);
    if (grayed) mark = Q(clGray);
    if (pressed) mark = ToQColor(clWindow);
    if (!control_->isEnabled()) mark = Q(k.DisabledText);
    if (!radio) {
        Rectangle(p, box, frame, fill);
        if (checked) {
            const int X = box.Left;
            const int Y = box.Bottom;
            for (int up = 0; up < 3; ++up)
                Polyline(p, {{X + 2, Y - 5 - up}, {X + 4, Y - 3 - up}, {X + 9, Y - 8 - up}}, mark);
        }
        return;
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(frame);
    p.setBrush(fill);
    p.drawEllipse(QRect(box.Left, box.Top, size - 1, size - 1));
    if (checked) {
        p.setPen(mark);
        p.setBrush(mark);
        const int c = size / 2;
        p.drawEllipse(QRect(box.Left + c - 2, box.Top + c - 2, 3, 3));
    }
}

void TControlSubClass::PaintButton(QPainter& p) {
    const auto* button = qobject_cast<QAbstractButton*>(control_);
    const TRect r = TRect::FromQRect(control_->rect());
    const TColor base = ColorToRGB(clBtnFace);
    TColor face = base;
    if (focused_) face = painter_->Light(base, 30);
    if (hot_) face = painter_->Light(base, 50);
    if (button->isDown() || mouseDown_ || spaceDown_) face = Darken(base, 20);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(ToQColor(clBtnShadow));
    p.setBrush(Q(face));
    p.drawRoundedRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), 3, 3);
    p.setPen(control_->isEnabled() ? ToQColor(clBtnText) : Q(painter_->Colors().DisabledText));
    p.setFont(control_->font());
    QRect text = control_->rect();
    if (!button->icon().isNull()) {
        const QSize is = button->iconSize();
        const int w = is.width() + 4 + p.fontMetrics().horizontalAdvance(button->text());
        const int left = (r.Width() - w) / 2;
        button->icon().paint(&p,
                             QRect(left, (r.Height() - is.height()) / 2, is.width(), is.height()));
        text.setLeft(left + is.width() + 4);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, button->text());
        return;
    }
    p.drawText(text, Qt::AlignCenter | Qt::TextShowMnemonic, button->text());
}

void TControlSubClass::PaintPanel(QPainter& p) {
    const auto* frame = qobject_cast<const QFrame*>(control_);
    if (frame == nullptr || frame->frameShape() == QFrame::NoFrame ||
        frame->frameShadow() == QFrame::Plain)
        return;
    const TColor colour = FromQColor(ControlColor());
    const QColor light = Q(painter_->Light(colour, 60));
    const QColor dark = Q(Darken(colour, 60));
    TRect r = TRect::FromQRect(control_->rect());
    const bool raised = frame->frameShadow() == QFrame::Raised;
    Frame3D(p, r, raised ? light : dark, raised ? dark : light, std::max(1, frame->lineWidth()));
}

void TControlSubClass::PaintGroupBox(QPainter& p) {
    auto* box = qobject_cast<QGroupBox*>(control_);
    const TColor colour = FromQColor(ControlColor());
    QStyleOptionGroupBox opt;
    opt.initFrom(box);
    opt.text = box->title();
    opt.textAlignment = box->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isCheckable()) opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
    // The frame from the caption's middle down, in two tones.
    const int top = box->title().isEmpty() ? 0 : label.center().y();
    const TRect r = TRect::FromQRect(control_->rect());
    FillRect(p, {r.Left, r.Top, r.Right, top}, Q(colour));
    FrameRect(p, {r.Left, top, r.Right - 1, r.Bottom - 1}, Q(Darken(colour, 60)));
    FrameRect(p, {r.Left + 1, top + 1, r.Right, r.Bottom}, Q(painter_->Light(colour, 60)));
    if (box->title().isEmpty()) return;
    const TRect caption = TRect::FromQRect(label.adjusted(-2, 0, 2, 0));
    FillRect(p, caption, Q(colour));
    p.setFont(control_->font());
    p.setPen(control_->isEnabled() ? ToQColor(clBtnText) : Q(painter_->Colors().DisabledText));
    p.drawText(label, Qt::AlignCenter | Qt::TextShowMnemonic, box->title());
}

// --- tool bar bands -------------------------------------------------------------------

TToolBarBandPainter::TToolBarBandPainter(TMenuPainter& painter, QWidget* toolBar)
    : QObject(toolBar), painter_(&painter) {
    setObjectName(QStringLiteral("ToolBarBandPainter"));
    toolBar->installEventFilter(this);
}

bool TToolBarBandPainter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || watched != parent() || !painter_ || !painter_->Active())
        return false;
    auto* bar = static_cast<QWidget*>(watched);
    QPainter p(bar);
    painter_->PreparePalette(p);
    const TColor colour = FromQColor(bar->palette().color(bar->backgroundRole()));
    const TRect r = TRect::FromQRect(bar->rect());
    FillRect(p, r, Q(painter_->TrueColour() ? painter_->Light(colour, 6) : colour));
    int darken = 30;
    for (int y = r.Top + 5; y < r.Bottom - 5; y += 2, darken += 7)
        DrawLine(p, {r.Left + 3, y}, {r.Left + 6, y}, Q(Darken(colour, darken)));
    return true;
}

}  // namespace parlenko::widgets

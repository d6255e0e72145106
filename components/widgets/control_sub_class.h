#pragma once
// The per-control half of the menu painter: for each control the painter
// hooks, one TControlSubClass (a child of the control, so it goes with it)
// follows the control's state through an event filter and paints a flat
// frame, box or button face over it in the painter's working colours. The
// painting happens on an overlay child that covers the whole control, lets
// the mouse through and is repainted by Qt right after the control.
//
// Kinds: QComboBox (pcCombo), QLineEdit (pcEdit; with an input mask
// pcMaskEdit), QPlainTextEdit (pcMemo), QCheckBox, QRadioButton, QPushButton
// (with an icon pcBitBtn), panels (a plain QFrame), QGroupBox. Containers: the
// window (pccForm), QToolBar (pccToolbar), panels, group boxes and the pages of
// a QStackedWidget (pccTabSheet). A QToolBar gets the flat band face with
// pcControlbar. pcToolbar, pcSpeedButton, pcRichEdit and the other members
// name kinds these windows do not have: they are accepted and hook nothing.

#include "components/widgets/menu_painter.h"

#include <QObject>
#include <QPointer>

class QPainter;

namespace parlenko::widgets {

class TControlSubClass : public QObject {
    Q_OBJECT
public:
    // The enable (or unhook) pass over the controls of the painter's window.
    static void HookControls(TMenuPainter& painter, bool enable, bool repaint);
    // Hooks one control; nullptr when it is already hooked.
    static TControlSubClass* Hook(TMenuPainter& painter, QWidget* control, bool repaint);
    // The hook of a control, if any.
    static TControlSubClass* Of(const QWidget* control);
    // The PaintControls member a widget's kind answers to (0: none), and
    // whether a widget is a container of PaintContainers.
    static TPaintControls KindOf(const QWidget* control);
    static TPaintContainers ContainerKindOf(const QWidget* container);

    ~TControlSubClass() override;

    QWidget* Control() const { return control_; }
    bool Hot() const { return hot_; }
    bool MouseDown() const { return mouseDown_; }
    bool SpaceDown() const { return spaceDown_; }

    // Puts the control's frame back, repaints it and goes.
    void Unhook();

    // Paints the face over the control (the overlay calls this).
    void Paint(QPainter& p);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TControlSubClass(TMenuPainter& painter, QWidget* control);
    void Repaint();
    QColor ParentColor() const;
    QColor ControlColor() const;
    void PaintCombo(QPainter& p);
    void PaintEdit(QPainter& p);
    void PaintCheck(QPainter& p, bool radio);
    void PaintButton(QPainter& p);
    void PaintPanel(QPainter& p);
    void PaintGroupBox(QPainter& p);

    QPointer<TMenuPainter> painter_;
    QWidget* control_;
    QWidget* overlay_ = nullptr;
    bool hot_ = false;
    bool mouseDown_ = false;
    bool spaceDown_ = false;
    bool spaceSeen_ = false;
    bool focused_ = false;
    bool frameSwitchedOff_ = false;
    bool singleBorder_ = false;
    bool unhooking_ = false;
};

// The flat band face of a tool bar (pcControlbar): paints instead of the
// tool bar's own panel and handle.
class TToolBarBandPainter : public QObject {
    Q_OBJECT
public:
    TToolBarBandPainter(TMenuPainter& painter, QWidget* toolBar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<TMenuPainter> painter_;
};

}  // namespace parlenko::widgets

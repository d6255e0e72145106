#pragma once
// A one-line label of a fixed width. A text too long for it ends in "…"
// where the width ends, and the whole text becomes its hint (after the
// label's own hint, if it has one), so nothing shown is lost. Rich text,
// word-wrapped text and pictures are drawn as any label draws them.

#include <QLabel>
#include <QString>

namespace parlenko::widgets {

class TElidedLabel : public QLabel {
public:
    explicit TElidedLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    explicit TElidedLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {}

    // The text is wider than the label: it is shown cut.
    bool Elided() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextRect() const;
    // Puts the whole text into the hint while it is cut; the label's own
    // hint (set from outside) is kept.
    void FollowHint(bool elided);

    QString ownHint_;
    QString shownHint_;
};

}  // namespace parlenko::widgets

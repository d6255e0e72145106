#include "components/widgets/elided_label.h"

#include <QPainter>
#include <QStyle>

namespace parlenko::widgets {

QRect TElidedLabel::TextRect() const {
    const int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

bool TElidedLabel::Elided() const {
    return textFormat() != Qt::RichText && !wordWrap() &&
           fontMetrics().horizontalAdvance(text()) > TextRect().width();
}

void TElidedLabel::paintEvent(QPaintEvent* event) {
    if (textFormat() == Qt::RichText || wordWrap() || !pixmap().isNull() || text().isEmpty()) {
        QLabel::paintEvent(event);
        FollowHint(false);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    const QRect r = TextRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
    const auto align = QStyle::visualAlignment(layoutDirection(), alignment());
    style()->drawItemText(&p, r, static_cast<int>(align.toInt()), palette(), isEnabled(), shown,
                          foregroundRole());
    FollowHint(shown != text());
}

void TElidedLabel::FollowHint(bool elided) {
    if (toolTip() != shownHint_) ownHint_ = toolTip();  // set from outside since
    shownHint_ = !elided ? ownHint_ : ownHint_.isEmpty() ? text() : text() + '\n' + ownHint_;
    if (toolTip() != shownHint_) setToolTip(shownHint_);
}

}  // namespace parlenko::widgets

#pragma once
// The picture of an activity (the 36 x 36 pictures of artwork's
// ActivityPicture) as a control of a window, as the exchange windows show
// theirs beside each list.

#include <QPoint>

class QLabel;
class QWidget;

namespace parlenko::ui::controls {

// The picture of activity mode, named, with its top left at at.
QLabel* ActivityPicture(QWidget* parent, const char* name, int mode, const QPoint& at);

}  // namespace parlenko::ui::controls

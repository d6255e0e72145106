#include "ui/controls/level_slider.h"

#include "ui/controls/controls.h"

#include <QSlider>

namespace parlenko::ui::controls {

QSlider* LevelSlider(QWidget* parent, const char* name, const QRect& r, int min, int max) {
    QSlider* s = Placed(new QSlider(Qt::Horizontal, parent), name, r);
    s->setRange(min, max);
    s->setPageStep(1);
    s->setTickPosition(QSlider::TicksBelow);
    s->setTickInterval(1);
    return s;
}

}  // namespace parlenko::ui::controls

#pragma once
// A level chosen by a horizontal slider with a tick under each step (the
// ringer's, a melody's volume).

#include <QRect>

class QSlider;
class QWidget;

namespace parlenko::ui::controls {

// From min to max a step at a time, at min.
QSlider* LevelSlider(QWidget* parent, const char* name, const QRect& r, int min, int max);

}  // namespace parlenko::ui::controls

#pragma once
// The pictures a message may carry ("ImagesSms"): 25 small drawings in a
// fixed order, each with the name its tag in the text uses ("%Headache").

#include <QImage>
#include <QString>

namespace parlenko::artwork {

inline constexpr int kSmsPictureCount = 25;
inline constexpr int kSmsPictureSize = 40;

// index 0..24; a null image outside.
QImage SmsPicture(int index, int size = kSmsPictureSize);
// "Headache" .. "Turtle"; empty outside.
QString SmsPictureName(int index);

}  // namespace parlenko::artwork

#pragma once
// The small 16 x 16 pictures of the melody and logo lists (ImagesSmall 46,
// a note; 52, a framed picture).

#include <QImage>

namespace parlenko::artwork {

// A null image for another index.
QImage SmallMediaImage(int index);

}  // namespace parlenko::artwork

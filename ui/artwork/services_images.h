#pragma once
// The pictures of the diverts, barrings and locks pages and their dialogs:
// the indicator of a service or lock (ImagesChecked: 0 off, 1 on) and the
// call classes of the divert dialog (voice, data, fax).

#include <QImage>

namespace parlenko::artwork {

constexpr int kCheckedSize = 16;
// 16 x 16: 0 a hollow grey ring (not active), 1 a green disc with a white
// tick (active); any other index a null image.
QImage CheckedPicture(int index);

constexpr int kCallClassSize = 32;
// 32 x 32: 0 voice (a handset), 1 data (a screen), 2 fax (a paper in the
// machine); any other index a null image.
QImage CallClassPicture(int index);

}  // namespace parlenko::artwork

#pragma once
// JPEG pictures of the images folder as QImage (decoded through libjpeg).

#include <QImage>
#include <QString>

#include <optional>

namespace parlenko::ui {

// nullopt when the file cannot be read or is not a JPEG picture.
std::optional<QImage> LoadJpegPicture(const QString& path);

}  // namespace parlenko::ui

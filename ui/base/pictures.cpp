#include "ui/base/pictures.h"

#include "platform/jpeg_decoder.h"

#include <QFile>

namespace parlenko::ui {

std::optional<QImage> LoadJpegPicture(const QString& path) {
    const auto decoded = platform::DecodeJpegFile(QFile::encodeName(path).toStdString());
    if (!decoded) return std::nullopt;
    QImage image(decoded->width, decoded->height, QImage::Format_RGB888);
    const std::size_t stride = static_cast<std::size_t>(decoded->width) * 3;
    for (int y = 0; y < decoded->height; ++y)
        std::copy_n(decoded->rgb.data() + stride * static_cast<std::size_t>(y), stride,
                    image.scanLine(y));
    return image;
}

}  // namespace parlenko::ui

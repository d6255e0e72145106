#pragma once
// The small pictures of the lists, tool bars and menus ("ImagesSmall"), by
// their index. Each index is one row of the table in small_images.cpp; a
// page that needs another picture adds its row there.

#include <QImage>

namespace parlenko::artwork {

constexpr int kSmallImageSize = 16;

// The picture at index, size x size (transparent around it); a null image
// for an index the table does not have.
QImage SmallImage(int index, int size = kSmallImageSize);
bool HasSmallImage(int index);

// The tool-bar pictures of the appointments page, 24 x 24.
enum class AppointmentTool { New, Edit, Delete, Outlook, Refresh };
QImage AppointmentToolPicture(AppointmentTool tool, bool enabled);

}  // namespace parlenko::artwork

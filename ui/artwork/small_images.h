#pragma once
// The small pictures of the lists, tool bars, menus and combo boxes
// ("ImagesSmall"), by their index: the phonebook's (3 an entry, 4 a VIP
// entry, the tool-bar and menu pictures), and the calendar entries 58 to 65
// by category, the even one with the alarm on, the odd one with it off
// (58/59 anniversary, 60/61 memo, 62/63 meeting, 64/65 phone call). Each
// index is one row of the table in small_images.cpp; a page that needs
// another picture adds its row there. The tool-bar pictures of the
// appointments page are 24 x 24.

#include <QImage>

namespace parlenko::artwork {

inline constexpr int kSmallImageSize = 16;

// The picture at index, size x size (transparent around it); a null image
// for an index the table does not have.
QImage SmallImage(int index, int size = kSmallImageSize);
bool HasSmallImage(int index);

enum class AppointmentTool { New, Edit, Delete, Outlook, Refresh };
QImage AppointmentToolPicture(AppointmentTool tool, bool enabled);

}  // namespace parlenko::artwork

#pragma once
// The small 16 x 16 pictures of lists and combo boxes (ImagesSmall): 3 a
// phonebook name, 4 a VIP name, 44 an appointment of the store, and the calendar entries 58 to 65 by
// category, the even one with the alarm on, the odd one with it off
// (58/59 anniversary, 60/61 memo, 62/63 meeting, 64/65 phone call). The
// tool-bar pictures of the appointments page are 24 x 24.

#include <QImage>

namespace parlenko::artwork {

inline constexpr int kSmallImageSize = 16;

// A null image for an index without a picture.
QImage SmallImage(int index);

enum class AppointmentTool { New, Edit, Delete, Outlook, Refresh };
QImage AppointmentToolPicture(AppointmentTool tool, bool enabled);

}  // namespace parlenko::artwork

#include "ui/controls/activity_picture.h"

#include "ui/artwork/artwork.h"

#include <QLabel>
#include <QPixmap>

namespace parlenko::ui::controls {

QLabel* ActivityPicture(QWidget* parent, const char* name, int mode, const QPoint& at) {
    const QImage picture = artwork::ActivityPicture(mode);
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(QRect(at, picture.size()));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setPixmap(QPixmap::fromImage(picture));
    return l;
}

}  // namespace parlenko::ui::controls

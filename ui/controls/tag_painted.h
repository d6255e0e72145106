#pragma once
// A widget that paints what its Tag says (which picture, how many bars):
// a new Tag repaints it.

#include <QWidget>

namespace parlenko::ui::controls {

class TTagPainted : public QWidget {
public:
    using QWidget::QWidget;
    int Tag() const { return tag_; }
    void SetTag(int tag) {
        tag_ = tag;
        update();
    }

private:
    int tag_ = 0;
};

}  // namespace parlenko::ui::controls

#pragma once
// The radio buttons of one choice, made from a table of options.

#include <QPoint>
#include <QRect>

#include <array>
#include <cstddef>
#include <functional>
#include <span>

class QRadioButton;
class QWidget;

namespace parlenko::ui::controls {

struct RadioOption {
    const char* caption;  // UTF-8
    int tag;
};

// The buttons in parent, named "RadioButton<n>" from firstNumber on: the
// first at first, each next one step further. Each carries its option's tag
// as the property "Tag" and tells picked the tag when clicked; the first is
// checked.
void MakeRadioChoice(std::span<QRadioButton*> buttons, QWidget* parent, int firstNumber,
                     std::span<const RadioOption> options, const QRect& first, const QPoint& step,
                     const std::function<void(int)>& picked);

template <std::size_t N>
std::array<QRadioButton*, N> RadioChoice(QWidget* parent, int firstNumber,
                                         const std::array<RadioOption, N>& options,
                                         const QRect& first, const QPoint& step,
                                         const std::function<void(int)>& picked) {
    std::array<QRadioButton*, N> buttons{};
    MakeRadioChoice(buttons, parent, firstNumber, options, first, step, picked);
    return buttons;
}

}  // namespace parlenko::ui::controls

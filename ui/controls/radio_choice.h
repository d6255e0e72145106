#pragma once
// The radio buttons of one choice, made together from a table of options,
// the first checked; which one is checked is read and set by its place or
// number in the row.

#include "ui/controls/controls.h"

#include <QPoint>
#include <QRadioButton>
#include <QRect>
#include <QString>

#include <array>
#include <cstddef>
#include <functional>
#include <span>

class QWidget;

namespace parlenko::ui::controls {

struct RadioOption {
    const char* caption;  // UTF-8
    int tag;
};

// The buttons in parent, named by namePattern with "%1" the button's number
// (from firstNumber on): the first at first, each next one step further.
// Each carries its option's tag as the property "Tag" and, when picked is
// given, tells it the tag when clicked; the first is checked.
void MakeRadioChoice(std::span<QRadioButton*> buttons, QWidget* parent, const QString& namePattern,
                     int firstNumber, std::span<const RadioOption> options, const QRect& first,
                     const QPoint& step, const std::function<void(int)>& picked = {});

// A dialog's choice: "RadioButton<n>" from firstNumber on.
template <std::size_t N>
std::array<QRadioButton*, N> RadioChoice(QWidget* parent, int firstNumber,
                                         const std::array<RadioOption, N>& options,
                                         const QRect& first, const QPoint& step,
                                         const std::function<void(int)>& picked) {
    std::array<QRadioButton*, N> buttons{};
    MakeRadioChoice(buttons, parent, QStringLiteral("RadioButton%1"), firstNumber, options, first,
                    step, picked);
    return buttons;
}

// A page's choice: the buttons at x, from y down, 20 apart, width wide,
// named prefix + number (from 1) + "RB", each tagged with its number.
template <std::size_t N>
std::array<QRadioButton*, N> RadioChoice(QWidget* parent, const char* prefix,
                                         const std::array<const char*, N>& captions, int x, int y,
                                         int width) {
    std::array<RadioOption, N> options{};
    for (std::size_t i = 0; i < N; ++i) options[i] = {captions[i], static_cast<int>(i) + 1};
    std::array<QRadioButton*, N> buttons{};
    MakeRadioChoice(buttons, parent, QString::fromLatin1(prefix) + QStringLiteral("%1RB"), 1,
                    options, QRect(x, y, width, 20), QPoint(0, 20));
    return buttons;
}

// Where the checked button stands in the row (from 0); 0 when none is.
std::size_t CheckedPlace(std::span<QRadioButton* const> row);

// Checks the button numbered number (from 1); a number outside the row
// changes nothing.
template <std::size_t N>
void CheckNumbered(const std::array<QRadioButton*, N>& row, int number) {
    if (QRadioButton* b = Numbered(row, number)) b->setChecked(true);
}

}  // namespace parlenko::ui::controls

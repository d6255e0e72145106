#pragma once
// The radio buttons of one choice, made together one under another in their
// frame, the first checked; which one is checked is read and set by its
// number or place in the row.

#include "ui/controls/controls.h"

#include <QRadioButton>
#include <QString>

#include <array>
#include <cstddef>
#include <span>

namespace parlenko::ui::controls {

// The choice's buttons at x, from y down, 20 apart, width wide: named
// prefix + number (from 1) + "RB", with the captions (UTF-8).
template <std::size_t N>
std::array<QRadioButton*, N> RadioChoice(QWidget* parent, const char* prefix,
                                         const std::array<const char*, N>& captions, int x, int y,
                                         int width) {
    std::array<QRadioButton*, N> row{};
    for (std::size_t i = 0; i < N; ++i) {
        const QString name = QString::fromLatin1(prefix) + QString::number(i + 1) + "RB";
        row[i] = Radio(parent, name, QString::fromUtf8(captions[i]),
                       QRect(x, y + 20 * static_cast<int>(i), width, 20));
    }
    row[0]->setChecked(true);
    return row;
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

#include "ui/controls/radio_choice.h"

#include "ui/controls/controls.h"

namespace parlenko::ui::controls {

void MakeRadioChoice(std::span<QRadioButton*> buttons, QWidget* parent, const QString& namePattern,
                     int firstNumber, std::span<const RadioOption> options, const QRect& first,
                     const QPoint& step, const std::function<void(int)>& picked) {
    for (std::size_t k = 0; k < options.size() && k < buttons.size(); ++k) {
        const int tag = options[k].tag;
        const int n = static_cast<int>(k);
        QRadioButton* rb = Radio(parent, namePattern.arg(firstNumber + n),
                                 QString::fromUtf8(options[k].caption), first.translated(step * n));
        rb->setProperty("Tag", tag);
        if (picked)
            QObject::connect(rb, &QRadioButton::clicked, parent, [picked, tag] { picked(tag); });
        buttons[k] = rb;
    }
    if (!buttons.empty() && buttons[0] != nullptr) buttons[0]->setChecked(true);
}

std::size_t CheckedPlace(std::span<QRadioButton* const> row) {
    for (std::size_t i = 0; i < row.size(); ++i)
        if (row[i]->isChecked()) return i;
    return 0;
}

}  // namespace parlenko::ui::controls

#pragma once
// The validation balloon of a window: shown beside a field whose text the
// phone cannot take, gone when the text is mended, the field is left or the
// window closes (by any way: its title bar, Esc, accept or reject).

#include "components/widgets/tessary_hint.h"

#include <QObject>
#include <QString>

#include <memory>

namespace parlenko::ui {

class THintBalloon final : public QObject {
public:
    explicit THintBalloon(QWidget* window);
    ~THintBalloon() override;

    // Shows text with the balloon's tip at x, y on the screen (replacing a
    // text shown).
    void Show(const QString& text, int x, int y);
    void Free();
    // The balloon while one is shown.
    widgets::TTessaryHintWindow* Window() const { return balloon_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::unique_ptr<widgets::TTessaryHintWindow> balloon_;
};

}  // namespace parlenko::ui

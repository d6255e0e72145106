#include "ui/dialogs/code_edit.h"

#include "ui/controls/controls.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace parlenko::ui {
namespace {

class THashEchoStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '#';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

void ShowCodeAsHashes(QLineEdit* edit) {
    auto* style = new THashEchoStyle;
    style->setParent(edit);
    edit->setStyle(style);
    edit->setEchoMode(QLineEdit::Password);
}

QLineEdit* CodeEdit(QWidget* parent, const char* name, const QRect& r, int maxLength) {
    QLineEdit* edit = controls::Edit(parent, name, r);
    if (maxLength > 0) edit->setMaxLength(maxLength);
    ShowCodeAsHashes(edit);
    return edit;
}

}  // namespace parlenko::ui

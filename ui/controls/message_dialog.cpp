#include "ui/controls/message_dialog.h"

#include "ui/base/text_codec.h"
#include "ui/controls/small_window.h"
#include "ui/controls/window_owner.h"
#include "ui/controls/window_placement.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>

namespace parlenko::ui {
namespace {

constexpr int kMaxTextWidth = 520;
constexpr int kWider = 4;  // the box is a little wider than its layout asks

QStyle::StandardPixmap IconOf(DialogKind kind) {
    switch (kind) {
        case DialogKind::Error: return QStyle::SP_MessageBoxCritical;
        case DialogKind::Information: return QStyle::SP_MessageBoxInformation;
        case DialogKind::Confirmation: return QStyle::SP_MessageBoxQuestion;
    }
    return QStyle::SP_MessageBoxInformation;
}

QString Escaped(QString s) {
    s.replace(QChar('\r'), QStringLiteral("\\r"));
    s.replace(QChar('\n'), QStringLiteral("\\n"));
    return s;
}

}  // namespace

TMessageDialog::TMessageDialog(QWidget* parent, const QString& caption, const QString& text,
                               DialogKind kind, DialogButtons buttons)
    : QDialog(nullptr), anchor_(parent != nullptr ? parent->window() : nullptr) {
    // It belongs to (is transient for) the window that asks, set when it is
    // shown. A box of no window (a second start) stays on top of every
    // window, the running copy's included.
    setObjectName("MessageDialog");
    setWindowTitle(caption);
    setModal(true);
    Qt::WindowFlags flags =
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (anchor_ == nullptr) flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    ApplyWindowLook(this);

    auto* icon = new QLabel(this);
    icon->setObjectName("Image");
    const int iconSize = 32;
    icon->setPixmap(style()->standardIcon(IconOf(kind), nullptr, this).pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    auto* message = new QLabel(shown, this);
    message->setObjectName("Message");
    message->setTextFormat(Qt::PlainText);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (message->sizeHint().width() > kMaxTextWidth) {
        message->setWordWrap(true);
        message->setFixedWidth(kMaxTextWidth);
    }

    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(message, 1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    auto addButton = [&](const QString& buttonText, const char* name, int result) {
        auto* b = new QPushButton(buttonText, this);
        b->setObjectName(name);
        b->setMinimumWidth(75);
        connect(b, &QPushButton::clicked, this, [this, result] { Answer(result); });
        buttonRow->addWidget(b);
        return b;
    };
    if (buttons == DialogButtons::YesNo) {
        yesButton_ = addButton("&Yes", "Yes", DialogResult::Yes);
        escapeButton_ = addButton("&No", "No", DialogResult::No);
        yesButton_->setDefault(true);
        yesButton_->setFocus();
    } else {
        escapeButton_ = addButton("OK", "OK", DialogResult::Ok);
        escapeButton_->setDefault(true);
        escapeButton_->setFocus();
    }
    buttonRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(16);
    layout->addLayout(row);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TMessageDialog::Answer(int result) {
    result_ = result;
    done(result);
}

void TMessageDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!widened_) {
        widened_ = true;
        layout()->setSizeConstraint(QLayout::SetNoConstraint);
        setFixedSize(sizeHint().width() + kWider, sizeHint().height());
        // A window not shown yet (the main window while it is made) has no
        // place to centre on: the screen then.
        if (anchor_ != nullptr && anchor_->isVisible()) CenterOnWindow(this, anchor_);
        else CenterOnScreen(this);
    }
    if (anchor_ != nullptr) {
        SetOwner(this, anchor_);
    } else {
        // In front and with the keyboard, whatever window was active.
        raise();
        activateWindow();
    }
}

void TMessageDialog::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier;
    const bool question = yesButton_ != nullptr && plain;
    // No (the safe answer) is also Escape's button.
    const bool no = event->key() == Qt::Key_Escape || (question && event->key() == Qt::Key_N);
    QPushButton* pressed = nullptr;
    if (no) pressed = escapeButton_;
    else if (question && event->key() == Qt::Key_Y) pressed = yesButton_;
    if (pressed != nullptr) {
        pressed->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

int ShowMessageDialog(QWidget* parent, const QString& caption, const QString& text, DialogKind kind,
                      DialogButtons buttons) {
    if (const char* hook = std::getenv("PARLENKO_TEST_AUTOANSWER");
        hook != nullptr && *hook != '\0') {
        std::fprintf(stderr, "parlenko-message: %s | %s\n", qUtf8Printable(Escaped(caption)),
                     qUtf8Printable(Escaped(text)));
        std::fflush(stderr);
        const QString answer = QString::fromLocal8Bit(hook).toLower();
        if (answer == "close") return DialogResult::Closed;
        if (answer != "wait") {  // "wait": the box is shown and waits for its user
            if (buttons == DialogButtons::YesNo)
                return answer == "no" ? DialogResult::No : DialogResult::Yes;
            return DialogResult::Ok;
        }
    }
    if (parent == nullptr) parent = QApplication::activeWindow();
    TMessageDialog box(parent, caption, text, kind, buttons);
    box.exec();
    return box.Result();
}

int ShowMessageDialog(QWidget* parent, const std::string& caption, const std::string& text,
                      DialogKind kind, DialogButtons buttons) {
    return ShowMessageDialog(parent, FromAnsi(caption), FromAnsi(text), kind, buttons);
}

void ShowError(QWidget* parent, const QString& caption, const QString& text) {
    ShowMessageDialog(parent, caption, text, DialogKind::Error, DialogButtons::Ok);
}

void Inform(QWidget* parent, const QString& caption, const QString& text) {
    ShowMessageDialog(parent, caption, text, DialogKind::Information, DialogButtons::Ok);
}

int Ask(QWidget* parent, const QString& caption, const QString& text) {
    return ShowMessageDialog(parent, caption, text, DialogKind::Confirmation, DialogButtons::YesNo);
}

}  // namespace parlenko::ui

#pragma once
// Controls placed by hand on the pages and in the windows: each named, at its
// place, with its caption (UTF-8).

#include "components/widgets/elided_label.h"
#include "ui/base/text_codec.h"
#include "ui/controls/message_dialog.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace parlenko::ui::controls {

// The control numbered number (from 1) of a row of controls; nullptr outside
// the row.
template <typename Control, std::size_t N>
Control* Numbered(const std::array<Control*, N>& row, int number) {
    if (number < 1 || number > static_cast<int>(N)) return nullptr;
    return row[static_cast<std::size_t>(number - 1)];
}

inline QGroupBox* Group(QWidget* parent, const char* name, const char* caption, const QRect& r) {
    auto* g = new QGroupBox(U(caption), parent);
    if (name != nullptr) g->setObjectName(name);
    g->setGeometry(r);
    return g;
}

// A frame no code looks up.
inline QGroupBox* Group(QWidget* parent, const char* caption, const QRect& r) {
    return Group(parent, nullptr, caption, r);
}

inline QLabel* Label(QWidget* parent, const char* name, const char* caption, const QRect& r) {
    auto* l = new QLabel(U(caption), parent);
    if (name != nullptr) l->setObjectName(name);
    l->setGeometry(r);
    return l;
}

inline QPushButton* Button(QWidget* parent, const char* name, const char* caption, const QRect& r) {
    auto* b = new QPushButton(U(caption), parent);
    b->setObjectName(name);
    b->setGeometry(r);
    return b;
}

inline QRadioButton* Radio(QWidget* parent, const QString& name, const char* caption,
                           const QRect& r) {
    auto* b = new QRadioButton(U(caption), parent);
    b->setObjectName(name);
    b->setGeometry(r);
    return b;
}

// A value shown beside its caption: bold, dark blue.
inline QLabel* Value(QWidget* parent, const char* name, const QRect& r) {
    auto* l = new widgets::TElidedLabel(parent);
    l->setObjectName(name);
    l->setGeometry(r);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: #1D3A66;"));
    return l;
}

// Fills a box with the phone's items (each with the icon), selecting index,
// without telling the box's handler.
inline void Fill(QComboBox* box, const std::vector<std::string>& items, int index,
                 const QIcon& icon) {
    QSignalBlocker block(box);
    box->clear();
    for (const std::string& item : items) box->addItem(icon, FromAnsi(item));
    box->setCurrentIndex(index);
}

// True when path names an existing file with the suffix (lower case, any case
// on disk).
inline bool IsFileWithSuffix(const QString& path, QLatin1String suffix) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.suffix().toLower() == suffix;
}

// A Yes/No question; the answer as a DialogResult.
inline int Ask(QWidget* parent, const char* caption, const char* text) {
    return ShowMessageDialog(parent, U(caption), U(text), DialogKind::Confirmation,
                             DialogButtons::YesNo);
}

inline void ShowError(QWidget* parent, const QString& text) {
    ShowMessageDialog(parent, QStringLiteral("Error"), text, DialogKind::Error, DialogButtons::Ok);
}

// Whether page is the page shown in each stack of pages it lies in (a page
// outside any stack counts as shown). The main menu's items of a page are
// the page's only while it is shown; leaving it switches them off.
inline bool IsPageShown(const QWidget* page) {
    for (const QWidget* w = page; w != nullptr; w = w->parentWidget())
        if (const auto* stack = qobject_cast<const QStackedWidget*>(w->parentWidget()))
            if (stack->currentWidget() != w) return false;
    return true;
}

}  // namespace parlenko::ui::controls

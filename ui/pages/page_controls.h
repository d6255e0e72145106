#pragma once
// Controls placed by hand on the advanced sub-pages and their dialogs: each
// named, at its place, with its caption (UTF-8).

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace parlenko::ui::controls {

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

inline QGroupBox* Group(QWidget* parent, const char* name, const char* caption, const QRect& r) {
    auto* g = new QGroupBox(U(caption), parent);
    g->setObjectName(name);
    g->setGeometry(r);
    return g;
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

}  // namespace parlenko::ui::controls

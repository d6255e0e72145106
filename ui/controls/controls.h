#pragma once
// The controls the windows place by hand: the pages, the small windows and
// dialogs and the exchange windows build themselves from these. Each control
// is named (nullptr: no code looks it up), at its place, with its caption; a
// string literal given as a text is UTF-8.

#include "ui/controls/message_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QSpinBox>
#include <QString>
#include <QStringList>
#include <QToolBar>
#include <QTreeWidget>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QFont;
class QImage;
class QMenu;
class QTimer;

namespace parlenko::ui::controls {

// The control numbered number (from 1) of a row of controls; nullptr outside
// the row.
template <typename Control, std::size_t N>
Control* Numbered(const std::array<Control*, N>& row, int number) {
    if (number < 1 || number > static_cast<int>(N)) return nullptr;
    return row[static_cast<std::size_t>(number - 1)];
}

// A control named, at its place (any kind of control: the others below
// are made through this).
template <typename Control>
Control* Placed(Control* control, const char* name, const QRect& r) {
    if (name != nullptr) control->setObjectName(name);
    control->setGeometry(r);
    return control;
}

// --- labels

QLabel* Label(QWidget* parent, const char* name, const QString& text, const QRect& r);
// A caption no code looks up.
QLabel* Caption(QWidget* parent, const QString& text, const QRect& r);
// A caption at a point, as wide and high as its text in font (the parent's
// when null).
QLabel* FittedCaption(QWidget* parent, const QString& text, const QPoint& at,
                      const QFont* font = nullptr);
// A label that shows as much of its text as fits, with "..." (elided).
QLabel* ElidedLabel(QWidget* parent, const char* name, const QString& text, const QRect& r);
// A value beside its caption, in bold: the whole text, or as much as fits
// with "..." (elided).
QLabel* Value(QWidget* parent, const char* name, const QRect& r);
QLabel* ElidedValue(QWidget* parent, const char* name, const QRect& r);
// A value of a page: elided, bold and dark blue.
QLabel* PageValue(QWidget* parent, const char* name, const QRect& r);
// Where a row's caption and its value stand: x and width of each, and the
// row's height.
struct RowColumns {
    int captionX;
    int captionWidth;
    int valueX;
    int valueWidth;
    int height = 19;
};
// A caption and its value (Value) on the row at y; the value.
QLabel* ValueRow(QWidget* parent, const RowColumns& columns, int y, const QString& caption,
                 const char* name);
// A picture, named, at its place.
QLabel* Picture(QWidget* parent, const char* name, const QRect& r, const QImage& picture);
// Rows of a caption and its value from y down, step apart: each row's value
// goes where its row says.
struct ValueRowOf {
    QLabel** value;
    const char* caption;
    const char* name;
};
void ValueRows(QWidget* parent, const RowColumns& columns, int y, int step,
               std::initializer_list<ValueRowOf> rows);
// One of the small pictures (16 x 16) at a point.
QLabel* SmallPicture(QWidget* parent, int image, const QPoint& at);
// The widget's own font in bold.
void SetBold(QWidget* widget);

// --- frames, buttons, edits

QGroupBox* Group(QWidget* parent, const char* name, const QString& caption, const QRect& r);
// A frame no code looks up.
QGroupBox* Group(QWidget* parent, const QString& caption, const QRect& r);
QPushButton* Button(QWidget* parent, const char* name, const QString& caption, const QRect& r);
QRadioButton* Radio(QWidget* parent, const QString& name, const QString& caption, const QRect& r);
QCheckBox* Check(QWidget* parent, const char* name, const QString& caption, const QRect& r);
QLineEdit* Edit(QWidget* parent, const char* name, const QRect& r);
QComboBox* Combo(QWidget* parent, const char* name, const QRect& r);
// A number from min to max, at min.
QSpinBox* SpinBox(QWidget* parent, const char* name, const QRect& r, int min, int max);

// The two buttons under a small window (330 wide) at y: the first, off
// until what it acts on is there, is the default; the second rejects the
// window.
std::pair<QPushButton*, QPushButton*> ActionAndCancel(QDialog* window, const char* name,
                                                      const QString& caption,
                                                      const char* cancelName,
                                                      const QString& cancelCaption, int y);

// --- pictures, lists, tool bars

QIcon SmallIcon(int image);
// A list of rows under column captions, read-only, chosen by whole rows,
// without the tree's root decoration, every row one line high.
QTreeWidget* ReportList(QWidget* parent, const char* name, const QStringList& columns);
// An item of a menu, named, with its small picture (none: image < 0).
QAction* MenuItem(QMenu* menu, const char* name, const QString& caption, int image = -1);
// A tool bar button: its small picture and its hint.
QAction* Tool(QToolBar* bar, const char* name, int image, const QString& hint);

// A timer of the window's, named, with its interval (stopped).
QTimer* Timer(QObject* owner, const char* name, int ms);

// Fills a box with the phone's items (each with the icon), selecting index,
// without telling the box's handler.
void Fill(QComboBox* box, const std::vector<std::string>& items, int index, const QIcon& icon);

// True when path names an existing file with the suffix (lower case, any case
// on disk).
bool IsFileWithSuffix(const QString& path, QLatin1String suffix);

// Whether page is the page shown in each stack of pages it lies in (a page
// outside any stack counts as shown). The main menu's items of a page are
// the page's only while it is shown; leaving it switches them off.
bool IsPageShown(const QWidget* page);

}  // namespace parlenko::ui::controls

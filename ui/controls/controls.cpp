#include "ui/controls/controls.h"

#include "components/widgets/elided_label.h"
#include "ui/artwork/small_images.h"
#include "ui/base/text_codec.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace parlenko::ui::controls {
QLabel* Label(QWidget* parent, const char* name, const QString& text, const QRect& r) {
    return Placed(new QLabel(text, parent), name, r);
}

QLabel* Caption(QWidget* parent, const QString& text, const QRect& r) {
    return Label(parent, nullptr, text, r);
}

QLabel* FittedCaption(QWidget* parent, const QString& text, const QPoint& at, const QFont* font) {
    auto* l = new QLabel(text, parent);
    if (font != nullptr) l->setFont(*font);
    l->move(at);
    l->adjustSize();
    return l;
}

void SetBold(QWidget* widget) {
    QFont f = widget->font();
    f.setBold(true);
    widget->setFont(f);
}

QLabel* Value(QWidget* parent, const char* name, const QRect& r) {
    QLabel* l = Placed(new QLabel(parent), name, r);
    SetBold(l);
    return l;
}

QLabel* ElidedLabel(QWidget* parent, const char* name, const QString& text, const QRect& r) {
    return Placed(new widgets::TElidedLabel(text, parent), name, r);
}

QLabel* ElidedValue(QWidget* parent, const char* name, const QRect& r) {
    QLabel* l = ElidedLabel(parent, name, {}, r);
    SetBold(l);
    return l;
}

QLabel* PageValue(QWidget* parent, const char* name, const QRect& r) {
    QLabel* l = ElidedValue(parent, name, r);
    l->setStyleSheet(QStringLiteral("color: #1D3A66;"));
    return l;
}

QLabel* ValueRow(QWidget* parent, const RowColumns& columns, int y, const QString& caption,
                 const char* name) {
    Caption(parent, caption, QRect(columns.captionX, y, columns.captionWidth, columns.height));
    return Value(parent, name, QRect(columns.valueX, y, columns.valueWidth, columns.height));
}

void ValueRows(QWidget* parent, const RowColumns& columns, int y, int step,
               std::initializer_list<ValueRowOf> rows) {
    for (const ValueRowOf& row : rows) {
        *row.value = ValueRow(parent, columns, y, row.caption, row.name);
        y += step;
    }
}

QLabel* Picture(QWidget* parent, const char* name, const QRect& r, const QImage& picture) {
    QLabel* l = Placed(new QLabel(parent), name, r);
    l->setPixmap(QPixmap::fromImage(picture));
    return l;
}

QLabel* SmallPicture(QWidget* parent, int image, const QPoint& at) {
    auto* l = new QLabel(parent);
    l->setPixmap(QPixmap::fromImage(artwork::SmallImage(image)));
    l->setGeometry(at.x(), at.y(), artwork::kSmallImageSize, artwork::kSmallImageSize);
    return l;
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& caption, const QRect& r) {
    return Placed(new QGroupBox(caption, parent), name, r);
}

QGroupBox* Group(QWidget* parent, const QString& caption, const QRect& r) {
    return Group(parent, nullptr, caption, r);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, const QRect& r) {
    return Placed(new QPushButton(caption, parent), name, r);
}

QRadioButton* Radio(QWidget* parent, const QString& name, const QString& caption, const QRect& r) {
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(r);
    return b;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& caption, const QRect& r) {
    return Placed(new QCheckBox(caption, parent), name, r);
}

QLineEdit* Edit(QWidget* parent, const char* name, const QRect& r) {
    return Placed(new QLineEdit(parent), name, r);
}

QComboBox* Combo(QWidget* parent, const char* name, const QRect& r) {
    return Placed(new QComboBox(parent), name, r);
}

QSpinBox* SpinBox(QWidget* parent, const char* name, const QRect& r, int min, int max) {
    QSpinBox* box = Placed(new QSpinBox(parent), name, r);
    box->setRange(min, max);
    return box;
}

std::pair<QPushButton*, QPushButton*> ActionAndCancel(QDialog* window, const char* name,
                                                      const QString& caption,
                                                      const char* cancelName,
                                                      const QString& cancelCaption, int y) {
    QPushButton* action = Button(window, name, caption, QRect(86, y, 75, 26));
    action->setEnabled(false);
    action->setDefault(true);
    QPushButton* cancel = Button(window, cancelName, cancelCaption, QRect(169, y, 75, 26));
    QObject::connect(cancel, &QPushButton::clicked, window, &QDialog::reject);
    return {action, cancel};
}

QIcon SmallIcon(int image) { return QIcon(QPixmap::fromImage(artwork::SmallImage(image))); }

QTreeWidget* ReportList(QWidget* parent, const char* name, const QStringList& columns) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One line a row: the list need not measure each row (a sort of
    // thousands of rows stays quick).
    list->setUniformRowHeights(true);
    list->setHeaderLabels(columns);
    return list;
}

QAction* MenuItem(QMenu* menu, const char* name, const QString& caption, int image) {
    QAction* a = image >= 0 ? menu->addAction(SmallIcon(image), caption) : menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

QAction* Tool(QToolBar* bar, const char* name, int image, const QString& hint) {
    QAction* a = bar->addAction(SmallIcon(image), {});
    a->setObjectName(name);
    a->setToolTip(hint);
    return a;
}

QTimer* Timer(QObject* owner, const char* name, int ms) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->setInterval(ms);
    return timer;
}

void Fill(QComboBox* box, const std::vector<std::string>& items, int index, const QIcon& icon) {
    QSignalBlocker block(box);
    box->clear();
    for (const std::string& item : items) box->addItem(icon, FromAnsi(item));
    box->setCurrentIndex(index);
}

bool IsFileWithSuffix(const QString& path, QLatin1String suffix) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.suffix().toLower() == suffix;
}

bool IsPageShown(const QWidget* page) {
    for (const QWidget* w = page; w != nullptr; w = w->parentWidget())
        if (const auto* stack = qobject_cast<const QStackedWidget*>(w->parentWidget()))
            if (stack->currentWidget() != w) return false;
    return true;
}

}  // namespace parlenko::ui::controls

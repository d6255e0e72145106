// The shared sort of the report lists.

#include "ui/controls/list_sort.h"

#include "ui/base/name_order.h"

#include "tests/ui/ui_test_support.h"

#include <QApplication>
#include <QLocale>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace parlenko::ui {
namespace {

QStringList Column(QTreeWidget& list, int column) {
    QStringList out;
    for (int i = 0; i < list.topLevelItemCount(); ++i) out << list.topLevelItem(i)->text(column);
    return out;
}

TEST(ListSort, ColumnClicksToggleOnlyOnTheSameColumnAndKeepTheSelection) {
    testing::App();
    QTreeWidget list;
    list.setColumnCount(2);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    for (auto [name, pos] : {std::pair{"bravo", "002"}, {"Alfa", "003"}, {"charlie", "001"}})
        list.addTopLevelItem(new QTreeWidgetItem(QStringList{name, pos}));
    list.setCurrentItem(list.topLevelItem(0));  // "bravo"

    TListSort sort;
    SortListRows(&list, sort);
    EXPECT_EQ(Column(list, 0), (QStringList{"Alfa", "bravo", "charlie"}));  // case ignored
    ASSERT_TRUE(ListColumnClick(&list, 0, sort));                           // same column: reversed
    EXPECT_TRUE(sort.SortDescending);
    EXPECT_EQ(Column(list, 0), (QStringList{"charlie", "bravo", "Alfa"}));
    ASSERT_TRUE(ListColumnClick(&list, 1, sort));  // another column: direction kept
    EXPECT_TRUE(sort.SortDescending);
    EXPECT_EQ(Column(list, 1), (QStringList{"003", "002", "001"}));
    EXPECT_EQ(list.currentItem()->text(0), "bravo");
    EXPECT_TRUE(list.currentItem()->isSelected());

    QTreeWidget one;
    one.addTopLevelItem(new QTreeWidgetItem(QStringList{"x"}));
    EXPECT_FALSE(ListColumnClick(&one, 0, sort));
    EXPECT_TRUE(sort.SortDescending);
    EXPECT_EQ(sort.SortColumn, 1);
}

TEST(ListSort, NamesSortAsTheUsersLanguage) {
    testing::App();
    const QStringList names = QString::fromUtf8("Zoran,đuro,Čedo,cvijeta,Dario,Ćiro").split(',');
    const auto sorted = [&] {
        std::vector<QString> v(names.begin(), names.end());
        SortNames(v);
        return QStringList(v.begin(), v.end());
    };
    // No language (the C locale): Croatian, the program's own.
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(sorted(), QString::fromUtf8("cvijeta,Čedo,Ćiro,Dario,đuro,Zoran").split(','));
    // German: "Č" is a "C" with a mark.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(sorted(), QString::fromUtf8("Čedo,Ćiro,cvijeta,Dario,đuro,Zoran").split(','));
    QLocale::setDefault(QLocale::system());
}

}  // namespace
}  // namespace parlenko::ui

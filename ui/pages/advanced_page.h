#pragma once
// The advanced page "Ostalo": a tab bar of picture buttons over the
// sub-pages of Notebook2, one tab a sub-page in the order they are added
// (the main window adds them from its table: diverts, barrings, locks,
// melodies, logo, phone settings). The main window handles the tabs' clicks
// (TabClicked).

#include <QWidget>

#include <vector>

class QStackedWidget;

namespace parlenko::widgets {
class TBrisolaButton;
}  // namespace parlenko::widgets

namespace parlenko::ui {

class TAdvancedPage : public QWidget {
    Q_OBJECT
public:
    explicit TAdvancedPage(QWidget* parent = nullptr);

    // page becomes the next sub-page, under a tab of its caption (also the
    // page's name for assistive tools).
    void AddSubPage(const QString& caption, QWidget* page);
    int SubPageCount() const;
    // Shows sub-page index (from 0, as added) and selects its tab.
    void ShowSubPage(int index);

signals:
    // A tab was clicked: its Tag, 10 for the first, 20 for the second ...
    void TabClicked(int tag);

private:
    // Every tab its inactive picture, the current sub-page's tab the
    // selected one.
    void ShowCurrentTab();

    QWidget* TabBar = nullptr;
    std::vector<widgets::TBrisolaButton*> TabBarBtn;  // Tag 10, 20 ...
    QStackedWidget* Notebook2 = nullptr;
    int tabsRight_;  // where the next tab starts
};

}  // namespace parlenko::ui

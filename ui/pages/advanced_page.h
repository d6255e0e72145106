#pragma once
// The advanced page "Ostalo": a tab bar of six picture buttons over the
// sub-pages of Notebook2 (diverts, barrings, locks, melodies, logo, phone
// settings). The main window handles the tabs' clicks (TabClicked); the
// sub-pages are filled by their own pages.

#include <QWidget>

#include <array>

class QStackedWidget;

namespace parlenko::widgets {
class TBrisolaButton;
}  // namespace parlenko::widgets

namespace parlenko::ui {

class TAdvancedPage : public QWidget {
    Q_OBJECT
public:
    explicit TAdvancedPage(QWidget* parent = nullptr);

    // The sub-pages: index 0..5 as the tabs.
    int SubPageCount() const;
    // Shows sub-page index and selects its tab.
    void ShowSubPage(int index);
    // page fills the place of sub-page index.
    void FillSubPage(int index, QWidget* page);
    // page takes the place of sub-page index (it names itself).
    void ReplaceSubPage(int index, QWidget* page);

signals:
    // A tab was clicked: its Tag 10, 20 .. 60.
    void TabClicked(int tag);

private:
    // Every tab its inactive picture, the current sub-page's tab the
    // selected one.
    void ShowCurrentTab();

    std::array<widgets::TBrisolaButton*, 6> TabBarBtn{};  // Tag 10, 20 .. 60
    QStackedWidget* Notebook2 = nullptr;
};

}  // namespace parlenko::ui

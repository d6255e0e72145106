#pragma once
// The advanced page "Ostalo": a tab bar of six picture buttons over the
// sub-pages of Notebook2 (diverts, barrings, locks, melodies, logo, phone
// settings). The main window handles the tabs' clicks; the sub-pages are
// filled by their own pages.

#include <QWidget>

#include <array>

class QStackedWidget;

namespace parlenko::widgets {
class TBrisolaButton;
}  // namespace parlenko::widgets

namespace parlenko::ui {

class TAdvancedPage : public QWidget {
public:
    explicit TAdvancedPage(QWidget* parent = nullptr);

    // Every tab its inactive picture, the current sub-page's tab the
    // selected one.
    void ShowCurrentTab();

    std::array<widgets::TBrisolaButton*, 6> TabBarBtn{};  // Tag 10, 20 .. 60
    QStackedWidget* Notebook2 = nullptr;
};

}  // namespace parlenko::ui

#include "ui/pages/advanced_page.h"

#include "components/widgets/brisola_button.h"
#include "ui/artwork/artwork.h"
#include "ui/controls/controls.h"

#include <QLabel>
#include <QStackedWidget>

namespace parlenko::ui {
namespace {

constexpr int kPageWidth = 520;
constexpr int kPageHeight = 411;
constexpr int kTabLeft = 2;

}  // namespace

TAdvancedPage::TAdvancedPage(QWidget* parent) : QWidget(parent), tabsRight_(kTabLeft) {
    setObjectName("OstaloPage");
    TabBar = controls::Picture(this, "TabBar", QRect(0, 0, kPageWidth, artwork::kTabBarHeight),
                               artwork::TabBarBackground(kPageWidth));
    Notebook2 = new QStackedWidget(this);
    Notebook2->setObjectName("Notebook2");
    Notebook2->setGeometry(0, artwork::kTabBarHeight, kPageWidth,
                           kPageHeight - artwork::kTabBarHeight);
}

void TAdvancedPage::AddSubPage(const QString& caption, QWidget* page) {
    auto* b = new widgets::TBrisolaButton(TabBar);
    b->setObjectName(QStringLiteral("TabBarBtn%1").arg(TabBarBtn.size() + 1));
    b->Tag = 10 * static_cast<int>(TabBarBtn.size() + 1);
    const int width = artwork::TabWidth(caption);
    b->setGeometry(tabsRight_, 0, width, artwork::kTabBarHeight);
    tabsRight_ += width + 1;
    b->SetDownImage(artwork::TabBarButton(caption, artwork::ButtonLook::Down));
    b->SetMouseOverImage(artwork::TabBarButton(caption, artwork::ButtonLook::MouseOver));
    b->SetDisabledImage(artwork::TabBarButton(caption, artwork::ButtonLook::Disabled));
    b->SetUpImage(artwork::TabBarButton(caption, artwork::ButtonLook::Up));
    b->OnClick = [this](widgets::TBrisolaButton* sender) { emit TabClicked(sender->Tag); };
    TabBarBtn.push_back(b);
    page->setAccessibleName(caption);
    Notebook2->addWidget(page);
    ShowCurrentTab();
}

int TAdvancedPage::SubPageCount() const { return Notebook2->count(); }

void TAdvancedPage::ShowSubPage(int index) {
    Notebook2->setCurrentIndex(index);
    ShowCurrentTab();
}

void TAdvancedPage::ShowCurrentTab() {
    for (widgets::TBrisolaButton* b : TabBarBtn) b->SetUpImage(b->DisabledImage());
    const int current = Notebook2->currentIndex();
    if (current >= 0 && current < static_cast<int>(TabBarBtn.size())) {
        widgets::TBrisolaButton* b = TabBarBtn[static_cast<std::size_t>(current)];
        b->SetUpImage(b->DownImage());
    }
}

}  // namespace parlenko::ui

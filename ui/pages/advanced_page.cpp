#include "ui/pages/advanced_page.h"

#include "components/widgets/brisola_button.h"
#include "ui/artwork/artwork.h"

#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace parlenko::ui {
namespace {

constexpr int kPageWidth = 520;
constexpr int kTabLeft = 2;

struct SubPage {
    const char* caption;
    const char* name;
};
constexpr std::array<SubPage, 6> kSubPages = {{
    {"Preusmjeravanja", "PreusmjeravanjaPage"},
    {"Zabrana poziva", "ZabranaPozivaPage"},
    {"Zakljucavanja", "ZakljucavanjaPage"},
    {"Melodije", "MelodijePage"},
    {"Logotip", "LogotipPage"},
    {"Ostalo", "PostavkePage"},
}};

}  // namespace

TAdvancedPage::TAdvancedPage(QWidget* parent) : QWidget(parent) {
    setObjectName("OstaloPage");
    setAccessibleName("Ostalo");
    auto* bar = new QLabel(this);
    bar->setObjectName("TabBar");
    bar->setGeometry(0, 0, kPageWidth, artwork::kTabBarHeight);
    bar->setPixmap(QPixmap::fromImage(artwork::TabBarBackground(kPageWidth)));
    int left = kTabLeft;
    for (std::size_t i = 0; i < kSubPages.size(); ++i) {
        auto* b = new widgets::TBrisolaButton(bar);
        b->setObjectName(QStringLiteral("TabBarBtn%1").arg(i + 1));
        b->Tag = 10 * static_cast<int>(i + 1);
        const QString caption = QString::fromUtf8(kSubPages[i].caption);
        const int width = artwork::TabWidth(caption);
        b->setGeometry(left, 0, width, artwork::kTabBarHeight);
        left += width + 1;
        b->SetDownImage(artwork::TabBarButton(caption, artwork::ButtonLook::Down));
        b->SetMouseOverImage(artwork::TabBarButton(caption, artwork::ButtonLook::MouseOver));
        b->SetDisabledImage(artwork::TabBarButton(caption, artwork::ButtonLook::Disabled));
        b->SetUpImage(artwork::TabBarButton(caption, artwork::ButtonLook::Up));
        b->OnClick = [this](widgets::TBrisolaButton* sender) { emit TabClicked(sender->Tag); };
        TabBarBtn[i] = b;
    }
    Notebook2 = new QStackedWidget(this);
    Notebook2->setObjectName("Notebook2");
    Notebook2->setGeometry(0, artwork::kTabBarHeight, kPageWidth, 411 - artwork::kTabBarHeight);
    for (const SubPage& s : kSubPages) {
        // Each sub-page's controls are placed by its own page.
        auto* page = new QWidget;
        page->setObjectName(s.name);
        page->setAccessibleName(QString::fromUtf8(s.caption));
        Notebook2->addWidget(page);
    }
    ShowCurrentTab();
}

int TAdvancedPage::SubPageCount() const { return Notebook2->count(); }

void TAdvancedPage::ShowSubPage(int index) {
    Notebook2->setCurrentIndex(index);
    ShowCurrentTab();
}

void TAdvancedPage::FillSubPage(int index, QWidget* page) {
    auto* layout = new QVBoxLayout(Notebook2->widget(index));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
}

void TAdvancedPage::ReplaceSubPage(int index, QWidget* page) {
    QWidget* placeholder = Notebook2->widget(index);
    Notebook2->insertWidget(index, page);
    Notebook2->removeWidget(placeholder);
    delete placeholder;
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

// The link label of the about box: the link each type builds, the colours
// while the mouse passes, and a click that opens the link.

#include "components/widgets/url_label.h"
#include "tests/ui/ui_test_support.h"
#include "ui/dialogs/info_form.h"

#include <QEnterEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace parlenko::widgets {
namespace {

// Records what the label would open or say instead of doing it.
class RecordingUrlLabel : public TUrlLabel {
public:
    using TUrlLabel::TUrlLabel;
    QStringList opened;
    QStringList messages;
    void Enter() {
        QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        enterEvent(&e);
    }
    void Leave() {
        QEvent e(QEvent::Leave);
        leaveEvent(&e);
    }
    void Release(Qt::MouseButton button) {
        QMouseEvent e(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), button,
                      Qt::NoButton, Qt::NoModifier);
        mouseReleaseEvent(&e);
    }

protected:
    void OpenLink(const QString& link) override { opened << link; }
    void ShowMessage(const QString& text) override { messages << text; }
};

QColor TextColor(const QLabel& l) { return l.palette().color(QPalette::WindowText); }

class UrlLabelTest : public ::testing::Test {
protected:
    void SetUp() override { ui::testing::App(); }
};

TEST_F(UrlLabelTest, LinksByType) {
    RecordingUrlLabel l("parlenko@example.org");
    EXPECT_EQ(l.Link(), "http://parlenko@example.org");
    l.UrlType = TUrlType::Mail;
    EXPECT_EQ(l.Link(), "mailto:parlenko@example.org?Subject=&body=") << "both keys, empty";
    l.SetMailSubject("Hi there");
    l.SetMailMessage("a&b");
    EXPECT_EQ(l.Link(), "mailto:parlenko@example.org?Subject=Hi there&body=a&b")
        << "nothing escaped";
    l.UrlType = TUrlType::Ftp;
    EXPECT_EQ(l.Link(), "ftp://parlenko@example.org");
    l.UrlType = TUrlType::Custom;
    l.CustomUrlType = "news:";
    EXPECT_EQ(l.Link(), "news:parlenko@example.org");
    EXPECT_TRUE(l.messages.isEmpty());
}

TEST_F(UrlLabelTest, MailTextsOnlyOnAMailLabel) {
    RecordingUrlLabel l("www.example.org");
    l.SetMailSubject("subject");
    l.SetMailMessage("body");
    EXPECT_TRUE(l.MailSubject().isEmpty());
    EXPECT_TRUE(l.MailMessage().isEmpty());
    EXPECT_EQ(l.messages, QStringList({"Must be only on MAIL type", "Must be only on MAIL type"}));
}

TEST_F(UrlLabelTest, RedWhileTheMouseIsOverItThenBlueAgain) {
    RecordingUrlLabel l("www.example.org");
    EXPECT_EQ(TextColor(l), QColor(0, 0, 255));
    EXPECT_TRUE(l.font().underline());
    EXPECT_EQ(l.cursor().shape(), Qt::PointingHandCursor);
    int entered = 0;
    int left = 0;
    l.OnMouseEnter = [&](TUrlLabel* sender) {
        EXPECT_EQ(sender, &l);
        EXPECT_EQ(TextColor(l), QColor(255, 0, 0)) << "called after the colour change";
        ++entered;
    };
    l.OnMouseLeave = [&](TUrlLabel*) { ++left; };
    // A colour set by hand is not restored: leaving makes it blue.
    QPalette p = l.palette();
    p.setColor(QPalette::WindowText, Qt::darkGreen);
    l.setPalette(p);
    l.Enter();
    EXPECT_EQ(TextColor(l), QColor(255, 0, 0));
    l.Leave();
    EXPECT_EQ(TextColor(l), QColor(0, 0, 255));
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);

    l.OnMouseEnter = nullptr;
    l.DetectMouse = false;
    l.setPalette(p);
    l.Enter();
    l.Leave();
    EXPECT_EQ(TextColor(l), QColor(Qt::darkGreen)) << "the colour never changes";
    l.Release(Qt::LeftButton);
    EXPECT_EQ(l.opened, QStringList({"http://www.example.org"})) << "the click still works";
}

TEST_F(UrlLabelTest, LeftClickOpensTheLink) {
    RecordingUrlLabel l("www.example.org");
    l.resize(100, 16);
    l.Release(Qt::RightButton);
    EXPECT_TRUE(l.opened.isEmpty());
    l.Release(Qt::LeftButton);
    EXPECT_EQ(l.opened, QStringList({"http://www.example.org"}));
}

TEST_F(UrlLabelTest, AboutBoxLinks) {
    ui::TInfoForm info;
    const TUrlLabel& email = ui::testing::Find<TUrlLabel>(info, "EmailLab");
    const TUrlLabel& web = ui::testing::Find<TUrlLabel>(info, "WebLab");
    EXPECT_EQ(email.Link(), "mailto:" + email.text() + "?Subject=&body=");
    EXPECT_EQ(web.Link(), "http://" + web.text());
    EXPECT_EQ(email.cursor().shape(), Qt::PointingHandCursor);
}

}  // namespace
}  // namespace parlenko::widgets

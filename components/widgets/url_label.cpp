#include "components/widgets/url_label.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QUrl>

namespace parlenko::widgets {

TUrlLabel::TUrlLabel(QWidget* parent) : TUrlLabel(QString(), parent) {}

TUrlLabel::TUrlLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setTextFormat(Qt::PlainText);
    SetFontColor(LinkColor());
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
}

void TUrlLabel::SetFontColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void TUrlLabel::SetMailSubject(const QString& subject) {
    if (UrlType == TUrlType::Mail) mailSubject_ = subject;
    else ShowMessage(QStringLiteral("Must be only on MAIL type"));
}

void TUrlLabel::SetMailMessage(const QString& message) {
    if (UrlType == TUrlType::Mail) mailMessage_ = message;
    else ShowMessage(QStringLiteral("Must be only on MAIL type"));
}

QString TUrlLabel::Link() const {
    switch (UrlType) {
        case TUrlType::Http: return "http://" + text();
        case TUrlType::Mail:
            return "mailto:" + text() + "?Subject=" + mailSubject_ + "&body=" + mailMessage_;
        case TUrlType::Ftp: return "ftp://" + text();
        case TUrlType::Custom: return CustomUrlType + text();
    }
    return text();
}

void TUrlLabel::Click() { OpenLink(Link()); }

void TUrlLabel::OpenLink(const QString& link) {
    QDesktopServices::openUrl(QUrl(link, QUrl::TolerantMode));
}

void TUrlLabel::ShowMessage(const QString& text) {
    QMessageBox::information(window(), QApplication::applicationDisplayName(), text);
}

void TUrlLabel::enterEvent(QEnterEvent* event) {
    if (DetectMouse) SetFontColor(ActiveColor);
    QLabel::enterEvent(event);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TUrlLabel::leaveEvent(QEvent* event) {
    if (DetectMouse) SetFontColor(LinkColor());
    QLabel::leaveEvent(event);
    if (OnMouseLeave) OnMouseLeave(this);
}

void TUrlLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Click();
}

}  // namespace parlenko::widgets

#pragma once
// A text label that acts as a link: blue and underlined with a hand cursor,
// red while the mouse is over it, and a click opens the link built from its
// caption ("http://" + caption, "mailto:" + caption + "?Subject=...&body=...",
// "ftp://" + caption, or a prefix of one's own) with the desktop's handler.

#include <QColor>
#include <QLabel>
#include <QString>

#include <functional>

namespace parlenko::widgets {

enum class TUrlType { Http, Mail, Ftp, Custom };

class TUrlLabel : public QLabel {
public:
    explicit TUrlLabel(QWidget* parent = nullptr);
    TUrlLabel(const QString& caption, QWidget* parent = nullptr);

    // Called after the colour change when the mouse enters or leaves.
    std::function<void(TUrlLabel*)> OnMouseEnter;
    std::function<void(TUrlLabel*)> OnMouseLeave;

    // Colour the label while the mouse is over it (ActiveColor), blue again
    // when it leaves.
    bool DetectMouse = true;
    TUrlType UrlType = TUrlType::Http;
    QString CustomUrlType;  // the prefix of a Custom link
    QColor ActiveColor{0xFF, 0x00, 0x00};

    // Subject and body of a Mail link; on a label of another type the text is
    // not kept and a message says "Must be only on MAIL type".
    const QString& MailSubject() const { return mailSubject_; }
    void SetMailSubject(const QString& subject);
    const QString& MailMessage() const { return mailMessage_; }
    void SetMailMessage(const QString& message);

    // The link a click opens (the caption as it stands, nothing escaped).
    QString Link() const;
    // Opens the link.
    void Click();

    static QColor LinkColor() { return QColor(0x00, 0x00, 0xFF); }

protected:
    // Hands the link to the desktop; the outcome is not checked.
    virtual void OpenLink(const QString& link);
    // The plain message box of a wrongly placed mail text.
    virtual void ShowMessage(const QString& text);

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetFontColor(const QColor& color);
    QString mailSubject_;
    QString mailMessage_;
};

}  // namespace parlenko::widgets

#include "platform/ui/text_box.h"

namespace ui {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) { setFrame(false); }

void TextBox::setPasswordChar(const QString& c)
{
    passwordChar_ = c.left(1);
    if (passwordChar_.isEmpty()) {
        setStyleSheet(QString());
        setEchoMode(QLineEdit::Normal);
        return;
    }
    setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: %1; }").arg(passwordChar_.at(0).unicode()));
    setEchoMode(QLineEdit::Password);
}

void TextBox::setBackColor(const QColor& c)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, c);
    setPalette(p);
}

void TextBox::setForeColor(const QColor& c)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, c);
    setPalette(p);
}

}  // namespace ui

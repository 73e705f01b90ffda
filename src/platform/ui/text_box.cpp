#include "platform/ui/text_box.h"

#include <QEvent>

namespace ui {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) { setFrame(false); }

void TextBox::setPasswordChar(const QString& c)
{
    passwordChar_ = c.left(1);
    setEchoMode(passwordChar_.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    applySheet();
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

void TextBox::changeEvent(QEvent* e)
{
    QLineEdit::changeEvent(e);
    if (e->type() == QEvent::PaletteChange && !applyingSheet_) applySheet();
}

// The password character can only be given through a style sheet, and a style sheet
// hides the palette, so the sheet carries the box's colours as well.
void TextBox::applySheet()
{
    if (passwordChar_.isEmpty()) {
        applyingSheet_ = true;
        setStyleSheet(QString());
        applyingSheet_ = false;
        return;
    }
    const QPalette p = palette();
    applyingSheet_ = true;
    setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; color: %2; lineedit-password-character: %3; }")
                      .arg(p.color(QPalette::Base).name(), p.color(QPalette::Text).name())
                      .arg(passwordChar_.at(0).unicode()));
    applyingSheet_ = false;
}

}  // namespace ui

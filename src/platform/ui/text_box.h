#pragma once

#include <QColor>
#include <QLineEdit>

namespace ui {

// A one-line text box with the station's colours and, when asked, a password
// character shown for every character typed.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // An empty text shows the text itself; otherwise its first character stands
    // for every character.
    void setPasswordChar(const QString& c);
    QString passwordChar() const { return passwordChar_; }

    void setBackColor(const QColor& c);
    QColor backColor() const { return palette().color(QPalette::Base); }
    void setForeColor(const QColor& c);
    QColor foreColor() const { return palette().color(QPalette::Text); }

protected:
    void changeEvent(QEvent* e) override;

private:
    void applySheet();
    QString passwordChar_;
    bool applyingSheet_ = false;
};

}  // namespace ui

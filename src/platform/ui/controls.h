#pragma once

#include <QColor>
#include <QLabel>
#include <QVariant>
#include <QWidget>

// The station's controls: labels and pictures that react to a touch, shapes and
// lines. Every control carries a tag (free value) like the station's forms expect.
namespace ui {

QVariant tag(const QWidget* w);
void setTag(QWidget* w, const QVariant& value);

// A text label that reports touches. Transparent by default; opaque shows BackColor.
// Its caption is always drawn as the text it is: what the database or the counter
// says (a refusal's reason, a message) may hold angle brackets, which are never
// taken for formatting, and a line break is always a line break.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& text) { setText(text); }

    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque);
    QColor backColor() const { return backColor_; }
    void setBackColor(const QColor& c);
    QColor foreColor() const;
    void setForeColor(const QColor& c);
    bool hasBorder() const { return border_; }
    void setBorder(bool single);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    bool opaque_ = false;
    bool border_ = false;
    QColor backColor_ = QColor(240, 240, 240);
};

// A picture that reports touches. Stretched pictures fill the control.
class Image : public QLabel {
    Q_OBJECT
public:
    explicit Image(QWidget* parent = nullptr);

    // Loads the picture file (found without regard to letter case); false when it
    // cannot be read, leaving the control empty.
    bool loadPicture(const QString& path);
    QString picturePath() const { return path_; }
    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void showPicture();
    QString path_;
    QPixmap picture_;
    bool stretch_ = false;
};

// A rectangle with a fill and a border; touches pass through it.
class Shape : public QWidget {
    Q_OBJECT
public:
    explicit Shape(QWidget* parent = nullptr);

    QColor fillColor() const { return fillColor_; }
    void setFillColor(const QColor& c);
    bool fillTransparent() const { return fillTransparent_; }
    void setFillTransparent(bool transparent);
    QColor backColor() const { return backColor_; }
    void setBackColor(const QColor& c);
    bool backOpaque() const { return backOpaque_; }
    void setBackOpaque(bool opaque);
    QColor borderColor() const { return borderColor_; }
    void setBorderColor(const QColor& c);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int pixels);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor fillColor_ = Qt::black;
    bool fillTransparent_ = true;
    QColor backColor_ = Qt::white;
    bool backOpaque_ = false;
    QColor borderColor_ = Qt::black;
    int borderWidth_ = 1;
};

// A straight line between two points given in twips relative to the parent.
class Line : public QWidget {
    Q_OBJECT
public:
    explicit Line(QWidget* parent = nullptr);
    void setPoints(double x1, double y1, double x2, double y2);
    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }
    QColor borderColor() const { return color_; }
    void setBorderColor(const QColor& c);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    QColor color_ = Qt::black;
};

}  // namespace ui

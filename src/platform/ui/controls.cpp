#include "platform/ui/controls.h"

#include "platform/ui/pictures.h"
#include "platform/ui/twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

QVariant tag(const QWidget* w) { return w->property("stationTag"); }
void setTag(QWidget* w, const QVariant& value) { w->setProperty("stationTag", value); }

Label::Label(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setOpaque(bool opaque)
{
    opaque_ = opaque;
    update();
}

void Label::setBackColor(const QColor& c)
{
    backColor_ = c;
    update();
}

QColor Label::foreColor() const { return palette().color(QPalette::WindowText); }

void Label::setForeColor(const QColor& c)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    setPalette(p);
}

void Label::setBorder(bool single)
{
    border_ = single;
    update();
}

void Label::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(e);
}

void Label::paintEvent(QPaintEvent* e)
{
    {
        QPainter p(this);
        if (opaque_) p.fillRect(rect(), backColor_);
        if (border_) {
            p.setPen(QPen(Qt::black, 1));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    QLabel::paintEvent(e);
}

Image::Image(QWidget* parent) : QLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

bool Image::loadPicture(const QString& path)
{
    path_ = path;
    picture_ = ui::loadPicture(path);
    showPicture();
    return !picture_.isNull();
}

void Image::setStretch(bool stretch)
{
    stretch_ = stretch;
    showPicture();
}

void Image::showPicture()
{
    if (picture_.isNull()) {
        clear();
        return;
    }
    setPixmap(stretch_ ? picture_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : picture_);
}

void Image::resizeEvent(QResizeEvent* e)
{
    QLabel::resizeEvent(e);
    if (stretch_) showPicture();
}

void Image::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(e);
}

Shape::Shape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
}

void Shape::setFillColor(const QColor& c)
{
    fillColor_ = c;
    fillTransparent_ = false;
    update();
}

void Shape::setFillTransparent(bool transparent)
{
    fillTransparent_ = transparent;
    update();
}

void Shape::setBackColor(const QColor& c)
{
    backColor_ = c;
    update();
}

void Shape::setBackOpaque(bool opaque)
{
    backOpaque_ = opaque;
    update();
}

void Shape::setBorderColor(const QColor& c)
{
    borderColor_ = c;
    update();
}

void Shape::setBorderWidth(int pixels)
{
    borderWidth_ = pixels;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (backOpaque_) p.fillRect(rect(), backColor_);
    if (!fillTransparent_) p.fillRect(rect(), fillColor_);
    if (borderWidth_ > 0) {
        const int half = borderWidth_ / 2;
        p.setPen(QPen(borderColor_, borderWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(half, half, -half - 1 + (borderWidth_ % 2 == 0 ? 1 : 0), -half - 1 + (borderWidth_ % 2 == 0 ? 1 : 0)));
    }
}

Line::Line(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
}

void Line::setPoints(double x1, double y1, double x2, double y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    const double left = std::min(x1, x2), top = std::min(y1, y2);
    const double pad = twipsPerPixelX();
    setTwipGeometry(this, left, top, std::abs(x2 - x1) + pad, std::abs(y2 - y1) + pad);
    update();
}

void Line::setBorderColor(const QColor& c)
{
    color_ = c;
    update();
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(color_, 1));
    const double left = std::min(x1_, x2_), top = std::min(y1_, y2_);
    p.drawLine(QPointF((x1_ - left) / twipsPerPixelX(), (y1_ - top) / twipsPerPixelY()),
               QPointF((x2_ - left) / twipsPerPixelX(), (y2_ - top) / twipsPerPixelY()));
}

}  // namespace ui

#include "shell/keyboard_art.h"

#include "platform/ui/fonts.h"
#include "platform/ui/twips.h"
#include "shell/keyboard_keys.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QString keyCaption(const QString& tag)
{
    if (tag == QLatin1String("CMD_DELETE")) return QStringLiteral("Delete");
    if (tag == QLatin1String("CMD_CAPS")) return QStringLiteral("CapsLock");
    if (tag == QLatin1String("CMD_CANCEL")) return QStringLiteral("Cancel");
    if (tag == QLatin1String("CMD_ALT")) return QStringLiteral("Alt");
    if (tag == QLatin1String("CMD_SPACE")) return QStringLiteral("Space");
    if (tag == QLatin1String("CMD_ENTER")) return QStringLiteral("Enter");
    return tag;
}

void drawKey(QPainter& p, QRect r, const QString& tag)
{
    const bool command = tag.startsWith(QLatin1String("CMD_"));
    QPainterPath body;
    body.addRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 5, 5);
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, QColor(132, 134, 138));
    shade.setColorAt(1, QColor(88, 90, 94));
    p.fillPath(body, shade);
    p.setPen(QPen(QColor(160, 162, 166), 1));
    p.drawLine(r.left() + 4, r.top() + 2, r.right() - 4, r.top() + 2);
    p.setPen(QPen(QColor(40, 40, 42), 1));
    p.drawPath(body);

    p.setPen(command ? QColor(170, 238, 160) : Qt::white);
    p.setFont(ui::stationFont(QStringLiteral("Arial"), command ? 11 : 18, true));
    p.drawText(r, Qt::AlignCenter, keyCaption(tag));
}

}  // namespace

QPixmap keyboardPicture(QSize size, QRect descriptionArea, QRect textArea)
{
    QPixmap pm(size);
    pm.fill(QColor(58, 58, 60));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(descriptionArea.adjusted(-6, -6, 6, 6), QColor(28, 28, 30));
    p.fillRect(QRect(0, textArea.top() - 10, size.width(), textArea.height() + 20), QColor(96, 96, 98));
    for (const KeyboardKey& key : kKeyboardKeys) {
        const QRect r(ui::toPixelsX(key.left), ui::toPixelsY(key.top), ui::toPixelsX(key.width), ui::toPixelsY(kKeyHeight));
        drawKey(p, r, QString::fromLatin1(key.tag));
    }
    return pm;
}

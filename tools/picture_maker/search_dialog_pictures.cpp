// The rack search's background: the list frame, the work-order box and the keypad,
// each key drawn where its touch area lies (15 twips to the pixel).
#include "catalogue.h"
#include "paint_kit.h"

namespace {

QRectF twips(double left, double top, double width, double height) { return QRectF(left / 15, top / 15, width / 15, height / 15); }

void key(QPainter& p, const QRectF& r, const QString& text, double size = 22)
{
    kit::buttonFace(p, r.adjusted(2, 2, -2, -2), QColor(86, 96, 108), 6);
    kit::centredText(p, r, text, Qt::white, size);
}

void searchBackground(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), QColor(236, 238, 240));
    p.fillRect(QRectF(0, 0, s.width(), 12), kit::kNavy);
    p.setPen(QPen(kit::kNavy, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(twips(360, 600, 4080, 3540).adjusted(-3, -3, 3, 3));
    kit::centredText(p, twips(360, 250, 4080, 330), QStringLiteral("OUTSTANDING RACKS"), kit::kNavy, 14);
    p.setPen(QPen(kit::kNavy, 2));
    p.setBrush(Qt::white);
    p.drawRect(twips(4880, 240, 4325, 735).adjusted(-2, -2, 2, 2));

    const double lefts[] = {4920, 6000, 7080};
    const double tops[] = {1320, 2400, 3360};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) key(p, twips(lefts[col], tops[row], 945, 855), QString::number(row * 3 + col + 1));
    key(p, twips(6000, 4440, 945, 855), QStringLiteral("0"));
    key(p, twips(8160, 1320, 945, 855), QStringLiteral("GO"), 16);
    key(p, twips(8160, 2400, 945, 855), QStringLiteral("CLR"), 14);
    key(p, twips(200, 4560, 1575, 855), QStringLiteral("REFRESH"), 13);
    key(p, twips(1860, 4540, 1575, 855), QStringLiteral("GET RACK"), 13);
    key(p, twips(3500, 4500, 1180, 900), QStringLiteral("EXIT"), 14);
}

}  // namespace

QList<Picture> searchDialogPictures()
{
    return {{QStringLiteral("search_background.gif"),
             {630, 375},
             searchBackground,
             QStringLiteral("rack search: list, work-order box and keypad")}};
}

// The rack screen's buttons: priority flags, all racks, navigation, marker, save,
// exit, and the screening stations' status icons.
#include "catalogue.h"
#include "paint_kit.h"

#include <QPainterPath>
#include <cstring>

namespace {

struct Priority {
    const char* name;
    const char* mark;
    const char* label;
    QColor colour;
};

const Priority kPriorities[] = {
    {"CRITICAL", "!", "CRIT", QColor(214, 40, 40)},
    {"URGENT", "48h", "URG", QColor(240, 128, 20)},
    {"RUSH", "R", "RUSH", QColor(236, 206, 30)},
    {"RETEST", "RT", "RETEST", QColor(150, 90, 200)},
};

// A square button with a waving flag in the priority's colour; lit when on,
// greyed when off.
void flag(QPainter& p, QSize s, const Priority& pr, bool on)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kSlate);
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), on ? QColor(70, 74, 80) : kit::kButtonGrey, 5);
    if (on) {
        p.setPen(QPen(pr.colour.lighter(130), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(2, 2, s.width() - 4, s.height() - 4), 5, 5);
    }
    const QColor cloth = on ? pr.colour : pr.colour.darker(170).toHsv().lighter(110);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawLine(QPointF(10, 7), QPointF(10, 36));
    QPainterPath path;
    path.moveTo(11, 8);
    path.cubicTo(18, 4, 24, 12, 33, 8);
    path.lineTo(33, 24);
    path.cubicTo(24, 28, 18, 20, 11, 24);
    path.closeSubpath();
    p.fillPath(path, cloth);
    p.setPen(QPen(cloth.darker(150), 1));
    p.drawPath(path);
    kit::centredText(p, QRectF(11, 8, 22, 16), QString::fromLatin1(pr.mark), on ? Qt::white : QColor(200, 200, 200),
                     strlen(pr.mark) > 2 ? 8 : 11);
    kit::centredText(p, QRectF(0, 27, s.width(), 13), QString::fromLatin1(pr.label), on ? Qt::white : QColor(215, 215, 215),
                     strlen(pr.label) > 4 ? 8 : 9);
}

void allRacks(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kSlate);
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), kit::kButtonGrey, 5);
    for (int i = 0; i < 4; ++i) p.fillRect(QRectF(8 + i * 7, 8, 5, 14), kPriorities[i].colour);
    kit::centredText(p, QRectF(0, 24, s.width(), 14), QStringLiteral("ALL"), Qt::white, 11);
}

void arrow(QPainter& p, QSize s, bool right)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kNavy);
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), kit::kButtonGrey, 5);
    QPainterPath head;
    const double dir = right ? 1 : -1;
    const double cx = s.width() / 2.0;
    head.moveTo(cx + dir * 11, 21);
    head.lineTo(cx - dir * 3, 9);
    head.lineTo(cx - dir * 3, 16);
    head.lineTo(cx - dir * 12, 16);
    head.lineTo(cx - dir * 12, 26);
    head.lineTo(cx - dir * 3, 26);
    head.lineTo(cx - dir * 3, 33);
    head.closeSubpath();
    p.fillPath(head, QColor(240, 240, 240));
}

void magnifier(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kNavy);
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), kit::kButtonGrey, 5);
    p.setPen(QPen(QColor(240, 240, 240), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(18, 18), 8, 8);
    p.drawLine(QPointF(24, 24), QPointF(33, 33));
}

void pointer(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kNavy);
    QPainterPath tip;
    tip.moveTo(2, 1);
    tip.lineTo(s.width() - 1, s.height() / 2.0);
    tip.lineTo(2, s.height() - 1);
    tip.closeSubpath();
    p.fillPath(tip, kit::kAmber);
}

void save(QPainter& p, QSize s, bool on)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kSlate);
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), on ? QColor(60, 130, 70) : kit::kButtonGrey, 6);
    const QRectF disk(8, 12, 26, 28);
    p.fillRect(disk, on ? QColor(30, 40, 60) : QColor(80, 84, 90));
    p.fillRect(QRectF(13, 12, 16, 9), QColor(210, 210, 210));
    p.fillRect(QRectF(12, 28, 18, 12), QColor(235, 235, 235));
    kit::centredText(p, QRectF(36, 0, s.width() - 38, s.height()), QStringLiteral("SAVE"), on ? Qt::white : QColor(200, 200, 200), 14);
}

void exitButton(QPainter& p, QSize s)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kNavy);
    kit::buttonFace(p, QRectF(1, 1, s.width() - 2, s.height() - 2), QColor(150, 40, 40), 5);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(7, 9, 14, 24));
    p.drawLine(QPointF(15, 21), QPointF(27, 21));
    p.drawLine(QPointF(23, 17), QPointF(27, 21));
    p.drawLine(QPointF(23, 25), QPointF(27, 21));
    kit::centredText(p, QRectF(26, 0, s.width() - 27, s.height()), QStringLiteral("EXIT"), Qt::white, 13);
}

// The screening stations' status icons: screen, water and picture, ready or done.
void screeningIcon(QPainter& p, QSize s, const QString& letter, bool done)
{
    p.fillRect(QRect(QPoint(0, 0), s), kit::kGrey);
    kit::buttonFace(p, QRectF(0, 0, s.width(), s.height()), done ? QColor(40, 150, 60) : kit::kAmber, 4);
    kit::centredText(p, QRectF(0, 0, s.width(), s.height()), letter, done ? Qt::white : QColor(30, 30, 30), 15);
}

}  // namespace

QList<Picture> rackScreenPictures()
{
    QList<Picture> out;
    for (const Priority& pr : kPriorities) {
        const QString base = QStringLiteral("bttn_") + QString::fromLatin1(pr.name).toLower();
        out << Picture{base + QStringLiteral("_on.gif"),
                       {42, 42},
                       [pr](QPainter& p, QSize s) { flag(p, s, pr, true); },
                       QStringLiteral("rack screen: priority flag, filter on")};
        out << Picture{base + QStringLiteral("_off.gif"),
                       {42, 42},
                       [pr](QPainter& p, QSize s) { flag(p, s, pr, false); },
                       QStringLiteral("rack screen: priority flag, filter off")};
    }
    out << Picture{QStringLiteral("bttn_priority.gif"), {42, 42}, allRacks, QStringLiteral("rack screen: all racks")};
    out << Picture{QStringLiteral("bttn_prev.gif"),
                   {42, 42},
                   [](QPainter& p, QSize s) { arrow(p, s, false); },
                   QStringLiteral("rack screen: PREV")};
    out << Picture{QStringLiteral("bttn_next.gif"),
                   {42, 42},
                   [](QPainter& p, QSize s) { arrow(p, s, true); },
                   QStringLiteral("rack screen: NEXT")};
    out << Picture{QStringLiteral("bttn_find.gif"), {42, 42}, magnifier, QStringLiteral("rack screen: FIND")};
    out << Picture{QStringLiteral("img_ptr.gif"), {14, 13}, pointer, QStringLiteral("rack screen: loaded-rack marker")};
    out << Picture{QStringLiteral("bttn_save_on.jpg"),
                   {80, 60},
                   [](QPainter& p, QSize s) { save(p, s, true); },
                   QStringLiteral("rack screen: save, something to save")};
    out << Picture{QStringLiteral("bttn_save_idle.jpg"),
                   {80, 60},
                   [](QPainter& p, QSize s) { save(p, s, false); },
                   QStringLiteral("rack screen: save, nothing to save")};
    out << Picture{QStringLiteral("bttn_exit.gif"), {66, 42}, exitButton, QStringLiteral("rack screen: exit")};
    const std::pair<const char*, const char*> icons[] = {{"s", "S"}, {"w", "W"}, {"p", "P"}};
    for (const auto& [kind, letter] : icons)
        for (const bool done : {false, true})
            out << Picture{QStringLiteral("cs_%1_%2.jpg").arg(kind, done ? "done" : "ready"),
                           {32, 26},
                           [letter = QString::fromLatin1(letter), done](QPainter& p, QSize s) { screeningIcon(p, s, letter, done); },
                           QStringLiteral("rack screen: screening status icon")};
    return out;
}

#include "platform/ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace ui {
namespace {

QString firstInstalled(const QStringList& candidates)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& c : candidates)
        for (const QString& f : installed)
            if (f.compare(c, Qt::CaseInsensitive) == 0) return f;
    return {};
}

}  // namespace

QString familyFor(const QString& name)
{
    const QString key = name.trimmed().toLower();
    QStringList candidates;
    if (key == QLatin1String("arial narrow"))
        candidates = {QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans Condensed")};
    else if (key == QLatin1String("arial"))
        candidates = {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    else if (key == QLatin1String("eurostile"))
        candidates = {QStringLiteral("Eurostile"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")};
    else if (key == QLatin1String("verdana"))
        candidates = {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")};
    else
        candidates = {name.trimmed()};
    candidates << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans");
    const QString found = firstInstalled(candidates);
    return found.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : found;
}

QFont stationFont(const QString& name, double points, bool bold)
{
    QFont f(familyFor(name));
    if (points > 0) f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

}  // namespace ui

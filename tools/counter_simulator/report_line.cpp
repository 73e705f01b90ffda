#include "report_line.h"

#include "bench/report_catalogue.h"
#include "labdb/iso4406.h"

#include <QDateTime>
#include <QStringList>

namespace simulator {

std::optional<QByteArray> catalogueReport(const QString& isoCode)
{
    const reportCatalogue::Entry* entry = reportCatalogue::find(isoCode.trimmed());
    if (!entry) return std::nullopt;
    return entry->line.toLatin1();
}

std::optional<QString> isoCodeOf(double count5, double count15, double volume)
{
    if (!(volume > 0)) return std::nullopt;
    const std::optional<int> code5 = labdb::isoScaleNumber(count5 / volume);
    const std::optional<int> code15 = labdb::isoScaleNumber(count15 / volume);
    if (!code5 || !code15) return std::nullopt;
    return QStringLiteral("%1/%2").arg(*code5).arg(*code15);
}

std::optional<QByteArray> countsReport(const QList<qint64>& counts, double volume, int countingMs)
{
    if (counts.size() != 7 && counts.size() != 8) return std::nullopt;
    for (qint64 c : counts)
        if (c < 0) return std::nullopt;
    const std::optional<QString> code = isoCodeOf(double(counts[1]), double(counts[2]), volume);
    if (!code) return std::nullopt;

    QList<qint64> eight = counts;
    if (eight.size() == 7) eight << counts[6];
    const QTime duration = QTime(0, 0).addMSecs(countingMs);
    const QDateTime now = QDateTime::currentDateTime();

    QStringList fields{QStringLiteral("!LPR1"),  duration.toString(QStringLiteral("hh:mm:ss.zzz")).chopped(1),
                       QStringLiteral("BP"),     QStringLiteral("RP"),
                       QStringLiteral("GP"),     QStringLiteral("LP"),
                       QStringLiteral("8"),      QStringLiteral("C"),
                       QStringLiteral("2.00"),   QStringLiteral("5.00"),
                       QStringLiteral("15.00"),  QStringLiteral("25.00"),
                       QStringLiteral("50.00"),  QStringLiteral("100.00"),
                       QStringLiteral("100.00"), QStringLiteral("100.00")};
    for (qint64 c : eight) fields << QString::number(c);
    fields << QString::number(volume, 'f', 2) << now.toString(QStringLiteral("MM/dd/yy")) << now.toString(QStringLiteral("hh:mm:ss"))
           << QStringLiteral("LAB.TECH") << QStringLiteral("22222222") << QStringLiteral("SIM") << QString()
           << QStringLiteral("ISO Code: ") + *code << QString();
    return fields.join(QLatin1Char(',')).toLatin1();
}

QByteArray withoutIsoField(const QByteArray& report)
{
    QList<QByteArray> fields = report.split(',');
    for (QByteArray& f : fields)
        if (f.contains("ISO")) f.clear();
    return fields.join(',');
}

QByteArray withoutCounts(const QByteArray& report)
{
    const QList<QByteArray> fields = report.split(',');
    QList<QByteArray> kept = fields.mid(0, 11);
    for (qsizetype i = fields.size() - 1; i >= 11; --i)
        if (fields[i].contains("ISO")) {
            kept << fields[i];
            break;
        }
    return kept.join(',') + ',';
}

}  // namespace simulator

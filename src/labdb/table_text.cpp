#include "labdb/table_text.h"

#include <QDateTime>

namespace labdb {

namespace {

QString oneLine(QString s)
{
    for (QChar& c : s)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) c = QLatin1Char(' ');
    return s;
}

QList<QStringList> cells(const db::Recordset& rs)
{
    QList<QStringList> out;
    db::Recordset copy = rs;
    for (copy.moveFirst(); !copy.eof(); copy.moveNext()) {
        QStringList row;
        for (int c = 0; c < copy.columnCount(); ++c) row << oneLine(valueText(copy.value(c)));
        out << row;
    }
    return out;
}

}  // namespace

QString valueText(const QVariant& v)
{
    if (db::isNull(v)) return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return v.toString();
    }
}

QString alignedTable(const db::Recordset& rs)
{
    const QStringList names = rs.columnNames();
    const QList<QStringList> rows = cells(rs);
    QList<qsizetype> widths;
    for (const QString& n : names) widths << n.size();
    for (const QStringList& r : rows)
        for (qsizetype c = 0; c < r.size(); ++c) widths[c] = qMax(widths[c], r[c].size());
    const auto line = [&](const QStringList& fields) {
        QString out;
        for (qsizetype c = 0; c < fields.size(); ++c) {
            if (c) out += QStringLiteral("  ");
            out += c + 1 < fields.size() ? fields[c].leftJustified(widths[c]) : fields[c];
        }
        return out + QLatin1Char('\n');
    };
    QString out = line(names);
    QStringList rules;
    for (qsizetype w : widths) rules << QString(w, QLatin1Char('-'));
    out += line(rules);
    for (const QStringList& r : rows) out += line(r);
    out += rows.size() == 1 ? QStringLiteral("(1 row)\n") : QStringLiteral("(%1 rows)\n").arg(rows.size());
    return out;
}

QString tabSeparated(const db::Recordset& rs)
{
    QStringList names;
    for (const QString& n : rs.columnNames()) names << oneLine(n);
    QString out = names.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QStringList& r : cells(rs)) out += r.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return out;
}

}  // namespace labdb

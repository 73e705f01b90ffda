#include "records/value_reading.h"

#include "platform/db/recordset.h"

#include <QString>
#include <cmath>
#include <limits>

namespace records {

namespace {

std::optional<double> numberOf(const QVariant& value)
{
    if (db::isNull(value)) return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1.0 : 0.0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        bool ok = false;
        const double d = value.toString().trimmed().toDouble(&ok);
        if (ok) return d;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

}  // namespace

std::optional<std::int16_t> int16Of(const QVariant& value)
{
    const std::optional<double> d = numberOf(value);
    if (!d || !std::isfinite(*d)) return std::nullopt;
    const double rounded = std::nearbyint(*d);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max()) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

bool isNumeric(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool) return false;
    const std::optional<double> d = numberOf(value);
    return d && std::isfinite(*d);
}

std::optional<QDateTime> dateTimeOf(const QVariant& value)
{
    if (db::isNull(value)) return std::nullopt;
    if (value.typeId() == QMetaType::QDateTime) {
        const QDateTime t = value.toDateTime();
        return t.isValid() ? std::optional<QDateTime>(t) : std::nullopt;
    }
    if (value.typeId() == QMetaType::QDate) return value.toDate().startOfDay();
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    const QString text = value.toString().trimmed();
    for (const QString& format : {QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"), QStringLiteral("yyyy-MM-dd hh:mm:ss"),
                                  QStringLiteral("yyyy-MM-dd hh:mm"), QStringLiteral("yyyy-MM-dd")}) {
        const QDateTime t = QDateTime::fromString(text, format);
        if (t.isValid()) return t;
    }
    const QDateTime iso = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (iso.isValid()) return iso.toLocalTime();
    return std::nullopt;
}

}  // namespace records

#include "platform/db/recordset.h"

#include <QDateTime>

namespace db {

QString textOf(const QVariant& v)
{
    if (isNull(v)) return {};
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return v.toString();
}

Recordset::Recordset(QStringList columns, QList<QVariantList> rows) : open_(true), columns_(std::move(columns)), rows_(std::move(rows)) {}

void Recordset::moveNext()
{
    if (row_ < rows_.size()) ++row_;
}

void Recordset::close()
{
    open_ = false;
    columns_.clear();
    rows_.clear();
    row_ = 0;
}

int Recordset::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QVariant Recordset::value(int column) const
{
    if (eof() || column < 0) return {};
    const QVariantList& row = rows_[row_];
    return column < row.size() ? row[column] : QVariant();
}

QVariant Recordset::value(const QString& name) const { return value(columnIndex(name)); }

}  // namespace db

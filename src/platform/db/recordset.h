#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace db {

// A NULL column value is an invalid QVariant; an empty text is a valid, empty QString.
inline bool isNull(const QVariant& v) { return !v.isValid() || v.isNull(); }

// Text of a value, empty for NULL.
QString textOf(const QVariant& v);

// An answer of the database, read completely when the statement ran. An unopened
// recordset (the default) stands for "no answer": it is at end-of-file, has no
// columns and no rows, and every read of it gives NULL.
class Recordset {
public:
    Recordset() = default;
    Recordset(QStringList columns, QList<QVariantList> rows);

    bool isOpen() const { return open_; }
    bool eof() const { return !open_ || row_ >= rows_.size(); }
    void moveNext();
    void moveFirst() { row_ = 0; }
    void close();

    int columnCount() const { return columns_.size(); }
    const QStringList& columnNames() const { return columns_; }
    int rowCount() const { return rows_.size(); }
    bool hasColumn(const QString& name) const { return columnIndex(name) >= 0; }

    // Column lookup ignores letter case. An unknown column, an unopened recordset
    // or a read past the last row gives NULL.
    QVariant value(const QString& name) const;
    QVariant value(int column) const;
    bool isNullAt(const QString& name) const { return isNull(value(name)); }

    int columnIndex(const QString& name) const;

private:
    bool open_ = false;
    QStringList columns_;
    QList<QVariantList> rows_;
    qsizetype row_ = 0;
};

}  // namespace db

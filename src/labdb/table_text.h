#pragma once

#include "platform/db/recordset.h"

#include <QString>

// An answer of the laboratory database as text, for the labdb tool.
namespace labdb {

// A value as the tool shows it: NULL for NULL, date-times as yyyy-MM-dd hh:mm:ss.
QString valueText(const QVariant& v);

// Column names over the rows, each column as wide as its widest entry, and a
// closing line with the number of rows.
QString alignedTable(const db::Recordset& rs);

// A header line of column names, then one line per row; fields separated by tabs.
// Tabs and line breaks inside values become blanks so every row stays one line.
QString tabSeparated(const db::Recordset& rs);

}  // namespace labdb

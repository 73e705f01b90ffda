#pragma once

#include <QList>
#include <QString>

namespace db {

// The number the database layer reports for a query that ran out of time; the
// gateway retries a statement on a fresh connection when it sees it.
inline constexpr long kQueryTimeoutNumber = -2147217871;

// One entry of a connection's error list, as the driver reported it.
struct DbError {
    long number = 0;       // what the station shows and tests (the native number, or the time-out number)
    long nativeError = 0;  // the driver's own number
    QString sqlState;      // five-character state, empty when the backend has none
    QString description;
};

using ErrorList = QList<DbError>;

}  // namespace db

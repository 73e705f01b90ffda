#pragma once

#include "records/test_record.h"

#include <QString>
#include <memory>

namespace records {

// A new, blank test record of the class that belongs to the station name (compared
// exactly); nothing for a station that has no record class.
std::unique_ptr<TestRecord> makeTestRecord(const QString& stationName);

}  // namespace records

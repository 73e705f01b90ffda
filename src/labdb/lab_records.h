#pragma once

#include "labdb/sqlite_db.h"

#include <QString>
#include <optional>

// Lookups the procedures share: a sample by its lab number, the latest run of a
// sample's test, an active employee.
namespace labdb {

struct SampleRow {
    qlonglong labId = 0;
    QString labNumber;
    QString labCode;
    QString priority;
};

struct TestRow {
    qlonglong testId = 0;
    qlonglong runNo = 0;
    QString status;
};

struct EmployeeRow {
    qlonglong empNum = 0;
    QString fullName;
};

// By lab number (trimmed) within the laboratory; any laboratory when labCode is empty.
std::optional<SampleRow> findSample(Database& db, const QString& labCode, const QString& labNumber);
std::optional<SampleRow> findSampleById(Database& db, qlonglong labId);

// The run with the highest number of the sample's test of that group.
std::optional<TestRow> latestTest(Database& db, qlonglong labId, const QString& testGroup);

// An employee who is not dismissed.
std::optional<EmployeeRow> activeEmployee(Database& db, qlonglong empNum);

}  // namespace labdb

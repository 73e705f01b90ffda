#include "labdb/lab_records.h"

namespace labdb {

namespace {

std::optional<SampleRow> sampleFrom(const QVariantList& r)
{
    if (r.isEmpty()) return std::nullopt;
    return SampleRow{r[0].toLongLong(), r[1].toString(), r[2].toString(), r[3].toString()};
}

}  // namespace

std::optional<SampleRow> findSample(Database& db, const QString& labCode, const QString& labNumber)
{
    const QString number = labNumber.trimmed();
    if (number.isEmpty()) return std::nullopt;
    if (labCode.trimmed().isEmpty())
        return sampleFrom(db.firstRow("SELECT LAB_ID, LAB_NUMBER, LAB_CODE, PRIORITY FROM samples WHERE LAB_NUMBER = ? "
                                      "ORDER BY LAB_ID LIMIT 1",
                                      {number}));
    return sampleFrom(db.firstRow("SELECT LAB_ID, LAB_NUMBER, LAB_CODE, PRIORITY FROM samples WHERE LAB_CODE = ? AND LAB_NUMBER = ?",
                                  {labCode.trimmed(), number}));
}

std::optional<SampleRow> findSampleById(Database& db, qlonglong labId)
{
    return sampleFrom(db.firstRow("SELECT LAB_ID, LAB_NUMBER, LAB_CODE, PRIORITY FROM samples WHERE LAB_ID = ?", {labId}));
}

std::optional<TestRow> latestTest(Database& db, qlonglong labId, const QString& testGroup)
{
    const QVariantList r = db.firstRow("SELECT TEST_ID, RUN_NO, STATUS FROM lab_tracking WHERE LAB_ID = ? AND TEST_GROUP = ? "
                                       "ORDER BY RUN_NO DESC LIMIT 1",
                                       {labId, testGroup.trimmed()});
    if (r.isEmpty()) return std::nullopt;
    return TestRow{r[0].toLongLong(), r[1].toLongLong(), r[2].toString()};
}

std::optional<EmployeeRow> activeEmployee(Database& db, qlonglong empNum)
{
    const QVariantList r = db.firstRow("SELECT EMP_NUM, FIRST_NAME || ' ' || LAST_NAME FROM employees WHERE EMP_NUM = ? AND DISMISSED = 'N'",
                                       {empNum});
    if (r.isEmpty()) return std::nullopt;
    return EmployeeRow{r[0].toLongLong(), r[1].toString()};
}

}  // namespace labdb

// The labdb tool's printing of answers.
#include "labdb/table_text.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

db::Recordset sample()
{
    return db::Recordset({QStringLiteral("ID"), QStringLiteral("NAME"), QStringLiteral("WHEN")},
                         {{qlonglong(7), QStringLiteral("Anna\tBerg"), QDateTime(QDate(2024, 3, 26), QTime(12, 5, 3))},
                          {qlonglong(12345), QVariant(), QVariant()}});
}

TEST(TableText, AlignedColumnsWithNullAndRowCount)
{
    EXPECT_EQ(labdb::alignedTable(sample()), QStringLiteral("ID     NAME       WHEN\n"
                                                            "-----  ---------  -------------------\n"
                                                            "7      Anna Berg  2024-03-26 12:05:03\n"
                                                            "12345  NULL       NULL\n"
                                                            "(2 rows)\n"));
    EXPECT_EQ(labdb::alignedTable(db::Recordset({QStringLiteral("A")}, {})), QStringLiteral("A\n-\n(0 rows)\n"));
}

TEST(TableText, TabSeparatedKeepsOneLinePerRow)
{
    EXPECT_EQ(labdb::tabSeparated(sample()), QStringLiteral("ID\tNAME\tWHEN\n"
                                                            "7\tAnna Berg\t2024-03-26 12:05:03\n"
                                                            "12345\tNULL\tNULL\n"));
}

TEST(TableText, DecimalsKeepTheirDigits)
{
    EXPECT_EQ(labdb::valueText(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(labdb::valueText(QStringLiteral("")), QString());
}

}  // namespace

#include "platform/db/odbc_call.h"

#include <gtest/gtest.h>

namespace {

using db::odbc::Outcome;

TEST(OdbcCallTest, SuccessAndEndOfDataAddNothing)
{
    db::ErrorList errors;
    EXPECT_EQ(db::odbc::check(SQL_SUCCESS, SQL_HANDLE_STMT, nullptr, "x", errors), Outcome::Ok);
    EXPECT_EQ(db::odbc::check(SQL_NO_DATA, SQL_HANDLE_STMT, nullptr, "x", errors), Outcome::NoData);
    EXPECT_EQ(db::odbc::check(SQL_SUCCESS_WITH_INFO, SQL_HANDLE_STMT, nullptr, "x", errors), Outcome::Ok);
    EXPECT_TRUE(errors.isEmpty());
}

TEST(OdbcCallTest, FailureWithoutARecordIsStillExplained)
{
    db::ErrorList errors;
    errors.push_back({5, 5, QStringLiteral("01000"), QStringLiteral("earlier")});
    EXPECT_EQ(db::odbc::check(SQL_ERROR, SQL_HANDLE_DBC, nullptr, "The ODBC driver refused the connection.", errors), Outcome::Failed);
    EXPECT_EQ(db::odbc::check(SQL_INVALID_HANDLE, SQL_HANDLE_STMT, nullptr, "The statement failed.", errors), Outcome::Failed);
    ASSERT_EQ(errors.size(), 3) << "what was in the list stays";
    EXPECT_EQ(errors[1].description, "The ODBC driver refused the connection.");
    EXPECT_EQ(errors[1].number, -1);
    EXPECT_EQ(errors[2].description, "The statement failed.");
    EXPECT_FALSE(db::odbc::checkOrLog(SQL_ERROR, SQL_HANDLE_STMT, nullptr, "The driver refused the query time-out."));
    EXPECT_TRUE(db::odbc::checkOrLog(SQL_SUCCESS_WITH_INFO, SQL_HANDLE_STMT, nullptr, "x"));
}

}  // namespace

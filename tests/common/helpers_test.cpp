#include "alert_recorder.h"
#include "common/open_log_file.h"
#include "common/sql_quote.h"
#include "common/sql_text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(SqlQuoteTest, TrimmedValueBetweenQuotesWithOneBlankElseTheDefault)
{
    using commonModule::Sql_Quote;
    EXPECT_EQ(Sql_Quote(QStringLiteral("  R-104 "), QStringLiteral("null")), "'R-104' ");
    EXPECT_EQ(Sql_Quote(42, QStringLiteral("null")), "'42' ");
    EXPECT_EQ(Sql_Quote(QStringLiteral("   "), QStringLiteral("null")), "null");
    EXPECT_EQ(Sql_Quote(QString(), QStringLiteral("null")), "null");
    EXPECT_EQ(Sql_Quote(QVariant(), QStringLiteral("null")), "null");
    EXPECT_EQ(Sql_Quote(QVariant(), 0), "0") << "the default is given as text";
    EXPECT_EQ(Sql_Quote(QVariant(), QVariant()), "");
}

TEST(SqlQuoteTest, QuotesInsideTheValueAreDoubledSoTheValueStaysText)
{
    using commonModule::Sql_Quote;
    EXPECT_EQ(Sql_Quote(QStringLiteral(" O'Brien "), QStringLiteral("null")), "'O''Brien' ");
    EXPECT_EQ(Sql_Quote(QStringLiteral("x'; drop table t; --"), QStringLiteral("null")), "'x''; drop table t; --' ");
}

TEST(SqlQuotedTest, ValueBetweenQuotesWithItsOwnQuotesDoubledAndNothingTrimmed)
{
    EXPECT_EQ(sqlQuoted(QStringLiteral("PrtCount")), "'PrtCount'");
    EXPECT_EQ(sqlQuoted(QStringLiteral("O'Brien")), "'O''Brien'");
    EXPECT_EQ(sqlQuoted(QStringLiteral("'")), "''''") << "a lone quote can never end the value";
    EXPECT_EQ(sqlQuoted(QStringLiteral(" R1 ")), "' R1 '");
    EXPECT_EQ(sqlQuoted(QString()), "''");
}

class OpenLogFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString read(const QString& name)
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
    }
};

TEST_F(OpenLogFileTest, MissingFileIsCreatedWithItsHeaderThenAppendedTo)
{
    AlertRecorder alerts;
    const QString path = dir.filePath("PC_Active.csv");
    {
        files::TextStream log;
        ASSERT_TRUE(commonModule::Open_Log_File(log, path, QString()));
        ASSERT_TRUE(log.writeLine("!LPR1,first"));
    }
    {
        files::TextStream log;
        ASSERT_TRUE(commonModule::Open_Log_File(log, path, QStringLiteral("must not be written again")));
        ASSERT_TRUE(log.writeLine("!LPR1,second"));
    }
    EXPECT_EQ(read("PC_Active.csv"), "\r\n!LPR1,first\r\n!LPR1,second\r\n")
        << "an empty header gives an empty first line; an existing file only grows";
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST_F(OpenLogFileTest, NullHeaderCreatesTheFileWithoutAFirstLine)
{
    const QString path = dir.filePath("PC_STD_Passed.csv");
    files::TextStream log;
    ASSERT_TRUE(commonModule::Open_Log_File(log, path, QVariant()));
    log.writeLine("CHECK,ok");
    log.close();
    EXPECT_EQ(read("PC_STD_Passed.csv"), "CHECK,ok\r\n");
}

TEST_F(OpenLogFileTest, FileThatCannotBeWrittenIsReportedAndTheCallerGoesOn)
{
    AlertRecorder alerts;
    const QString path = dir.filePath("no_such_folder/PC_STD_Error.csv");
    files::TextStream log;
    EXPECT_FALSE(commonModule::Open_Log_File(log, path, QString()));
    EXPECT_FALSE(log.isOpen());
    EXPECT_FALSE(log.writeLine("lost")) << "a closed log refuses lines instead of failing";
    ASSERT_EQ(alerts.messages.size(), 1);
    EXPECT_TRUE(alerts.messages.first().contains(path));
}

}  // namespace

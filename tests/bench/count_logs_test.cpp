#include "alert_recorder.h"
#include "bench/count_logs.h"
#include "qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CountLogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    static QByteArray contents(const QString& name)
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir folder;
    AlertRecorder alerts;

private:
    QString previous_;
};

TEST_F(CountLogsTest, ANewLogStartsWithAnEmptyLineThenLinesAreAppended)
{
    EXPECT_TRUE(countLogs::Write_STD_Log(true, "!LPR1,a,b,"));
    EXPECT_EQ(contents("PC_STD_Passed.csv"), "\r\n!LPR1,a,b,\r\n");
    EXPECT_TRUE(countLogs::Write_STD_Log(true, "!LPR1,c,d,"));
    EXPECT_EQ(contents("PC_STD_Passed.csv"), "\r\n!LPR1,a,b,\r\n!LPR1,c,d,\r\n");
    EXPECT_FALSE(QFile::exists("PC_STD_Error.csv"));

    EXPECT_TRUE(countLogs::Write_STD_Log(false, "!LPR1,e,"));
    EXPECT_EQ(contents("PC_STD_Error.csv"), "\r\n!LPR1,e,\r\n");
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST_F(CountLogsTest, ActiveLogSkipsAnEmptyLine)
{
    EXPECT_TRUE(countLogs::Write_Active_Log(""));
    EXPECT_FALSE(QFile::exists("PC_Active.csv"));
    EXPECT_TRUE(countLogs::Write_Active_Log("!LPR1,x,"));
    EXPECT_EQ(contents("PC_Active.csv"), "\r\n!LPR1,x,\r\n");
}

TEST_F(CountLogsTest, ALogThatCannotBeCreatedIsNamedAndTheNextStillWorks)
{
    // A folder in the way of the file: it can neither be created nor opened.
    ASSERT_TRUE(QDir().mkdir("PC_Active.csv"));
    EXPECT_FALSE(countLogs::Write_Active_Log("!LPR1,x,"));
    ASSERT_EQ(alerts.messages.size(), 1);
    EXPECT_TRUE(alerts.messages[0].contains("PC_Active.csv"));

    EXPECT_TRUE(countLogs::Write_STD_Log(true, "!LPR1,x,"));
    EXPECT_EQ(contents("PC_STD_Passed.csv"), "\r\n!LPR1,x,\r\n");
}

TEST_F(CountLogsTest, ALogThatCannotBeWrittenIsNamed)
{
    // A full disk: the file opens but the line does not fit.
    if (!QFile::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    ASSERT_TRUE(QFile::link("/dev/full", "PC_STD_Error.csv"));
    EXPECT_FALSE(countLogs::Write_STD_Log(false, "!LPR1,x,"));
    ASSERT_FALSE(alerts.messages.isEmpty());
    EXPECT_TRUE(alerts.messages.last().contains("PC_STD_Error.csv"));
}

}  // namespace

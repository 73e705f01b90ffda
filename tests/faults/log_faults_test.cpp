// The station folder cannot take the CSV logs. Tests run as root, for whom a folder
// made read-only still takes files; so the log cannot be opened another way: a
// folder stands where the log file should be, which no one can open as a file.
#include "fault_fixture.h"

#include "qstring_printer.h"

namespace {

using LogFaults = FaultyDay;

bool named(const QStringList& messages, const QString& log)
{
    return std::any_of(messages.begin(), messages.end(), [&](const QString& m) {
        return m.startsWith(QStringLiteral("The log file ") + log + QStringLiteral(" cannot be written"));
    });
}

TEST_F(LogFaults, ActiveLogThatCannotBeWrittenIsToldTheCountStoredOnceAndNotSaidToBeKept)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("PC_Active.csv"));
    logIn();
    const auto [lab, index] = openSample();
    const auto [next, other] = openSample();
    bathTimeOver();

    AlertRecorder alerts;
    passCheck(index);
    EXPECT_TRUE(named(alerts.messages, "PC_Active.csv")) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(contents("PC_STD_Passed.csv").contains(catalogueLine("13/9").toUtf8())) << "the other logs go on";

    alerts.messages.clear();
    countsAsUsual(lab, index);
    ASSERT_EQ(alerts.messages.size(), 1) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(named(alerts.messages, "PC_Active.csv"));
    expectWholeOrAbsent(lab);

    // With the database gone as well, the technician is not told the report is kept.
    alerts.messages.clear();
    const QString station = dbModule::Conn_String;
    const ui::ModalResponder count = counting(catalogueLine("16/12"));
    tapBath(other, {[&](QDialog* w) {
                count(w);
                dbModule::Conn_String = QStringLiteral("EMBEDDED=") + folder.filePath("gone/labdata.db");
            }});
    dbModule::Conn_String = station;
    const auto told = std::find_if(alerts.messages.begin(), alerts.messages.end(),
                                   [&](const QString& m) { return m.contains("could not be stored"); });
    ASSERT_NE(told, alerts.messages.end()) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(told->contains(next));
    EXPECT_FALSE(told->contains("PC_Active.csv")) << told->toStdString();
    EXPECT_EQ(inBath(next), other);
    EXPECT_EQ(countsStored(next), 0);

    // The folder is mended: the log takes the next report again.
    ASSERT_TRUE(QDir(folder.path()).rmdir("PC_Active.csv"));
    alerts.messages.clear();
    countsAsUsual(next, other, QStringLiteral("16/12"));
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join('\n').toStdString();
    EXPECT_EQ(contents("PC_Active.csv"), "\r\n" + catalogueLine("16/12").toUtf8() + "\r\n");
}

TEST_F(LogFaults, FullDiskUnderTheActiveLogIsToldAndTheReportNotSaidToBeKept)
{
    // The log opens but takes no byte: it stands on /dev/full, which fails every write.
    if (!QFileInfo::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    ASSERT_TRUE(QFile::link("/dev/full", folder.filePath("PC_Active.csv")));
    AlertRecorder alerts;
    const auto [lab, index] = sampleReadyAfterCheck();
    alerts.messages.clear();
    const QString station = dbModule::Conn_String;
    const ui::ModalResponder count = counting(catalogueLine("16/12"));
    tapBath(index, {[&](QDialog* w) {
                count(w);
                dbModule::Conn_String = QStringLiteral("EMBEDDED=") + folder.filePath("gone/labdata.db");
            }});
    dbModule::Conn_String = station;
    EXPECT_TRUE(named(alerts.messages, "PC_Active.csv")) << alerts.messages.join('\n').toStdString();
    const auto told = std::find_if(alerts.messages.begin(), alerts.messages.end(),
                                   [&](const QString& m) { return m.contains("could not be stored"); });
    ASSERT_NE(told, alerts.messages.end()) << alerts.messages.join('\n').toStdString();
    EXPECT_FALSE(told->contains("PC_Active.csv")) << told->toStdString();
    EXPECT_EQ(inBath(lab), index);

    ASSERT_TRUE(QFile::remove(folder.filePath("PC_Active.csv")));
    countsAsUsual(lab, index, QStringLiteral("16/12"));
    EXPECT_EQ(activeLogLines(catalogueLine("16/12")), 1);
}

TEST_F(LogFaults, CheckLogsThatCannotBeWrittenAreToldAndTheCheckStillDecides)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("PC_STD_Passed.csv"));
    ASSERT_TRUE(QDir(folder.path()).mkdir("PC_STD_Error.csv"));
    logIn();
    const auto [lab, index] = openSample();
    bathTimeOver();

    AlertRecorder alerts;
    const QString failed = lineWithCode("15/11", "16/13");
    tapBath(index, {counting(failed), counting(catalogueLine("13/9"))});
    EXPECT_TRUE(named(alerts.messages, "PC_STD_Error.csv")) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(named(alerts.messages, "PC_STD_Passed.csv")) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(alerts.messages.contains("Check sample not within limits!"));
    ASSERT_EQ(runs.size(), 2) << "the failed check ran again";
    EXPECT_EQ(bench().Samples_Since_Check, 0) << "the passed check counts though its log could not be written";
    EXPECT_EQ(activeLogLines(failed), 1);

    countsAsUsual(lab, index);
    expectWholeOrAbsent(lab);
}

}  // namespace

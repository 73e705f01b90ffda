#include "common/db_module.h"
#include "common/station_config.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void writeIni(const QTemporaryDir& dir, const QByteArray& text)
{
    QFile f(dir.filePath("station.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// Keeps the station's configuration of the test program as it was.
class StationConfigInPlaceTest : public ::testing::Test {
protected:
    void TearDown() override { setStationConfig(saved_); }

private:
    StationConfig saved_ = stationConfig();
};

TEST(StationConfigTest, WithoutIniTheStationUsesItsEmbeddedDatabase)
{
    QTemporaryDir dir;
    const StationConfig c = loadStationConfig(dir.path());
    EXPECT_TRUE(c.odbcDataSource.isEmpty());
    EXPECT_EQ(c.browserProgram, "xdg-open");
    EXPECT_EQ(stationConnectionString(c), "EMBEDDED=labdata.db");
}

TEST(StationConfigTest, NamedDataSourceGivesTheLaboratoryLogin)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("station.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[database]\nodbc_data_source = LabServer \n[counter]\nserial_device=/dev/ttyS3\n");
    f.close();
    const StationConfig c = loadStationConfig(dir.path());
    EXPECT_EQ(c.serialDevice, "/dev/ttyS3");
    EXPECT_EQ(stationConnectionString(c), "DSN=LabServer;UID=pellicott;PWD=kp5180rm;QuotedID=No");
}

// What the station does not read in station.ini is told on standard error, one line
// each, naming the file; what it does read is read all the same.
TEST(StationConfigTest, WhatIsNotReadIsToldOnStandardError)
{
    struct Case {
        const char* text;
        std::vector<const char*> told;
    };
    const Case cases[] = {
        {"[database]\nodbc_data_source = LabServer ; the laboratory\n[counter] ; the counter\nserial_device = /dev/ttyS3\n", {}},
        {"[database]   odbc_data_source = LabServer\n[counter]    serial_device = /dev/ttyS3\n",
         {"line 1: \"odbc_data_source = LabServer\" after [database] is not read", "line 2: \"serial_device = /dev/ttyS3\" after [counter]"}},
        {"[datbase]\nodbc_data_source = LabServer\nmore = 1\n[counter]\nserial_device = /dev/ttyS3\nbaud = 9600\n",
         {"line 1: unknown section [datbase]", "line 6: unknown key baud in [counter]; the station reads serial_device there"}},
        {"odbc_data_source = LabServer\n", {"line 1: key odbc_data_source stands before any section"}},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        writeIni(dir, c.text);
        testing::internal::CaptureStderr();
        const StationConfig config = loadStationConfig(dir.path());
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), std::ptrdiff_t(c.told.size())) << c.text << told;
        for (const char* line : c.told)
            EXPECT_NE(told.find(dir.filePath("station.ini").toStdString() + " " + line), std::string::npos) << told;
        if (std::string(c.text).find("[counter]\n") != std::string::npos) {
            EXPECT_EQ(config.serialDevice, "/dev/ttyS3");
        }
    }

    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("station.ini"));
    testing::internal::CaptureStderr();
    loadStationConfig(dir.path());
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find(dir.filePath("station.ini").toStdString() + ": cannot be read"), std::string::npos) << told;
}

TEST_F(StationConfigInPlaceTest, ReadOnceThenEveryAskGetsItUntilItIsReadAgain)
{
    QTemporaryDir dir;
    writeIni(dir, "[documents]\nserver = docs.lab.local\n[browser]\nprogram = firefox\n");
    EXPECT_EQ(readStationConfig(dir.path()).documentServer, "docs.lab.local");

    writeIni(dir, "[documents]\nserver = other.lab.local\n");
    EXPECT_EQ(stationConfig().documentServer, "docs.lab.local") << "asking does not read the file again";
    EXPECT_EQ(stationConfig().browserProgram, "firefox");

    EXPECT_EQ(readStationConfig(dir.path()).documentServer, "other.lab.local");
    EXPECT_EQ(stationConfig().browserProgram, "xdg-open") << "a value gone from the file is back at its default";
}

TEST_F(StationConfigInPlaceTest, LoadingAnotherFolderLeavesTheStationsConfigurationAlone)
{
    QTemporaryDir dir;
    writeIni(dir, "[database]\nodbc_data_source = LabServer\n");
    StationConfig placed;
    placed.serialDevice = QStringLiteral("/dev/ttyS0");
    setStationConfig(placed);
    EXPECT_EQ(loadStationConfig(dir.path()).odbcDataSource, "LabServer");
    EXPECT_TRUE(stationConfig().odbcDataSource.isEmpty());
    EXPECT_EQ(stationConfig().serialDevice, "/dev/ttyS0");
}

TEST_F(StationConfigInPlaceTest, GatewayWithoutConnectionStringFollowsTheConfiguration)
{
    StationConfig config;
    config.odbcDataSource = QStringLiteral("LabServer");
    setStationConfig(config);
    EXPECT_EQ(dbModule::Fallback_Conn_String(), "DSN=LabServer;UID=pellicott;PWD=kp5180rm;QuotedID=No");
    setStationConfig(StationConfig());
    EXPECT_EQ(dbModule::Fallback_Conn_String(), "EMBEDDED=labdata.db");
}

}  // namespace

#include "common/station_config.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

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

}  // namespace

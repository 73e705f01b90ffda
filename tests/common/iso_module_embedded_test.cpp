#include "alert_recorder.h"
#include "common/db_module.h"
#include "common/iso_module.h"
#include "common/station_config.h"
#include "labdb/labdb.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The demo laboratory lists its particle-count instruction for "PrtCount;PrtFilter;".
TEST(IsoModuleEmbeddedTest, GroupMatchesAnywhereInTheListOnlyWithItsSemicolon)
{
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(labdb::createDatabase(dir.filePath("labdata.db"), true, &error)) << error.toStdString();
    dbModule::Conn_String = QStringLiteral("EMBEDDED=") + dir.filePath("labdata.db");
    QFile script(dir.filePath("browser.sh"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n").arg(dir.filePath("opened.txt")).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    StationConfig config;
    config.documentServer = QStringLiteral("docs.lab.local");
    config.browserProgram = dir.filePath("browser.sh");
    setStationConfig(config);
    AlertRecorder alerts;

    isoModule::Open_ISO_Document(QStringLiteral("Prt"));        // no "Prt;" in any list
    isoModule::Open_ISO_Document(QStringLiteral("PrtFilter"));  // second in the list

    QFile opened(dir.filePath("opened.txt"));
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000 && (!opened.exists() || opened.size() == 0)) QTest::qWait(20);
    QTest::qWait(200);  // a second start would have written by now
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(opened.readAll()), "http://docs.lab.local/Feldspire//ISO9001-2000/LWI/LWI-0412.pdf\n");
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join("|").toStdString();
    dbModule::Conn_String.clear();
}

}  // namespace

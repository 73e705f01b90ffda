#include "alert_recorder.h"
#include "common/iso_module.h"
#include "common/station_config.h"
#include "fake_database.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QStringList kDocumentColumns = {"Test_Group", "DOC_ID", "DOC_TYPE", "TITLE"};

// A browser that writes down the address it was started with.
class RecordingBrowser {
public:
    RecordingBrowser()
    {
        QFile script(dir.filePath("browser.sh"));
        script.open(QIODevice::WriteOnly);
        script.write(
            QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1.part' && mv '%1.part' '%1'\n").arg(dir.filePath("opened.txt")).toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString program() const { return dir.filePath("browser.sh"); }
    // The address the browser was started with; empty when it was not started.
    QString opened(int waitMs)
    {
        QFile f(dir.filePath("opened.txt"));
        QElapsedTimer t;
        t.start();
        while (!f.exists() && t.elapsed() < waitMs) QTest::qWait(20);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private:
    QTemporaryDir dir;
};

StationConfig configWith(const QString& server, const QString& browser)
{
    StationConfig c;
    c.documentServer = server;
    c.browserProgram = browser;
    return c;
}

TEST(IsoModuleTest, DocumentOpensAtItsAddressWithTheDoubleSlashAndTrimmedParts)
{
    FakeDatabase database;
    RecordingBrowser browser;
    AlertRecorder alerts;
    setStationConfig(configWith("docs.lab.local", browser.program()));
    database.script(FakeDatabase::rows(kDocumentColumns, {{"Spectro;PrtCount;", " LWI-0412 ", " pdf  ", "Counts"},
                                                          {"PrtCount;", "LWI-9999", "htm", "second row"}}));

    isoModule::Open_ISO_Document(QStringLiteral(" PrtCount "));

    EXPECT_EQ(database.last(), "select * from sop.dbo.documents (nolock) where charindex('PrtCount;', Test_Group) > 0");
    EXPECT_EQ(browser.opened(5000), "http://docs.lab.local/Feldspire//ISO9001-2000/LWI/LWI-0412.pdf") << "only the first row counts";
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST(IsoModuleTest, NoDocumentOrNoTypeOpensNothingAndSaysNothing)
{
    FakeDatabase database;
    RecordingBrowser browser;
    AlertRecorder alerts;
    setStationConfig(configWith("docs.lab.local", browser.program()));
    database.script(FakeDatabase::noRows(kDocumentColumns));
    isoModule::Open_ISO_Document(QStringLiteral("PrtCount"));
    database.script(FakeDatabase::rows(kDocumentColumns, {{"PrtCount;", "LWI-1", QVariant(), "no type"}}));
    isoModule::Open_ISO_Document(QStringLiteral("PrtCount"));

    EXPECT_EQ(database.statements().size(), 2);
    EXPECT_EQ(browser.opened(300), "");
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST(IsoModuleTest, TypedQuoteInTheTestGroupStaysText)
{
    FakeDatabase database;
    database.script(FakeDatabase::noRows(kDocumentColumns));
    isoModule::Open_ISO_Document(QStringLiteral("Prt'Count"));
    EXPECT_EQ(database.last(), "select * from sop.dbo.documents (nolock) where charindex('Prt''Count;', Test_Group) > 0");
}

TEST(IsoModuleTest, BrowserThatCannotStartIsReportedAndTheStationGoesOn)
{
    FakeDatabase database;
    AlertRecorder alerts;
    database.setDefault(FakeDatabase::rows(kDocumentColumns, {{"PrtCount;", "LWI-0412", "pdf", "Counts"}}));

    setStationConfig(configWith("docs.lab.local", "/nonexistent/browser --new-window"));
    isoModule::Open_ISO_Document(QStringLiteral("PrtCount"));
    ASSERT_EQ(alerts.messages.size(), 1);
    EXPECT_TRUE(alerts.messages[0].startsWith("The work instruction cannot be opened."));
    EXPECT_TRUE(alerts.messages[0].contains("/nonexistent/browser"));

    // Without a document server there is no address to open.
    setStationConfig(configWith("", "xdg-open"));
    isoModule::Open_ISO_Document(QStringLiteral("PrtCount"));
    ASSERT_EQ(alerts.messages.size(), 2);
    EXPECT_TRUE(alerts.messages[1].contains("no document server"));

    // A program that starts but gives up (xdg-open on a desktop without a browser
    // ends with code 3) is told once it has ended; the station went on meanwhile.
    QTemporaryDir dir;
    QFile script(dir.filePath("no-browser.sh"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexit 3\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    setStationConfig(configWith("docs.lab.local", script.fileName()));
    isoModule::Open_ISO_Document(QStringLiteral("PrtCount"));
    EXPECT_EQ(alerts.messages.size(), 2);
    QElapsedTimer t;
    t.start();
    while (alerts.messages.size() < 3 && t.elapsed() < 5000) QTest::qWait(20);
    ASSERT_EQ(alerts.messages.size(), 3);
    EXPECT_TRUE(alerts.messages[2].startsWith("The work instruction cannot be opened."));
    EXPECT_TRUE(alerts.messages[2].contains("exit code 3"));
}

}  // namespace

// Two stations on one database file: locks, time-outs, and no double custody or
// double bath position when they race.
#include "lab_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <fcntl.h>
#include <linux/fs.h>
#include <sqlite3.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class TwoStations : public LabDb {};

TEST_F(TwoStations, LockHeldLongerThanTheCommandTimeoutIsATimeout)
{
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE; UPDATE racks SET RACK_STATUS = 'x' WHERE 0;", nullptr, nullptr, nullptr), SQLITE_OK);

    cn.setCommandTimeout(1);
    const QString before = snapshot();
    const db::DbError e = fails(QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = 501, @emp_num = 101, "
                                               "@station = 'PARTICLE COUNT', @action = 'GET'"));
    EXPECT_EQ(e.number, db::kQueryTimeoutNumber);
    EXPECT_EQ(e.sqlState, QStringLiteral("HYT00"));
    // Readers are not held up by the other station's write.
    EXPECT_EQ(ok(QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'PrtCount' , 0, 0, 0")).rowCount(), 5);

    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(ok(QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = 501, @emp_num = 101, @station = 'PARTICLE COUNT', "
                                "@action = 'GET'"))
                  .value(QStringLiteral("ERROR"))
                  .toInt(),
              0);
}

// Runs the statement on `count` connections at once; how many answered ERROR 0.
int racing(const QString& connection, const QList<QString>& statements)
{
    std::atomic<int> granted{0};
    std::atomic<int> failed{0};
    std::vector<std::thread> threads;
    for (const QString& sql : statements) {
        threads.emplace_back([&, sql] {
            labdb::EmbeddedConnection c;
            c.setCommandTimeout(10);
            db::Recordset rs;
            if (!c.open(connection, QString(), QString()) || !c.execute(sql, &rs)) {
                ++failed;
                return;
            }
            if (rs.value(QStringLiteral("ERROR")).toInt() == 0) ++granted;
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(failed.load(), 0);
    return granted.load();
}

TEST_F(TwoStations, OnlyOneStationGetsARack)
{
    QList<QString> calls;
    for (int i = 0; i < 6; ++i)
        calls << QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = 503, @emp_num = %1, @station = 'STATION %2', @action = 'GET'")
                     .arg(101 + i % 3)
                     .arg(i);
    EXPECT_EQ(racing(connectionString(), calls), 1);
}

TEST_F(TwoStations, OnlyOneSampleGetsABathPosition)
{
    QList<QString> calls;
    for (int p = 1; p <= 8; ++p)
        calls << QStringLiteral("exec labrack.dbo.set_PC_Bath @sampleId = '%1', @extra = 'RD=R1004RID=504', @empNum = 101, @position = 20, "
                                "@action = 'ADD', @test = 0")
                     .arg(labNumberAt("R1004", p == 4 ? 10 : p));
    EXPECT_EQ(racing(connectionString(), calls), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM pc_batch_details WHERE POSITION = 20").toInt(), 1);
}

TEST(Opening, KeptHandleIsNotUsedForANewFileAtTheSamePath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lab.db"));
    const QString login = QStringLiteral("exec lab.dbo.validate_password @UserPassword = 'demo1'");
    QString error;
    ASSERT_TRUE(labdb::createDatabase(path, true, &error));
    {
        labdb::EmbeddedConnection c;
        ASSERT_TRUE(c.open(QStringLiteral("EMBEDDED=") + path, QString(), QString()));
        db::Recordset rs;
        ASSERT_TRUE(c.execute(login, &rs));
        EXPECT_EQ(rs.rowCount(), 1);
    }  // the handle is kept for the next call
    for (const char* suffix : {"", "-wal", "-shm"}) QFile::remove(path + QString::fromLatin1(suffix));
    labdb::EmbeddedConnection c;
    EXPECT_FALSE(c.open(QStringLiteral("EMBEDDED=") + path, QString(), QString()));
    ASSERT_TRUE(labdb::createDatabase(path, false, &error));  // empty laboratory
    ASSERT_TRUE(c.open(QStringLiteral("EMBEDDED=") + path, QString(), QString()));
    db::Recordset rs;
    ASSERT_TRUE(c.execute(login, &rs));
    EXPECT_EQ(rs.rowCount(), 0);
}

TEST(Opening, MissingFileIsNotCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("labdata.db"));
    labdb::EmbeddedConnection c;
    EXPECT_FALSE(c.open(QStringLiteral("EMBEDDED=") + path, QString(), QString()));
    ASSERT_FALSE(c.errors().isEmpty());
    // The technician is told to put the file back, not to make an empty one beside it.
    EXPECT_EQ(c.errors().first().description,
              QStringLiteral("The laboratory database file %1 is missing. Restore it from its backup to that place; the station does "
                             "not make a new one. (labdb init only makes the database of a new station.)")
                  .arg(path));
    EXPECT_FALSE(QFileInfo::exists(path));
    db::Recordset rs;
    EXPECT_FALSE(c.execute(QStringLiteral("exec lab.dbo.validate_password @UserPassword = 'demo1'"), &rs));
}

// Sets or clears a file's immutable flag, which stops root too; false where the
// flag cannot be changed here.
bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    int flags = 0;
    bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
    return done;
}

TEST(Opening, UnwritableFileIsRefusedUntilItIsWritableAgain)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("labdata.db"));
    const QString connection = QStringLiteral("EMBEDDED=") + path;
    QString error;
    ASSERT_TRUE(labdb::createDatabase(path, true, &error)) << error.toStdString();
    {
        labdb::EmbeddedConnection c;
        ASSERT_TRUE(c.open(connection, QString(), QString()));
        db::Recordset rs;
        ASSERT_TRUE(c.execute(QStringLiteral("exec lab.dbo.validate_password @UserPassword = 'demo1'"), &rs));
    }  // the handle is kept for the next call

    if (!setImmutable(path, true)) GTEST_SKIP() << "the file cannot be made immutable here (CAP_LINUX_IMMUTABLE)";
    struct Writable {
        QString path;
        ~Writable() { setImmutable(path, false); }  // also when an assertion fails
    } writableAtTheEnd{path};
    labdb::EmbeddedConnection c;
    EXPECT_FALSE(c.open(connection, QString(), QString()));
    ASSERT_EQ(c.errors().size(), 1);
    EXPECT_EQ(c.errors().first().sqlState, QStringLiteral("08004"));
    EXPECT_TRUE(c.errors().first().description.contains(path)) << c.errors().first().description.toStdString();

    ASSERT_TRUE(setImmutable(path, false));
    ASSERT_TRUE(c.open(connection, QString(), QString()));
    db::Recordset rs;
    ASSERT_TRUE(c.execute(QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = 501, @emp_num = 101, "
                                         "@station = 'PARTICLE COUNT', @action = 'GET'"),
                          &rs));
    EXPECT_EQ(rs.value(QStringLiteral("ERROR")).toInt(), 0);
}

TEST(Opening, OtherFilesAreNotLaboratoryDatabases)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("notes.db"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    labdb::EmbeddedConnection c;
    EXPECT_FALSE(c.open(QStringLiteral("EMBEDDED=") + text, QString(), QString()));
    EXPECT_FALSE(c.errors().isEmpty());

    const QString other = dir.filePath(QStringLiteral("other.db"));
    {
        labdb::Database d;
        d.open(other, true, 1000);
        d.script("CREATE TABLE t (a)");
    }
    EXPECT_FALSE(c.open(QStringLiteral("EMBEDDED=") + other, QString(), QString()));
    QString error;
    EXPECT_FALSE(labdb::createDatabase(other, true, &error));  // never over an existing file
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace

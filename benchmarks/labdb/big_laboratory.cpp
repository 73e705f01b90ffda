#include "big_laboratory.h"

#include "labdb/demo_data.h"
#include "labdb/schema.h"
#include "labdb/sqlite_db.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

namespace bench {

namespace {

constexpr int kVersion = 3;          // raise when the schema or the data changes
constexpr int kRackSamples = 20000;  // the newest samples stand on racks
constexpr int kOutstanding = 3000;   // the newest of those still need a count
constexpr int kRunsPerSample = kCounts / kSamples;

void generate(const QString& path)
{
    labdb::Database db;
    db.open(path, true, 5000);
    db.script("PRAGMA journal_mode = WAL; PRAGMA synchronous = OFF;");
    db.script("BEGIN");
    labdb::createSchema(db);
    const QDateTime now = labdb::currentTime();
    labdb::loadDemoData(db, now);

    const QString lab = QString::fromLatin1(labdb::demo::kLabCode);
    const char* const priorities[] = {"NORMAL", "NORMAL", "NORMAL", "RUSH", "CRITICAL", "URGENT", "RETEST"};
    const int firstRack = 1000;
    for (int r = 0; r < kRackSamples / 20; ++r)
        db.exec("INSERT INTO racks (RACK_ID, RACK_DESC, LAB_CODE, RACK_STATUS) VALUES (?, ?, ?, 'Available')",
                {firstRack + r, QStringLiteral("B%1").arg(r, 5, 10, QLatin1Char('0')), lab});
    qlonglong testId = db.scalar("SELECT max(TEST_ID) FROM lab_tracking").toLongLong();
    for (int n = 1; n <= kSamples; ++n) {
        const QDateTime received = now.addSecs(-qint64(kSamples - n) * 600);
        db.exec("INSERT INTO samples (LAB_NUMBER, LAB_CODE, COMPONENT_CODE, RECEIVED_DATETIME, PRIORITY, DOPICTURE) VALUES (?, ?, 'ENG', ?, ?, 0)",
                {benchLabNumber(n), lab, received, QString::fromLatin1(priorities[n % 7])});
        const qlonglong labId = db.lastInsertId();
        const int fromNewest = kSamples - n;
        if (fromNewest < kRackSamples)
            db.exec("INSERT INTO rack_positions (RACK_ID, POSITION, LAB_ID) VALUES (?, ?, ?)",
                    {firstRack + fromNewest / 20, fromNewest % 20 + 1, labId});
        for (int run = 1; run <= kRunsPerSample; ++run) {
            const QDateTime at = received.addSecs(run * 30);
            db.exec("INSERT INTO lab_tracking (TEST_ID, LAB_ID, TEST_GROUP, RUN_NO, STATUS, DATE_ADDED, DATE_COMPLETED, EMP_NUM)"
                    " VALUES (?, ?, 'PrtCount', ?, 'DONE', ?, ?, 101)",
                    {++testId, labId, run, at, at});
            const int code = 10 + (n + run) % 12;
            db.exec("INSERT INTO pc_counts (TEST_ID, LAB_ID, RUN_NO, INSTRUMENT_ID, FILENAME, METHOD, SAMPLE_VOLUME, PC2M, PC5M, PC15M,"
                    " PC25M, PC50M, PC100M, PC200M, ISO_2, ISO_5, ISO_15, EMP_NUM, COUNT_DATETIME)"
                    " VALUES (?, ?, ?, 'PC002', 'USER_INTERFACE', 'ISO4406', 20, 9000, 2000, 300, 90, 20, 2, 0, ?, ?, ?, 101, ?)",
                    {testId, labId, run, code + 2, code, code - 3, at});
        }
        if (fromNewest < kOutstanding)
            db.exec("INSERT INTO lab_tracking (TEST_ID, LAB_ID, TEST_GROUP, RUN_NO, STATUS, DATE_ADDED) VALUES (?, ?, 'PrtCount', ?, 'READY', ?)",
                    {++testId, labId, kRunsPerSample + 1, now});
    }
    db.script("COMMIT");
    db.script("PRAGMA wal_checkpoint(TRUNCATE);");
}

}  // namespace

QString benchLabNumber(int n) { return QStringLiteral("05%1").arg(n, 6, 10, QLatin1Char('0')); }

QString bigLaboratoryCopy()
{
    const QString folder = QDir::temp().filePath(QStringLiteral("labdb-bench"));
    QDir().mkpath(folder);
    const QString master = QDir(folder).filePath(QStringLiteral("big-lab-v%1.db").arg(kVersion));
    if (!QFile::exists(master)) {
        QTextStream(stderr) << "Generating the large laboratory in " << master << " ...\n";
        QElapsedTimer t;
        t.start();
        const QString partial = master + QStringLiteral(".part");
        QFile::remove(partial);
        generate(partial);
        QFile::remove(partial + QStringLiteral("-wal"));
        QFile::remove(partial + QStringLiteral("-shm"));
        QFile::rename(partial, master);
        QTextStream(stderr) << "... done in " << t.elapsed() / 1000.0 << " s\n";
    }
    const QString copy = QDir(folder).filePath(QStringLiteral("work.db"));
    for (const char* suffix : {"", "-wal", "-shm"}) QFile::remove(copy + QString::fromLatin1(suffix));
    QFile::copy(master, copy);
    return copy;
}

}  // namespace bench

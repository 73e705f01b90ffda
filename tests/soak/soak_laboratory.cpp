#include "soak_laboratory.h"

#include "labdb/demo_data.h"
#include "labdb/sqlite_db.h"

#include <exception>

namespace soak {

QString soakLabNumber(int n) { return QStringLiteral("06%1").arg(n, 6, 10, QLatin1Char('0')); }

bool addSampleRacks(const QString& databasePath, int samples, QString* error)
{
    try {
        labdb::Database db;
        db.open(databasePath, false, 5000);
        db.script("BEGIN");
        const QString lab = QString::fromLatin1(labdb::demo::kLabCode);
        const QDateTime now = labdb::currentTime();
        const qlonglong firstRack = db.scalar("SELECT coalesce(max(RACK_ID), 0) + 1 FROM racks").toLongLong();
        qlonglong testId = db.scalar("SELECT coalesce(max(TEST_ID), 0) FROM lab_tracking").toLongLong();
        const int racks = (samples + 19) / 20;
        for (int r = 0; r < racks; ++r)
            db.exec("INSERT INTO racks (RACK_ID, RACK_DESC, LAB_CODE, RACK_STATUS) VALUES (?, ?, ?, 'Available')",
                    {firstRack + r, QStringLiteral("S%1").arg(r + 1, 4, 10, QLatin1Char('0')), lab});
        for (int n = 0; n < racks * 20; ++n) {
            db.exec("INSERT INTO samples (LAB_NUMBER, LAB_CODE, COMPONENT_CODE, RECEIVED_DATETIME, PRIORITY, DOPICTURE)"
                    " VALUES (?, ?, 'ENG', ?, 'NORMAL', 0)",
                    {soakLabNumber(n + 1), lab, now.addSecs(-3600 - n)});
            const qlonglong labId = db.lastInsertId();
            db.exec("INSERT INTO rack_positions (RACK_ID, POSITION, LAB_ID) VALUES (?, ?, ?)", {firstRack + n / 20, n % 20 + 1, labId});
            db.exec("INSERT INTO lab_tracking (TEST_ID, LAB_ID, TEST_GROUP, RUN_NO, STATUS, DATE_ADDED)"
                    " VALUES (?, ?, 'PrtCount', 1, 'READY', ?)",
                    {++testId, labId, now.addSecs(-3600)});
        }
        db.script("COMMIT");
        return true;
    } catch (const std::exception& e) {
        if (error) *error = QString::fromUtf8(e.what());
        return false;
    }
}

}  // namespace soak

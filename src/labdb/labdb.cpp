#include "labdb/labdb.h"

#include "labdb/demo_data.h"
#include "labdb/embedded_connection.h"
#include "labdb/schema.h"
#include "platform/db/station_connection.h"

#include <QFile>
#include <QFileInfo>

namespace labdb {

void registerEmbeddedBackend()
{
    db::registerEmbeddedBackend([] { return std::make_unique<EmbeddedConnection>(); });
}

bool createDatabase(const QString& path, bool withDemo, QString* error)
{
    if (QFileInfo::exists(path)) {
        if (error) *error = QStringLiteral("%1 already exists; the laboratory database was not created.").arg(path);
        return false;
    }
    try {
        Database db;
        db.open(path, true, 5000);
        db.script("PRAGMA journal_mode = WAL;");
        configureConnection(db);
        db.script("BEGIN IMMEDIATE");
        createSchema(db);
        if (withDemo) loadDemoData(db, currentTime());
        db.script("COMMIT");
        return true;
    } catch (const std::exception& e) {
        if (error)
            *error = QStringLiteral("The laboratory database %1 could not be created: %2").arg(path, QString::fromLocal8Bit(e.what()));
    }
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    return false;
}

}  // namespace labdb

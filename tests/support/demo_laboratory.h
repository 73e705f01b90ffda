#pragma once

#include "common/db_module.h"
#include "labdb/connection_pool.h"
#include "labdb/labdb.h"
#include "labdb/sqlite_db.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A fresh demo laboratory database in a folder of its own, which the station's
// gateway reaches for as long as this lives. Tests shape the demo data through
// change() before they act.
class DemoLaboratory {
public:
    DemoLaboratory()
    {
        path_ = dir_.filePath(QStringLiteral("labdata.db"));
        QString error;
        created_ = labdb::createDatabase(path_, true, &error);
        EXPECT_TRUE(created_) << error.toStdString();
        previous_ = dbModule::Conn_String;
        connect();
    }
    ~DemoLaboratory()
    {
        dbModule::Conn_String = previous_;
        labdb::ConnectionPool::clear();  // no handle outlives the folder
    }
    DemoLaboratory(const DemoLaboratory&) = delete;
    DemoLaboratory& operator=(const DemoLaboratory&) = delete;

    // Points the gateway at this database (again, after something else moved it).
    void connect() { dbModule::Conn_String = QStringLiteral("EMBEDDED=") + path_; }

    int change(const QByteArray& sql, const labdb::Params& params = {})
    {
        labdb::Database db;
        db.open(path_, false, 5000);
        return db.exec(sql, params);
    }
    QVariant scalar(const QByteArray& sql, const labdb::Params& params = {})
    {
        labdb::Database db;
        db.open(path_, false, 5000);
        return db.scalar(sql, params);
    }
    QList<QVariantList> rows(const QByteArray& sql, const labdb::Params& params = {})
    {
        labdb::Database db;
        db.open(path_, false, 5000);
        return db.rows(sql, params);
    }

    // The lab number of the sample at a position of a demo rack.
    QString labNumberAt(const QString& rackDesc, int position)
    {
        return scalar("SELECT s.LAB_NUMBER FROM rack_positions p JOIN racks r ON r.RACK_ID = p.RACK_ID"
                      " JOIN samples s ON s.LAB_ID = p.LAB_ID WHERE r.RACK_DESC = ? AND p.POSITION = ?",
                      {rackDesc, position})
            .toString();
    }

    bool created() const { return created_; }

private:
    QTemporaryDir dir_;
    QString path_;
    QString previous_;
    bool created_ = false;
};

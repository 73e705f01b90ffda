#pragma once

#include "labdb/embedded_connection.h"
#include "labdb/labdb.h"
#include "labdb/sqlite_db.h"
#include "platform/db/recordset.h"
#include "platform/db/station_connection.h"
#include "qstring_printer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// A fresh demo laboratory database in a temporary folder, and a connection to it.
class LabDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("lab.db"));
        QString error;
        ASSERT_TRUE(labdb::createDatabase(path, true, &error)) << error.toStdString();
        ASSERT_TRUE(cn.open(connectionString(), QString(), QString()));
    }

    QString connectionString() const { return QString::fromLatin1(db::kEmbeddedPrefix) + path; }

    // Runs a statement that must succeed; its answer.
    db::Recordset ok(const QString& sql)
    {
        db::Recordset rs;
        const bool done = cn.execute(sql, &rs);
        EXPECT_TRUE(done) << sql.toStdString() << "\n" << errorText().toStdString();
        return rs;
    }

    // Runs a statement that must fail; its first error.
    db::DbError fails(const QString& sql)
    {
        db::Recordset rs;
        EXPECT_FALSE(cn.execute(sql, &rs)) << sql.toStdString();
        EXPECT_FALSE(rs.isOpen());
        return cn.errors().isEmpty() ? db::DbError{} : cn.errors().first();
    }

    QString errorText() const
    {
        QString s;
        for (const db::DbError& e : cn.errors()) s += QString::number(e.number) + QLatin1Char(' ') + e.description + QLatin1Char('\n');
        return s;
    }

    // Direct access to the file, beside the station's connection.
    QVariant scalar(const QByteArray& sql, const labdb::Params& params = {})
    {
        labdb::Database raw;
        raw.open(path, false, 5000);
        return raw.scalar(sql, params);
    }
    void rawExec(const QByteArray& sql, const labdb::Params& params = {})
    {
        labdb::Database raw;
        raw.open(path, false, 5000);
        raw.exec(sql, params);
    }

    // Every row of every table, to show that a statement changed nothing.
    QString snapshot()
    {
        labdb::Database raw;
        raw.open(path, false, 5000);
        return snapshot(raw);
    }
    // The same through a handle already open on the file.
    static QString snapshot(labdb::Database& raw)
    {
        QString out;
        for (const QVariantList& t : raw.rows("SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name")) {
            out += t[0].toString() + QLatin1Char('\n');
            for (const QVariantList& r : raw.rows("SELECT * FROM \"" + t[0].toString().toUtf8() + "\"")) {
                for (const QVariant& v : r) out += v.toString() + QLatin1Char('|');
                out += QLatin1Char('\n');
            }
        }
        return out;
    }

    // The lab number of the sample at a position of a demo rack.
    QString labNumberAt(const char* rack, int position)
    {
        return scalar("SELECT s.LAB_NUMBER FROM rack_positions p JOIN racks r ON r.RACK_ID = p.RACK_ID JOIN samples s ON "
                      "s.LAB_ID = p.LAB_ID WHERE r.RACK_DESC = ? AND p.POSITION = ?",
                      {QString::fromLatin1(rack), position})
            .toString();
    }

    QTemporaryDir dir;
    QString path;
    labdb::EmbeddedConnection cn;
};

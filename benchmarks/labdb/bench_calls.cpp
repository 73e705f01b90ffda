// Each call the particle-count station makes, through the station's own gateway
// (a fresh connection per call, as the station does), on the large laboratory.
#include "big_laboratory.h"

#include "common/db_module.h"
#include "labdb/labdb.h"
#include "platform/db/station_connection.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

const QString kLab = QStringLiteral("ZIVIRUZEZ");

// The bench's rack holds the newest samples; the first of them has many counts.
QString rackSample(int position) { return bench::benchLabNumber(bench::kSamples - (position - 1)); }

db::Recordset call(const QString& sql) { return dbModule::Get_Recordset(sql, false); }

void query(benchmark::State& state, const QString& sql)
{
    const db::Recordset first = call(sql);
    if (!first.isOpen() || first.eof()) {
        state.SkipWithError("the call answered no rows");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(call(sql));
}

QString custody(const char* action)
{
    return QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = 1000, @emp_num = 101, @station = 'PARTICLE COUNT', @action = '%1'")
        .arg(QString::fromLatin1(action));
}

QString bath(const char* action, int position, const QString& sample)
{
    return QStringLiteral("exec labrack.dbo.set_PC_Bath @sampleId = '%1', @extra = %2, @empNum = 101, @position = %3, @action = '%4', @test = 0")
        .arg(sample, qstrcmp(action, "ADD") == 0 ? QStringLiteral("'RD=B00000RID=1000'") : QStringLiteral("null"))
        .arg(position)
        .arg(QString::fromLatin1(action));
}

QString importCount(const QString& sample)
{
    return QStringLiteral("exec Lab.dbo.import_PC002 @labnumber = '%1', @instrumentid = 'PC002', @filename = 'USER_INTERFACE', "
                          "@labcode = 'ZIVIRUZEZ', @method = 'ISO4406', @sampleVolume = '20', @factorVolume = 1, @pc2m = '4446', "
                          "@pc5m = '908', @pc15m = '51', @pc25m = '13', @pc50m = '0', @pc100m = '0', @pc200m = '0', @empnum = 101, @test = 'N' ")
        .arg(sample);
}

QString redo(const QString& sample)
{
    return QStringLiteral("exec Lab.dbo.labtrack_inserttest  @labnumber = '%1', @labcode = 'ZIVIRUZEZ', @testgrp = 'PrtCount', "
                          "@class = 'REDO', @comments = 'Test inserted by technician (Anna Berg)',@return_status = 'Y'")
        .arg(sample);
}

QString removal(const QString& sample)
{
    return QStringLiteral("exec lab.dbo.labtrack_testaction @labnumber = '%1', @empnum = 101, @labcode = 'ZIVIRUZEZ', @testgrp = 'PrtCount', "
                          "@testaction = 'TOO_DARK' ")
        .arg(sample);
}

bool answered(const db::Recordset& rs, const char* column, const char* value)
{
    return rs.isOpen() && !rs.eof() && rs.value(QString::fromLatin1(column)).toString().trimmed() == QLatin1String(value);
}

// A write measured with its undoing step outside the timing.
void pair(benchmark::State& state, const QString& timed, const char* column, const char* value, const QString& undo)
{
    for (auto _ : state) {
        const db::Recordset rs = call(timed);
        state.PauseTiming();
        if (!answered(rs, column, value)) {
            state.SkipWithError(timed.toUtf8().constData());
            break;
        }
        call(undo);
        state.ResumeTiming();
    }
}

void registerAll()
{
    const auto add = [](const char* name, auto fn) {
        benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
    };
    const QString sample = rackSample(1);
    add("validate_password", [](benchmark::State& s) {
        query(s, QStringLiteral("exec lab.dbo.validate_password @source = 'Zolt', @UserPassword = 'demo1', @labcode = 'ZIVIRUZEZ'"));
    });
    add("outstanding_rackTests", [](benchmark::State& s) {
        query(s, QStringLiteral("exec labrack.dbo.outstanding_rackTests @rack_desc = 'B00000', @test_group = 'PrtCount'"));
    });
    add("get_rack_priority", [](benchmark::State& s) { query(s, QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'PrtCount' , 0, 0, 0")); });
    add("outstanding_racks", [](benchmark::State& s) {
        query(s, QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' , @priority = null"));
    });
    add("outstanding_racks RUSH", [](benchmark::State& s) {
        query(s, QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' , @priority = 'RUSH'"));
    });
    add("TBL_TestGroup_Count", [](benchmark::State& s) {
        query(s, QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', 'PrtCount') "));
    });
    add("Get_RackSample", [sample](benchmark::State& s) {
        query(s, QStringLiteral("exec labrack.dbo.Get_RackSample  @lab_number = '%1', @lab_code = 'ZIVIRUZEZ', @lab_id = null, "
                                "@test_group = 'PrtCount', @weight_required = 0, @showWeighed = 0, @status = 'READY', @test = 'n' ")
                     .arg(sample));
    });
    add("Lab_Software", [](benchmark::State& s) {
        query(s, QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software (nolock) WHERE  name = 'PARTICLE_COUNT' "));
    });
    add("Lab_Software_Settings", [](benchmark::State& s) {
        query(s, QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software_Settings (nolock) WHERE  software_id = 1 AND    type = 'NORMAL' "
                                "ORDER BY     software_id, Setting"));
    });
    add("sop documents", [](benchmark::State& s) {
        query(s, QStringLiteral("select * from sop.dbo.documents (nolock) where charindex('PrtCount;', Test_Group) > 0"));
    });
    add("get_batch_samples", [](benchmark::State& s) {
        query(s, QStringLiteral("exec labrack.dbo.get_batch_samples @batch_id = null, @lab_code = 'ZIVIRUZEZ', @instrument_id = 'PC002', "
                                "@test_group = 'PrtCount'"));
    });
    add("get_pc_history", [sample](benchmark::State& s) {
        query(s, QStringLiteral("exec labrack.dbo.get_pc_history 'ZIVIRUZEZ', '%1'").arg(sample));
    });
    add("Get_PC_Bath_OldestRack", [](benchmark::State& s) {
        query(s, QStringLiteral("exec labrack.dbo.Get_PC_Bath_OldestRack @labcode = 'ZIVIRUZEZ'"));
    });
    add("rack_acquisition_upd GET", [](benchmark::State& s) { pair(s, custody("GET"), "ERROR", "0", custody("PUT")); });
    add("rack_acquisition_upd PUT", [](benchmark::State& s) { pair(s, custody("PUT"), "ERROR", "0", custody("GET")); });
    const QString bathSample = rackSample(2);
    add("set_PC_Bath ADD", [bathSample](benchmark::State& s) {
        pair(s, bath("ADD", 30, bathSample), "ERROR", "0", bath("DELETE", 30, bathSample));
    });
    add("set_PC_Bath DELETE", [bathSample](benchmark::State& s) {
        call(bath("ADD", 30, bathSample));
        pair(s, bath("DELETE", 30, bathSample), "ERROR", "0", bath("ADD", 30, bathSample));
        call(bath("DELETE", 30, bathSample));
    });
    const QString counted = rackSample(3);
    add("import_PC002", [counted](benchmark::State& s) { pair(s, importCount(counted), "STATUS", "DONE", redo(counted)); });
    add("labtrack_inserttest", [counted](benchmark::State& s) {
        call(importCount(counted));
        pair(s, redo(counted), "STATUS", "READY", importCount(counted));
    });
    add("labtrack_testaction", [counted](benchmark::State& s) {
        call(redo(counted));
        pair(s, removal(counted), "LAB_STATUS", "DONE", redo(counted));
    });
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    labdb::registerEmbeddedBackend();
    dbModule::Conn_String = QString::fromLatin1(db::kEmbeddedPrefix) + bench::bigLaboratoryCopy();
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

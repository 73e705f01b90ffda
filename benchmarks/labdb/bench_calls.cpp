// Each call the particle-count station makes, through the station's own gateway
// (a fresh connection per call, as the station does), on the large laboratory.
// Beside each call, "raw:" runs the very SQLite statements that call ran (caught
// with SQLite's trace, values filled in) on a plain handle on the same file,
// stepping every row and reading every column; a write is rolled back instead of
// committed there, so its raw time leaves out the commit. The table at the end
// gives each call's gateway time over its raw time: the cost of the statement
// reader, the procedure code and the gateway.
#include "big_laboratory.h"
#include "raw_replay.h"

#include "common/db_module.h"
#include "labdb/labdb.h"
#include "platform/db/station_connection.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace {

const QString kLab = QStringLiteral("ZIVIRUZEZ");
QString gLabFile;  // canonical path of the working copy

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

// The statements a call ran, replayed on a plain handle; `undo` puts a write back.
void raw(benchmark::State& state, const QString& sql, const QString& undo = QString())
{
    call(QString());  // an empty statement: a kept handle for the file and nothing run
    const QStringList statements = bench::traceStatements(gLabFile, [&] { call(sql); });
    if (!undo.isEmpty()) call(undo);
    if (statements.isEmpty()) {
        state.SkipWithError("no statement was caught");
        return;
    }
    bench::RawReplay replay(gLabFile, statements);
    for (auto _ : state) replay.run();
}

QString custody(const char* action)
{
    return QStringLiteral("exec labrack.dbo.rack_acquisition_upd @rack_id = 1000, @emp_num = 101, @station = 'PARTICLE COUNT', @action = '%1'")
        .arg(QString::fromLatin1(action));
}

QString bath(const char* action, int position, const QString& sample)
{
    return QStringLiteral(
               "exec labrack.dbo.set_PC_Bath @sampleId = '%1', @extra = %2, @empNum = 101, @position = %3, @action = '%4', @test = 0")
        .arg(sample, qstrcmp(action, "ADD") == 0 ? QStringLiteral("'RD=B00000RID=1000'") : QStringLiteral("null"))
        .arg(position)
        .arg(QString::fromLatin1(action));
}

QString importCount(const QString& sample)
{
    return QStringLiteral(
               "exec Lab.dbo.import_PC002 @labnumber = '%1', @instrumentid = 'PC002', @filename = 'USER_INTERFACE', "
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

// Reads and writes registered with their raw twin.
struct Registrar {
    template <class F>
    void add(const std::string& name, F fn) const
    {
        benchmark::RegisterBenchmark(name.c_str(), fn)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
    }
    void read(const char* name, const QString& sql) const
    {
        add(name, [sql](benchmark::State& s) { query(s, sql); });
        add(std::string("raw: ") + name, [sql](benchmark::State& s) { raw(s, sql); });
    }
    void write(const char* name, const QString& timed, const char* column, const char* value, const QString& undo,
               const QString& before = QString(), const QString& after = QString()) const
    {
        add(name, [=](benchmark::State& s) {
            if (!before.isEmpty()) call(before);
            pair(s, timed, column, value, undo);
            if (!after.isEmpty()) call(after);
        });
        add(std::string("raw: ") + name, [=](benchmark::State& s) {
            if (!before.isEmpty()) call(before);
            raw(s, timed, undo);
            if (!after.isEmpty()) call(after);
        });
    }
};

// Medians as they come, and at the end each call's gateway time over its raw time.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                medians_[r.run_name.function_name] = r.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-28s %12s %12s %8s\n", "call", "gateway us", "raw us", "ratio");
        for (const auto& [name, gateway] : medians_) {
            const auto raw = medians_.find("raw: " + name);
            if (name.rfind("raw: ", 0) == 0 || raw == medians_.end()) continue;
            std::printf("%-28s %12.1f %12.1f %8.2f\n", name.c_str(), gateway, raw->second, gateway / raw->second);
        }
    }

private:
    std::map<std::string, double> medians_;
};

void registerAll()
{
    const Registrar r;
    const QString sample = rackSample(1);
    r.read("validate_password",
           QStringLiteral("exec lab.dbo.validate_password @source = 'Zolt', @UserPassword = 'demo1', @labcode = 'ZIVIRUZEZ'"));
    r.read("outstanding_rackTests", QStringLiteral("exec labrack.dbo.outstanding_rackTests @rack_desc = 'B00000', @test_group = 'PrtCount'"));
    r.read("get_rack_priority", QStringLiteral("labrack.dbo.get_rack_priority 'ZIVIRUZEZ' , 'PrtCount' , 0, 0, 0"));
    r.read("outstanding_racks",
           QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' , @priority = null"));
    r.read("outstanding_racks RUSH",
           QStringLiteral("labrack.dbo.outstanding_racks  @lab_code = 'ZIVIRUZEZ' , @test_group = 'PrtCount' , @priority = 'RUSH'"));
    r.read("TBL_TestGroup_Count", QStringLiteral("select * from labrack.dbo.TBL_TestGroup_Count('ZIVIRUZEZ', 'PrtCount') "));
    r.read("Get_RackSample",
           QStringLiteral("exec labrack.dbo.Get_RackSample  @lab_number = '%1', @lab_code = 'ZIVIRUZEZ', @lab_id = null, "
                          "@test_group = 'PrtCount', @weight_required = 0, @showWeighed = 0, @status = 'READY', @test = 'n' ")
               .arg(sample));
    r.read("Lab_Software", QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software (nolock) WHERE  name = 'PARTICLE_COUNT' "));
    r.read("Lab_Software_Settings", QStringLiteral("SELECT * FROM   labrack.dbo.Lab_Software_Settings (nolock) WHERE  software_id = 1 AND    "
                                                   "type = 'NORMAL' ORDER BY     software_id, Setting"));
    r.read("sop documents", QStringLiteral("select * from sop.dbo.documents (nolock) where charindex('PrtCount;', Test_Group) > 0"));
    r.read("get_batch_samples", QStringLiteral("exec labrack.dbo.get_batch_samples @batch_id = null, @lab_code = 'ZIVIRUZEZ', "
                                               "@instrument_id = 'PC002', @test_group = 'PrtCount'"));
    r.read("get_pc_history", QStringLiteral("exec labrack.dbo.get_pc_history 'ZIVIRUZEZ', '%1'").arg(sample));
    r.read("Get_PC_Bath_OldestRack", QStringLiteral("exec labrack.dbo.Get_PC_Bath_OldestRack @labcode = 'ZIVIRUZEZ'"));
    r.write("rack_acquisition_upd GET", custody("GET"), "ERROR", "0", custody("PUT"));
    r.write("rack_acquisition_upd PUT", custody("PUT"), "ERROR", "0", custody("GET"));
    const QString bathSample = rackSample(2);
    r.write("set_PC_Bath ADD", bath("ADD", 30, bathSample), "ERROR", "0", bath("DELETE", 30, bathSample));
    r.write("set_PC_Bath DELETE", bath("DELETE", 30, bathSample), "ERROR", "0", bath("ADD", 30, bathSample), bath("ADD", 30, bathSample),
            bath("DELETE", 30, bathSample));
    const QString counted = rackSample(3);
    r.write("import_PC002", importCount(counted), "STATUS", "DONE", redo(counted));
    r.write("labtrack_inserttest", redo(counted), "STATUS", "READY", importCount(counted), importCount(counted));
    r.write("labtrack_testaction", removal(counted), "LAB_STATUS", "DONE", redo(counted), redo(counted));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    labdb::registerEmbeddedBackend();
    const QString copy = bench::bigLaboratoryCopy();
    gLabFile = QFileInfo(copy).canonicalFilePath();
    dbModule::Conn_String = QString::fromLatin1(db::kEmbeddedPrefix) + copy;
    registerAll();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

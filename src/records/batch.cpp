#include "records/batch.h"

#include "common/common_module.h"
#include "common/db_module.h"
#include "common/sql_text.h"
#include "records/value_reading.h"

namespace {

QString quoted(const QString& text) { return sqlQuoted(text.trimmed()); }

QString trimmedText(const QVariant& v) { return db::textOf(v).trimmed(); }

}  // namespace

db::Recordset Batch::Get_Batch_Samples(const QVariant& vBatch_id, const QString& vInstrument_Id, const QString& vLab_Code,
                                       const QString& vTest_Group)
{
    // The id goes into the statement unquoted, so only a number is ever sent.
    const QString batchId = records::isNumeric(vBatch_id) ? trimmedText(vBatch_id) : QStringLiteral("null");
    const QString sql = QStringLiteral("exec labrack.dbo.get_batch_samples @batch_id = ") + batchId + QStringLiteral(", ") +
                        QStringLiteral("@lab_code = ") + quoted(vLab_Code) + QStringLiteral(", ") + QStringLiteral("@instrument_id = ") +
                        quoted(vInstrument_Id) + QStringLiteral(", ") + QStringLiteral("@test_group = ") + quoted(vTest_Group);
    db::Recordset rs = dbModule::Get_Recordset(sql, true);
    if (!rs.eof()) {
        Sample.clear();
        for (; !rs.eof(); rs.moveNext()) {
            if (records::int16Of(rs.value(QStringLiteral("ERROR"))) != std::int16_t(0)) continue;
            Add_New_Batch_Sample(rs.value(QStringLiteral("DETAIL_ID")), rs.value(QStringLiteral("BATCH_ID")),
                                 rs.value(QStringLiteral("POSITION")), rs.value(QStringLiteral("SAMPLE_ID")),
                                 rs.value(QStringLiteral("RUN_NO")), rs.value(QStringLiteral("SAMPLE_TYPE")),
                                 rs.value(QStringLiteral("STATUS")), rs.value(QStringLiteral("WEIGHT")), rs.value(QStringLiteral("EXTRA")),
                                 rs.value(QStringLiteral("PRIORITY")));
        }
        rs.moveFirst();
    }
    return rs;
}

void Batch::Add_New_Batch_Sample(const QVariant& vDetail_id, const QVariant& vBatch_id, const QVariant& vPosition,
                                 const QVariant& vSample_Id, const QVariant& vRun_no, const QVariant& vSample_Type, const QVariant&,
                                 const QVariant& vWeight, const QVariant& vExtra, const QVariant& vPriority)
{
    Samples s;
    s.Detail_Id = vDetail_id;
    s.Batch_Id = vBatch_id;
    s.Position = records::int16Of(vPosition).value_or(0);
    s.Sample_ID = trimmedText(vSample_Id);
    s.Sample_Type = trimmedText(vSample_Type);
    s.Run_No = vRun_no;
    s.Weight = trimmedText(vWeight);
    s.Extra = trimmedText(vExtra);
    s.Priority = db::textOf(vPriority);
    Sample.append(s);
}

db::Recordset Batch::Get_Available_Racks(const QString& InstrumentId, const QString& TestGroup)
{
    const QString sql = QStringLiteral("exec labrack.dbo.get_BatchRacks_Available @instrument_id = ") + quoted(InstrumentId) +
                        QStringLiteral(", @test_group = ") + quoted(TestGroup);
    return dbModule::Get_Recordset(sql, true);
}

bool Batch::Del_Sample_Position(const QVariant&, const QVariant&) { return true; }

bool Batch::Set_Batch_Closed(const QVariant&, const QVariant&) { return true; }

bool Batch::Save_Batch(const QVariant&, const QVariant&, const QVariant&, const QString&)
{
    Batch_Id = commonModule::Curr_Batch_Id;
    Batch = db::textOf(commonModule::Curr_Batch_Name);
    return true;
}

namespace commonModule {

Batch& Curr_Batch()
{
    static Batch batch;
    return batch;
}

}  // namespace commonModule

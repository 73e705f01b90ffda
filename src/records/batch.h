#pragma once

#include "platform/db/recordset.h"
#include "records/samples.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <cstdint>

// The instrument batch: the samples that stand in the bench's bath, as the
// laboratory keeps them. Sample item k (1 to Count) is Sample[k - 1].
class Batch {
public:
    QVariant Batch_Id;
    QString Batch;  // the batch's name
    QString Instrument_Id;
    QString Lab_Code;
    QString Test_Group;
    std::int16_t Sample_Count = 0;
    QVariant Date_Created;
    QVariant Date_Updated;
    QVariant Date_Completed;
    QString Export_Dir;
    QList<Samples> Sample;

    // Reads the batch (the open one for a NULL id). When it has rows, Sample is
    // replaced by its rows without an error; the answer is handed back on its
    // first row, for the caller to walk and close.
    db::Recordset Get_Batch_Samples(const QVariant& vBatch_id, const QString& vInstrument_Id, const QString& vLab_Code,
                                    const QString& vTest_Group);

    // Appends one sample. Texts are trimmed and NULL texts become empty; a value
    // that does not fit its member (a position that is no number) leaves the
    // member at 0 or empty text. The status is not kept.
    void Add_New_Batch_Sample(const QVariant& vDetail_id, const QVariant& vBatch_id, const QVariant& vPosition, const QVariant& vSample_Id,
                              const QVariant& vRun_no, const QVariant& vSample_Type, const QVariant& vStatus, const QVariant& vWeight,
                              const QVariant& vExtra, const QVariant& vPriority);

    db::Recordset Get_Available_Racks(const QString& InstrumentId, const QString& TestGroup);

    bool Del_Sample_Position(const QVariant& vBatch_id, const QVariant& vPosition);
    bool Set_Batch_Closed(const QVariant& vBatchId, const QVariant& vFileName);
    // Takes the bath's batch id and name from the program-wide values; the
    // arguments are not used.
    bool Save_Batch(const QVariant& vBatch_id, const QVariant& vBatch_Name, const QVariant& vInstrument_Id, const QString& vTest_Group);
};

namespace commonModule {

// The bath's batch, program-wide: created on first use and kept to the end.
Batch& Curr_Batch();

}  // namespace commonModule

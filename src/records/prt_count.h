#pragma once

#include "platform/db/recordset.h"
#include "records/test_record.h"

#include <QString>
#include <QVariant>
#include <cstdint>

// The particle-count record: one sample's particle-count test, and the laboratory
// calls of the bench: storing a count, registering a re-run and taking a sample
// out of counting with a reason.
class PrtCount : public TestRecord {
public:
    // The last Save_Results was accepted by the laboratory (STATUS "DONE").
    bool saveOk = false;

    // The sample's ISO history as the laboratory answers it; the caller reads and closes it.
    db::Recordset Get_PC_History(const QString& Lab_Number);

    // Registers a re-run of the sample; true when the laboratory answers READY.
    // The technician named in the comment is always the logged-in one.
    bool Redo_Sample(const QString& Lab_Number, const QString& employee_name);

    // Stores one count as the counter reported it (volume and the 2, 5, 15, 25, 50,
    // 100 and 200 µm channels); saveOk tells whether it was accepted. Comments are
    // not sent.
    void Save_Results(const QString& Lab_Number, std::int16_t Emp_Num, const QVariant& sample_Volume, const QVariant& PC2,
                      const QVariant& PC5, const QVariant& PC15, const QVariant& PC25, const QVariant& PC50, const QVariant& PC100,
                      const QVariant& PC200, const QString& Comments = QString());

    // Takes the sample out of particle counting with a reason code ("NOT_ENOUGH",
    // "HIGH_H2O", "TOO_DARK", "TOO_CLOUDY"); true when the laboratory recorded it.
    bool Remove_Sample(const QString& Lab_Number, const QString& Action);
};

namespace commonModule {

// The particle-count record, program-wide: created on first use and kept to the end.
PrtCount& Curr_PrtCount();

}  // namespace commonModule

#pragma once

#include "platform/db/recordset.h"
#include "records/test_record.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

// The record of the "PQM" station. It answers the particle-count record's calls
// (history, store, re-run, removal), but no PQM result is ever stored or sent
// anywhere: each call reports failure or nothing.
class PQM_FDM : public TestRecord {
public:
    // Outcome of the last store; no store ever succeeds, so it keeps what it held.
    bool saveOk = false;

    // The sample's PQM result: a value, or a reference to an object.
    void Set_Result(const QVariant& value);
    void Set_Result(QObject* object);
    // The value held; invalid while Result refers to an object.
    QVariant Result() const;
    // The object referred to; nullptr when Result holds a value or the object is gone.
    QObject* Result_Object() const;
    bool Result_Is_Object() const { return holdsObject_; }

    // Stores nothing and changes nothing.
    void Save_Results(const QString& Lab_Number, std::int16_t Emp_Num, const QVariant& sResult);
    // Always false; nothing is sent.
    bool Remove_Sample(const QString& Lab_Number, const QString& Action);
    bool Redo_Sample(const QString& Lab_Number, const QString& employee_name);
    // Never an answer: callers test for one before they walk it.
    std::optional<db::Recordset> Get_PQM_History(const QString& Lab_Number);

private:
    QVariant value_;
    QPointer<QObject> object_;
    bool holdsObject_ = false;
};

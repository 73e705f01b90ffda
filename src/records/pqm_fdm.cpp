#include "records/pqm_fdm.h"

void PQM_FDM::Set_Result(const QVariant& value)
{
    value_ = value;
    object_.clear();
    holdsObject_ = false;
}

void PQM_FDM::Set_Result(QObject* object)
{
    value_ = QVariant();
    object_ = object;
    holdsObject_ = true;
}

QVariant PQM_FDM::Result() const { return holdsObject_ ? QVariant() : value_; }

QObject* PQM_FDM::Result_Object() const { return holdsObject_ ? object_.data() : nullptr; }

void PQM_FDM::Save_Results(const QString&, std::int16_t, const QVariant&) {}

bool PQM_FDM::Remove_Sample(const QString&, const QString&) { return false; }

bool PQM_FDM::Redo_Sample(const QString&, const QString&) { return false; }

std::optional<db::Recordset> PQM_FDM::Get_PQM_History(const QString&) { return std::nullopt; }

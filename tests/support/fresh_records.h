#pragma once

#include "common/common_module.h"
#include "records/batch.h"
#include "records/rack.h"

#include <QVariant>

// The program-wide rack and bath records as a freshly started program has them, so
// that one test's rack, settings or batch never reach the next.
inline void resetRackAndBath()
{
    Rack& rack = commonModule::Curr_Rack();
    rack.Initialize_pos();
    rack.Rack_Desc.clear();
    rack.Rack_id.clear();
    rack.Settings.clear();
    rack.softWare_id = QVariant();
    rack.lostGiveBacks.clear();
    rack.owed = OwedRacks();
    commonModule::Curr_Batch().Sample.clear();
    commonModule::Curr_Batch_Id = QVariant();
}

#include "records/station_record.h"

#include "records/pqm_fdm.h"
#include "records/prt_count.h"
#include "records/screen.h"
#include "records/weights.h"

namespace records {

std::unique_ptr<TestRecord> makeTestRecord(const QString& stationName)
{
    if (stationName == QLatin1String("PC") || stationName == QLatin1String("PARTICLE COUNT")) return std::make_unique<PrtCount>();
    if (stationName == QLatin1String("SCREENING") || stationName == QLatin1String("SCREEN") || stationName == QLatin1String("SPAT") ||
        stationName == QLatin1String("VISUAL"))
        return std::make_unique<Screen>();
    if (stationName == QLatin1String("SCALE") || stationName == QLatin1String("WEIGH")) return std::make_unique<Weights>();
    if (stationName == QLatin1String("PQM")) return std::make_unique<PQM_FDM>();
    return nullptr;
}

}  // namespace records

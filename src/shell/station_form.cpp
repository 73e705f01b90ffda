#include "shell/station_form.h"

namespace shell {
namespace {

StationFormFinder& finder()
{
    static StationFormFinder f;
    return f;
}

}  // namespace

void setStationFormFinder(StationFormFinder f) { finder() = std::move(f); }

StationForm* stationForm(bool create) { return finder() ? finder()(create) : nullptr; }

}  // namespace shell

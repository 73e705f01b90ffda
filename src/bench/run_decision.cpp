#include "bench/run_decision.h"

namespace runDecision {

Run_Type Get_Run_Type(int samples, int between, const std::function<bool()>& history_ok)
{
    const Run_Type flush{QStringLiteral("FLUSH"), true};
    if (samples == between) return history_ok() ? Run_Type{QStringLiteral("CHECK"), false} : flush;
    if (samples < 0 || samples > between) return flush;
    return history_ok() ? Run_Type{} : flush;
}

int Samples_After_Click(const QString& run_id, int samples, int between)
{
    return (run_id == QLatin1String("CHECK") && samples == between) ? 0 : samples;
}

QString Count_Down_Text(int samples, int between) { return QString::number(between - samples); }

}  // namespace runDecision

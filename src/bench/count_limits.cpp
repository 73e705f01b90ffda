#include "bench/count_limits.h"

#include <cmath>

namespace countLimits {

namespace {

bool atMost(const QVariant& code, int limit)
{
    if (!code.isValid() || code.isNull()) return false;
    bool ok = false;
    const double d = code.typeId() == QMetaType::QString ? code.toString().trimmed().toDouble(&ok) : code.toDouble(&ok);
    return ok && std::isfinite(d) && d <= limit;
}

}  // namespace

bool Within_Limits(const QVariant& code5, const QVariant& code15, int limit5, int limit15)
{
    return atMost(code5, limit5) && atMost(code15, limit15);
}

}  // namespace countLimits

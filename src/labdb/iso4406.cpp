#include "labdb/iso4406.h"

#include <array>

namespace labdb {

namespace {

// Upper limits of scale numbers 1 to 28 (particles per mL); the lower limit of
// each is the upper limit of the one before, 0.01 for scale number 1.
constexpr std::array<double, 28> kUpperLimits = {0.02,  0.04,  0.08,  0.16,   0.32,   0.64,   1.3,     2.5,    5,    10,
                                                 20,    40,    80,    160,    320,    640,    1300,    2500,   5000, 10000,
                                                 20000, 40000, 80000, 160000, 320000, 640000, 1300000, 2500000};

// Counts divided by volumes carry rounding noise; a value that lies on a limit
// must stay on it (80 per mL is code 13, not 14).
bool atMost(double value, double limit) { return value <= limit * (1 + 1e-9); }

}  // namespace

std::optional<int> isoScaleNumber(double countPerMl)
{
    if (!(countPerMl >= 0)) return std::nullopt;
    if (atMost(countPerMl, 0.01)) return 0;
    for (std::size_t i = 0; i < kUpperLimits.size(); ++i)
        if (atMost(countPerMl, kUpperLimits[i])) return int(i + 1);
    return std::nullopt;
}

}  // namespace labdb

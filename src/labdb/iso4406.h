#pragma once

#include <optional>

namespace labdb {

// The ISO 4406 scale number of a particle count per millilitre, looked up in the
// standard's table: scale number n covers more than its lower limit up to and
// including its upper limit (13: 40 to 80, 18: 1300 to 2500, ...). Counts of
// 0.01 per mL or less are 0. Empty for a negative count or one above the top of
// the table (more than 2,500,000 per mL).
std::optional<int> isoScaleNumber(double countPerMl);

}  // namespace labdb

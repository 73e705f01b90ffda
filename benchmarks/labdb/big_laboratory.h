#pragma once

#include <QString>

// A large laboratory for timing: the demo laboratory plus 100,000 samples with
// 1,000,000 stored counts, 1,000 more racks and 3,000 outstanding particle counts.
// Made once and kept in the temporary folder; each run works on a fresh copy.
namespace bench {

inline constexpr int kSamples = 100000;
inline constexpr int kCounts = 1000000;

// The path of a working copy of the large laboratory, made when missing.
QString bigLaboratoryCopy();

// Lab numbers of the generated samples: "05" and six digits.
QString benchLabNumber(int n);

}  // namespace bench

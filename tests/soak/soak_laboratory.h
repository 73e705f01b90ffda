#pragma once

#include <QString>

// Racks of fresh samples added to a demo laboratory for a long counting day: 20
// samples a rack, each with a particle count outstanding. Racks are named "S" and
// four digits; lab numbers are "06" and six digits.
namespace soak {

// Adds racks for at least `samples` samples to the database file; false with the
// reason when it cannot.
bool addSampleRacks(const QString& databasePath, int samples, QString* error);

QString soakLabNumber(int n);

}  // namespace soak

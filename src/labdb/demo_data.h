#pragma once

#include <QDateTime>
#include <QString>

namespace labdb {

class Database;

// The demo laboratory "ZIVIRUZEZ" that `labdb init --demo` loads: employees with
// easy demo passwords, eight racks with every priority, histories, an open bath
// batch, the particle-count station's settings and its work instruction. Times
// are set relative to `now`, so racks look freshly received.
void loadDemoData(Database& db, const QDateTime& now);

namespace demo {
inline constexpr char kLabCode[] = "ZIVIRUZEZ";
inline constexpr char kSoftwareName[] = "PARTICLE_COUNT";
}  // namespace demo

}  // namespace labdb

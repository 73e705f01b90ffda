#pragma once

#include <QString>
#include <functional>

// What a tap on an occupied bath position runs: the sample itself, a process-control
// check after SAMPLES_BETWEEN_CHECKS counted samples, or a flush of the counter when
// the newest count is dirtier than the sample's history allows.
namespace runDecision {

struct Run_Type {
    // "CHECK", "FLUSH", or empty text for the sample itself.
    QString run_id;
    bool flush = false;
};

// samples: ordinary samples counted since the last passed check; between: the
// number of samples between two checks; history_ok: the history test of the
// tapped position (asked only when the decision needs it).
Run_Type Get_Run_Type(int samples, int between, const std::function<bool()>& history_ok);

// The counter after a tap: a passed check (the run was "CHECK" and the counter
// still stands at the check) starts it from 0 again.
int Samples_After_Click(const QString& run_id, int samples, int between);

// The text of the count-down box: samples left until the next check.
QString Count_Down_Text(int samples, int between);

}  // namespace runDecision

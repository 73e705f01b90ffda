#pragma once

#include <QVariant>

// The limits of a process-control check or a flush of the counter: both codes must be
// numbers no higher than their limits; a code equal to its limit passes.
namespace countLimits {

bool Within_Limits(const QVariant& code5, const QVariant& code15, int limit5, int limit15);

}  // namespace countLimits

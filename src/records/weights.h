#pragma once

#include "records/test_record.h"

// The weighing record of the stations "SCALE" and "WEIGH". So far it carries only
// what every test record holds.
class Weights : public TestRecord {};

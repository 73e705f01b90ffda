#pragma once

#include "records/test_record.h"

// The record of the "PQM" station. So far it carries only what every test record
// holds.
class PQM_FDM : public TestRecord {};

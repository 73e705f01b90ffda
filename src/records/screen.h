#pragma once

#include "records/test_record.h"

// The screening record of the stations "SCREENING", "SCREEN", "SPAT" and "VISUAL".
// So far it carries only what every test record holds.
class Screen : public TestRecord {};

// A tap on an occupied bath position starts the run of its sample.
#include "bench/form_test.h"

void Form_Test::img_bath_Click(int)
{
    // The run decision and the counter dialog start from here once the bench counts.
}

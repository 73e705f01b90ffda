#include "records/current_records.h"

#include "records/batch.h"
#include "records/employee.h"
#include "records/prt_count.h"
#include "records/rack.h"

namespace commonModule {

Employee& Curr_Employee()
{
    static Employee employee;
    return employee;
}

Rack& Curr_Rack()
{
    static Rack rack;
    return rack;
}

Batch& Curr_Batch()
{
    static Batch batch;
    return batch;
}

PrtCount& Curr_PrtCount()
{
    static PrtCount record;
    return record;
}

}  // namespace commonModule

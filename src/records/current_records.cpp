#include "records/current_records.h"

#include "records/employee.h"

namespace commonModule {

Employee& Curr_Employee()
{
    static Employee employee;
    return employee;
}

}  // namespace commonModule

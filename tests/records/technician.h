#pragma once

#include "records/employee.h"

#include <QString>
#include <cstdint>

// Puts a technician at the station for one test and logs them off again after it.
class TechnicianAtStation {
public:
    explicit TechnicianAtStation(const QString& station = QStringLiteral("PARTICLE COUNT"), std::int16_t empNum = 412,
                                 const QString& fullName = QStringLiteral("Ann Smith"))
    {
        Employee& e = commonModule::Curr_Employee();
        e.Employee_Reset();
        e.Station = station;
        e.Emp_Num = empNum;
        e.Full_name = fullName;
    }
    ~TechnicianAtStation()
    {
        commonModule::Curr_Employee().Employee_Reset();
        commonModule::Curr_Employee().Station.clear();
    }
    TechnicianAtStation(const TechnicianAtStation&) = delete;
    TechnicianAtStation& operator=(const TechnicianAtStation&) = delete;
};

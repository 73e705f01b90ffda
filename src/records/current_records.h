#pragma once

class Employee;

// The program-wide records, each created on first use and kept to the end.
namespace commonModule {

Employee& Curr_Employee();

}  // namespace commonModule

#pragma once

class Batch;
class Employee;
class PrtCount;
class Rack;

// The program-wide records, each created on first use and kept to the end.
namespace commonModule {

Employee& Curr_Employee();
Rack& Curr_Rack();
Batch& Curr_Batch();
PrtCount& Curr_PrtCount();

}  // namespace commonModule

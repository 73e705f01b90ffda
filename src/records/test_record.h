#pragma once

#include <QString>
#include <cstdint>

// What every test record of a rack position holds, whatever its test group: the
// rack load fills these six members on the record it attaches to a position.
class TestRecord {
public:
    virtual ~TestRecord() = default;

    bool isEmpty = false;  // the rack position holds no sample
    QString Lab_Code;
    QString Lab_Id;
    std::int16_t Run_No = 0;
    QString Priority;
    QString Status;
};

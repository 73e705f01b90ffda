#pragma once

#include "records/test_record.h"

#include <QString>
#include <cstdint>
#include <memory>

// One of the 20 places of a rack, as the rack screen draws it and the bench reads it.
class RackPositions {
public:
    std::int16_t Pos = 0;  // 0-based screen index, 0 to 19
    std::int16_t X = 0;
    std::int16_t Y = 0;
    std::int16_t Row = 0;
    std::int16_t Column = 0;
    QString Type_;
    bool Active = false;  // the position holds a sample
    QString Sample_ID;
    QString Sample_Desc;  // work-order number shown on the position
    QString Status;       // empty text for an empty position
    std::int16_t Run_No = 0;
    QString Kit_Type;
    QString Priority;
    std::unique_ptr<TestRecord> Rec;  // the station's test record; null when it has none
    QString Lab_Id;
    QString Component_Code;
    bool doPicture = false;
    QString Init_Status;  // the status as loaded
    bool isSaved = false;
    QString TargetWeight;
};

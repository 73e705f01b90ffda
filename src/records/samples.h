#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>

// One sample of the bath's batch, at one bath position.
class Samples {
public:
    QVariant Detail_Id;
    QVariant Batch_Id;
    std::int16_t Position = 0;
    QVariant Sample_ID;  // the lab number
    QString Sample_Type;
    QVariant Run_No;
    QVariant Weight;
    QString Extra;  // free text that names the sample's rack
    QString Priority;
    QVariant Emp_Num;
};

#pragma once

#include "records/test_record.h"

#include <QString>
#include <QVariant>
#include <cstdint>

// The weighing record of the stations "SCALE" and "WEIGH": the weight of the portion
// taken from one sample for a weighed test (Karl Fischer, acid and base numbers,
// specific gravity). It checks an entered weight, knows whether it was changed and
// writes it to the test and to the sample's tracking. It answers the screening
// record's rating calls without doing anything.
class Weights : public TestRecord {
public:
    Weights();

    QString Test_Group;
    QString Test_Action;
    QString Weight;       // as entered; after a save, as written into the statements
    QString dflt_Weight;  // the weight last taken as the default

    // Takes a weight such as "12.5", "12.5g" or "12.5 g"; empty text empties it. False
    // (Weight unchanged) for NULL, anything not a number and a weight of 0 or less.
    bool Weight_Assigned(const QVariant& vWeight);
    // Writes a changed weight for the station's test group; true when both updates ran.
    bool Save_Weight(const QVariant& Emp_Num);
    bool isChanged() const { return Weight != dflt_Weight; }
    void SetValues() { Weight.clear(); }

    // The screening record's rating calls: nothing to rate on a scale.
    QString Rating_Strings(const QString& sType) const;
    QString Get_Rating_String(const QString& sField) const;
    std::int16_t Field_Value_Get(const QString& sField) const;
    void Field_Value_Set(const QString& sField, std::int16_t iValue);
};

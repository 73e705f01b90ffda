#pragma once

#include "records/screen_ratings.h"
#include "records/test_record.h"

#include <QString>
#include <QVariant>
#include <cstdint>

// The screening record of the stations "SCREENING", "SCREEN", "SPAT" and "VISUAL":
// the visual and water ratings of one sample and the completion flags of its three
// parts (visual, water spot, image). It loads the sample's current ratings, knows
// whether they were changed since the last save, and saves them, or records a test
// action in their place.
class Screen : public TestRecord {
public:
    Screen();

    QString Test_Action;  // recorded instead of the ratings when not empty
    bool Edited = false;
    bool wasViewed = false;
    QString Insert_Code;

    // Visual group.
    QString Appearance;
    QString Odor;
    QString Babbitt;
    QString Debris;
    QString Dirt;
    QString Precipitate;
    QString Silt;
    QString White_Metal;
    // Water group (the water spot).
    QString H2O_Emul;
    QString H2O_Free;

    // The ratings as last taken as the defaults; isChanged compares against them.
    QString dflt_Appearance;
    QString dflt_Odor;
    QString dflt_Babbitt;
    QString dflt_Debris;
    QString dflt_Dirt;
    QString dflt_Precipitate;
    QString dflt_Silt;
    QString dflt_White_Metal;
    QString dflt_H2O_Emul;
    QString dflt_H2O_Free;

    // Completion flags as the laboratory gives them; 0 means complete.
    std::int16_t status_Visual = 0;
    std::int16_t status_Spat = 0;
    std::int16_t status_Image = 0;
    std::int16_t dflt_status_Visual = 0;
    std::int16_t dflt_status_Spat = 0;
    std::int16_t dflt_status_Image = 0;

    // Loads the outstanding screening's ratings and flags; asks only for a numeric lab id.
    void Get_Current_Results();
    // "0" when the part ("VISUAL", "SPAT" or "IMAGE") is complete, "-1" otherwise.
    QString Get_Field_Status(const QString& sType) const;
    // Saves the ratings (or records Test_Action); true when the laboratory answered.
    bool Save_Screen(const QVariant& Emp_Num, const QString& Station);

    // The word list of a kind of rating ("APPEARANCE", "ODOR", "WATER", ...), exact case.
    QString Rating_Strings(const QString& sType) const;
    QString Get_Rating_String(const QString& sField) const;
    std::int16_t Field_Value_Get(const QString& sField) const;
    void Field_Value_Set(const QString& sField, std::int16_t iValue);
    bool isChanged() const;
    // Sets the visual group ("VISUAL") or the water group (any other kind) to its
    // normal words, or blanks it.
    void SetValues(const QString& sType, bool toNormal);

private:
    QString& rating(screenRatings::Field field);
    const QString& rating(screenRatings::Field field) const;
    void takeDefaults();
};

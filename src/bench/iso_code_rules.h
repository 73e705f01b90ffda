#pragma once

#include <QColor>
#include <QString>
#include <QVariant>
#include <Qt>

// How the bench reads ISO codes: a code is "5/15" (two numbers, the 5 and 15 µm
// codes) or "2/5/15" (three numbers). These rules decide whether a sample can be
// counted after the newest count without a flush of the counter, and how a bath
// position is coloured by its history. They need no screen.
namespace isoRules {

// The code of one particle size (2, 5 or 15) out of an ISO code; empty text when
// the code is null, has no "/" past its first character, does not hold that size,
// or is not a code of two or three numbers.
QString Get_ISO_Channel_Code(int size, const QVariant& code);

// True when the code has three numbers (two "/").
bool Is_Valid_ISO_Code(const QVariant& code);

// Whether the newest count (its 5 µm code) lets the sample (its 5 µm code) be
// counted next without a flush: equal, both below the 5 µm sample limit, or the
// newest below the sample. A code that is not a number always asks for a flush.
bool Compare_ISO_Limits(const QString& last5, const QString& sample5, int iso5Sample);

// The history test of one bath position: newestIso is the ISO text of the newest
// count in the history table (empty while none was made), sampleHistory the
// position's history caption (a code, "No Hist " or "Not Entered ").
bool Check_ISO_History(const QString& newestIso, const QString& sampleHistory, int iso5Sample);

// The back (bBack) or text colour of a position's countdown by the sample's
// historical codes; the 2 µm code is not used.
QColor Iso_History_Color(bool bBack, const QString& iso2, const QString& iso5, const QString& iso15, int iso5Sample, int iso15Sample);

// How a bath position's history label looks after the history test.
struct Iso_Label_Look {
    bool opaque = false;
    bool border = false;
    QColor back;
    QColor fore;
    Qt::Alignment alignment;
};
Iso_Label_Look Iso_Label_Colors(const QString& newestIso, const QString& sampleHistory, int iso5Sample);

}  // namespace isoRules

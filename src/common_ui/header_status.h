#pragma once

#include <QString>

class QLabel;

namespace commonModule {

// Writes the header bar's status line (shown in lower case) and returns the text
// it replaced, so that a long action can put the previous line back afterwards:
//     const QString previous = Header_Status("SAVING RESULTS"); ... Header_Status(previous);
// Before the header bar exists nothing is shown and the previous text is empty.
QString Header_Status(const QString& sText);

// The header bar hands over its status label when it loads; the line is forgotten
// when the label goes away.
void Set_Status_Line(QLabel* label);

}  // namespace commonModule

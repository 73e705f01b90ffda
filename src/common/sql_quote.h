#pragma once

#include <QString>
#include <QVariant>

namespace commonModule {

// A value for a statement: "'" + the trimmed value + "' " (with one blank after the
// closing quote) when it is neither NULL nor blank; otherwise vDefault as text
// (typically "null"). Quotes inside the value are doubled, so the value stays text.
QString Sql_Quote(const QVariant& vValue, const QVariant& vDefault);

}  // namespace commonModule

#pragma once

#include <QString>

// The laboratory this station works for: its code in every record and call.
namespace laboratory {

inline const QString Lab_Code = QStringLiteral("ZIVIRUZEZ");

}  // namespace laboratory

#pragma once

#include <QString>

// The station's status words, held in commonModule::App_Status.
namespace stationStatus {

inline const QString Idle = QStringLiteral("IDLE");
inline const QString Login = QStringLiteral("LOGIN");
inline const QString Active = QStringLiteral("ACTIVE");
inline const QString Hibernate = QStringLiteral("HIBERNATE");

}  // namespace stationStatus

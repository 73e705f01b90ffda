#pragma once

#include <QString>
#include <QVariant>

// One tunable value of the station software, as the laboratory keeps it.
class Settings {
public:
    QString Setting;  // its name, trimmed; also its key in the rack's collection
    QVariant Value;   // trimmed text once loaded; empty text for a NULL value
    QString Description;
    QString Type_;
    QVariant FormObj;  // free slot for an associated object
};

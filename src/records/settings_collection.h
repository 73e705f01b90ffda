#pragma once

#include "records/settings.h"

#include <QList>
#include <QString>
#include <stdexcept>

// The station settings by name, in the order they were added. Names are compared
// without regard to letter case.
class SettingsCollection {
public:
    // The setting under the name; a name that is not here is an error
    // (std::out_of_range naming it), never a default.
    Settings& item(const QString& name);
    const Settings& item(const QString& name) const;
    Settings& operator()(const QString& name) { return item(name); }
    const Settings& operator()(const QString& name) const { return item(name); }

    bool contains(const QString& name) const { return indexOf(name) >= 0; }
    qsizetype count() const { return items_.size(); }

    // Adds a blank setting under the name and returns it; a name already present
    // keeps its setting, which is returned instead (added is then false).
    Settings& add(const QString& name, bool* added = nullptr);
    void clear()
    {
        keys_.clear();
        items_.clear();
    }

    QList<Settings>::const_iterator begin() const { return items_.cbegin(); }
    QList<Settings>::const_iterator end() const { return items_.cend(); }

private:
    qsizetype indexOf(const QString& name) const;

    QList<QString> keys_;
    QList<Settings> items_;
};

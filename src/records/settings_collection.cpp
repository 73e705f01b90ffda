#include "records/settings_collection.h"

qsizetype SettingsCollection::indexOf(const QString& name) const
{
    for (qsizetype i = 0; i < keys_.size(); ++i)
        if (keys_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

Settings& SettingsCollection::item(const QString& name)
{
    const qsizetype i = indexOf(name);
    if (i < 0) throw std::out_of_range("no station setting named " + name.toStdString());
    return items_[i];
}

const Settings& SettingsCollection::item(const QString& name) const
{
    const qsizetype i = indexOf(name);
    if (i < 0) throw std::out_of_range("no station setting named " + name.toStdString());
    return items_[i];
}

Settings& SettingsCollection::add(const QString& name, bool* added)
{
    qsizetype i = indexOf(name);
    if (added) *added = i < 0;
    if (i < 0) {
        keys_.append(name);
        items_.append(Settings());
        i = items_.size() - 1;
    }
    return items_[i];
}

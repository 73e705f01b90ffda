#include "records/owed_racks.h"

#include "common/alert.h"
#include "platform/files/whole_file.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cstdio>

namespace {

const char kHeader[] = "# The racks this particle-count station holds, or has still to give back, for the laboratory;\n"
                       "# given back at the first login or Exit after its next start. One a line: rack id, employee number,\n"
                       "# station, rack name.\n";

void warn(const QString& line) { std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData()); }

// A whole number above 0, as rack ids and employee numbers are.
bool wholeNumber(const QString& text, qlonglong* value)
{
    bool ok = false;
    *value = text.toLongLong(&ok);
    return ok && *value > 0;
}

// A field never holds the tab or line end that separates fields and lines.
QString field(const QString& text)
{
    QString f = text.trimmed();
    for (QChar& c : f)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) c = QLatin1Char(' ');
    return f;
}

}  // namespace

std::vector<OwedRack> OwedRacks::keepIn(const QString& path)
{
    path_ = path;
    std::vector<OwedRack> found;
    QFile file(path);
    if (!file.exists()) return found;
    if (!file.open(QIODevice::ReadOnly)) {
        warn(QStringLiteral("%1 cannot be read (%2): the racks it names are not given back.").arg(path, file.errorString()));
        return found;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList fields = lines[n].split(QLatin1Char('\t'));
        OwedRack rack;
        qlonglong id = 0;
        if (fields.size() < 3 || !wholeNumber(fields[0].trimmed(), &id) || !wholeNumber(fields[1].trimmed(), &rack.empNum) ||
            fields[2].trimmed().isEmpty()) {
            warn(QStringLiteral("%1 line %2 is damaged and skipped: %3").arg(path).arg(n + 1).arg(line));
            continue;
        }
        rack.rackId = QString::number(id);
        rack.station = fields[2].trimmed();
        rack.rackDesc = fields.size() > 3 ? fields[3].trimmed() : QString();
        if (rack.rackDesc.isEmpty()) rack.rackDesc = rack.rackId;
        found.push_back(rack);
        if (!find(rack.rackId, rack.empNum)) racks_.push_back(rack);
    }
    inFile_ = found;
    return found;
}

void OwedRacks::owe(const OwedRack& rack)
{
    if (find(rack.rackId, rack.empNum)) return;
    racks_.push_back(rack);
    write();
}

void OwedRacks::settle(const QString& rackId, qlonglong empNum)
{
    const auto owed = std::remove_if(racks_.begin(), racks_.end(), [&](const OwedRack& r) { return r.is(rackId, empNum); });
    if (owed == racks_.end()) return;
    racks_.erase(owed, racks_.end());
    write();
}

void OwedRacks::grantedTo(const QString& rackId, qlonglong empNum)
{
    const auto others = std::remove_if(racks_.begin(), racks_.end(),
                                       [&](const OwedRack& r) { return r.rackId == rackId && r.empNum != empNum; });
    if (others == racks_.end()) return;
    racks_.erase(others, racks_.end());
    write();
}

const OwedRack* OwedRacks::find(const QString& rackId, std::optional<qlonglong> empNum) const
{
    const auto owed = std::find_if(racks_.begin(), racks_.end(),
                                   [&](const OwedRack& r) { return r.rackId == rackId && (!empNum || r.empNum == *empNum); });
    return owed == racks_.end() ? nullptr : &*owed;
}

bool OwedRacks::noted(const OwedRack& rack) const
{
    return !path_.isEmpty() && std::any_of(inFile_.begin(), inFile_.end(), [&](const OwedRack& r) { return r.is(rack.rackId, rack.empNum); });
}

void OwedRacks::write()
{
    if (path_.isEmpty()) return;
    QByteArray text(kHeader);
    for (const OwedRack& r : racks_)
        text += QStringList{field(r.rackId), QString::number(r.empNum), field(r.station), field(r.rackDesc)}.join(QLatin1Char('\t')).toUtf8() +
                '\n';
    QString why;
    if (files::replaceWholeFile(path_, text, &why)) {
        inFile_ = racks_;
        failureTold_ = false;
        return;
    }
    if (failureTold_) return;
    failureTold_ = true;
    const QString message = QStringLiteral(
                                "The station cannot write %1 (%2), where it notes the racks it holds for the laboratory. "
                                "A rack it holds when it ends without its exit (a power cut, a crash) stays held at the laboratory.")
                                .arg(path_, why);
    warn(message);
    if (!quiet) commonModule::Show_Alert(message);
}

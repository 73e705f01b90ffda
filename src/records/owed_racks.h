#pragma once

#include <QString>
#include <optional>
#include <vector>

// A rack the station owes the laboratory: one it holds or may hold (a take that got
// no answer may have taken effect), or one whose give-back the laboratory has not
// answered yet; with whom it is held for, and where.
struct OwedRack {
    QString rackId;
    qlonglong empNum = 0;
    QString station;
    QString rackDesc;

    bool is(const QString& id, qlonglong emp) const { return rackId == id && empNum == emp; }
};

// Every rack the station owes the laboratory. Once it is given a file (in the station
// folder), the list is kept there too, so that a station that ends without its exit
// (killed, a power cut) knows at its next start what to give back. A rack is noted
// before the call that makes it owed and taken out when the laboratory has answered
// its give-back, or refused its take.
class OwedRacks {
public:
    static constexpr char kFileName[] = "owed_racks.txt";

    // From now on the list is kept in the file at path too. Returns the racks the file
    // holds, which a station before this one still owed; a damaged line is skipped
    // and named on standard error.
    std::vector<OwedRack> keepIn(const QString& path);
    // Notes a rack as owed, when it is not already.
    void owe(const OwedRack& rack);
    // The laboratory has answered for the rack held for empNum: it is owed no more.
    void settle(const QString& rackId, qlonglong empNum);
    // The laboratory granted the rack to empNum: nobody else holds it (an earlier
    // take for another technician that got no answer did not take effect).
    void grantedTo(const QString& rackId, qlonglong empNum);
    // The rack owed for that technician, or for anyone; nullptr when it is not owed.
    const OwedRack* find(const QString& rackId, std::optional<qlonglong> empNum = std::nullopt) const;
    const std::vector<OwedRack>& racks() const { return racks_; }
    // The file names the rack as owed: it was noted there (or found there at the
    // start), and no write has failed since.
    bool noted(const OwedRack& rack) const;
    const QString& path() const { return path_; }
    // A file that cannot be written is told once (until it can be written again) in a
    // message box, or, while quiet, on standard error only.
    bool quiet = false;

private:
    void write();

    QString path_;
    std::vector<OwedRack> racks_;
    // What the file holds: the list as last written, or as found at the start.
    std::vector<OwedRack> inFile_;
    bool failureTold_ = false;
};

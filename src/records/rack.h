#pragma once

#include "platform/db/recordset.h"
#include "records/owed_racks.h"
#include "records/rack_positions.h"
#include "records/settings_collection.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

// The rack on the station: its header, its 20 positions with their test records,
// the station settings, custody of the rack and the queries about racks.
class Rack {
public:
    // Works for the station's laboratory (laboratory::Lab_Code), with no rack loaded.
    Rack();

    static constexpr int kPositions = 20;

    // Position k (1 to 20) is screen position k-1; std::out_of_range outside.
    std::vector<RackPositions> Pos;
    RackPositions& Pos_Item(int index) { return Pos.at(static_cast<std::size_t>(index - 1)); }
    const RackPositions& Pos_Item(int index) const { return Pos.at(static_cast<std::size_t>(index - 1)); }

    QVariant softWare_id;  // NULL (invalid) when no software row was found
    QString softWare_Name;
    QString Rack_id;
    QString Rack_Desc;
    QDateTime Rack_Date;
    QString Lab_Code;
    // Whom this station holds the rack for: set by a granted GET, emptied by a
    // granted PUT, a refused call and a load. It may name a technician who has left.
    QVariant Emp_Num;
    QString Rack_Status;
    QVariant Curr_User;  // holder: text or number as the laboratory gives it
    QString Curr_Station;
    SettingsCollection Settings;

    // Loading and the positions. False when the query got no answer: the rack then
    // stays as it was.
    bool Rack_Load(const QString& sId, const QString& sTestGroup);
    // Appends the position built from the current row of rRS, or an empty one for null.
    void Rack_Set(const db::Recordset* rRS, std::int16_t vPosition);
    void Initialize_pos();
    void Pos_Release();

    // Station settings.
    void Get_SoftwareId();
    // The settings rows of the software; unopened when there is no software id.
    db::Recordset Software_GetSettings();
    void Load_Software_settings();

    // Custody ("GET" or "PUT") and the queries about racks. A PUT gives the rack back
    // in the name of whom the station holds it for, else of the technician at it.
    // A call counts as answered only when the procedure's answer row came back. A
    // give-back without one (no answer, or an error in its place) is kept and sent
    // again before the next custody call; while one is still kept, no other custody
    // call is sent (the station never holds two racks). A call without its answer
    // row leaves the station not holding the rack, with custodyUnanswered set.
    // Every rack the station holds or may hold, and every kept give-back, is owed
    // (see owed) from before its call until the laboratory has answered its give-back.
    bool Rack_Status_Update(const QString& sAction);
    // Sends the kept give-backs, oldest first; true when none is left.
    bool Send_Kept_Give_Backs();
    // At the program's start: what a station before this one still owed the
    // laboratory (noted in the file at path) is kept to be given back first, each in
    // its holder's name, and the racks owed from now on are noted there too.
    void Keep_Owed_Racks_In(const QString& path);
    // When the program ends: the kept give-backs, then the loaded rack when the
    // station may hold it, with no message box. What the laboratory does not take
    // back stays owed and is named on standard error, a line a rack.
    void Give_Back_At_The_End();
    // The station holds the loaded rack, for whichever technician.
    bool heldByStation() const;
    // The station holds the loaded rack, or asked for it and got no answer (a take
    // that may have taken effect), and has not yet kept its give-back.
    bool mayHoldShownRack() const;
    // After a refused GET: the laboratory shows the rack held at this station's own
    // name by another technician, who has left it here.
    bool heldHereByAnother() const;

    // The last custody call of the loaded rack got no answer row from the laboratory.
    bool custodyUnanswered = false;
    // The database's reason when it answered that call with an error instead; empty
    // when it did not answer at all.
    QString custodyError;
    // The rack whose kept give-back the laboratory refused with an error, so that
    // the call of the loaded rack was not sent; empty otherwise. custodyError then
    // holds the laboratory's reason.
    QString custodyOwedFirst;
    // The rack whose kept give-back the laboratory has just refused with an error
    // (the reason in custodyError) while nobody at this station has been told of it
    // yet: one a station before this one still owed. The screen tells it and empties
    // this; every later refusal of it is only signed.
    QString custodyRefusalToTell;
    // The give-backs the laboratory has not received yet.
    std::vector<OwedRack> lostGiveBacks;
    // Every rack the station owes the laboratory.
    OwedRacks owed;
    // True when the station holds the loaded rack for the technician now at it, so
    // that its positions may be opened.
    bool isRackLoggedOut(bool bForceLogout);
    db::Recordset Get_Rack_Priority(const QString& sLabCode, const QString& sTestGroup);
    db::Recordset Get_Samples(const QString& sTestGroup, const QString& sPriority);
    db::Recordset Rack_Outstanding_Tests(bool isWeighed, const QString& vTestGroup);
    // The description of the rack that holds the sample, or the current Rack_Desc.
    QString Sample_Found(const QVariant& Lab_Number, const QVariant& Test_Group);

private:
    // Notes why a custody call came back without its answer row; keptBefore is the
    // kept give-back that got none, when that stopped the call.
    void noteNoAnswerRow(const OwedRack* keptBefore);
    // Keeps a give-back to be sent again (owed until it is answered), once.
    void keepGiveBack(const OwedRack& rack);
    // Takes the rack out of untold_; true when it was there.
    bool forgetUntold(const OwedRack& rack);

    // The program is ending: custody calls show no message box.
    bool atTheEnd_ = false;
    // The kept give-backs a station before this one left, until the laboratory has
    // answered one or its refusal has been told.
    std::vector<OwedRack> untold_;
};

namespace commonModule {

// The rack on the station, program-wide: created on first use and kept to the end.
Rack& Curr_Rack();

}  // namespace commonModule

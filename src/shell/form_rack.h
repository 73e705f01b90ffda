#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <QColor>
#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>
#include <vector>

// The rack screen: the 20 positions of the current rack in 5 rows of 4 inside the
// rack holder, the priority flags above the rack panel, PREV, NEXT and FIND over the
// holder, the rack's name, date and status, the save and exit pictures. It moves
// between racks through the rack search, holds the shown rack's custody, filters
// racks by priority and hands a tapped position to the station form.
//
// Its members are spread over files named for what they hold: form_rack.cpp (the
// controls and the load), form_rack_layout.cpp, form_rack_display.cpp,
// form_rack_navigation.cpp (navigation, positions, saving, exits),
// form_rack_custody.cpp and form_rack_filters.cpp.
class Form_Rack : public ui::Form {
    Q_OBJECT
public:
    Form_Rack();

    static constexpr int kCells = 20;

    // Size of one position cell, in twips; the station form may set it before the
    // screen loads.
    std::int16_t Cell_Width = 0;
    std::int16_t Cell_Height = 0;

    // One position: its cell, text, top and bottom lines and three status icons.
    std::array<ui::Shape*, kCells> shp_sample{};
    std::array<ui::Label*, kCells> lbl_sample{};
    std::array<ui::Label*, kCells> lbl_Info{};
    std::array<ui::Label*, kCells> lbl_Result{};
    std::array<ui::Image*, kCells> img_sample_status_screen{};
    std::array<ui::Image*, kCells> img_sample_status_water{};
    std::array<ui::Image*, kCells> img_sample_status_picture{};

    // PREV, NEXT, FIND; the tag is the search action.
    std::array<ui::Image*, 3> bttn_Nav{};
    ui::Image* img_Priority;
    ui::Image* img_critical;
    ui::Image* img_urgent;
    ui::Image* img_rush;
    ui::Image* img_retest;
    ui::Image* img_save;
    ui::Image* img_Exit;
    ui::Label* lbl_Exit;
    ui::Label* lbl_rackDesc;
    ui::Label* lbl_RackDate;
    ui::Label* lbl_RackStatus;
    ui::Image* img_ptr;
    ui::Shape* shp_rackPanel;
    std::vector<ui::Shape*> shp_holder;
    ui::Shape* shp_ActiveWO;
    ui::Label* lbl_ActiveWo;

    // Layout: places every control from the cell size and the offsets (twips).
    void Resize_Rack(std::int16_t iLeftOffset, std::int16_t iTopOffset);

    // Display.
    void Show_Rack();
    void Init_Rack_Position(std::int16_t Index);
    QColor Get_Pos_Color(const QVariant& vIndex, bool bFlag, const QString& sStatus, const QString& sPriority, const QVariant& vRunNo) const;
    void Rack_Pos_Activate(std::int16_t Index);
    void Rack_Pos_DeActivate(std::int16_t Index);
    void Select_Sample(const QString& sSampleId);
    void Reset_Interface();
    void lbl_status_update();

    // Navigation and custody. Index: 0 PREV, 1 NEXT, 2 FIND; below 0 a search.
    void bttn_Nav_Click(std::int16_t Index);
    void Get_Racks(std::int16_t Index, const QString& sRackName);
    // True means stay on the open position.
    bool Requires_saving();
    // At the login of another technician: the rack held for the one who left goes
    // to the new one, or is shown as held elsewhere when that is refused.
    void Hand_Over_Rack();

    // Priority filters.
    void Refresh_Priority();
    void Select_Priority(const QString& sPriority);
    ui::Image* Get_Priority_Button(const QString& sPriority) const;
    // The left (twips) of each of the four flag places.
    const std::array<double, 4>& flagSlots() const { return flag_slots_; }

    void Save_bttn_toggle(bool isOn);

    // Touches.
    void lbl_sample_Click(std::int16_t Index);
    void img_Priority_Click();
    void img_critical_Click() { Select_Priority(QStringLiteral("CRITICAL")); }
    void img_urgent_Click() { Select_Priority(QStringLiteral("URGENT")); }
    void img_rush_Click() { Select_Priority(QStringLiteral("RUSH")); }
    void img_retest_Click() { Select_Priority(QStringLiteral("RETEST")); }
    void img_save_Click();
    void img_Exit_Click();
    void lbl_Exit_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void connectTouches();
    // Gives the shown rack back, searches and loads the chosen rack, and takes the
    // shown one again when none was loaded; askToSave asks the save question first.
    void Change_Rack(std::int16_t Index, const QString& sRackName, bool askToSave);
    // Searches with the action of the button Index and loads the chosen rack;
    // false when nothing was chosen.
    bool Load_Chosen_Rack(std::int16_t Index, const QString& sRackName);
    // Takes the shown rack: after its load, after a navigation that loaded no other,
    // and at a tap while the laboratory had not answered.
    void Take_Rack();
    // Gives the shown rack back; a give-back without an answer is told and kept to
    // be sent again. True when the laboratory granted it.
    bool Give_Back_Rack();
    // Tells that a rack could not be given back to the laboratory, with the
    // laboratory's reason when it gave one.
    void Tell_Not_Given_Back(const QString& rackDesc);
    // Tells the refusal of a give-back that a station before this one still owed,
    // the first time the laboratory refuses it; true when it told one.
    bool Tell_Refusal_Of_Earlier_Give_Back();
    // Shows the rack's status while the station does not hold the shown rack.
    void Show_Custody();
    // Fits that status onto the panel's bottom line: a smaller font, then two lines.
    void Fit_Sign();
    void Show_Nav_Buttons();
    QString picturePath(const QString& fileName) const;

    ui::Image* lit_flag_ = nullptr;
    // The rack search of a navigation is up.
    bool search_up_ = false;
    std::array<double, 4> flag_slots_{};
};

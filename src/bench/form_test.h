#pragma once

#include "bench/count_report.h"
#include "bench/history_table.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "shell/station_form.h"

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>
#include <array>
#include <cstdint>
#include <memory>

// The particle-count bench: the station form of this station, shown beside the rack
// screen and under the header bar while a technician works. It holds the bath of 30
// positions with its timer, the history table of the last counts, the rack header
// and the count of outstanding samples, and answers the rack-station frame through
// the station-form interface.
//
// One class over several files: form_test.cpp (controls, load, settings),
// form_test_interface.cpp (station-form interface, taps, header boxes),
// form_test_bath.cpp (entry and timer), form_test_bath_reload.cpp (reload, removal,
// oldest rack), form_test_iso.cpp (history colours), form_test_layout.cpp (screen
// layout), form_test_run.cpp (run decision and count loop) and form_test_count.cpp
// (count processing and CSV logs).
class Form_Test : public ui::Form, public StationForm {
    Q_OBJECT
public:
    Form_Test();
    ~Form_Test() override;

    static constexpr int Bath_Size = 30;
    // The bath: position i (0 to 29) is held in the i-th control of each of these
    // five; a position is free while the trimmed caption of its lbl_wo is empty.
    // lbl_wo: " " + lab number, tag the entry time; lbl_inBath: the countdown,
    // tag the end of the bath time; lbl_isoCode: the history, tag the rack
    // description; img_bath: the priority picture; img_oldRack: the oldest-rack marker.
    std::array<ui::Image*, Bath_Size> img_bath{};
    std::array<ui::Label*, Bath_Size> lbl_wo{};
    std::array<ui::Label*, Bath_Size> lbl_inBath{};
    std::array<ui::Label*, Bath_Size> lbl_isoCode{};
    std::array<ui::Image*, Bath_Size> img_oldRack{};
    ui::Shape* shp_bath = nullptr;

    // The boxes above the bath.
    ui::Shape* shp_CountDown = nullptr;
    ui::Label* lbl_CountDown = nullptr;
    ui::Shape* shp_rackName = nullptr;
    ui::Label* lbl_rackName = nullptr;
    ui::Image* img_refresh = nullptr;
    ui::Shape* shp_ActiveWO = nullptr;
    ui::Label* lbl_ActiveWo = nullptr;

    // The history table (frm_Grid, shp_bg, lbl_elem, lbl_woHdr, h0 to h9).
    std::unique_ptr<History_Table> History;

    // The bath timer: every second while the program runs, from the first sample
    // offered to the bath.
    QTimer* Timer1 = nullptr;

    // The station settings, read once at the load.
    std::int16_t SAMPLES_BETWEEN_CHECKS = 0;
    std::int16_t ISO5_FLUSH = 0;
    std::int16_t ISO15_FLUSH = 0;
    std::int16_t ISO5_CHECK = 0;
    std::int16_t ISO15_CHECK = 0;
    std::int16_t ISO5_SAMPLE = 0;
    std::int16_t ISO15_SAMPLE = 0;
    std::int16_t INIT_ISO_HIST_DECREASE = 0;
    std::int16_t ISO_HIST_DECREASE_MAX = 0;
    std::int16_t Shake_Time = 0;  // SAMPLE_SHAKE_TIME, seconds
    std::int16_t Bath_Time = 0;   // SAMPLE_BATH_TIME, seconds
    std::int16_t MAX_RACKS_IN_BATH = 0;

    // Ordinary samples counted since the last passed check.
    std::int16_t Samples_Since_Check = 0;
    // Bath position of the ordinary sample being counted.
    std::int16_t Count_Index = -1;
    // True from the first step of the load to its last.
    bool Is_Loading = false;
    // The kind of the current count; "IDLE" between counts.
    QString Run_Kind;
    // Where the histogram panel stood at hibernation; -1 while nothing is saved.
    QVariant Saved_Grid_Top = -1;
    std::int16_t Saved_Grid_Left = -1;

    // --- The station-form interface.
    ui::Form& window() override { return *this; }

    void Nav_Start() override {}
    void Nav_End() override {}
    void Hibernate() override;
    void reActivate() override;
    void After_Login() override {}
    bool Process_Sample(std::int16_t Index, const QString& sampleId, const QString& sStatus) override;
    void Init() override;
    bool Rack_Refresh(bool) override { return true; }
    void Rack_OnClick() override {}
    QVariant AllSaved() override { return false; }
    void On_AfterSave() override {}
    void User_Logout() override {}
    void User_Login() override {}
    void Quick_Hide() override {}
    void Quick_Show(const QVariant& Index) override;
    std::int16_t Save_Results() override { return 0; }
    // A count running in the counter dialog is stopped as its close stops it;
    // nothing of it is stored.
    void Stop_At_The_End() override;
    // Takes the counter's report apart, logs, stores and shows it; leaves
    // commonModule::Rerun_Requested and Curr_Lab_Number for the count loop.
    void process_data(const QString& received);

    // --- Settings and the header boxes.
    void Load_PC_Settings();
    void Rack_Header_Show(bool bVisible, const QString& sRackName, const QVariant& vTag);
    void Outstanding_Count_Show();

    // --- Taps. Every part of a bath position acts like its picture. A tap on an
    // occupied position decides the run and drives the counter dialog round by round.
    void img_bath_Click(int Index);
    void img_oldRack_Click(int Index) { img_bath_Click(Index); }
    void lbl_inBath_Click(int Index) { img_bath_Click(Index); }
    void lbl_isoCode_Click(int Index) { img_bath_Click(Index); }
    void lbl_wo_Click(int Index) { img_bath_Click(Index); }
    void img_refresh_Click();
    void lbl_rackName_Click();

    // --- The bath.
    bool Bath_Add_Sample(const QString& sSampleId, bool bReload, int vPosition);
    std::int16_t Bath_Free_Position() const;
    bool Sample_In_Bath(const QString& sSampleId) const;
    std::int16_t Bath_Rack_Count() const;
    QString Bath_Image_Name(const QVariant& sPriority) const;
    void Bath_Load_Content();
    void Batch_Fill_Positions();
    void Bath_Reload();
    void Clear_Bath_Position(int Index);
    void Remove_From_Bath(int Index);
    QString Get_Oldest_Rack();
    void Show_Oldest_Rack();
    void Bath_Refresh(int Index);
    void Timer1_Timer();

    // --- History colours of the bath positions.
    void Check_ISO_History(int Index, bool& bOk) const;
    void Color_ISO_Labels(int Index);
    QColor Iso_History_Color(bool bBack, const QString& iso2, const QString& iso5, const QString& iso15) const;

    // --- The run decision and the count (form_test_run.cpp, form_test_count.cpp).
    void Get_Run_Type(int Index, bool& bFlush);
    void Within_Limits(const QVariant& code5, const QVariant& code15, bool& bOk) const;
    bool Write_Active_Log(const QString& line);
    bool Write_STD_Log(bool passed, const QString& line);

    // --- Screen layout around the rack screen; only while loading.
    void Arrange_Station_Screen();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // How the open batch is read into the bath: at the load, over what is shown; on
    // the refresh, the bath rebuilt (every sample ready at once); and after an entry or
    // removal the laboratory did not take, following it: a position whose sample the
    // laboratory still holds there keeps its countdown, only changed positions take
    // what the laboratory holds, and the rack in hand stays. The last two leave the
    // bath as it is when the batch cannot be read, and give False then.
    enum class Batch_Read { None, Load, Refresh, Follow };
    bool Load_Open_Batch(Batch_Read how);
    // After an entry the laboratory refused or a removal it did not take: the bath
    // follows the laboratory, unless a reading is already under way. True when the
    // batch was read.
    bool Bath_Follow_Laboratory();
    Batch_Read Bath_Reading = Batch_Read::None;

    void Store_Sample_Count(const countReport::Count_Report& report, bool logged);
    // Registers the re-run of the sample; a registration that got no answer after a
    // stored count is told, and tried again as long as the technician asks for it.
    bool Register_Rerun(const QString& labNumber);
    void Show_Count(const QString& iso_text, const std::array<QVariant, countReport::Channel_Count>& values);
    void Create_Bath_Controls();
    void Create_Header_Boxes();
    std::int16_t Read_Setting(const QString& name, std::int16_t current, QStringList& problems);
};

#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "shell/station_form.h"

#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>

// The particle-count bench: the station form of this station, shown beside the rack
// screen and under the header bar while a technician works. Its load fixes the
// station (test group, station name, instrument) and brings up the rack screen.
// The bath, the run decision, the count processing, the history table and the
// screen layout are not on it yet; their members answer as the station's
// interface expects and do nothing more.
class Form_Test : public ui::Form, public StationForm {
    Q_OBJECT
public:
    Form_Test();

    static constexpr int Bath_Size = 30;
    // The bath: position i (0 to 29) is held in the i-th control of each of these
    // five; a position is free while the trimmed caption of its lbl_wo is empty.
    std::array<ui::Image*, Bath_Size> img_bath{};
    std::array<ui::Label*, Bath_Size> lbl_wo{};
    std::array<ui::Label*, Bath_Size> lbl_inBath{};
    std::array<ui::Label*, Bath_Size> lbl_isoCode{};
    std::array<ui::Image*, Bath_Size> img_oldRack{};

    // True from the first step of the load to its last.
    bool Is_Loading = false;
    // The kind of the current count; "IDLE" between counts.
    QString Run_Kind;
    // Where the histogram panel stood at hibernation; -1 while nothing is saved.
    QVariant Saved_Grid_Top = -1;
    std::int16_t Saved_Grid_Left = -1;

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

protected:
    void Form_Load() override;
};

#pragma once

#include "alert_recorder.h"
#include "common_ui/form_alert_yes_no.h"
#include "qstring_printer.h"
#include "records/rack.h"
#include "shell_fixture.h"

#include <QList>

// A bench stand-in that notes what the rack screen asks of it and opens exactly
// the positions whose status is READY.
class BenchStandIn : public RecordingStationForm {
public:
    BenchStandIn() { setObjectName(QStringLiteral("BenchStandIn")); }

    struct Tap {
        std::int16_t index;
        QString sampleId;
        QString status;
    };
    QList<Tap> taps;
    int navStarts = 0, navEnds = 0, rackClicks = 0, quickHides = 0, quickShows = 0, saves = 0;
    QVariant allSaved = false;
    // Set to make an opened position count as saved at once, as the bench does.
    bool savesOnShow = false;

    bool Process_Sample(std::int16_t index, const QString& sampleId, const QString& status) override
    {
        taps << Tap{index, sampleId, status};
        return status == QLatin1String("READY");
    }
    void Nav_Start() override { ++navStarts; }
    void Nav_End() override { ++navEnds; }
    void Rack_OnClick() override { ++rackClicks; }
    void Quick_Hide() override { ++quickHides; }
    void Quick_Show(const QVariant&) override
    {
        ++quickShows;
        if (savesOnShow) commonModule::Results_Saved = true;
    }
    std::int16_t Save_Results() override { return static_cast<std::int16_t>(++saves); }
    QVariant AllSaved() override { return allSaved; }
};

// The particle-count station's frame around the rack screen: test group and
// station fixed, the pictures looked for in the station folder, no rack held.
class RackTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        shell::registerStationForm<BenchStandIn>();
        using namespace commonModule;
        Curr_Test_Group = QStringLiteral("PrtCount");
        Curr_Employee().Station = QStringLiteral("PARTICLE COUNT");
        Image_Dir = stationFolder.path() + QStringLiteral("/");
        Priority_Filter.clear();
        Results_Saved = false;
        Edited_Sample_Id.clear();
        Curr_Position = -1;
        Curr_Rack().Initialize_pos();
        Curr_Rack().Rack_Status.clear();
        Curr_Rack().lostGiveBacks.clear();
        Curr_Rack().owed = OwedRacks();
        Form_Search::Search_Action.clear();
        Form_Search::Preselected_Rack.clear();
        Form_Search::Sample_Located = false;
        Form_AlertYesNo::Result = 0;
    }

    void TearDown() override
    {
        ui::Default_Instance<Form_AlertYesNo>::Unload();
        ui::Default_Instance<Form_Search>::Unload();
        ui::Default_Instance<BenchStandIn>::Unload();
        ShellTest::TearDown();
        commonModule::Curr_Rack().Initialize_pos();
    }

    static BenchStandIn& bench() { return ui::Default_Instance<BenchStandIn>::get(); }
    static Form_Rack& rack() { return ui::Default_Instance<Form_Rack>::get(); }

    // Loads the rack screen with the cell size in pixels, as the bench does, letting
    // the search of its load choose by itself.
    Form_Rack& loadScreen(int cellWidthPx = 95, int cellHeightPx = 75);
};

// A responder that lets the search's one-second choice happen: the search must be
// armed for it and unseen.
inline ui::ModalResponder automaticChoice()
{
    return [](QDialog* w) {
        auto* search = qobject_cast<Form_Search*>(w);
        ASSERT_NE(search, nullptr) << "expected the rack search, got " << w->objectName().toStdString();
        EXPECT_TRUE(search->Timer1->isActive());
        EXPECT_EQ(search->Timer1->interval(), 1000);
        EXPECT_EQ(search->width(), 0) << "an automatic choice is never seen";
        search->Timer1_Timer();
    };
}

// A responder that answers the yes/no box with a result.
inline ui::ModalResponder answering(std::int16_t result)
{
    return [result](QDialog* w) {
        auto* box = qobject_cast<Form_AlertYesNo*>(w);
        ASSERT_NE(box, nullptr) << "expected the question, got " << w->objectName().toStdString();
        if (result == Form_AlertYesNo::kYes) QTest::mouseClick(box->lbl_Yes, Qt::LeftButton);
        if (result == Form_AlertYesNo::kNo) QTest::mouseClick(box->lbl_No, Qt::LeftButton);
        if (result == Form_AlertYesNo::kExit) QTest::mouseClick(box->lbl_Exit, Qt::LeftButton);
    };
}

inline Form_Rack& RackTest::loadScreen(int cellWidthPx, int cellHeightPx)
{
    Form_Rack& f = rack();
    f.Cell_Width = static_cast<std::int16_t>(cellWidthPx * 15);
    f.Cell_Height = static_cast<std::int16_t>(cellHeightPx * 15);
    ui::ModalResponders responders;
    responders.add(automaticChoice());
    f.Load();
    EXPECT_EQ(responders.pending(), 0);
    EXPECT_TRUE(responders.unanswered().isEmpty()) << responders.unanswered().join(",").toStdString();
    return f;
}

// The bench laid out around the rack screen at 15 twips per pixel with the
// station's 95 x 75 pixel rack cells.
#include "bench_fixture.h"

#include "qstring_printer.h"

namespace {

using BenchLayout = BenchTest;

TEST_F(BenchLayout, BathColumnsAndRowsFollowThePictureSizeAndThePanelTop)
{
    Form_Test& b = bench();
    const Form_Rack& rack = ui::Default_Instance<Form_Rack>::get();
    EXPECT_DOUBLE_EQ(ui::Top(rack.shp_rackPanel), 945) << "one and a half priority buttons";
    EXPECT_DOUBLE_EQ(ui::Left(b.shp_bath), 150);
    EXPECT_DOUBLE_EQ(ui::Top(b.shp_bath), 945);

    const double lefts[6] = {273, 2031, 3788, 5546, 7304, 9061};
    const double tops[5] = {1015.875, 2644.5, 4273.125, 5901.75, 7530.375};
    for (int i = 0; i < Form_Test::Bath_Size; ++i) {
        SCOPED_TRACE(i);
        const ui::Image* picture = b.img_bath[i];
        EXPECT_DOUBLE_EQ(ui::Left(picture), lefts[i % 6]);
        EXPECT_DOUBLE_EQ(ui::Top(picture), tops[i / 6]);
        EXPECT_DOUBLE_EQ(ui::Top(b.lbl_isoCode[i]) - ui::Top(picture), 1162);
        EXPECT_DOUBLE_EQ(ui::Height(b.lbl_isoCode[i]), 280);
        EXPECT_DOUBLE_EQ(ui::Left(b.lbl_wo[i]) - ui::Left(picture), 190);
        EXPECT_DOUBLE_EQ(ui::Top(b.lbl_wo[i]) - ui::Top(picture), 60);
        EXPECT_DOUBLE_EQ(ui::Left(b.lbl_inBath[i]) - ui::Left(picture), 292.5);
        EXPECT_DOUBLE_EQ(ui::Top(b.lbl_inBath[i]) - ui::Top(picture), 735);
        EXPECT_DOUBLE_EQ(ui::Top(b.img_oldRack[i]) - ui::Top(picture), 375) << "between the two labels, 2 pixels up";
        EXPECT_DOUBLE_EQ(ui::Left(b.img_oldRack[i]) - ui::Left(picture), 667.5);
        EXPECT_DOUBLE_EQ(ui::Left(b.lbl_isoCode[i]) - ui::Left(picture), 60);
    }
    EXPECT_DOUBLE_EQ(ui::Left(b.img_bath[6]), 273) << "position 6 opens the second row";
    EXPECT_DOUBLE_EQ(ui::Top(b.img_bath[29]), 7530.375);
    EXPECT_DOUBLE_EQ(ui::Left(b.img_bath[29]), 9061);

    EXPECT_DOUBLE_EQ(ui::Width(b.shp_bath), 10696);
    EXPECT_DOUBLE_EQ(ui::Height(b.shp_bath), 8220);
    EXPECT_DOUBLE_EQ(ui::Top(b.History->frm_Grid), 9315);
    EXPECT_DOUBLE_EQ(ui::Left(b.History->frm_Grid), 150);
    EXPECT_DOUBLE_EQ(ui::Width(b.History->shp_bg), 10696);
    EXPECT_DOUBLE_EQ(ui::Width(b.History->frm_Grid), 10736);
    EXPECT_EQ(b.img_bath[17]->picturePath(), commonModule::Image_Dir + "bttn_bath_idle.gif");
}

TEST_F(BenchLayout, BenchStandsRightOfTheRackPanelUnderTheHeader)
{
    Form_Test& b = bench();
    const Form_Rack& rack = ui::Default_Instance<Form_Rack>::get();
    const Form_Header& header = ui::Default_Instance<Form_Header>::get();
    EXPECT_DOUBLE_EQ(ui::Top(&b), ui::Height(&header));
    EXPECT_DOUBLE_EQ(ui::Top(&rack), ui::Top(&b));
    EXPECT_DOUBLE_EQ(ui::Left(&b), 7095) << "rack panel left 120 + width 6975";
    EXPECT_DOUBLE_EQ(ui::Width(header.shp_mainPanel), 7095 + 10696);

    const form_pcGrid& histogram = ui::Default_Instance<form_pcGrid>::get();
    EXPECT_DOUBLE_EQ(ui::Top(&histogram), ui::Top(&b) + 9315) << "level with the history table";
    EXPECT_DOUBLE_EQ(ui::Left(&histogram), ui::Left(header.shp_mainPanel));
    EXPECT_DOUBLE_EQ(ui::Width(histogram.shp_histbg), 6975) << "as wide as the rack panel";

    EXPECT_DOUBLE_EQ(ui::Top(rack.img_Exit), 157.5);
    EXPECT_DOUBLE_EQ(ui::Left(rack.img_Exit), 120 + 6975 - 990);
    EXPECT_DOUBLE_EQ(ui::Top(rack.lbl_Exit), 7.5);
    EXPECT_DOUBLE_EQ(ui::Left(rack.lbl_Exit), 120 + 6975 - 990 - 150);
}

TEST_F(BenchLayout, BoxesAboveTheBathStandLevelWithThePriorityFlags)
{
    Form_Test& b = bench();
    EXPECT_DOUBLE_EQ(ui::Top(b.shp_CountDown), 157.5);
    EXPECT_DOUBLE_EQ(ui::Left(b.shp_CountDown), 150);
    EXPECT_DOUBLE_EQ(ui::Top(b.lbl_CountDown), 207.5);
    EXPECT_DOUBLE_EQ(ui::Width(b.lbl_CountDown), 915);
    EXPECT_DOUBLE_EQ(ui::Top(b.shp_rackName), 157.5);
    EXPECT_DOUBLE_EQ(ui::Left(b.shp_rackName), 150 + 10696 - 5415) << "right-aligned with the bath panel";
    EXPECT_DOUBLE_EQ(ui::Left(b.lbl_rackName), 5431);
    EXPECT_DOUBLE_EQ(ui::Width(b.lbl_rackName), 5415);
    EXPECT_DOUBLE_EQ(ui::Top(b.img_refresh), 157.5);
    EXPECT_DOUBLE_EQ(ui::Left(b.img_refresh), 5431 - 630 - 300);
    EXPECT_DOUBLE_EQ(ui::Left(b.shp_ActiveWO), 4501 - 915 - 300);
    EXPECT_DOUBLE_EQ(ui::Top(b.shp_ActiveWO), 157.5);
    EXPECT_DOUBLE_EQ(ui::Left(b.lbl_ActiveWo), 3286);
    EXPECT_DOUBLE_EQ(ui::Top(b.lbl_ActiveWo), 157.5 + 37.5);
    EXPECT_EQ(b.shp_ActiveWO->backColor(), commonModule::Color_Slate);
}

TEST_F(BenchLayout, LayingOutAgainAfterTheLoadChangesNothing)
{
    Form_Test& b = bench();
    const double top = ui::Top(b.img_bath[7]);
    ui::setTop(b.img_bath[7], 50);
    b.Init();
    EXPECT_DOUBLE_EQ(ui::Top(b.img_bath[7]), 50);
    ui::setTop(b.img_bath[7], top);
    EXPECT_DOUBLE_EQ(ui::Top(&ui::Default_Instance<Form_Rack>::get()), ui::Top(&b));
}

}  // namespace

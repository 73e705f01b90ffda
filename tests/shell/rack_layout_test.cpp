// Where the rack screen places its holder, panel, cells and buttons.
#include "rack_fixture.h"

#include <cmath>
#include <limits>

namespace {

class RackLayoutTest : public RackTest {
protected:
    Form_Rack& laidOut(int cellWidthPx, int cellHeightPx, std::int16_t top)
    {
        Form_Rack& f = rack();
        f.Cell_Width = static_cast<std::int16_t>(cellWidthPx * 15);
        f.Cell_Height = static_cast<std::int16_t>(cellHeightPx * 15);
        f.Resize_Rack(0, top);
        return f;
    }
};

void expectWhole16(const QWidget* w)
{
    const ui::TwipRect r = ui::twipRect(w);
    for (double v : {r.left, r.top, r.width, r.height}) {
        EXPECT_EQ(v, std::nearbyint(v)) << w->objectName().toStdString();
        EXPECT_GE(v, std::numeric_limits<std::int16_t>::min()) << w->objectName().toStdString();
        EXPECT_LE(v, std::numeric_limits<std::int16_t>::max()) << w->objectName().toStdString();
    }
}

TEST_F(RackLayoutTest, NinetyFiveBySeventyFiveCellsUnderTheBenchOffset)
{
    Form_Rack& f = laidOut(95, 75, 945);
    const ui::Shape* holder = f.shp_holder.front();
    EXPECT_EQ(ui::Height(holder), 6975);
    EXPECT_EQ(ui::Width(holder), 6825);
    EXPECT_EQ(ui::Top(holder), 1725);
    EXPECT_EQ(ui::Left(holder), 195);
    EXPECT_EQ(ui::Top(f.shp_rackPanel), 945);
    EXPECT_EQ(ui::Left(f.shp_rackPanel), 120) << "the panel's left stays as designed";
    EXPECT_EQ(ui::Width(f.shp_rackPanel), 6975);
    EXPECT_EQ(ui::Height(f.shp_rackPanel), 8220);

    const double rowTops[] = {1950, 3300, 4650, 6000, 7350};
    const double columnLefts[] = {420, 2070, 3720, 5370};
    for (int i = 0; i < Form_Rack::kCells; ++i) {
        const double top = rowTops[i / 4];
        const double left = columnLefts[i % 4];
        SCOPED_TRACE(i);
        EXPECT_EQ(ui::twipRect(f.shp_sample[i]).top, top);
        EXPECT_EQ(ui::twipRect(f.shp_sample[i]).left, left);
        EXPECT_EQ(ui::Width(f.shp_sample[i]), 1425);
        EXPECT_EQ(ui::Height(f.shp_sample[i]), 1125);
        EXPECT_EQ(ui::Top(f.lbl_sample[i]), top);
        EXPECT_EQ(ui::Left(f.lbl_sample[i]), left);
        EXPECT_EQ(ui::Top(f.lbl_Info[i]), top + 120);
        EXPECT_EQ(ui::Top(f.lbl_Result[i]), top + 740);
        EXPECT_EQ(ui::Left(f.lbl_Result[i]), left);
        EXPECT_EQ(ui::Width(f.lbl_Info[i]), 1425);
        EXPECT_EQ(ui::Top(f.img_sample_status_screen[i]), top + 630);
        EXPECT_EQ(ui::Left(f.img_sample_status_screen[i]), left + 105);
        EXPECT_EQ(ui::Left(f.img_sample_status_water[i]), left + 615);
        EXPECT_EQ(ui::Left(f.img_sample_status_picture[i]), left + 1125);
        EXPECT_FALSE(f.img_sample_status_screen[i]->isVisibleTo(&f));
        EXPECT_EQ(f.lbl_sample[i]->caption(), "") << "the layout clears the captions";
        expectWhole16(f.shp_sample[i]);
    }
    // The last cell ends 15 pixels inside the holder's right and bottom edges.
    const ui::TwipRect last = ui::twipRect(f.shp_sample[19]);
    EXPECT_EQ(ui::Left(holder) + ui::Width(holder) - (last.left + last.width), 225);
    EXPECT_EQ(ui::Top(holder) + ui::Height(holder) - (last.top + last.height), 225);

    EXPECT_EQ(ui::Left(f.bttn_Nav[2]), 6388);
    EXPECT_EQ(ui::Left(f.bttn_Nav[1]), 5683);
    EXPECT_EQ(ui::Left(f.bttn_Nav[0]), 4978);
    for (ui::Image* b : f.bttn_Nav) EXPECT_EQ(ui::Top(b), 1020);
    for (ui::Image* flag : {f.img_Priority, f.img_critical, f.img_retest, f.img_urgent, f.img_rush}) EXPECT_EQ(ui::Top(flag), 157.5);
    EXPECT_EQ(ui::Top(f.lbl_rackDesc), 1180.5);
    EXPECT_EQ(ui::Left(f.lbl_RackDate), 3645);
    EXPECT_EQ(ui::Top(f.lbl_RackDate), 8790);
    EXPECT_EQ(ui::Left(f.lbl_RackStatus), 195);
    EXPECT_EQ(ui::Top(f.lbl_RackStatus), 8790);
    EXPECT_FALSE(f.lbl_RackStatus->isVisibleTo(&f));
    EXPECT_EQ(ui::Left(f.img_save), 5880);
    EXPECT_EQ(ui::Top(f.img_save), 9465);
    EXPECT_EQ(ui::Top(f.img_ptr), 1005);
    EXPECT_EQ(ui::Left(f.img_ptr), 165);
    EXPECT_EQ(ui::Left(f.shp_ActiveWO), 120 + 6975 - 2175);
    EXPECT_EQ(ui::Left(f.lbl_ActiveWo), ui::Left(f.shp_ActiveWO));
    EXPECT_TRUE(f.img_Exit->isVisibleTo(&f));
    EXPECT_EQ(ui::Top(f.lbl_Exit), std::nearbyint(ui::Top(f.img_Exit) + 315 - 367.5)) << "centred, in whole twips";
    for (const QWidget* w : {static_cast<const QWidget*>(holder), static_cast<const QWidget*>(f.shp_rackPanel)}) expectWhole16(w);
}

TEST_F(RackLayoutTest, HundredFifteenByNinetyCellsUnderTheBenchOffset)
{
    Form_Rack& f = laidOut(115, 90, 945);
    const ui::Shape* holder = f.shp_holder.front();
    EXPECT_EQ(ui::Height(holder), 8100);
    EXPECT_EQ(ui::Width(holder), 8025);
    EXPECT_EQ(ui::Top(holder), 1725);
    EXPECT_EQ(ui::Width(f.shp_rackPanel), 8175);
    EXPECT_EQ(ui::Height(f.shp_rackPanel), 9345);
    const double rowTops[] = {1950, 3525, 5100, 6675, 8250};
    const double columnLefts[] = {420, 2370, 4320, 6270};
    for (int i = 0; i < Form_Rack::kCells; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ui::Top(f.shp_sample[i]), rowTops[i / 4]);
        EXPECT_EQ(ui::Left(f.shp_sample[i]), columnLefts[i % 4]);
        EXPECT_EQ(ui::Top(f.lbl_Result[i]), rowTops[i / 4] + 965);
        expectWhole16(f.shp_sample[i]);
        expectWhole16(f.lbl_sample[i]);
    }
    const ui::TwipRect last = ui::twipRect(f.shp_sample[19]);
    EXPECT_EQ(ui::Left(holder) + ui::Width(holder) - (last.left + last.width), 225);
    EXPECT_EQ(ui::Top(holder) + ui::Height(holder) - (last.top + last.height), 225);
    EXPECT_EQ(ui::Left(f.bttn_Nav[2]), 7588);
    EXPECT_EQ(ui::Left(f.bttn_Nav[1]), 6883);
    EXPECT_EQ(ui::Left(f.bttn_Nav[0]), 6178);
    EXPECT_EQ(ui::Left(f.lbl_RackDate), 4845);
    EXPECT_EQ(ui::Top(f.lbl_RackDate), 9915);
    EXPECT_EQ(ui::Left(f.img_save), 7080);
    EXPECT_EQ(ui::Top(f.img_save), 10590);
    expectWhole16(holder);
    expectWhole16(f.shp_rackPanel);
}

TEST_F(RackLayoutTest, WithoutOffsetThePanelIsAtTheTopAndTheFlagsAboveIt)
{
    Form_Rack& f = laidOut(95, 75, 0);
    EXPECT_EQ(ui::Top(f.shp_rackPanel), 0);
    EXPECT_EQ(ui::Top(f.shp_holder.front()), 780);
    EXPECT_LT(ui::Top(f.img_Priority), 0) << "out of sight until the bench lowers the panel";
    // A second pass places everything afresh.
    f.Resize_Rack(0, 945);
    EXPECT_EQ(ui::Top(f.shp_sample[0]), 1950);
}

TEST_F(RackLayoutTest, HorizontalOffsetShiftsTheCellsOnly)
{
    Form_Rack& f = laidOut(95, 75, 945);
    const double navLeft = ui::Left(f.bttn_Nav[2]);
    f.Resize_Rack(300, 945);
    EXPECT_EQ(ui::Left(f.shp_sample[0]), 720);
    EXPECT_EQ(ui::Left(f.lbl_Info[3]), 5670);
    EXPECT_EQ(ui::Left(f.img_sample_status_screen[0]), 825);
    EXPECT_EQ(ui::Left(f.shp_holder.front()), 195);
    EXPECT_EQ(ui::Left(f.bttn_Nav[2]), navLeft);
}

}  // namespace

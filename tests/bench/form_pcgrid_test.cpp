#include "bench/form_pcgrid.h"
#include "bench/histogram_scale.h"
#include "common/common_module.h"
#include "platform/ui/twips.h"

#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Plot area at design: top 210, height 2415, so its bottom is 2625.
constexpr double Bottom = 2625;

class PcGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::setTwipsPerPixel(15, 15);
        commonModule::Init_Colors();
        grid.Load();
    }
    void TearDown() override { ui::setTwipsPerPixel(0, 0); }

    void Show(double m2, double m5 = 0, double m15 = 0, double m25 = 0, double m50 = 0, double m100 = 0, double m200 = 0,
              const QString& iso = "18/16")
    {
        grid.Show_histogram(iso, m2, m5, m15, m25, m50, m100, m200);
    }
    QString Top_Label() const { return grid.lbl_Y[1]->caption(); }
    QString Middle_Label() const { return grid.lbl_Y[0]->caption(); }
    double Bar(int i) const { return ui::Height(grid.shp_size[i]); }
    void Expect_Standing(int i) const { EXPECT_DOUBLE_EQ(ui::Top(grid.shp_size[i]) + ui::Height(grid.shp_size[i]), Bottom) << "bar " << i; }
    void Tap(int i) { QTest::mouseClick(grid.chk_size[i], Qt::LeftButton); }

    form_pcGrid grid;
};

TEST(HistogramScaleTest, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(histogram_scale::Round_Half_Even(0.5), 0);
    EXPECT_EQ(histogram_scale::Round_Half_Even(1.5), 2);
    EXPECT_EQ(histogram_scale::Round_Half_Even(2.5), 2);
}

TEST(HistogramScaleTest, EveryLadderValueIsItsOwnTopAndJustAboveGivesTheNext)
{
    const auto& ladder = histogram_scale::Ladder;
    for (std::size_t i = 0; i < ladder.size(); ++i) {
        EXPECT_EQ(histogram_scale::Scale_Top(ladder[i]), ladder[i]);
        if (i + 1 < ladder.size()) {
            EXPECT_LT(ladder[i], ladder[i + 1]);
            EXPECT_EQ(histogram_scale::Scale_Top(ladder[i] + 0.5), ladder[i + 1]);
        }
    }
    EXPECT_EQ(histogram_scale::Scale_Top(0), 25);
    EXPECT_EQ(histogram_scale::Scale_Top(300000.5), 500000);
    EXPECT_EQ(histogram_scale::Scale_Top(7.5e6), 500000);
}

TEST(HistogramScaleTest, CountsThatAreNoNumberOrAbsurdlyLargeStayPlaceable)
{
    EXPECT_EQ(histogram_scale::Bar_Height(std::numeric_limits<double>::infinity(), 500000, 2415), 0);
    EXPECT_EQ(histogram_scale::Bar_Height(std::nan(""), 25, 2415), 0);
    const double huge = histogram_scale::Bar_Height(1e15, 500000, 2415);
    EXPECT_GT(huge, 2415);
    EXPECT_LE(huge, 1e6);
}

TEST_F(PcGridTest, LoadWritesTheChannelNamesAndStandsTheBarsOnTheBottom)
{
    const QStringList names = {QString::fromUtf8("2\xC2\xB5"), "5" + QString(QChar(0xB5)), QString::fromUtf8("15µ"),
                               QString::fromUtf8("25µ"),       QString::fromUtf8("50µ"),   QString::fromUtf8("100µ"),
                               QString::fromUtf8("200µ")};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(grid.lbl_size[i]->caption(), names[i]);
        EXPECT_TRUE(grid.chk_size[i]->isChecked());
        EXPECT_EQ(Bar(i), 0);
        Expect_Standing(i);
    }
    EXPECT_EQ(Top_Label(), "1000");
    EXPECT_EQ(Middle_Label(), "500");
    EXPECT_EQ(grid.lbl_CODE->caption(), "");
    // Across the plot area at its middle: 210 + 1207.5, a half going to the even 1418.
    EXPECT_EQ(grid.line_50->y1(), 1418);
    EXPECT_EQ(grid.line_50->y2(), 1418);
}

TEST_F(PcGridTest, AllZeroKeepsThePreviousDrawingEvenAfterATap)
{
    Show(0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Top_Label(), "1000") << "nothing drawn after load either";

    Show(800, 300, 40);
    const double bar0 = Bar(0);
    ASSERT_GT(bar0, 0);
    Show(0, 0, 0, 0, 0, 0, 0, "9/7");
    EXPECT_EQ(grid.lbl_CODE->caption(), "18/16");
    EXPECT_EQ(Top_Label(), "1000");
    EXPECT_EQ(Bar(0), bar0);
    Tap(0);
    EXPECT_FALSE(grid.chk_size[0]->isChecked());
    EXPECT_EQ(Top_Label(), "1000");
    EXPECT_EQ(Bar(0), bar0);
}

TEST_F(PcGridTest, ReferenceOnALadderValueAndJustAboveIt)
{
    Show(5000);
    EXPECT_EQ(Top_Label(), "5000");
    EXPECT_EQ(Middle_Label(), "2500");
    EXPECT_EQ(Bar(0), 2415);
    Show(5000.5);
    EXPECT_EQ(Top_Label(), "7000");
    EXPECT_EQ(Middle_Label(), "3500");
}

TEST_F(PcGridTest, ReferencesFrom40000To50000GiveTop50000)
{
    for (double reference : {40000.5, 45000.0, 50000.0}) {
        Show(reference);
        EXPECT_EQ(Top_Label(), "50000") << reference;
        EXPECT_EQ(Middle_Label(), "25000") << reference;
    }
}

TEST_F(PcGridTest, ReferenceAboveTheLadderScalesTo500000)
{
    Show(350000, 175000);
    EXPECT_EQ(Top_Label(), "500000");
    EXPECT_EQ(Middle_Label(), "250000");
    // 350000 / 500000 x 2415 = 1690.5, a half going to the even 1690.
    EXPECT_EQ(Bar(0), 1690);
    EXPECT_EQ(Bar(1), 845);  // 845.25
    Expect_Standing(0);
}

TEST_F(PcGridTest, LaterChannelAboveTheScaleIsDrawnTaller)
{
    // The 2 µm count is 0, so 5 µm sets the scale; 15 µm is four times that.
    Show(0, 100, 400);
    EXPECT_EQ(Top_Label(), "100");
    EXPECT_EQ(Bar(0), 0);
    EXPECT_EQ(Bar(1), 2415);
    EXPECT_EQ(Bar(2), 9660);
    EXPECT_EQ(ui::Top(grid.shp_size[2]), Bottom - 9660);
}

TEST_F(PcGridTest, AllUncheckedGivesTop25NoBarsAndStillTheCode)
{
    for (QCheckBox* check : grid.chk_size) check->setChecked(false);
    Show(4000, 900, 120, 30, 8, 1, 0, "19/17/14");
    EXPECT_EQ(Top_Label(), "25");
    EXPECT_EQ(Middle_Label(), "12.5");
    EXPECT_EQ(grid.lbl_CODE->caption(), "19/17/14");
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Bar(i), 0);
        Expect_Standing(i);
    }
}

TEST_F(PcGridTest, TappingTwoMicronsOffRedrawsOnTheFirstCheckedCount)
{
    Show(9000, 3000, 800);
    EXPECT_EQ(Top_Label(), "10000");
    Tap(0);
    EXPECT_FALSE(grid.chk_size[0]->isChecked());
    EXPECT_EQ(Top_Label(), "3000");
    EXPECT_EQ(Bar(0), 0);
    Expect_Standing(0);
    EXPECT_EQ(Bar(1), 2415);
    EXPECT_EQ(Bar(2), 644);
    Tap(0);
    EXPECT_EQ(Top_Label(), "10000");
    EXPECT_EQ(Bar(0), 2174);  // 2173.5 -> 2174
}

TEST_F(PcGridTest, ResizeFitsThePanelToTheRackPanel)
{
    Show(1000, 500);
    // Plot width 4813.5 - 710 = 4103.5; bars (4103.5 - 8 x 75) / 7 = 500.5 -> 500 wide.
    grid.Resize(4813.5);
    EXPECT_DOUBLE_EQ(ui::Width(grid.shp_histbg), 4813.5);
    EXPECT_DOUBLE_EQ(ui::Width(grid.shp_Histogram), 4103.5);
    EXPECT_EQ(grid.width(), ui::toPixelsX(4813.5 + 15));
    EXPECT_EQ(grid.height(), ui::toPixelsY(3120 + 3 * 15));
    EXPECT_EQ(grid.line_50->x1(), 570);
    EXPECT_EQ(grid.line_50->x2(), 570 + 4103.5);
    for (int i = 0; i < 7; ++i) {
        const double left = 690 + i * (500 + 75);
        EXPECT_DOUBLE_EQ(ui::Width(grid.shp_size[i]), 500) << i;
        EXPECT_DOUBLE_EQ(ui::Left(grid.shp_size[i]), left) << i;
        EXPECT_DOUBLE_EQ(ui::Left(grid.chk_size[i]) + ui::Width(grid.chk_size[i]), left) << i;
        EXPECT_DOUBLE_EQ(ui::Left(grid.lbl_size[i]), left) << i;
    }
    EXPECT_EQ(Bar(0), 2415) << "the bars keep their heights";
    Expect_Standing(1);
}

}  // namespace

// How the rack screen draws the rack: description, cell texts, colours, highlight.
#include "platform/ui/fonts.h"
#include "rack_fixture.h"

namespace {

const QColor kPlain(44, 61, 77);
const QColor kGreen(65, 203, 81);
const QColor kYellow(249, 254, 101);
const QColor kPink(250, 79, 176);
const QColor kDoneGrey(187, 187, 187);

class RackDisplayTest : public RackTest {
protected:
    void SetUp() override
    {
        RackTest::SetUp();
        Form_Rack& f = rack();
        f.Cell_Width = 95 * 15;
        f.Cell_Height = 75 * 15;
        f.Resize_Rack(0, 945);
    }

    // A rack of 20 empty positions with the description given.
    static Rack& emptyRack(const QString& desc = QStringLiteral("R2001"))
    {
        Rack& r = commonModule::Curr_Rack();
        r.Initialize_pos();
        r.Rack_Desc = desc;
        r.Rack_id = QStringLiteral("2001");
        r.Emp_Num = commonModule::Curr_Employee().Emp_Num;  // held here
        for (std::int16_t i = 0; i < Rack::kPositions; ++i) r.Rack_Set(nullptr, i);
        return r;
    }

    static RackPositions& place(int index, const QString& status, const QString& priority, int run, const QString& workOrder)
    {
        RackPositions& p = commonModule::Curr_Rack().Pos_Item(index + 1);
        p.Status = status;
        p.Init_Status = status;
        p.Priority = priority;
        p.Run_No = static_cast<std::int16_t>(run);
        p.Sample_Desc = workOrder;
        p.Active = true;
        return p;
    }
};

TEST_F(RackDisplayTest, DescriptionIsCutAfterFifteenCharactersMeasuredTrimmed)
{
    struct Case {
        QString desc;
        QString shown;
    } cases[] = {
        {QStringLiteral("ABCDEFGHIJKLMNOP"), QStringLiteral("ABCDEFGHIJKLMNO...")},
        {QStringLiteral("ABCDEFGHIJKLMNO"), QStringLiteral("ABCDEFGHIJKLMNO")},
        {QStringLiteral("ABCDEFGHIJKLMN    "), QStringLiteral("ABCDEFGHIJKLMN    ")},
        {QStringLiteral("  ABCDEFGHIJKLMNOP"), QStringLiteral("  ABCDEFGHIJKLM...")},
    };
    for (const Case& c : cases) {
        emptyRack(c.desc);
        rack().Show_Rack();
        EXPECT_EQ(rack().lbl_rackDesc->caption(), c.shown) << c.desc.toStdString();
        EXPECT_EQ(rack().lbl_rackDesc->toolTip(), c.desc) << "the tooltip keeps the whole description";
    }
}

TEST_F(RackDisplayTest, EmptyPositionHidesItsTextAndIsGrey)
{
    emptyRack();
    Form_Rack& f = rack();
    f.lbl_Info[7]->setCaption(QStringLiteral("old"));
    f.lbl_Result[7]->setCaption(QStringLiteral("old"));
    f.Show_Rack();
    EXPECT_FALSE(f.lbl_sample[7]->isVisibleTo(&f));
    EXPECT_EQ(ui::tag(f.lbl_sample[7]).toString(), "");
    EXPECT_EQ(f.lbl_Info[7]->caption(), "");
    EXPECT_EQ(f.lbl_Result[7]->caption(), "");
    EXPECT_EQ(f.shp_sample[7]->borderColor(), kPlain);
    EXPECT_EQ(f.shp_sample[7]->fillColor(), commonModule::Color_Grey);
    EXPECT_FALSE(f.shp_sample[7]->fillTransparent());
    EXPECT_FALSE(f.img_sample_status_screen[7]->isVisibleTo(&f));
}

TEST_F(RackDisplayTest, ReadyPositionsAreColouredByPriorityAndRun)
{
    emptyRack();
    place(0, "READY", "NORMAL", 1, "04250001");
    place(1, "READY", "NORMAL", 2, "04250002");
    place(2, "READY", "RUSH", 2, "04250003");
    place(3, "READY", "RETEST", 1, "04250004");
    place(4, "READY", "CRITICAL", 3, "04250005");
    place(5, "READY", "URGENT", 1, "04250006");
    Form_Rack& f = rack();
    f.Show_Rack();
    const QColor borders[] = {kGreen, kYellow, kPink, kPlain, QColor(255, 165, 0), QColor(230, 0, 0)};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(f.shp_sample[i]->borderColor(), borders[i]);
        EXPECT_EQ(f.shp_sample[i]->fillColor(), kPlain);
        EXPECT_TRUE(f.lbl_sample[i]->isVisibleTo(&f));
        EXPECT_EQ(ui::tag(f.lbl_sample[i]).toString(), "READY");
        EXPECT_EQ(f.lbl_sample[i]->foreColor(), commonModule::Color_White);
    }
    EXPECT_EQ(f.lbl_sample[0]->caption(), "\r\n04250001");
    EXPECT_EQ(f.lbl_sample[0]->font().family(), ui::familyFor("Arial"));
    EXPECT_TRUE(f.lbl_sample[0]->font().bold());
}

TEST_F(RackDisplayTest, DoneIsGreyUntilAnotherPositionIsOpenThenNavy)
{
    emptyRack();
    place(0, "READY", "NORMAL", 1, "04250001");
    place(1, "DONE", "NORMAL", 1, "04250002");
    Form_Rack& f = rack();
    f.lbl_Info[1]->setCaption(QStringLiteral("kept"));
    f.Show_Rack();
    EXPECT_EQ(f.shp_sample[1]->borderColor(), kDoneGrey);
    EXPECT_EQ(f.shp_sample[1]->fillColor(), kPlain);
    EXPECT_EQ(f.lbl_sample[1]->foreColor(), kDoneGrey);
    EXPECT_EQ(f.lbl_Info[1]->foreColor(), kDoneGrey);
    EXPECT_EQ(f.lbl_Result[1]->foreColor(), kDoneGrey);
    EXPECT_EQ(f.lbl_Info[1]->caption(), "kept") << "a done position keeps its top line";

    commonModule::Curr_Position = 0;
    f.Init_Rack_Position(1);
    EXPECT_EQ(f.shp_sample[1]->borderColor(), commonModule::Color_Navy);
    EXPECT_EQ(f.lbl_sample[1]->foreColor(), commonModule::Color_Navy);

    // Changed since the load: no longer the navy of an untouched done position.
    commonModule::Curr_Rack().Pos_Item(2).Init_Status = QStringLiteral("READY");
    EXPECT_EQ(f.Get_Pos_Color(1, false, "DONE", "NORMAL", 1), kDoneGrey);
    EXPECT_EQ(f.Get_Pos_Color(QStringLiteral("x"), false, "DONE", "NORMAL", 1), kDoneGrey);
    EXPECT_EQ(f.Get_Pos_Color(25, false, "DONE", "NORMAL", 1), kDoneGrey) << "beyond the rack";
}

TEST_F(RackDisplayTest, SavedPositionIsDrawnWithItsLoadedStatus)
{
    emptyRack();
    RackPositions& p = place(0, "READY", "NORMAL", 1, "04250001");
    p.Status = QStringLiteral("DONE");
    p.isSaved = true;
    rack().Init_Rack_Position(0);
    EXPECT_EQ(ui::tag(rack().lbl_sample[0]).toString(), "READY");
    p.isSaved = false;
    rack().Init_Rack_Position(0);
    EXPECT_EQ(ui::tag(rack().lbl_sample[0]).toString(), "DONE");
}

TEST_F(RackDisplayTest, TextSizeFollowsTheCellWidth)
{
    emptyRack();
    place(0, "READY", "NORMAL", 1, "04250001");
    Form_Rack& f = rack();
    f.Init_Rack_Position(0);
    EXPECT_EQ(f.lbl_sample[0]->font().pointSize(), 10) << "95 pixels";
    f.Cell_Width = 115 * 15;
    f.Init_Rack_Position(0);
    EXPECT_EQ(f.lbl_sample[0]->font().pointSize(), 12) << "115 pixels";
    f.Cell_Width = 105 * 15;
    f.Init_Rack_Position(0);
    EXPECT_EQ(f.lbl_sample[0]->font().pointSize(), 10) << "10.5 goes to the even neighbour";
}

TEST_F(RackDisplayTest, HighlightIsRemovedToTheExactFormerFill)
{
    emptyRack();
    place(0, "READY", "NORMAL", 1, "04250001");
    place(1, "ALIQUOT", "NORMAL", 1, "04250002");
    Form_Rack& f = rack();
    f.Show_Rack();
    for (std::int16_t i : {0, 1}) {
        SCOPED_TRACE(i);
        const QColor before = f.shp_sample[i]->fillColor();
        f.Rack_Pos_Activate(i);
        EXPECT_EQ(f.shp_sample[i]->fillColor(), commonModule::Color_White);
        EXPECT_EQ(f.lbl_sample[i]->foreColor(), commonModule::Color_Slate);
        EXPECT_EQ(f.lbl_Info[i]->foreColor(), commonModule::Color_Slate);
        EXPECT_EQ(f.img_save->picturePath(), commonModule::Image_Dir + "bttn_save_on.jpg");
        f.Rack_Pos_DeActivate(i);
        EXPECT_EQ(f.shp_sample[i]->fillColor(), before);
        EXPECT_EQ(f.lbl_sample[i]->foreColor(), commonModule::Color_White);
        EXPECT_EQ(f.lbl_Info[i]->foreColor(), commonModule::Color_Amber);
    }
    EXPECT_EQ(f.shp_sample[1]->fillColor(), commonModule::Color_Grey);
    // No open position is passed as -1 and changes nothing.
    f.Rack_Pos_Activate(-1);
    f.Rack_Pos_DeActivate(-1);
    EXPECT_EQ(f.shp_sample[0]->fillColor(), kPlain);
}

TEST_F(RackDisplayTest, WorkOrderOnTwoCellsOpensTheLowerIndexed)
{
    emptyRack();
    place(3, "READY", "NORMAL", 1, "04250009");
    place(9, "READY", "NORMAL", 1, "04250009");
    Form_Rack& f = rack();
    f.Show_Rack();
    f.Select_Sample(QStringLiteral("04250009"));
    ASSERT_EQ(bench().taps.size(), 1);
    EXPECT_EQ(bench().taps[0].index, 3);
    EXPECT_EQ(bench().taps[0].sampleId, "04250009");
    EXPECT_EQ(commonModule::Curr_Position, 3);

    f.Select_Sample(QStringLiteral("04259999"));
    EXPECT_EQ(bench().taps.size(), 1) << "a work order on no cell opens nothing";
}

TEST_F(RackDisplayTest, ScreeningStationShowsStatusIconsTheParticleCountStationDoesNot)
{
    emptyRack();
    place(0, "READY", "NORMAL", 1, "04250001").doPicture = true;
    place(1, "DONE", "NORMAL", 1, "04250002");
    Form_Rack& f = rack();
    f.Show_Rack();
    EXPECT_FALSE(f.img_sample_status_screen[0]->isVisibleTo(&f));

    commonModule::Curr_Employee().Station = QStringLiteral("SCREENING");
    f.Show_Rack();
    EXPECT_TRUE(f.img_sample_status_screen[0]->isVisibleTo(&f));
    EXPECT_TRUE(f.img_sample_status_picture[0]->isVisibleTo(&f));
    EXPECT_FALSE(f.img_sample_status_picture[1]->isVisibleTo(&f));
    EXPECT_EQ(ui::tag(f.img_sample_status_water[1]).toString(), "done");
    EXPECT_EQ(f.img_sample_status_water[1]->picturePath(), commonModule::Image_Dir + "cs_w_done.jpg");
    EXPECT_EQ(f.img_sample_status_screen[0]->picturePath(), commonModule::Image_Dir + "cs_s_ready.jpg");
}

TEST_F(RackDisplayTest, NoDescriptionDrawsEveryCellEmpty)
{
    emptyRack();
    place(0, "READY", "NORMAL", 1, "04250001");
    commonModule::Curr_Rack().Rack_Desc.clear();
    rack().Init_Rack_Position(0);
    EXPECT_FALSE(rack().lbl_sample[0]->isVisibleTo(&rack()));
    EXPECT_EQ(rack().shp_sample[0]->fillColor(), commonModule::Color_Grey);
    rack().Init_Rack_Position(20);  // beyond the cells: nothing
}

}  // namespace

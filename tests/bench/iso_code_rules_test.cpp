// The ISO code rules of the bench: taking codes apart, the flush decision against
// the newest count, and the colours of a bath position.
#include "bench/iso_code_rules.h"
#include "common/common_module.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

using namespace isoRules;

constexpr int kIso5Sample = 18;
constexpr int kIso15Sample = 999;

TEST(IsoChannelCode, TwoAndThreeNumberCodesGiveTheirSizes)
{
    EXPECT_EQ(Get_ISO_Channel_Code(2, QStringLiteral("8/6/3")), "8");
    EXPECT_EQ(Get_ISO_Channel_Code(5, QStringLiteral("8/6/3")), "6");
    EXPECT_EQ(Get_ISO_Channel_Code(15, QStringLiteral("8/6/3")), "3");
    EXPECT_EQ(Get_ISO_Channel_Code(2, QStringLiteral("21/18/16")), "21");
    EXPECT_EQ(Get_ISO_Channel_Code(5, QStringLiteral("21/18/16")), "18");
    EXPECT_EQ(Get_ISO_Channel_Code(15, QStringLiteral("21/18/16")), "16");

    EXPECT_EQ(Get_ISO_Channel_Code(5, QStringLiteral("18/16")), "18");
    EXPECT_EQ(Get_ISO_Channel_Code(15, QStringLiteral("18/16")), "16");
    EXPECT_EQ(Get_ISO_Channel_Code(2, QStringLiteral("18/16")), "");
    // The history caption carries a trailing blank.
    EXPECT_EQ(Get_ISO_Channel_Code(5, QStringLiteral("18/16 ")), "18");
    EXPECT_EQ(Get_ISO_Channel_Code(15, QStringLiteral("18/6")), "6");
    EXPECT_EQ(Get_ISO_Channel_Code(5, QStringLiteral("21/8/16")), "8");
}

TEST(IsoChannelCode, OtherSizesNullEmptyAndMisplacedSlashesGiveEmptyText)
{
    EXPECT_EQ(Get_ISO_Channel_Code(25, QStringLiteral("21/18/16")), "");
    EXPECT_EQ(Get_ISO_Channel_Code(0, QStringLiteral("18/16")), "");
    EXPECT_EQ(Get_ISO_Channel_Code(5, QVariant()), "");
    EXPECT_EQ(Get_ISO_Channel_Code(5, QStringLiteral("")), "");
    EXPECT_EQ(Get_ISO_Channel_Code(5, QStringLiteral("No Hist ")), "");
    EXPECT_EQ(Get_ISO_Channel_Code(5, QStringLiteral("/16")), "");
    EXPECT_EQ(Get_ISO_Channel_Code(15, QStringLiteral("1/2/3/4")), "");
    EXPECT_EQ(Get_ISO_Channel_Code(2, QStringLiteral("1/2/3/4/5/6")), "");
    EXPECT_EQ(Get_ISO_Channel_Code(5, QStringLiteral("a/b/c/d/e")), "");
}

TEST(IsoChannelCode, CodesThatAreNotNumbersAreTakenApartAsText)
{
    EXPECT_EQ(Get_ISO_Channel_Code(5, QStringLiteral("xx/yy")), "xx");
    EXPECT_EQ(Get_ISO_Channel_Code(15, QStringLiteral("xx/yy/zz")), "zz");
}

TEST(IsoValidCode, OnlyThreeNumberCodesAreValid)
{
    EXPECT_TRUE(Is_Valid_ISO_Code(QStringLiteral("21/18/16")));
    EXPECT_TRUE(Is_Valid_ISO_Code(QStringLiteral(" 21/18/16 ")));
    EXPECT_FALSE(Is_Valid_ISO_Code(QStringLiteral("18/16")));
    EXPECT_FALSE(Is_Valid_ISO_Code(QStringLiteral("1/2/3/4")));
    EXPECT_FALSE(Is_Valid_ISO_Code(QStringLiteral("")));
    EXPECT_FALSE(Is_Valid_ISO_Code(QStringLiteral("   ")));
    EXPECT_FALSE(Is_Valid_ISO_Code(QVariant()));
    EXPECT_FALSE(Is_Valid_ISO_Code(QStringLiteral("No Hist")));
}

TEST(IsoLimits, FlushWhenTheNewestIsAboveTheSampleUnlessBothAreBelowTheLimit)
{
    EXPECT_FALSE(Compare_ISO_Limits("19", "18", kIso5Sample));
    EXPECT_TRUE(Compare_ISO_Limits("17", "18", kIso5Sample));
    EXPECT_TRUE(Compare_ISO_Limits("16", "15", kIso5Sample));
    EXPECT_TRUE(Compare_ISO_Limits("20", "20", kIso5Sample));
    EXPECT_TRUE(Compare_ISO_Limits("18", "22", kIso5Sample));
    EXPECT_FALSE(Compare_ISO_Limits("18", "17", kIso5Sample));
    EXPECT_FALSE(Compare_ISO_Limits("x", "17", kIso5Sample));
    EXPECT_FALSE(Compare_ISO_Limits("17", "", kIso5Sample));
    EXPECT_FALSE(Compare_ISO_Limits("", "", kIso5Sample));
}

TEST(IsoHistory, ExamplesOfTheFlushDecision)
{
    EXPECT_FALSE(Check_ISO_History("19/15", "18/16 ", kIso5Sample));
    EXPECT_TRUE(Check_ISO_History("17/12", "18/16 ", kIso5Sample));
    EXPECT_TRUE(Check_ISO_History("16/12", "15/11 ", kIso5Sample));
    // The first number of the newest code is read, also when the code has three.
    EXPECT_FALSE(Check_ISO_History("21/16/12", "15/11 ", kIso5Sample));
    EXPECT_TRUE(Check_ISO_History("16/21/12", "15/11 ", kIso5Sample));
    EXPECT_FALSE(Check_ISO_History("23/19/12", "22/18/16 ", kIso5Sample)) << "the sample's 5 µm code is its middle number";
    EXPECT_TRUE(Check_ISO_History("19/19/12", "22/19/16 ", kIso5Sample));
}

TEST(IsoHistory, SampleWithoutHistoryCountsAsOneBelowTheLimit)
{
    EXPECT_TRUE(Check_ISO_History("17/12", "No Hist ", kIso5Sample));
    EXPECT_FALSE(Check_ISO_History("18/12", "No Hist ", kIso5Sample));
    EXPECT_TRUE(Check_ISO_History("17/12", "Not Entered ", kIso5Sample));
    EXPECT_FALSE(Check_ISO_History("18/12", "Not Entered ", kIso5Sample));
    EXPECT_TRUE(Check_ISO_History("15/12", "No Hist ", 16));
    EXPECT_FALSE(Check_ISO_History("16/12", "No Hist ", 16));
}

TEST(IsoHistory, EmptyTableAnyCodeAndUnreadableCodes)
{
    EXPECT_TRUE(Check_ISO_History("", "25/24 ", kIso5Sample)) << "no count yet";
    EXPECT_FALSE(Check_ISO_History("INVALID", "15/11 ", kIso5Sample));
    EXPECT_FALSE(Check_ISO_History("ab/cd", "15/11 ", kIso5Sample));
    EXPECT_FALSE(Check_ISO_History("16/12", "xx/yy ", kIso5Sample));
    EXPECT_FALSE(Check_ISO_History("16/12", "", kIso5Sample));
    EXPECT_FALSE(Check_ISO_History("16/12", "1/2/3/4 ", kIso5Sample)) << "no code at all";
}

TEST(IsoHistoryColor, TimerLabelColoursByHistory)
{
    const QColor green(0, 223, 14), yellow(255, 255, 0), red(255, 0, 0), orange(255, 140, 0);
    const QColor black(0, 0, 0), white(255, 255, 255);
    auto back = [](const char* c5, const char* c15) { return Iso_History_Color(true, "", c5, c15, kIso5Sample, kIso15Sample); };
    auto fore = [](const char* c5, const char* c15) { return Iso_History_Color(false, "", c5, c15, kIso5Sample, kIso15Sample); };
    EXPECT_EQ(back("17", "998"), green);
    EXPECT_EQ(fore("17", "998"), black);
    EXPECT_EQ(back("19", "19"), yellow);
    EXPECT_EQ(back("20", "18"), red);
    EXPECT_EQ(fore("20", "18"), white);
    EXPECT_EQ(back("25", "10"), yellow);
    EXPECT_EQ(back("20", "17"), yellow) << "a 15 µm code below 18 is never red";
    EXPECT_EQ(back("", ""), orange) << "a sample without history";
    EXPECT_EQ(fore("", ""), black);
    EXPECT_EQ(back("x", "12"), orange);
    EXPECT_EQ(Iso_History_Color(true, "", "17", "15", kIso5Sample, 15), yellow) << "the 15 µm limit counts too";
}

class IsoLabel : public ::testing::Test {
protected:
    void SetUp() override { commonModule::Init_Colors(); }
};

TEST_F(IsoLabel, PassingPositionsAreBoxedWhiteOrGreyFailingOnesPlain)
{
    const Iso_Label_Look three = Iso_Label_Colors("", "21/18/16 ", kIso5Sample);
    EXPECT_TRUE(three.opaque);
    EXPECT_TRUE(three.border);
    EXPECT_EQ(three.back, QColor(255, 255, 255));
    EXPECT_EQ(three.fore, QColor(0, 0, 0));
    EXPECT_TRUE(three.alignment & Qt::AlignHCenter);

    EXPECT_EQ(Iso_Label_Colors("", "18/16 ", kIso5Sample).back, QColor(175, 175, 175)) << "two-number code";
    EXPECT_EQ(Iso_Label_Colors("", "No Hist ", kIso5Sample).back, QColor(255, 255, 255));
    EXPECT_EQ(Iso_Label_Colors("", "Not Entered ", kIso5Sample).back, QColor(255, 255, 255));

    const Iso_Label_Look failing = Iso_Label_Colors("19/15", "18/16 ", kIso5Sample);
    EXPECT_FALSE(failing.opaque);
    EXPECT_FALSE(failing.border);
    EXPECT_EQ(failing.fore, QColor(255, 255, 255));
    EXPECT_TRUE(failing.alignment & Qt::AlignRight);
}

}  // namespace

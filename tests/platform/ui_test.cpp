#include "platform/ui/controls.h"
#include "platform/ui/fonts.h"
#include "platform/ui/form.h"
#include "platform/ui/modal.h"
#include "platform/ui/pictures.h"
#include "platform/ui/twips.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TwipsTest : public ::testing::Test {
protected:
    void SetUp() override { ui::setTwipsPerPixel(15, 15); }
    void TearDown() override { ui::setTwipsPerPixel(0, 0); }
};

TEST_F(TwipsTest, FractionalTwipsAreKeptWhileThePixelsShowThem)
{
    QWidget parent;
    ui::Label label(&parent);
    ui::setTwipGeometry(&label, 690, 360, 6555, 1365.5);
    EXPECT_EQ(label.geometry(), QRect(46, 24, 437, 91));
    EXPECT_DOUBLE_EQ(ui::Height(&label), 1365.5);
    EXPECT_DOUBLE_EQ(ui::Left(&label), 690);

    // Moved in pixels by someone else: the twips follow the pixels.
    label.move(10, 24);
    EXPECT_DOUBLE_EQ(ui::Left(&label), 150);
    EXPECT_DOUBLE_EQ(ui::Top(&label), 360);
}

TEST_F(TwipsTest, SettingOneSideKeepsTheOthers)
{
    QWidget parent;
    ui::Shape shape(&parent);
    ui::setTwipGeometry(&shape, 90, 240, 11235, 855);
    ui::setWidth(&shape, 15000);
    EXPECT_DOUBLE_EQ(ui::Left(&shape), 90);
    EXPECT_DOUBLE_EQ(ui::Width(&shape), 15000);
    EXPECT_EQ(shape.width(), 1000);
}

TEST(ControlsTest, LabelAndImageReportTouchesShapeLetsThemThrough)
{
    QWidget w;
    ui::Label label(&w);
    label.resize(50, 20);
    QSignalSpy spy(&label, &ui::Label::clicked);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);

    ui::Shape shape(&w);
    EXPECT_TRUE(shape.testAttribute(Qt::WA_TransparentForMouseEvents));

    ui::setTag(&label, QStringLiteral("R12"));
    EXPECT_EQ(ui::tag(&label).toString(), "R12");
}

TEST(PicturesTest, FoundWithoutRegardToLetterCase)
{
    QTemporaryDir dir;
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(dir.filePath("bttn_startCounter_on.jpg")));

    EXPECT_EQ(ui::findPicture(dir.filePath("bttn_startcounter_on.jpg")), dir.filePath("bttn_startCounter_on.jpg"));
    EXPECT_EQ(ui::loadPicture(dir.filePath("BTTN_STARTCOUNTER_ON.JPG")).size(), QSize(4, 3));
    EXPECT_TRUE(ui::findPicture(dir.filePath("bttn_missing.gif")).isEmpty());

    ui::Image image;
    EXPECT_FALSE(image.loadPicture(dir.filePath("bttn_missing.gif")));
    EXPECT_TRUE(image.loadPicture(dir.filePath("bttn_startcounter_ON.jpg")));
}

TEST(FontsTest, StationFontNamesMapToInstalledFamilies)
{
    for (const char* name : {"Arial", "arial", "Arial Narrow", "Eurostile", "verdana", "NoSuchFont"}) {
        const QFont f = ui::stationFont(name, 14, true);
        EXPECT_FALSE(f.family().isEmpty()) << name;
        EXPECT_TRUE(f.bold());
        EXPECT_DOUBLE_EQ(f.pointSizeF(), 14);
    }
}

class CountingForm : public ui::Form {
public:
    int loads = 0;
    int unloads = 0;

protected:
    void Form_Load() override
    {
        ++loads;
        Load();  // a load that reaches back into its own form does not load it twice
    }
    void Form_Unload() override { ++unloads; }
};

TEST(FormTest, LoadRunsOnceAndModalShowingGoesToTheResponder)
{
    ui::ModalResponders responders;
    CountingForm& f = ui::Default_Instance<CountingForm>::get();
    f.setObjectName("CountingForm");
    bool sawVisible = false;
    responders.add([&](QDialog* w) { sawVisible = w->isVisible(); });

    f.Show_Modal();
    EXPECT_EQ(f.loads, 1);
    EXPECT_TRUE(sawVisible);
    EXPECT_FALSE(f.isVisible()) << "the showing ends hidden";
    f.Show_Modal();
    EXPECT_EQ(f.loads, 1);
    EXPECT_EQ(responders.unanswered(), QStringList({"CountingForm"}));

    ui::Default_Instance<CountingForm>::Unload();
    EXPECT_FALSE(ui::Default_Instance<CountingForm>::exists());
    CountingForm& again = ui::Default_Instance<CountingForm>::loaded();
    EXPECT_EQ(again.loads, 1) << "a new window after unloading";
    ui::Default_Instance<CountingForm>::Unload();
}

}  // namespace

namespace {

TEST(FormTest, UnansweredModalOutsideResponderGuardDoesNotHang)
{
    // The test programs run with never-block on; a stray modal is closed and named.
    CountingForm& f = ui::Default_Instance<CountingForm>::get();
    f.setObjectName("StrayForm");
    f.Show_Modal();
    EXPECT_FALSE(f.isVisible());
    ui::Default_Instance<CountingForm>::Unload();
}

}  // namespace

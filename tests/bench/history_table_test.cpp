#include "bench/history_table.h"
#include "common/common_module.h"
#include "platform/ui/twips.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

class HistoryTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::setTwipsPerPixel(15, 15);
        commonModule::Init_Colors();
        table.Load_Element_Labels();
        table.Layout_History_Grid();
        table.History_Grid_Init();
    }
    void TearDown() override { ui::setTwipsPerPixel(0, 0); }

    void Add(const QString& id, const QString& iso, int base)
    {
        table.History_Add_Result(id, iso, base + 1, base + 2, base + 3, base + 4, base + 5, base + 6, base + 7);
    }

    QWidget form;
    History_Table table{&form};
};

TEST_F(HistoryTableTest, BuildMakesEightTitledRowsLevelWithTenColumns)
{
    ASSERT_EQ(table.lbl_elem.size(), 8u);
    const QStringList titles = {" ISO_CODE", " PC_2M", " PC_5M", " PC_15M", " PC_25M", " PC_50M", " PC_100M", " PC_200M"};
    for (int k = 0; k < 8; ++k) {
        const ui::Label* title = table.lbl_elem[k];
        EXPECT_EQ(title->caption(), titles[k]);
        EXPECT_EQ(title->parentWidget(), table.frm_Grid);
        EXPECT_DOUBLE_EQ(ui::Left(title), 225);
        EXPECT_DOUBLE_EQ(ui::Width(title), 1100);
        EXPECT_TRUE(title->alignment() & Qt::AlignRight);
        EXPECT_EQ(title->foreColor(), commonModule::Color_White);
        EXPECT_DOUBLE_EQ(ui::Top(title), ui::Top(table.h[0][k])) << "row " << k;
    }

    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(table.h[i].size(), 8u);
        // Right edge of the titles (225 + 1100) plus two pixels, then 900 a column.
        const double left = 1355 + 900 * i;
        EXPECT_DOUBLE_EQ(ui::Left(table.lbl_woHdr[i]), left);
        EXPECT_EQ(table.Header_Text(i), "");
        for (int k = 0; k < 8; ++k) {
            const ui::Label* cell = table.h[i][k];
            EXPECT_EQ(ui::twipRect(cell).left, left);
            EXPECT_EQ(ui::twipRect(cell).top, 585 + 320 * k);
            EXPECT_TRUE(cell->isOpaque());
            const QColor back = (i == 0 || k == 0) ? commonModule::Color_White : commonModule::Color_Grey;
            EXPECT_EQ(cell->backColor(), back) << "column " << i << " row " << k;
            EXPECT_EQ(table.Cell_Text(i, k), "");
        }
    }
}

TEST_F(HistoryTableTest, OneCountFillsTheNewestColumnOnly)
{
    table.History_Add_Result("L2024-117", "18/16", 4446, 222, 35.0, QString("12"), 3, 0, 0);
    EXPECT_EQ(table.Header_Text(0), "L2024-117");
    const QStringList expected = {"18/16", "4446", "222", "35", "12", "3", "0", "0"};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(table.Cell_Text(0, k), expected[k]) << "row " << k;
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(table.Header_Text(i), "");
        for (int k = 0; k < 8; ++k) EXPECT_EQ(table.Cell_Text(i, k), "") << "column " << i << " row " << k;
    }
}

TEST_F(HistoryTableTest, EleventhCountPushesTheFirstOut)
{
    for (int n = 1; n <= 10; ++n) Add(QStringLiteral("L%1").arg(n), QStringLiteral("%1/10").arg(n), 10 * n);
    Add("FLUSH", "11/10", 110);
    EXPECT_EQ(table.Header_Text(0), "FLUSH");
    for (int i = 1; i < 10; ++i) {
        const int n = 11 - i;  // newest on the left
        EXPECT_EQ(table.Header_Text(i), QStringLiteral("L%1").arg(n));
        EXPECT_EQ(table.Cell_Text(i, 0), QStringLiteral("%1/10").arg(n));
        EXPECT_EQ(table.Cell_Text(i, 7), QString::number(10 * n + 7));
    }
}

TEST_F(HistoryTableTest, ColoursStayWithTheCells)
{
    Add("L1", "18/16", 100);
    Add("L2", "17/15", 200);
    // The first count now stands in column 1: its values take that column's grey,
    // its ISO code stays on the white ISO row.
    EXPECT_EQ(table.Cell_Text(1, 1), "101");
    EXPECT_EQ(table.h[1][1]->backColor(), commonModule::Color_Grey);
    EXPECT_EQ(table.h[1][0]->backColor(), commonModule::Color_White);
    EXPECT_EQ(table.h[0][1]->backColor(), commonModule::Color_White);
}

TEST_F(HistoryTableTest, EmptyIsoTextLeavesNewestIsoCellEmpty)
{
    Add("L1", "17/15", 0);
    Add("L2", "", 0);
    EXPECT_EQ(table.Cell_Text(0, 0), "");
    EXPECT_EQ(table.Cell_Text(1, 0), "17/15");
    EXPECT_EQ(table.Cell_Text(0, 1), "1");
}

}  // namespace

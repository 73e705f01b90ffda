#include "bench/form_isocodes.h"
#include "labdb/iso4406.h"
#include "platform/ui/modal.h"
#include "platform/ui/twips.h"

#include "qstring_printer.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using Picker = ui::Default_Instance<Form_ISOCodes>;

class IsoCodePicker : public ::testing::Test {
protected:
    void SetUp() override { ui::setTwipsPerPixel(15, 15); }
    void TearDown() override
    {
        Picker::Unload();
        ui::setTwipsPerPixel(0, 0);
    }

    // Shows the picker as a caller would, lets the responder act on it, and gives
    // back what the caller reads after the showing.
    QString pick(const ui::ModalResponder& responder)
    {
        ui::ModalResponders responders;
        responders.add(responder);
        Picker::loaded().Show_Modal();
        EXPECT_EQ(responders.pending(), 0);
        const QString line = Form_ISOCodes::Report_Line;
        Picker::Unload();
        return line;
    }

    static ui::ModalResponder choose(int index, bool ok = true)
    {
        return [index, ok](QDialog* window) {
            auto* picker = static_cast<Form_ISOCodes*>(window);
            picker->cbo_ISO->setCurrentIndex(index);
            QTest::mouseClick(ok ? picker->cmd_Ok : picker->cmd_Cancel, Qt::LeftButton);
        };
    }
};

TEST_F(IsoCodePicker, OffersTwentyFiveCodesWithNothingPicked)
{
    Form_ISOCodes& picker = Picker::loaded();
    EXPECT_EQ(picker.windowTitle(), "Select ISO Code");
    EXPECT_EQ(picker.size(), QSize(278, 111));
    EXPECT_EQ(picker.Label1->caption(), "Select ISO Code");
    EXPECT_EQ(picker.cbo_ISO->geometry(), QRect(12, 30, 257, 21));
    EXPECT_EQ(picker.cmd_Ok->text(), "Ok");
    EXPECT_EQ(picker.cmd_Cancel->geometry(), QRect(194, 74, 73, 25));
    ASSERT_EQ(picker.cbo_ISO->count(), 25);
    EXPECT_EQ(picker.cbo_ISO->itemText(0), "13/9");
    EXPECT_EQ(picker.cbo_ISO->itemText(23), "22/20");
    EXPECT_EQ(picker.cbo_ISO->itemText(24), "22/21");
    EXPECT_EQ(picker.cbo_ISO->currentIndex(), -1);
    EXPECT_EQ(picker.cbo_ISO->currentText(), "");
    EXPECT_EQ(picker.cbo_ISO->placeholderText(), "Combo1");
    EXPECT_EQ(Form_ISOCodes::Report_Line, "");
}

TEST_F(IsoCodePicker, EachCodeGivesAReportLineOfThatCode)
{
    QStringList seen;
    for (int i = 0; i < 25; ++i) {
        const QString code = Picker::loaded().cbo_ISO->itemText(i);
        const QString line = pick(choose(i));
        SCOPED_TRACE(code.toStdString());
        ASSERT_TRUE(line.endsWith(',')) << line.toStdString();
        const QStringList fields = line.split(',');
        ASSERT_EQ(fields.size(), 33);
        EXPECT_EQ(fields[0], "!LPR1");
        EXPECT_EQ(fields[2], code == "22/20" ? "BF" : "BP");
        EXPECT_EQ(fields[9], "5.00");
        EXPECT_EQ(fields[10], "15.00");
        EXPECT_EQ(fields[31], "ISO Code: " + code);
        EXPECT_EQ(fields[32], "");

        // The counts and the volume are numbers, and the 5 and 15 µm counts per
        // millilitre fall in the scale numbers of the line's own code.
        QList<double> counts;
        for (int f = 16; f <= 23; ++f) {
            bool ok = false;
            counts << fields[f].toDouble(&ok);
            EXPECT_TRUE(ok) << "field " << f << ": " << fields[f].toStdString();
        }
        bool volumeOk = false;
        const double volume = fields[24].toDouble(&volumeOk);
        ASSERT_TRUE(volumeOk && volume > 0) << fields[24].toStdString();
        const QStringList numbers = code.split('/');
        EXPECT_EQ(labdb::isoScaleNumber(counts[1] / volume), numbers[0].toInt());
        EXPECT_EQ(labdb::isoScaleNumber(counts[2] / volume), numbers[1].toInt());
        EXPECT_GE(counts[0], counts[1]) << "counts fall with the particle size";
        EXPECT_GE(counts[1], counts[2]);
        seen << line;
    }
    seen.removeDuplicates();
    EXPECT_EQ(seen.size(), 25) << "every code its own line";
}

TEST_F(IsoCodePicker, OkWithoutAChoiceAndCancelGiveNothing)
{
    EXPECT_EQ(pick(choose(-1)), "") << "Ok with nothing picked acts as Cancel";
    EXPECT_EQ(pick(choose(5, false)), "") << "Cancel after picking";

    // A line picked at one showing is not handed out at the next.
    EXPECT_FALSE(pick(choose(3)).isEmpty());
    EXPECT_EQ(pick(choose(-1)), "");
    EXPECT_FALSE(pick(choose(3)).isEmpty());
    EXPECT_EQ(pick([](QDialog* window) { QTest::keyClick(window, Qt::Key_Escape); }), "") << "left with Escape";
    EXPECT_FALSE(Picker::exists());
}

}  // namespace

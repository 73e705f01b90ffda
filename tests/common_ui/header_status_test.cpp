#include "common_ui/header_status.h"
#include "platform/ui/controls.h"

#include <gtest/gtest.h>

namespace {

TEST(HeaderStatusTest, WritesLowerCaseAndGivesBackTheLineItReplaced)
{
    ui::Label line;
    line.setCaption(QStringLiteral("Ready For Rack R-12"));
    commonModule::Set_Status_Line(&line);

    const QString previous = commonModule::Header_Status(QStringLiteral("SAVING RESULTS"));
    EXPECT_EQ(line.caption(), "saving results");
    EXPECT_EQ(previous, "Ready For Rack R-12") << "the replaced caption comes back unchanged";

    EXPECT_EQ(commonModule::Header_Status(previous), "saving results");
    EXPECT_EQ(line.caption(), "ready for rack r-12") << "the round trip restores the line (in lower case)";

    commonModule::Header_Status(QString());
    EXPECT_EQ(line.caption(), "") << "a null text empties the line";
    commonModule::Set_Status_Line(nullptr);
}

TEST(HeaderStatusTest, WithoutAHeaderBarNothingIsShownAndNothingFails)
{
    {
        ui::Label line;
        commonModule::Set_Status_Line(&line);
    }  // the header's label is gone
    EXPECT_EQ(commonModule::Header_Status(QStringLiteral("RELOADING BATH CONTENT")), "");
}

}  // namespace

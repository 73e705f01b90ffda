#include "fake_database.h"
#include "records/rack.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

const QStringList kSettingColumns = {"SOFTWARE_ID", "SETTING", "VALUE", "DESCRIPTION", "TYPE"};

TEST(RackSettingsCalls, SettingsAreReadByNameAndFoundInAnyLetterCase)
{
    FakeDatabase database;
    Rack rack;
    rack.softWare_Name = QStringLiteral(" PARTICLE_COUNT ");

    database.script(FakeDatabase::rows({"SOFTWARE_ID", "NAME"}, {{7, "PARTICLE_COUNT"}}));
    database.script(FakeDatabase::rows(kSettingColumns, {{7, " SAMPLE_BATH_TIME ", " 300 ", " Bath seconds ", "NORMAL"},
                                                         {7, QVariant(), "1", "no name", "NORMAL"},
                                                         {7, "sample_bath_time", "999", "twice", "NORMAL"},
                                                         {7, "ISO5_SAMPLE", QVariant(), QVariant(), QVariant()}}));
    rack.Load_Software_settings();
    ASSERT_EQ(database.statements().size(), 2);
    EXPECT_EQ(database.statements()[0], "SELECT * FROM   labrack.dbo.Lab_Software (nolock) WHERE  name = 'PARTICLE_COUNT' ");
    EXPECT_EQ(database.statements()[1], "SELECT * FROM   labrack.dbo.Lab_Software_Settings (nolock) "
                                        "WHERE  software_id = 7 AND    type = 'NORMAL' ORDER BY     software_id, Setting");
    EXPECT_EQ(rack.softWare_id.toInt(), 7);
    ASSERT_EQ(rack.Settings.count(), 2) << "a row without a name is skipped, a repeated name kept once";
    const Settings& bath = rack.Settings.item(QStringLiteral("sample_bath_time"));
    EXPECT_EQ(bath.Setting, "SAMPLE_BATH_TIME");
    EXPECT_EQ(bath.Value.toString(), "300");
    EXPECT_EQ(bath.Description, "Bath seconds");
    EXPECT_EQ(bath.Type_, "NORMAL");
    const Settings& iso = rack.Settings(QStringLiteral("Iso5_Sample"));
    EXPECT_TRUE(iso.Value.isValid());
    EXPECT_EQ(iso.Value.toString(), "");
    EXPECT_EQ(iso.Description, "");
    EXPECT_THROW(rack.Settings.item(QStringLiteral("MAX_RACKS_IN_BATH")), std::out_of_range);
    EXPECT_THROW(rack.Settings.item(QStringLiteral(" SAMPLE_BATH_TIME ")), std::out_of_range);

    // No software row: the id is NULL, no settings query goes out, nothing is left over.
    database.clear();
    database.script(FakeDatabase::noRows({"SOFTWARE_ID"}));
    rack.Load_Software_settings();
    EXPECT_EQ(database.statements().size(), 1);
    EXPECT_FALSE(rack.softWare_id.isValid());
    EXPECT_EQ(rack.Settings.count(), 0);
    EXPECT_FALSE(rack.Software_GetSettings().isOpen());

    // No software name: nothing is asked and the id keeps its value.
    database.clear();
    rack.softWare_id = 7;
    rack.softWare_Name.clear();
    rack.Load_Software_settings();
    EXPECT_TRUE(database.statements().isEmpty());
    EXPECT_EQ(rack.softWare_id.toInt(), 7);

    // An id that is no number never goes into the unquoted statement.
    rack.softWare_Name = QStringLiteral("PARTICLE_COUNT");
    database.script(FakeDatabase::rows({"SOFTWARE_ID"}, {{"7 or 1=1"}}));
    rack.Load_Software_settings();
    EXPECT_EQ(database.statements().size(), 1);
    EXPECT_EQ(rack.Settings.count(), 0);

    // A quote in the software name stays in the value.
    database.script(FakeDatabase::noRows({"SOFTWARE_ID"}));
    rack.softWare_Name = QStringLiteral("PC'X");
    rack.Get_SoftwareId();
    EXPECT_TRUE(database.last().endsWith("WHERE  name = 'PC''X' "));
}

}  // namespace

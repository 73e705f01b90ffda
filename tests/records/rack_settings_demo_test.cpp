#include "demo_laboratory.h"
#include "records/rack.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

class RackSettingsDemo : public ::testing::Test {
protected:
    RackSettingsDemo()
    {
        lab.connect();
        rack.softWare_Name = QStringLiteral("PARTICLE_COUNT");
    }

    QStringList names() const
    {
        QStringList out;
        for (const Settings& s : rack.Settings) out << s.Setting;
        return out;
    }

    Rack rack;
    DemoLaboratory lab;
};

TEST_F(RackSettingsDemo, SettingsAreTrimmedFoundInAnyCaseAndOnlyNormal)
{
    lab.change("UPDATE lab_software_settings SET SETTING = ' SAMPLE_BATH_TIME ', VALUE = '  20 ' WHERE SETTING = 'SAMPLE_BATH_TIME'");
    lab.change("UPDATE lab_software_settings SET VALUE = NULL, DESCRIPTION = NULL WHERE SETTING = 'ISO15_SAMPLE'");
    lab.change("INSERT INTO lab_software_settings (SOFTWARE_ID, SETTING, VALUE, TYPE) VALUES (1, 'ADMIN_ONLY', '1', 'ADMIN')");

    rack.Load_Software_settings();
    EXPECT_EQ(rack.softWare_id.toInt(), 1);
    EXPECT_EQ(rack.Settings.count(), 12);
    EXPECT_EQ(rack.Settings.item(QStringLiteral("SAMPLE_BATH_TIME")).Value.toString(), "20");
    EXPECT_EQ(rack.Settings.item(QStringLiteral("sample_bath_time")).Setting, "SAMPLE_BATH_TIME");
    EXPECT_EQ(rack.Settings.item(QStringLiteral("Max_Racks_In_Bath")).Value.toInt(), 2);
    EXPECT_EQ(rack.Settings.item(QStringLiteral("ISO15_SAMPLE")).Value.toString(), "");
    EXPECT_EQ(rack.Settings.item(QStringLiteral("ISO15_SAMPLE")).Description, "");
    EXPECT_FALSE(rack.Settings.contains(QStringLiteral("ADMIN_ONLY")));
    EXPECT_THROW(rack.Settings.item(QStringLiteral("ADMIN_ONLY")), std::out_of_range);
}

TEST_F(RackSettingsDemo, LoadingAgainMirrorsTheTableWithoutLeftOvers)
{
    rack.Load_Software_settings();
    const QStringList first = names();
    rack.Load_Software_settings();
    EXPECT_EQ(names(), first);

    lab.change("DELETE FROM lab_software_settings WHERE SETTING = 'MAX_RACKS_IN_BATH'");
    rack.Load_Software_settings();
    EXPECT_EQ(rack.Settings.count(), first.size() - 1);
    EXPECT_FALSE(rack.Settings.contains(QStringLiteral("MAX_RACKS_IN_BATH")));

    // Another software name that the laboratory does not know: no id, no settings.
    rack.softWare_Name = QStringLiteral("WEIGH_STATION");
    rack.Load_Software_settings();
    EXPECT_FALSE(rack.softWare_id.isValid());
    EXPECT_EQ(rack.Settings.count(), 0);
}

}  // namespace

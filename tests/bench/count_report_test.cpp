#include "bench/count_report.h"
#include "bench/report_catalogue.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

using countReport::Count_Report;
using countReport::Read_Report;

// The catalogue's report line of a code with fields replaced: {field, text}.
QString Edited(const QString& code, std::initializer_list<std::pair<int, QString>> changes)
{
    QStringList fields = reportCatalogue::find(code)->line.split(',');
    for (const auto& [i, text] : changes) fields[i] = text;
    return fields.join(',');
}

QString Text(const QVariant& v) { return v.toString(); }

// Counts as received and per unit volume, worked out by hand from the report lines.
struct Expected {
    const char* code;
    int volume;
    std::array<qlonglong, 7> received;
    std::array<qlonglong, 7> per_volume;
};

const Expected kCatalogue[] = {
    {"13/9", 20, {4446, 908, 51, 13, 0, 0, 0}, {222, 45, 3, 1, 0, 0, 0}},
    {"14/9", 20, {9739, 2122, 79, 11, 1, 0, 0}, {487, 106, 4, 1, 0, 0, 0}},
    {"14/11", 20, {7757, 2246, 256, 76, 11, 0, 0}, {388, 112, 13, 4, 1, 0, 0}},
    {"14/12", 20, {6785, 2818, 408, 133, 18, 0, 0}, {339, 141, 20, 7, 1, 0, 0}},
    {"15/11", 20, {15462, 4735, 388, 71, 11, 0, 0}, {773, 237, 19, 4, 1, 0, 0}},
    {"16/11", 20, {166655, 10424, 394, 64, 4, 0, 0}, {8333, 521, 20, 3, 0, 0, 0}},
    {"16/12", 20, {21919, 7120, 560, 117, 12, 0, 0}, {1096, 356, 28, 6, 1, 0, 0}},
    {"16/13", 20, {27730, 9265, 1093, 193, 21, 0, 0}, {1386, 463, 55, 10, 1, 0, 0}},
    {"17/13", 20, {39748, 15590, 1453, 320, 23, 0, 0}, {1987, 780, 73, 16, 1, 0, 0}},
    {"17/14", 20, {41131, 16842, 1966, 320, 14, 0, 0}, {2057, 842, 98, 16, 1, 0, 0}},
    {"18/13", 8, {104229, 13195, 604, 103, 10, 0, 0}, {13029, 1649, 76, 13, 1, 0, 0}},
    {"18/14", 20, {221860, 37823, 2319, 353, 14, 0, 0}, {11093, 1891, 116, 18, 1, 0, 0}},
    {"18/15", 20, {102214, 33927, 4181, 890, 77, 0, 0}, {5111, 1696, 209, 44, 4, 0, 0}},
    {"19/14", 20, {384618, 72973, 2429, 454, 29, 0, 0}, {19231, 3649, 121, 23, 1, 0, 0}},
    {"19/15", 20, {100959, 53978, 5934, 1004, 23, 0, 0}, {5048, 2699, 297, 50, 1, 0, 0}},
    {"19/16", 15, {215861, 68976, 4998, 468, 32, 0, 0}, {14391, 4598, 333, 31, 2, 0, 0}},
    {"20/16", 20, {271082, 101981, 6798, 367, 24, 0, 0}, {13554, 5099, 340, 18, 1, 0, 0}},
    {"20/17", 20, {331743, 169430, 13625, 2480, 207, 13, 13}, {16587, 8472, 681, 124, 10, 1, 1}},
    {"20/19", 20, {303744, 197922, 66849, 23500, 760, 3, 3}, {15187, 9896, 3342, 1175, 38, 0, 0}},
    {"21/18", 20, {575185, 387067, 46533, 4317, 17, 0, 0}, {28759, 19353, 2327, 216, 1, 0, 0}},
    {"21/19", 8, {211944, 108685, 21900, 6530, 601, 13, 13}, {26493, 13586, 2738, 816, 75, 2, 2}},
    {"22/16", 8, {308474, 186994, 5106, 299, 25, 0, 0}, {38559, 23374, 638, 37, 3, 0, 0}},
    {"22/19", 8, {336376, 249809, 21768, 1492, 65, 0, 0}, {42047, 31226, 2721, 186, 8, 0, 0}},
    {"22/20", 8, {309401, 242586, 57372, 15907, 1670, 11, 11}, {38675, 30323, 7172, 1988, 209, 1, 1}},
    {"22/21", 20, {865387, 742251, 347342, 83167, 6483, 145, 145}, {43269, 37113, 17367, 4158, 324, 7, 7}},
};

TEST(CountReportTest, EveryCatalogueLineGivesItsCodeCountsAndValuesPerVolume)
{
    ASSERT_EQ(std::size(kCatalogue), std::size_t(reportCatalogue::Line_Count));
    for (const Expected& e : kCatalogue) {
        SCOPED_TRACE(e.code);
        const reportCatalogue::Entry* entry = reportCatalogue::find(e.code);
        ASSERT_NE(entry, nullptr);
        const Count_Report r = Read_Report(entry->line);
        EXPECT_TRUE(r.has_iso);
        EXPECT_EQ(r.iso_text, QString(e.code));
        const QStringList codes = QString(e.code).split('/');
        EXPECT_EQ(r.code5.toLongLong(), codes[0].toLongLong());
        EXPECT_EQ(r.code15.toLongLong(), codes[1].toLongLong());
        EXPECT_FALSE(r.invalid);
        EXPECT_EQ(r.volume, e.volume);
        EXPECT_EQ(r.report_line, entry->line);
        const auto per = countReport::Per_Volume(r.counts, r.volume);
        for (int k = 0; k < 7; ++k) {
            EXPECT_EQ(r.counts[k].toDouble(), double(e.received[k])) << "channel " << k;
            EXPECT_EQ(per[k].toLongLong(), e.per_volume[k]) << "channel " << k;
        }
    }
}

TEST(CountReportTest, IsoCodesSplitAtTheirFirstSlash)
{
    struct Case {
        const char* iso_field;
        QVariant code5;
        QVariant code15;
        bool invalid;
    } cases[] = {
        {"ISO Code: 18/16", 18, 16, false},
        {"ISO Code: 18/16/13", 18, QString("16/13"), false},
        {"ISO Code: 2/2", 2, 2, true},
        {"ISO Code: 2/3", 2, 3, false},
        {"ISO Code: 0/1", 0, 1, true},
        {"ISO Code: 3/2", 3, 2, false},
        {"ISO Code: 2.5/1.5", 2, 2, true},  // rounded half to even before the rule
        {"ISO Code: --/--", QString("--"), QString("--"), false},
        {"ISO 18/16", QString("SO 18"), 16, false},  // no ": ": from the second character on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.iso_field);
        const Count_Report r = Read_Report(Edited("13/9", {{31, c.iso_field}}));
        EXPECT_EQ(Text(r.code5), Text(c.code5));
        EXPECT_EQ(Text(r.code15), Text(c.code15));
        EXPECT_EQ(r.code5.typeId() == QMetaType::QString, c.code5.typeId() == QMetaType::QString);
        EXPECT_EQ(r.invalid, c.invalid);
    }
    EXPECT_EQ(Read_Report(Edited("13/9", {{31, "ISO 18/16"}})).iso_text, "SO 18/16");
}

TEST(CountReportTest, TheHighestFieldHoldingIsoIsTheCode)
{
    // A sample called ISO in field 29 does not hide the code in field 31; a later
    // field holding ISO does.
    Count_Report r = Read_Report(Edited("14/9", {{29, "ISO-TEST"}}));
    EXPECT_EQ(r.iso_text, "14/9");
    r = Read_Report(Edited("14/9", {{32, "ISO Code: 20/18"}}));
    EXPECT_EQ(r.iso_text, "20/18");
    // Letter case counts.
    r = Read_Report(Edited("14/9", {{31, "iso code: 20/18"}}));
    EXPECT_FALSE(r.has_iso);
}

TEST(CountReportTest, LargeChannelsCountOnlyFromTenPerVolumeAt50Microns)
{
    const struct {
        const char* c50;
        const char* volume;
        const char* c100;
        const char* c200;
        QString want100;
        double want200;
    } cases[] = {
        {"199", "20.00", "7", "5", "0", 0},                                     // 9.95 per unit volume
        {"200", "20.00", "7", "5", "7", 5}, {"200", "0.00", "7", "5", "0", 0},  // no volume: below the rule
        {" 80 ", "8.00", "4", "3", "4", 3}, {"n/a", "20.00", "7", "5", "0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.c50) + " at " + c.volume);
        const Count_Report r = Read_Report(Edited("13/9", {{20, c.c50}, {21, c.c100}, {22, c.c200}, {24, c.volume}}));
        EXPECT_EQ(Text(r.counts[5]), c.want100);
        EXPECT_DOUBLE_EQ(r.counts[6].toDouble(), c.want200);
    }
}

TEST(CountReportTest, VolumeIsRoundedHalfToEvenAndZeroLeavesCountsAsReceived)
{
    const struct {
        const char* text;
        int volume;
    } volumes[] = {{"20.00", 20}, {"20.5", 20}, {"21.5", 22}, {"7.49", 7}, {"", 0}, {"ml", 0}, {"99999", 0}};
    for (const auto& v : volumes) {
        EXPECT_EQ(Read_Report(Edited("13/9", {{24, v.text}})).volume, v.volume) << v.text;
    }

    const Count_Report r = Read_Report(Edited("13/9", {{24, "0"}}));
    const auto per = countReport::Per_Volume(r.counts, r.volume);
    EXPECT_EQ(Text(per[0]), "4446");
    EXPECT_EQ(Text(per[1]), "908");
    EXPECT_EQ(Text(per[5]), "0");
}

TEST(CountReportTest, PerVolumeRoundsHalvesToTheEvenNeighbour)
{
    std::array<QVariant, 7> counts = {QString("10"), QString("30"), QString("50"), 4446, QString(" 70 "), QString("x"), 0};
    const auto per = countReport::Per_Volume(counts, 20);
    EXPECT_EQ(Text(per[0]), "0");  // 0.5
    EXPECT_EQ(Text(per[1]), "2");  // 1.5
    EXPECT_EQ(Text(per[2]), "2");  // 2.5
    EXPECT_EQ(Text(per[3]), "222");
    EXPECT_EQ(Text(per[4]), "4");  // 3.5
    EXPECT_EQ(Text(per[5]), "x");  // not a number: as received
}

TEST(CountReportTest, HugeAndNegativeCountsAreReadWithoutOverflow)
{
    const Count_Report r = Read_Report(Edited("13/9", {{16, "98765432109876"}, {17, "-40"}, {18, "4294967296"}, {19, "1e400"}}));
    EXPECT_EQ(Text(r.counts[0]), "98765432109876");  // sent to the laboratory as received
    const auto per = countReport::Per_Volume(r.counts, r.volume);
    EXPECT_EQ(per[0].toLongLong(), 4938271605494LL);  // .3 rounds down
    EXPECT_EQ(per[1].toLongLong(), -2);
    EXPECT_EQ(per[2].toLongLong(), 214748365LL);  // .8 rounds up, beyond 32 bits
    EXPECT_EQ(Text(per[3]), "1e400");             // beyond a double: left as received
}

TEST(CountReportTest, FieldsAndTheLogLineComeFromTheLastReport)
{
    const QString report = reportCatalogue::find("16/12")->line;
    const struct {
        const char* name;
        QString received;
    } cases[] = {
        {"report alone", report},
        {"answers without commas", "OK\r\nREMOTE\r\nS\r\n" + report},
        {"answers with commas", "REMOTE+,OK\r\nS,1,2\r\n" + report},
        {"an earlier broken report", "!LPR1,00:00:01,BP\r\n" + report},
        {"line end after it", report + "\r\n"},
        {"a bare carriage return after it", report + "\r"},
        {"text after the line end", report + "\r\nREADY,1\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Count_Report r = Read_Report(c.received);
        EXPECT_EQ(r.fields.size(), 33);
        EXPECT_EQ(r.fields.first(), "!LPR1");
        EXPECT_EQ(r.report_line, report);
        EXPECT_EQ(r.iso_text, "16/12");
        EXPECT_EQ(Text(r.counts[0]), "21919");
        EXPECT_EQ(r.volume, 20);
    }
}

TEST(CountReportTest, LogLineLeavesOutTheCommaBeforeTheLastField)
{
    EXPECT_EQ(countReport::Report_Line({"a", "b", ""}), "a,b,");
    EXPECT_EQ(countReport::Report_Line({"a", "b", "c"}), "a,bc,");
    EXPECT_EQ(countReport::Report_Line({"a"}), "a,");
    // A report without its closing comma loses its last separator, as the station always logged it.
    EXPECT_EQ(Read_Report("!LPR1,1,ISO Code: 13/9").report_line, "!LPR1,1ISO Code: 13/9,");
}

TEST(CountReportTest, AReportWithoutIsoFieldOrWithMissingFields)
{
    Count_Report r = Read_Report(Edited("13/9", {{31, "Code: 13/9"}}));
    EXPECT_FALSE(r.has_iso);
    EXPECT_FALSE(r.invalid);
    EXPECT_EQ(r.iso_text, "");
    EXPECT_EQ(r.volume, 20);

    // Cut after field 18: the ISO field is gone, later counts are empty, volume 0.
    r = Read_Report("!LPR1,00:00:28.76,BP,RP,GP,LP,8,C,2.00,5.00,15.00,25.00,50.00,100.00,100.00,100.00,4446,908,51");
    EXPECT_FALSE(r.has_iso);
    EXPECT_TRUE(r.has_counts());
    EXPECT_EQ(Text(r.counts[2]), "51");
    EXPECT_EQ(Text(r.counts[3]), "");
    EXPECT_EQ(Text(r.counts[4]), "");
    EXPECT_EQ(r.volume, 0);

    // The code survives but nothing after field 10 does.
    r = Read_Report("!LPR1,00:00:28.76,BP,RP,GP,LP,8,C,2.00,5.00,ISO Code: 13/9,");
    EXPECT_TRUE(r.has_iso);
    EXPECT_FALSE(r.has_counts());
    EXPECT_EQ(Text(r.code5), "13");

    r = Read_Report(QString());
    EXPECT_FALSE(r.has_iso);
    EXPECT_FALSE(r.has_counts());
    EXPECT_EQ(r.report_line, ",");
}

}  // namespace

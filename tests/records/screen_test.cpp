#include "alert_recorder.h"
#include "fake_database.h"
#include "records/screen.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

const QStringList kQueryColumns = {"APPEARANCE",  "BABBITT", "DEBRIS",      "DIRT",         "H2O_EMUL",      "H2O_FREE",   "ODOR",
                                   "PRECIPITATE", "SILT",    "WHITE_METAL", "STATUS_IMAGE", "STATUS_VISUAL", "STATUS_SPAT"};
const QStringList kSaveColumns = {"LAB_STATUS", "SAMPLE_PRIORITY"};

// A record on a rack position with a sample, every rating given.
Screen ratedRecord()
{
    Screen record;
    record.Lab_Id = QStringLiteral(" 4711 ");
    record.Lab_Code = QStringLiteral("ZIVIRUZEZ");
    record.Run_No = 2;
    record.Status = QStringLiteral("READY");
    record.Priority = QStringLiteral("NORMAL");
    record.SetValues(QStringLiteral("VISUAL"), true);
    record.SetValues(QStringLiteral("WATER"), true);
    record.Silt = QStringLiteral("LIGHT");
    return record;
}

TEST(ScreenRatings, ANewRecordIsUnratedAndUnchanged)
{
    Screen record;
    EXPECT_FALSE(record.isChanged());
    EXPECT_FALSE(record.Edited);
    EXPECT_FALSE(record.wasViewed);
    EXPECT_EQ(record.Insert_Code, "Default test package");
    EXPECT_EQ(record.Get_Field_Status("VISUAL"), "-1");
    EXPECT_EQ(record.Get_Field_Status("SPAT"), "-1");
    EXPECT_EQ(record.Get_Field_Status("IMAGE"), "0");
    for (const char* name :
         {"WHITE METAL", "babbitt", "APPEARANCE", "PRECIPITATE", "DIRT", "DEBRIS", "SILT", "ODOR", "H2O_EMUL", "H2O FREE"}) {
        EXPECT_EQ(record.Field_Value_Get(name), 0) << name;
        EXPECT_EQ(record.Get_Rating_String(name), "") << name;
    }
    // A part the record does not know is never complete.
    EXPECT_EQ(record.Get_Field_Status("visual"), "-1");
    EXPECT_EQ(record.Get_Field_Status("WATER"), "-1");
}

TEST(ScreenRatings, NormalWordsBlankingAndTheTwoGroups)
{
    Screen record;
    record.SetValues("VISUAL", true);
    EXPECT_EQ(record.Get_Field_Status("VISUAL"), "0");
    EXPECT_EQ(record.Get_Field_Status("SPAT"), "-1") << "the water group is untouched";
    EXPECT_TRUE(record.isChanged());
    EXPECT_TRUE(record.Edited);
    EXPECT_EQ(record.Appearance, "NORML");
    EXPECT_EQ(record.Odor, "NORML");
    EXPECT_EQ(record.White_Metal, "NONE");

    record.SetValues("SPAT", true);  // any kind but VISUAL is the water group
    EXPECT_EQ(record.H2O_Emul, "NEG");
    EXPECT_EQ(record.H2O_Free, "NEG");
    EXPECT_EQ(record.Get_Field_Status("SPAT"), "0");

    record.SetValues("VISUAL", false);
    EXPECT_FALSE(record.Edited);
    EXPECT_EQ(record.Appearance, "");
    EXPECT_EQ(record.Get_Field_Status("VISUAL"), "-1");
    EXPECT_TRUE(record.isChanged()) << "the water ratings still differ from the defaults";
    record.SetValues("water", false);
    EXPECT_FALSE(record.isChanged());

    // One rating short of complete.
    record.SetValues("VISUAL", true);
    record.Dirt.clear();
    EXPECT_EQ(record.Get_Field_Status("VISUAL"), "-1");
    record.status_Image = -1;
    EXPECT_EQ(record.Get_Field_Status("IMAGE"), "-1");
}

TEST(ScreenRatings, WordsAndIndexesByFieldName)
{
    Screen record;
    record.Field_Value_Set("h2o free", 3);
    EXPECT_EQ(record.H2O_Free, "1.0%");
    EXPECT_EQ(record.Field_Value_Get("H2OFREE"), 3);
    EXPECT_EQ(record.Get_Rating_String("H2O FREE"), "1.0%");
    // Spellings the word lists do not know by name still give the field's own word.
    EXPECT_EQ(record.Get_Rating_String("h2o_free"), "1.0%");

    record.Field_Value_Set("yellow_metal", 6);
    EXPECT_EQ(record.Babbitt, "HEAVY");
    EXPECT_EQ(record.Field_Value_Get("BABBITT"), 6);
    record.Field_Value_Set("Odor", 5);
    EXPECT_EQ(record.Odor, "OTHER");
    EXPECT_EQ(record.Get_Rating_String("ODOR"), "OTHER");
    record.Field_Value_Set("appearance", 4);
    EXPECT_EQ(record.Appearance, "GLYCL");
    record.Field_Value_Set("WhiteMetal", 1);
    EXPECT_EQ(record.White_Metal, "VLITE");
    record.Field_Value_Set("H2O EMUL", 6);
    EXPECT_EQ(record.H2O_Emul, ">10%");

    // Out of the list or not a rating: nothing changes.
    record.Field_Value_Set("ODOR", 6);
    record.Field_Value_Set("ODOR", -1);
    EXPECT_EQ(record.Odor, "OTHER");
    record.Field_Value_Set("COLOUR", 1);
    EXPECT_EQ(record.Field_Value_Get("COLOUR"), 0);

    // A word that is not in its list reads as index 0 and as the list's first word.
    record.Silt = QStringLiteral("lots");
    EXPECT_EQ(record.Field_Value_Get("SILT"), 0);
    EXPECT_EQ(record.Get_Rating_String("SILT"), "NONE");
    EXPECT_EQ(record.Get_Rating_String("WATER"), "NEG") << "a name that is no rating gives its list's first word";
    EXPECT_EQ(record.Get_Rating_String("COLOUR"), "NONE");
}

TEST(ScreenRatings, WordListsByKindInExactCase)
{
    Screen record;
    EXPECT_EQ(record.Rating_Strings("APPEARANCE"), "NORML~LAYRD~MILKY~HAZY~GLYCL");
    EXPECT_EQ(record.Rating_Strings("ODOR"), "NORML~AMMON~BURNT~FREON~SOLVT~OTHER");
    for (const char* water : {"H2O FREE", "WATER", "H2O EMUL"})
        EXPECT_EQ(record.Rating_Strings(water), "NEG~0.1%~0.5%~1.0%~2.0%~5.0%~>10%") << water;
    for (const char* other : {"appearance", "", "H2O_FREE", "SILT"})
        EXPECT_EQ(record.Rating_Strings(other), "NONE~VLITE~LIGHT~LTMOD~MODER~MDHVY~HEAVY") << other;
}

TEST(ScreenCalls, LoadAsksOnlyForANumericLabIdAndKeepsWhatIsNull)
{
    FakeDatabase database;
    Screen record;
    record.Lab_Id = QStringLiteral(" 4711 ");
    record.Lab_Code = QStringLiteral(" ZIV'A ");
    record.Odor = QStringLiteral("BURNT");
    database.script(FakeDatabase::rows(kQueryColumns, {{"HAZY", "NONE", "LIGHT", "NONE", "NEG", "0.5%", QVariant(), "NONE", "VLITE", "NONE",
                                                        1, "0", QVariant()}}));
    record.Get_Current_Results();
    EXPECT_EQ(database.last(), "exec lab.dbo.tgrp_query @testgroup = 'SCREEN', @labid = 4711, @labcode = 'ZIV''A', "
                               "@status = 'READY', @histories = 'N'");
    EXPECT_TRUE(record.wasViewed);
    EXPECT_EQ(record.Appearance, "HAZY");
    EXPECT_EQ(record.Debris, "LIGHT");
    EXPECT_EQ(record.H2O_Free, "0.5%");
    EXPECT_EQ(record.Silt, "VLITE");
    EXPECT_EQ(record.Odor, "BURNT") << "a NULL column leaves the rating";
    EXPECT_EQ(record.status_Image, 1);
    EXPECT_EQ(record.status_Visual, 0);
    EXPECT_EQ(record.status_Spat, 0) << "a NULL flag leaves the flag";
    EXPECT_TRUE(record.isChanged()) << "loaded ratings are not the defaults";

    // No row, or no answer at all: nothing changes.
    database.script(FakeDatabase::noRows(kQueryColumns));
    record.Get_Current_Results();
    EXPECT_EQ(record.Appearance, "HAZY");
    AlertRecorder alerts;
    database.script(FakeDatabase::failure(2812, "Could not find stored procedure"));
    record.Get_Current_Results();
    EXPECT_EQ(record.Appearance, "HAZY");

    // A lab id that is not a number is never put into the call.
    const int sent = database.statements().size();
    for (const char* id : {"", "L4711", "1; drop table samples", "0x10"}) {
        Screen other;
        other.Lab_Id = QString::fromLatin1(id);
        other.Get_Current_Results();
        EXPECT_TRUE(other.wasViewed) << id;
    }
    EXPECT_EQ(database.statements().size(), sent);
}

TEST(ScreenCalls, SaveSendsTheRatingsAndReadsTheAnswer)
{
    FakeDatabase database;
    Screen record = ratedRecord();
    record.H2O_Free.clear();
    record.wasViewed = true;
    database.script(FakeDatabase::rows(kSaveColumns, {{" PENDING ", " RUSH "}}));
    EXPECT_TRUE(record.Save_Screen(101, QStringLiteral("SCREENING")));
    EXPECT_EQ(database.last(), "exec lab.dbo.tgrp_Screen_upd @labid = 4711, @saveaction = 'UPDATE', @testgroup = 'SCREEN', "
                               "@white_metal = 'NONE' , @babbitt = 'NONE' , @precipitate = 'NONE' , @silt = 'LIGHT' , "
                               "@debris = 'NONE' , @dirt = 'NONE' , @appearance = 'NORML' , @odor = 'NORML' , @h2o_emul = 'NEG' , "
                               "@h2o_free = null, @completed = 'N', @runno = 2, @status_visual = 0, @status_spat = -1, "
                               "@status_image = 0");
    EXPECT_EQ(record.Status, "DONE") << "PENDING is held as DONE";
    EXPECT_EQ(record.Priority, "RUSH");
    EXPECT_FALSE(record.isChanged()) << "the saved ratings are the new defaults";
    EXPECT_FALSE(record.Edited);
    EXPECT_FALSE(record.wasViewed);

    // Every part complete; a quote inside a rating stays inside its value.
    record.H2O_Free = QStringLiteral("NEG");
    record.Silt = QStringLiteral(" O'K ");
    record.status_Image = 0;
    database.script(FakeDatabase::rows(kSaveColumns, {{"READY", "NORMAL"}}));
    EXPECT_TRUE(record.Save_Screen(QStringLiteral("101"), QString()));
    EXPECT_TRUE(database.last().contains("@silt = 'O''K' , @debris"));
    EXPECT_TRUE(database.last().contains("@completed = 'Y', @runno = 2, @status_visual = 0, @status_spat = 0, "
                                         "@status_image = 0"));
    EXPECT_EQ(record.Status, "READY");

    // Unchanged: nothing sent, nothing touched.
    const int sent = database.statements().size();
    record.Edited = true;
    record.wasViewed = true;
    EXPECT_FALSE(record.Save_Screen(101, "SCREENING"));
    EXPECT_EQ(database.statements().size(), sent);
    EXPECT_TRUE(record.Edited);
    EXPECT_TRUE(record.wasViewed);
}

TEST(ScreenCalls, StationsThatFinishTheirOwnPart)
{
    FakeDatabase database;
    Screen spot = ratedRecord();  // both groups complete
    database.script(FakeDatabase::rows(kSaveColumns, {{"READY", "NORMAL"}}));
    EXPECT_TRUE(spot.Save_Screen(101, "SPAT"));
    EXPECT_EQ(spot.Status, "DONE");

    Screen visual = ratedRecord();
    visual.H2O_Emul.clear();
    database.script(FakeDatabase::rows(kSaveColumns, {{"READY", "NORMAL"}}));
    EXPECT_TRUE(visual.Save_Screen(101, "VISUAL"));
    EXPECT_EQ(visual.Status, "DONE") << "the visual part is complete";

    Screen unfinished = ratedRecord();
    unfinished.H2O_Emul.clear();
    database.script(FakeDatabase::rows(kSaveColumns, {{"READY", "NORMAL"}}));
    EXPECT_TRUE(unfinished.Save_Screen(101, "SPAT"));
    EXPECT_EQ(unfinished.Status, "READY") << "the water spot is not complete";

    // A numeric station name is the screening station.
    Screen numeric = ratedRecord();
    numeric.H2O_Emul.clear();
    database.script(FakeDatabase::rows(kSaveColumns, {{"READY", "NORMAL"}}));
    EXPECT_TRUE(numeric.Save_Screen(101, "42"));
    EXPECT_EQ(numeric.Status, "READY");
}

TEST(ScreenCalls, TestActionInsteadOfRatings)
{
    FakeDatabase database;
    Screen record = ratedRecord();
    record.Test_Action = QStringLiteral(" TOO_DARK ");
    database.script(FakeDatabase::rows(kSaveColumns, {{"DONE", "NORMAL"}}));
    EXPECT_TRUE(record.Save_Screen(QStringLiteral(" 101 "), "SCREENING"));
    EXPECT_EQ(database.last(), "exec lab.dbo.labtrack_testaction @empnum = 101, @labId = '4711', @testgrp = 'SCREEN', "
                               "@testAction = 'TOO_DARK'");
    EXPECT_EQ(record.Status, "DONE");

    Screen quoted = ratedRecord();
    quoted.Test_Action = QStringLiteral("X'Y");
    database.script(FakeDatabase::rows(kSaveColumns, {{"INVALID", "NORMAL"}}));
    EXPECT_TRUE(quoted.Save_Screen(7, "SCREENING"));
    EXPECT_TRUE(database.last().endsWith("@testAction = 'X''Y'"));

    // An employee number that is not a number is refused unsent; the record keeps its work.
    const int sent = database.statements().size();
    for (const QVariant& emp : {QVariant(), QVariant(QStringLiteral("101; drop table x")), QVariant(QStringLiteral(""))}) {
        Screen refused = ratedRecord();
        refused.Test_Action = QStringLiteral("TOO_DARK");
        EXPECT_FALSE(refused.Save_Screen(emp, "SCREENING"));
        EXPECT_TRUE(refused.isChanged());
        EXPECT_TRUE(refused.Edited);
    }
    EXPECT_EQ(database.statements().size(), sent);
}

TEST(ScreenCalls, EmptyPositionsUnusableIdsAndMissingAnswers)
{
    FakeDatabase database;

    // An empty position sends nothing, but the edit is over; the defaults stay.
    Screen empty = ratedRecord();
    empty.Lab_Id = QStringLiteral("0");
    empty.wasViewed = true;
    EXPECT_FALSE(empty.Save_Screen(101, "SCREENING"));
    EXPECT_TRUE(database.statements().isEmpty());
    EXPECT_FALSE(empty.Edited);
    EXPECT_FALSE(empty.wasViewed);
    EXPECT_TRUE(empty.isChanged());
    EXPECT_EQ(empty.Status, "READY");

    // A lab id that is not a number never reaches the call; nothing of the record is lost.
    Screen odd = ratedRecord();
    odd.Lab_Id = QStringLiteral("4711, @completed = 'Y'");
    EXPECT_FALSE(odd.Save_Screen(101, "SCREENING"));
    EXPECT_TRUE(database.statements().isEmpty());
    EXPECT_TRUE(odd.Edited);
    EXPECT_TRUE(odd.isChanged());

    // No answer row, or a failed call: false, and the record stays as it was.
    AlertRecorder alerts;
    for (const FakeDatabase::Reply& reply : {FakeDatabase::noRows(kSaveColumns), FakeDatabase::failure(201, "Procedure expects parameter")}) {
        Screen record = ratedRecord();
        database.script(reply);
        EXPECT_FALSE(record.Save_Screen(101, "SCREENING"));
        EXPECT_EQ(record.Status, "READY");
        EXPECT_TRUE(record.isChanged());
        EXPECT_TRUE(record.Edited);
    }

    // NULL columns in the answer keep the status and priority.
    Screen record = ratedRecord();
    database.script(FakeDatabase::rows(kSaveColumns, {{QVariant(), QVariant()}}));
    EXPECT_TRUE(record.Save_Screen(101, "SCREENING"));
    EXPECT_EQ(record.Status, "READY");
    EXPECT_EQ(record.Priority, "NORMAL");
}

}  // namespace

// The bath on the real bench against the demo laboratory: reload of the open
// batch, entry, countdown, limits and removal.
#include "bench_fixture.h"

#include "common_ui/header_status.h"
#include "laboratory_tap.h"
#include "qstring_printer.h"

#include <QTest>

namespace {

using Bath = BenchTest;

TEST_F(Bath, DemoBatchReloadsReadyAndMarkedAsTheOldestRack)
{
    Form_Test& b = bench();
    const QString first = lab.labNumberAt("R1002", 1);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(bathOnScreen(), bathInDatabase());
    EXPECT_EQ(bathOnScreen().keys(), QList<int>({1, 2, 3}));
    EXPECT_EQ(b.lbl_wo[0]->caption(), " " + first);
    EXPECT_EQ(countdowns(0, 3), QStringList({"START", "START", "START", ""}));
    for (int i = 0; i < Form_Test::Bath_Size; ++i) {
        EXPECT_EQ(!b.img_oldRack[i]->isHidden(), i < 3) << "marker of position " << i;
        EXPECT_EQ(ui::tag(b.lbl_isoCode[i]).toString(), i < 3 ? "R1002" : "") << i;
    }
    EXPECT_EQ(b.img_bath[0]->picturePath(), commonModule::Image_Dir + "bttn_bath_RUSH.gif");
    EXPECT_EQ(b.img_bath[3]->picturePath(), commonModule::Image_Dir + "bttn_bath_idle.gif");
    EXPECT_TRUE(b.lbl_inBath[0]->isOpaque());
    EXPECT_TRUE(b.lbl_inBath[0]->hasBorder());
    EXPECT_FALSE(b.lbl_inBath[3]->isOpaque());

    // The rack header names the rack of the batch.
    EXPECT_EQ(b.lbl_rackName->caption(), "R1002  ");
    EXPECT_EQ(ui::tag(b.lbl_rackName).toString(), "502");
    EXPECT_FALSE(b.lbl_rackName->isHidden());
    EXPECT_FALSE(b.img_refresh->isHidden());

    // The batch's samples are padded to the 30 bath positions.
    ASSERT_EQ(commonModule::Curr_Batch().Sample.size(), 30);
    EXPECT_EQ(commonModule::Curr_Batch().Sample[0].Sample_ID.toString(), first);
    EXPECT_EQ(commonModule::Curr_Batch().Sample[29].Sample_ID.toString(), "");
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join('\n').toStdString();
}

TEST_F(Bath, SampleTakesTheLowestFreePositionAndIsRecordedAsAdded)
{
    Form_Test& b = bench();
    benchRack("R1001");
    ASSERT_TRUE(offer(1));
    const QString sample = lab.labNumberAt("R1001", 1);
    EXPECT_EQ(b.lbl_wo[3]->caption(), " " + sample);
    EXPECT_EQ(bathInDatabase().value(4), sample);
    EXPECT_EQ(lab.scalar("SELECT EXTRA FROM pc_batch_details WHERE POSITION = 4").toString(), "RD=R1001RID=501");
    EXPECT_EQ(lab.scalar("SELECT EMP_NUM FROM pc_batch_details WHERE POSITION = 4").toInt(), 101);
    EXPECT_EQ(ui::tag(b.lbl_isoCode[3]).toString(), "R1001");
    EXPECT_EQ(b.lbl_rackName->caption(), "R1001  ");
    EXPECT_EQ(b.lbl_inBath[3]->caption(), "") << "the timer fills it at its next tick";
    EXPECT_TRUE(b.Timer1->isActive());
    EXPECT_EQ(b.Timer1->interval(), 1000);
    EXPECT_EQ(b.img_bath[3]->picturePath(), commonModule::Image_Dir + "bttn_bath_NORMAL.gif");
    // Still the demo batch's rack is the oldest.
    EXPECT_TRUE(b.img_oldRack[3]->isHidden());
    EXPECT_FALSE(b.img_oldRack[0]->isHidden());

    // A place freed in the middle is the next one taken.
    b.Remove_From_Bath(1);
    EXPECT_EQ(bathInDatabase().keys(), QList<int>({1, 3, 4}));
    ASSERT_TRUE(offer(2));
    EXPECT_EQ(b.lbl_wo[1]->caption().trimmed(), lab.labNumberAt("R1001", 2));
    EXPECT_EQ(bathOnScreen(), bathInDatabase());
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join('\n').toStdString();
}

TEST_F(Bath, EntryIntoAnEmptyBathTakesTheFirstPosition)
{
    lab.change("DELETE FROM pc_batch_details");
    Form_Test& b = bench();
    EXPECT_TRUE(bathOnScreen().isEmpty());
    EXPECT_TRUE(b.lbl_rackName->isHidden()) << "no rack in the bath, no rack header";
    benchRack("R1003");
    ASSERT_TRUE(offer(1));
    EXPECT_EQ(bathInDatabase().keys(), QList<int>({1}));
    EXPECT_FALSE(b.img_oldRack[0]->isHidden()) << "the only rack in the bath is the oldest";
    EXPECT_EQ(b.img_bath[0]->picturePath(), commonModule::Image_Dir + "bttn_bath_CRITICAL.gif");
}

TEST_F(Bath, CountdownShakesThenCountsSecondsThenStarts)
{
    Form_Test& b = bench();
    ASSERT_EQ(b.Shake_Time, 5);
    ASSERT_EQ(b.Bath_Time, 20);
    benchRack("R1001");
    ASSERT_TRUE(offer(1));
    QStringList seen;
    for (int s = 0; s <= 21; ++s) {
        b.Timer1_Timer();
        seen << b.lbl_inBath[3]->caption();
        stationClock::advanceClock(1);
    }
    EXPECT_EQ(seen.mid(0, 5), QStringList({"SHAKE", "SHAKE", "SHAKE", "SHAKE", "SHAKE"}));
    EXPECT_EQ(seen.mid(5, 3), QStringList({"15", "14", "13"}));
    EXPECT_EQ(seen[19], "1");
    EXPECT_EQ(seen.mid(20), QStringList({"START", "START"}));
    // The reloaded positions stay ready; free ones stay empty.
    EXPECT_EQ(countdowns(0, 2), QStringList({"START", "START", "START"}));
    EXPECT_EQ(b.lbl_inBath[4]->caption(), "");

    // START is final, even if the clock goes back.
    stationClock::advanceClock(-100);
    b.Timer1_Timer();
    EXPECT_EQ(b.lbl_inBath[3]->caption(), "START");
}

TEST_F(Bath, ShakeAsLongAsTheBathGoesStraightToStartAndNoBathTimeStartsAtOnce)
{
    Form_Test& b = bench();
    benchRack("R1001");
    b.Shake_Time = 10;
    b.Bath_Time = 10;
    ASSERT_TRUE(offer(1));
    b.Bath_Time = 0;
    ASSERT_TRUE(offer(2));
    QStringList first, second;
    for (int s = 0; s <= 11; ++s) {
        b.Timer1_Timer();
        first << b.lbl_inBath[3]->caption();
        second << b.lbl_inBath[4]->caption();
        stationClock::advanceClock(1);
    }
    EXPECT_EQ(first.mid(0, 10), QStringList(10, "SHAKE"));
    EXPECT_EQ(first.mid(10), QStringList({"START", "START"}));
    EXPECT_EQ(second, QStringList(12, "START"));
}

TEST_F(Bath, TimerTicksByItselfOnceASampleWasOffered)
{
    Form_Test& b = bench();
    EXPECT_FALSE(b.Timer1->isActive()) << "off until the first sample";
    EXPECT_FALSE(b.Process_Sample(0, QString(), QStringLiteral("READY")));
    EXPECT_FALSE(b.Timer1->isActive()) << "an empty sample id does not start it";
    benchRack("R1001");
    b.Bath_Time = 0;
    ASSERT_TRUE(offer(1));
    ASSERT_TRUE(b.Timer1->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.lbl_inBath[3]->caption() == QLatin1String("START"); }, 3000));
}

TEST_F(Bath, TimerGoesOnWhileAModalWindowIsUp)
{
    Form_Test& b = bench();
    benchRack("R1001");
    b.Shake_Time = 0;
    b.Bath_Time = 1;
    stationClock::useSystemClock();
    ASSERT_TRUE(offer(1));
    // A modal window as the station shows it, with its own loop, up for 2.5 s.
    QDialog window;
    window.setObjectName(QStringLiteral("ModalWindow"));
    ui::setNeverBlock(false);
    QTimer::singleShot(2500, &window, [&window] { window.hide(); });
    ui::showModal(&window);
    ui::setNeverBlock(true);
    EXPECT_EQ(b.lbl_inBath[3]->caption(), "START");
}

TEST_F(Bath, DoneEmptyOrBlankRackPositionsNeverEnter)
{
    Form_Test& b = bench();
    benchRack("R1001");
    const QString sample = lab.labNumberAt("R1001", 1);
    EXPECT_FALSE(b.Process_Sample(0, sample, QStringLiteral("DONE")));
    EXPECT_FALSE(b.Process_Sample(0, sample, QString()));
    EXPECT_TRUE(b.Timer1->isActive()) << "a sample id starts the timer even when nothing enters";
    EXPECT_EQ(bathInDatabase().size(), 3);
    EXPECT_EQ(bathOnScreen().size(), 3);
}

TEST_F(Bath, SampleAlreadyInTheBathIsRefusedSilently)
{
    Form_Test& b = bench();
    benchRack("R1002");
    EXPECT_FALSE(offer(2));
    EXPECT_EQ(bathOnScreen().size(), 3);
    EXPECT_EQ(bathInDatabase().size(), 3);
    EXPECT_TRUE(alerts.messages.isEmpty());
    EXPECT_EQ(b.Bath_Free_Position(), 3);
}

TEST_F(Bath, FullBathRefusesSilently)
{
    Form_Test& b = bench();
    for (int i = 3; i < Form_Test::Bath_Size; ++i) b.lbl_wo[i]->setCaption(QStringLiteral(" 9%1").arg(i));
    EXPECT_EQ(b.Bath_Free_Position(), -1);
    benchRack("R1001");
    EXPECT_FALSE(offer(1));
    EXPECT_EQ(bathInDatabase().size(), 3);
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST_F(Bath, RackLimitCountsOtherRacksOnly)
{
    Form_Test& b = bench();
    ASSERT_EQ(b.MAX_RACKS_IN_BATH, 2);
    benchRack("R1003");
    ASSERT_TRUE(offer(1)) << "one other rack (R1002) in the bath";
    ASSERT_TRUE(offer(2)) << "a second sample of a rack in the bath changes nothing";
    benchRack("R1004");
    EXPECT_EQ(b.Bath_Rack_Count(), 2);
    ASSERT_TRUE(offer(1)) << "two other racks: the bench's rack makes three";
    ASSERT_TRUE(alerts.messages.isEmpty());
    benchRack("R1006");
    EXPECT_EQ(b.Bath_Rack_Count(), 3);
    EXPECT_FALSE(offer(1));
    EXPECT_EQ(alerts.messages, QStringList({"Maximum of 2 racks are allowed in the bath at any time"}));
    EXPECT_EQ(bathInDatabase().size(), 6);
    EXPECT_EQ(bathOnScreen(), bathInDatabase());
    // Back on a rack that is in the bath, its samples still go in.
    benchRack("R1003");
    EXPECT_EQ(b.Bath_Rack_Count(), 2);
    EXPECT_TRUE(offer(4));
}

TEST_F(Bath, RackWhoseNameIsPartOfAnotherIsStillAnotherRack)
{
    lab.change("UPDATE racks SET RACK_DESC = 'R1' WHERE RACK_DESC = 'R1003'");
    lab.change("UPDATE racks SET RACK_DESC = 'R12' WHERE RACK_DESC = 'R1004'");
    Form_Test& b = bench();
    b.MAX_RACKS_IN_BATH = 1;
    benchRack("R1");
    ASSERT_TRUE(offer(1)) << "R1002 is the one other rack";
    benchRack("R12");
    EXPECT_EQ(b.Bath_Rack_Count(), 2) << "R1 is not part of R12";
    EXPECT_FALSE(offer(1));
    EXPECT_EQ(alerts.messages, QStringList({"Maximum of 1 racks are allowed in the bath at any time"}));
    EXPECT_EQ(bathInDatabase().size(), 4);
}

TEST_F(Bath, RefreshShowsEveryEntryWhateverTheRackLimit)
{
    Form_Test& b = bench();
    ASSERT_EQ(b.MAX_RACKS_IN_BATH, 2);
    benchRack("R1001");
    ASSERT_TRUE(offer(1));
    benchRack("R1003");
    ASSERT_TRUE(offer(1));
    ASSERT_TRUE(offer(2));
    // On a fourth rack the bath holds three others: the refresh still shows them all.
    benchRack("R1004");
    b.img_refresh_Click();
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join('\n').toStdString();
    EXPECT_EQ(bathInDatabase().keys(), QList<int>({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(bathOnScreen(), bathInDatabase());
}

TEST_F(Bath, NormalSampleOnItsSecondRunShowsTheRetestPicture)
{
    Form_Test& b = bench();
    benchRack("R1001");
    ASSERT_EQ(commonModule::Curr_Rack().Pos_Item(3).Run_No, 2);
    ASSERT_EQ(commonModule::Curr_Rack().Pos_Item(3).Priority, "NORMAL");
    ASSERT_TRUE(offer(3));
    EXPECT_EQ(b.img_bath[3]->picturePath(), commonModule::Image_Dir + "bttn_bath_RETEST.gif");
    ASSERT_TRUE(offer(1));
    EXPECT_EQ(b.img_bath[4]->picturePath(), commonModule::Image_Dir + "bttn_bath_NORMAL.gif");
}

TEST_F(Bath, HistoryOfTheSampleColoursItsPosition)
{
    Form_Test& b = bench();
    benchRack("R1001");
    // Position 3 of R1001 was counted before; position 1 never was.
    ASSERT_TRUE(offer(3));
    const QVariantList last = lab.rows("SELECT k.ISO_2, k.ISO_5, k.ISO_15 FROM pc_counts k JOIN samples s ON s.LAB_ID = k.LAB_ID"
                                       " WHERE s.LAB_NUMBER = ? ORDER BY k.COUNT_ID DESC LIMIT 1",
                                       {lab.labNumberAt("R1001", 3)})
                                  .value(0);
    ASSERT_EQ(last.size(), 3);
    EXPECT_EQ(b.lbl_isoCode[3]->caption(), last[1].toString() + "/" + last[2].toString() + " ");
    EXPECT_EQ(b.lbl_inBath[3]->backColor(), b.Iso_History_Color(true, "", last[1].toString(), last[2].toString()));

    ASSERT_TRUE(offer(1));
    EXPECT_EQ(b.lbl_isoCode[4]->caption(), "No Hist ");
    EXPECT_EQ(b.lbl_inBath[4]->backColor(), QColor(255, 140, 0));
    EXPECT_EQ(b.lbl_inBath[4]->foreColor(), QColor(0, 0, 0));
    // No count yet at the bench: every history passes and is boxed.
    EXPECT_TRUE(b.lbl_isoCode[4]->isOpaque());
    EXPECT_EQ(b.lbl_isoCode[4]->backColor(), QColor(255, 255, 255));
}

TEST_F(Bath, SampleWhoseEarlierTestEndedWithoutCountIsNotEntered)
{
    Form_Test& b = bench();
    benchRack("R1001");
    // R1001 position 14 ('N'): the first run was removed without a count.
    ASSERT_TRUE(offer(14));
    EXPECT_EQ(b.lbl_isoCode[3]->caption(), "Not Entered ");
    EXPECT_EQ(b.lbl_inBath[3]->backColor(), QColor(255, 140, 0));
}

TEST_F(Bath, EntryTheDatabaseRefusesLeavesThePositionFreeAndSaysWhy)
{
    Form_Test& b = bench();
    benchRack("R1001");
    const QString sample = lab.labNumberAt("R1001", 1);
    // Counted by someone else since the rack was loaded.
    lab.change("UPDATE lab_tracking SET STATUS = 'DONE' WHERE TEST_GROUP = 'PrtCount' AND LAB_ID ="
               " (SELECT LAB_ID FROM samples WHERE LAB_NUMBER = ?)",
               {sample});
    EXPECT_FALSE(offer(1));
    EXPECT_EQ(alerts.messages, QStringList({"Sample " + sample + " has no outstanding PrtCount test."}));
    EXPECT_EQ(b.lbl_wo[3]->caption(), "");
    EXPECT_EQ(b.lbl_isoCode[3]->caption(), "");
    EXPECT_EQ(ui::tag(b.lbl_inBath[3]).toString(), "");
    EXPECT_EQ(b.Bath_Free_Position(), 3);
    EXPECT_EQ(bathInDatabase().size(), 3);
}

TEST_F(Bath, PositionAnotherStationFilledIsNotShownTwice)
{
    Form_Test& b = bench();
    benchRack("R1001");
    // Another bench put a sample at position 4 after this one loaded.
    const QString theirs = lab.labNumberAt("R1004", 1);
    lab.change("INSERT INTO pc_batch_details (BATCH_ID, POSITION, LAB_ID, RUN_NO, SAMPLE_TYPE, EXTRA, RACK_DESC, EMP_NUM,"
               " DATE_ADDED) SELECT 1, 4, LAB_ID, 1, 'SAMPLE', 'RD=R1004RID=504', 'R1004', 102, '2026-03-02 07:00:00'"
               " FROM samples WHERE LAB_NUMBER = ?",
               {theirs});
    EXPECT_FALSE(offer(1));
    ASSERT_EQ(alerts.messages.size(), 1);
    EXPECT_TRUE(alerts.messages[0].contains(theirs)) << alerts.messages[0].toStdString();
    EXPECT_EQ(bathInDatabase().value(4), theirs);

    // The bath shows at once what the database holds, so the next sample goes to a free place.
    EXPECT_EQ(bathOnScreen(), bathInDatabase());
    EXPECT_TRUE(offer(1));
    EXPECT_EQ(bathInDatabase().value(5), lab.labNumberAt("R1001", 1));
    EXPECT_EQ(b.lbl_rackName->caption(), "R1001  ");
}

TEST_F(Bath, BathReadAgainAfterARefusalKeepsTheCountdownsAndTheRackInHand)
{
    Form_Test& b = bench();
    benchRack("R1001");
    ASSERT_TRUE(offer(1));
    stationClock::advanceClock(3);
    b.Timer1_Timer();
    ASSERT_EQ(b.lbl_inBath[3]->caption(), "SHAKE");
    // Another station puts a sample at the next place: the next entry is refused.
    const QString theirs = lab.labNumberAt("R1004", 1);
    lab.change("INSERT INTO pc_batch_details (BATCH_ID, POSITION, LAB_ID, RUN_NO, SAMPLE_TYPE, EXTRA, RACK_DESC, EMP_NUM,"
               " DATE_ADDED) SELECT 1, 5, LAB_ID, 1, 'SAMPLE', 'RD=R1004RID=504', 'R1004', 102, '2026-03-02 07:00:00'"
               " FROM samples WHERE LAB_NUMBER = ?",
               {theirs});
    EXPECT_FALSE(offer(2));
    EXPECT_EQ(bathOnScreen(), bathInDatabase());
    EXPECT_EQ(countdowns(0, 4), QStringList({"START", "START", "START", "SHAKE", "START"})) << "only the changed place is ready";
    EXPECT_EQ(b.lbl_rackName->caption(), "R1001  ");
    EXPECT_EQ(ui::tag(b.lbl_rackName).toString(), "501");
    stationClock::advanceClock(7);
    b.Timer1_Timer();
    EXPECT_EQ(b.lbl_inBath[3]->caption(), "10");

    // A removal that never reached the laboratory leaves the sample counting down too.
    LaboratoryTap tap;
    tap.failWhen(QStringLiteral("@action = 'DELETE'"));
    b.Remove_From_Bath(3);
    EXPECT_EQ(b.lbl_inBath[3]->caption(), "10");
    EXPECT_EQ(alerts.messages.size(), 2) << alerts.messages.join('\n').toStdString();
}

TEST_F(Bath, RemovalThatNeverReachedTheDatabaseShowsTheSampleAgain)
{
    Form_Test& b = bench();
    LaboratoryTap tap;
    tap.failWhen(QStringLiteral("@action = 'DELETE'"));
    // A batch row the reload gives back (a second place of the same sample), which it
    // cannot delete either: the reload does not start itself again.
    tap.alter([](const QString& sql, db::Recordset& answer) {
        if (!sql.contains(QLatin1String("get_batch_samples"))) return;
        QList<QVariantList> rows = LaboratoryTap::rowsOf(answer);
        QVariantList again = rows.value(0);
        again[answer.columnIndex(QStringLiteral("POSITION"))] = 9;
        answer = db::Recordset(answer.columnNames(), rows << again);
    });
    b.Remove_From_Bath(0);
    EXPECT_EQ(alerts.messages.size(), 2) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(alerts.messages.value(0).contains("bath position 1 is still taken there"));
    EXPECT_EQ(bathOnScreen(), bathInDatabase());
    EXPECT_EQ(bathOnScreen().keys(), QList<int>({1, 2, 3}));

    // A reload that cannot read the batch either leaves the bath as it is.
    tap.failWhen(QStringLiteral("get_batch_samples"));
    b.Remove_From_Bath(1);
    EXPECT_EQ(bathOnScreen().keys(), QList<int>({1, 3}));
    EXPECT_EQ(b.lbl_inBath[0]->caption(), "START");
}

TEST_F(Bath, RemovalTheDatabaseRefusesIsShownAndTheBathFollowsTheDatabase)
{
    Form_Test& b = bench();
    lab.change("DELETE FROM pc_batch_details WHERE POSITION = 2");
    b.Remove_From_Bath(1);
    EXPECT_EQ(alerts.messages, QStringList({"Bath position 2 is already free."}));
    EXPECT_EQ(b.lbl_wo[1]->caption(), "");
    EXPECT_EQ(b.lbl_inBath[1]->caption(), "");
    EXPECT_EQ(ui::tag(b.lbl_isoCode[1]).toString(), "");
    EXPECT_TRUE(b.img_oldRack[1]->isHidden());
    EXPECT_FALSE(b.lbl_inBath[1]->isOpaque());
    EXPECT_EQ(b.img_bath[1]->picturePath(), commonModule::Image_Dir + "bttn_bath_idle.gif");

    alerts.messages.clear();
    b.Remove_From_Bath(0);
    EXPECT_TRUE(alerts.messages.isEmpty());
    EXPECT_EQ(bathInDatabase().keys(), QList<int>({3}));

    // Another sample stands at position 3 in the database: the refusal leaves it
    // there, and the screen shows it instead of a free place.
    lab.change("UPDATE pc_batch_details SET LAB_ID = (SELECT LAB_ID FROM samples WHERE LAB_NUMBER = ?) WHERE POSITION = 3",
               {lab.labNumberAt("R1001", 1)});
    const QMap<int, QString> held = bathInDatabase();
    b.Remove_From_Bath(2);
    EXPECT_TRUE(alerts.messages.value(0).startsWith("Bath position 3 holds sample")) << alerts.messages.join('\n').toStdString();
    EXPECT_EQ(bathInDatabase(), held);
    EXPECT_EQ(bathOnScreen(), held);
}

TEST_F(Bath, RefreshRebuildsTheBathFromTheDatabase)
{
    Form_Test& b = bench();
    commonModule::Header_Status(QStringLiteral("READY FOR WORK"));
    lab.change("DELETE FROM pc_batch_details WHERE POSITION = 1");
    lab.change("UPDATE pc_batch_details SET POSITION = 7 WHERE POSITION = 3");
    b.img_refresh_Click();
    EXPECT_EQ(bathOnScreen().keys(), QList<int>({2, 7}));
    EXPECT_EQ(countdowns(6, 6), QStringList({"START"}));
    EXPECT_EQ(b.lbl_wo[0]->caption(), "");
    EXPECT_TRUE(b.img_oldRack[0]->isHidden());
    EXPECT_FALSE(b.img_oldRack[6]->isHidden());
    EXPECT_EQ(commonModule::Header_Status(QString()), "ready for work");
}

TEST_F(Bath, BatchRowsAtPlacesTheBathDoesNotHaveAreLeftAlone)
{
    // Rows the laboratory may hand over from another bath: no place 1 to 30.
    LaboratoryTap tap;
    tap.alter([](const QString& sql, db::Recordset& answer) {
        if (!sql.contains(QLatin1String("get_batch_samples"))) return;
        QList<QVariantList> rows = LaboratoryTap::rowsOf(answer);
        const int position = answer.columnIndex(QStringLiteral("POSITION"));
        const int sample = answer.columnIndex(QStringLiteral("SAMPLE_ID"));
        const QVariantList model = rows.value(0);
        for (const QVariant& bad : {QVariant(0), QVariant(31), QVariant(), QVariant(QStringLiteral("x")), QVariant(2.5)}) {
            QVariantList row = model;
            row[position] = bad;
            row[sample] = QStringLiteral("0999") + bad.toString();
            rows.insert(1, row);
        }
        answer = db::Recordset(answer.columnNames(), rows);
    });
    Form_Test& b = bench();
    EXPECT_EQ(bathOnScreen().keys(), QList<int>({1, 2, 3}));
    EXPECT_EQ(countdowns(0, 2), QStringList({"START", "START", "START"}));
    for (const QString& sql : tap.statements()) EXPECT_FALSE(sql.contains(QLatin1String("DELETE"))) << sql.toStdString();
    EXPECT_EQ(lab.scalar("SELECT count(*) FROM pc_batch_details").toInt(), 3);
    EXPECT_FALSE(b.Sample_In_Bath(QStringLiteral("09990")));
    EXPECT_TRUE(alerts.messages.isEmpty());
}

TEST_F(Bath, HistoryQueryThatFailsLeavesTheSampleWithoutHistoryAndItGoesIn)
{
    Form_Test& b = bench();
    benchRack("R1001");
    LaboratoryTap tap;
    tap.failWhen(QStringLiteral("get_pc_history"));
    ASSERT_TRUE(offer(3));
    EXPECT_EQ(b.lbl_isoCode[3]->caption(), "No Hist ");
    EXPECT_EQ(b.lbl_inBath[3]->backColor(), QColor(255, 140, 0));
    EXPECT_EQ(bathInDatabase().value(4), lab.labNumberAt("R1001", 3));
    EXPECT_TRUE(tap.statements().filter("get_pc_history").size() == 1);
}

TEST_F(Bath, PictureNamesFollowThePriorityText)
{
    const Form_Test& b = bench();
    const QString dir = commonModule::Image_Dir;
    EXPECT_EQ(b.Bath_Image_Name(QStringLiteral(" URGENT ")), dir + "bttn_bath_URGENT.gif");
    EXPECT_EQ(b.Bath_Image_Name(QStringLiteral("CRITICAL")), dir + "bttn_bath_CRITICAL.gif");
    EXPECT_EQ(b.Bath_Image_Name(QStringLiteral("")), dir + "bttn_bath.gif");
    EXPECT_EQ(b.Bath_Image_Name(QStringLiteral("   ")), dir + "bttn_bath.gif");
    EXPECT_EQ(b.Bath_Image_Name(QVariant()), dir + "bttn_bath.gif");
    EXPECT_EQ(b.Bath_Image_Name(QStringLiteral("3")), dir + "bttn_bath.gif");
    EXPECT_EQ(b.Bath_Image_Name(QVariant(2)), dir + "bttn_bath.gif");
}

TEST_F(Bath, ReloadReadsTheRackFromTheExtraTextAndGivesBackRowsItCannotShow)
{
    LaboratoryTap tap;
    tap.alter([](const QString& sql, db::Recordset& answer) {
        if (!sql.contains(QLatin1String("get_batch_samples"))) return;
        QList<QVariantList> rows = LaboratoryTap::rowsOf(answer);
        const int position = answer.columnIndex(QStringLiteral("POSITION"));
        const int extra = answer.columnIndex(QStringLiteral("EXTRA"));
        rows[1][extra] = QStringLiteral(" RD=R12RID=345 ");
        rows[2][extra] = QVariant();
        // The first sample once more, at position 9.
        QVariantList again = rows[0];
        again[position] = 9;
        rows << again;
        answer = db::Recordset(answer.columnNames(), rows);
    });
    Form_Test& b = bench();
    EXPECT_EQ(ui::tag(b.lbl_isoCode[1]).toString(), "R12");
    EXPECT_EQ(b.lbl_rackName->caption(), "R12  ") << "the last rack read";
    EXPECT_EQ(ui::tag(b.lbl_rackName).toString(), "345");
    // A row without EXTRA takes the rack of the row before for its marker.
    EXPECT_TRUE(b.img_oldRack[1]->isHidden());
    EXPECT_TRUE(b.img_oldRack[2]->isHidden());
    EXPECT_FALSE(b.img_oldRack[0]->isHidden());
    // The sample already shown is given back at the second place, not shown twice.
    EXPECT_EQ(b.lbl_wo[8]->caption(), "");
    EXPECT_EQ(tap.statements().filter("@action = 'DELETE'"),
              QStringList({"exec labrack.dbo.set_PC_Bath @sampleId = '', @extra = null, @empNum = 101, @position = 9, "
                           "@action = 'DELETE', @test = 0"}));
    EXPECT_EQ(alerts.messages, QStringList({"Bath position 9 is already free."}));
}

TEST_F(Bath, ExtraTextWithoutRackIdStillNamesTheRack)
{
    LaboratoryTap tap;
    tap.alter([](const QString& sql, db::Recordset& answer) {
        if (!sql.contains(QLatin1String("get_batch_samples"))) return;
        QList<QVariantList> rows = LaboratoryTap::rowsOf(answer);
        rows.last()[answer.columnIndex(QStringLiteral("EXTRA"))] = QStringLiteral("RD=R77");
        answer = db::Recordset(answer.columnNames(), rows);
    });
    Form_Test& b = bench();
    EXPECT_EQ(bathOnScreen().size(), 3) << "the reload goes on to its end";
    EXPECT_EQ(ui::tag(b.lbl_isoCode[2]).toString(), "R77");
    EXPECT_EQ(b.lbl_rackName->caption(), "R77  ");
    EXPECT_EQ(ui::tag(b.lbl_rackName).toString(), "");
}

TEST_F(Bath, QuotesInRackAndSampleTextsStayText)
{
    lab.change("DELETE FROM pc_batch_details");
    lab.change("UPDATE racks SET RACK_DESC = 'O''R1' WHERE RACK_DESC = 'R1003'");
    Form_Test& b = bench();
    benchRack("O'R1");
    LaboratoryTap tap;
    ASSERT_TRUE(offer(1));
    EXPECT_EQ(lab.scalar("SELECT EXTRA FROM pc_batch_details WHERE POSITION = 1").toString(), "RD=O'R1RID=503");
    EXPECT_FALSE(b.Process_Sample(0, QStringLiteral("x' OR '1'='1"), QStringLiteral("READY")));
    EXPECT_EQ(bathInDatabase().size(), 1);
    EXPECT_TRUE(tap.statements().filter("get_pc_history 'ZIVIRUZEZ', 'x'' OR ''1''=''1'").size() == 1);
}

}  // namespace

// The laboratory database fails the station while it stores a count: another
// program holds its lock past the time-out, or its file goes away. The technician
// is told the count was not stored and where its report is kept; the sample stays
// in the bath and is counted, once, when the database is back.
#include "fault_fixture.h"

#include "qstring_printer.h"

namespace {

using DatabaseFaults = FaultyDay;

// The message that tells the technician the sample's count was not stored.
bool toldNotStored(const QStringList& messages, const QString& lab)
{
    return std::any_of(messages.begin(), messages.end(), [&](const QString& m) {
        return m.contains(QStringLiteral("count of sample ") + lab + QStringLiteral(" could not be stored")) &&
               m.contains(QStringLiteral("PC_Active.csv"));
    });
}

TEST_F(DatabaseFaults, LockedByAnotherProgramPastTheTimeOutIsToldAndTheCountStoredOnceAfterwards)
{
    const auto [lab, index] = sampleReadyAfterCheck();
    const QString report = catalogueLine("17/13");
    ShortLockWait wait(QStringLiteral("import_PC002"));
    AlertRecorder alerts;
    std::unique_ptr<HelperProcess> other;
    const ui::ModalResponder count = counting(report);

    QElapsedTimer clock;
    tapBath(index, {[&](QDialog* w) {
                count(w);
                // The report is in; another program takes the write lock before the store.
                other = std::make_unique<HelperProcess>(QStringLiteral("lock"), folder.filePath("labdata.db"));
                ASSERT_TRUE(other->waitFor(QStringLiteral("locked"))) << other->output().toStdString();
                clock.start();
            }});
    ASSERT_TRUE(other);

    EXPECT_EQ(wait.attempts(), 5) << "the gateway tries a locked store five times";
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(dbModule::Get_Recordset_Counters().Try_Count, 0);
    EXPECT_TRUE(toldNotStored(alerts.messages, lab)) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(questions.isEmpty()) << "no re-run question without a stored count";
    EXPECT_EQ(activeLogLines(report), 1);
    EXPECT_EQ(inBath(lab), index);
    ASSERT_TRUE(other->release()) << other->output().toStdString();
    EXPECT_EQ(countsStored(lab), 0);
    EXPECT_TRUE(inOpenBatch(lab));
    expectWholeOrAbsent(lab);

    // The lock is gone: the same sample is counted and stored, once.
    countsAsUsual(lab, index, QStringLiteral("17/13"));
    EXPECT_EQ(wait.attempts(), 6);
    expectWholeOrAbsent(lab);
}

TEST_F(DatabaseFaults, ShortLockIsWaitedForAndTheCountStoredOnce)
{
    const auto [lab, index] = sampleReadyAfterCheck();
    ShortLockWait wait(QStringLiteral("import_PC002"));
    AlertRecorder alerts;
    std::unique_ptr<HelperProcess> other;
    const ui::ModalResponder count = counting(catalogueLine("14/12"));
    tapBath(index, {[&](QDialog* w) {
                        count(w);
                        // The other program lets go while the gateway tries again.
                        other = std::make_unique<HelperProcess>(QStringLiteral("lock 1500"), folder.filePath("labdata.db"));
                        ASSERT_TRUE(other->waitFor(QStringLiteral("locked")));
                    },
                    answering(Form_AlertYesNo::kNo)});
    EXPECT_GE(wait.attempts(), 2);
    EXPECT_LE(wait.attempts(), 5);
    EXPECT_TRUE(alerts.messages.isEmpty()) << alerts.messages.join('\n').toStdString();
    EXPECT_EQ(countsStored(lab), 1);
    EXPECT_EQ(inBath(lab), -1);
    ASSERT_TRUE(other->finishedNormally()) << other->output().toStdString();
    expectWholeOrAbsent(lab);
}

TEST_F(DatabaseFaults, FileThatDisappearsWhileTheReportComesIsToldAndCountedWhenBack)
{
    logIn();
    const auto [lab, index] = openSample();
    const auto [next, other] = openSample();
    bathTimeOver();
    passCheck(index);

    AlertRecorder alerts;
    const QString report = catalogueLine("16/12");
    const QString file = folder.filePath("labdata.db");
    const QString away = folder.filePath("labdata.db.away");
    const ui::ModalResponder count = counting(report);
    tapBath(index, {[&](QDialog* w) {
                count(w);
                ASSERT_TRUE(QFile::rename(file, away));
            }});

    EXPECT_FALSE(QFile::exists(file)) << "the station made no new file in its place";
    EXPECT_TRUE(std::any_of(alerts.messages.begin(), alerts.messages.end(), [](const QString& m) {
        return m.startsWith(dbModule::kUnreachableMessage);
    })) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(toldNotStored(alerts.messages, lab)) << alerts.messages.join('\n').toStdString();
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(activeLogLines(report), 1);
    EXPECT_EQ(inBath(lab), index);

    // The file is back (the share came back, the file was put back).
    ASSERT_TRUE(QFile::rename(away, file));
    EXPECT_EQ(countsStored(lab), 0);
    expectWholeOrAbsent(lab);
    countsAsUsual(lab, index, QStringLiteral("16/12"));
    countsAsUsual(next, other, QStringLiteral("14/12"));
    expectWholeOrAbsent(lab);
    expectWholeOrAbsent(next);
}

TEST_F(DatabaseFaults, FileReplacedByAnotherWhileTheStationRunsIsNotWrittenThroughAnOldHandle)
{
    logIn();
    const auto [lab, index] = openSample();
    bathTimeOver();
    passCheck(index);

    // The file is taken away and a copy of it put in its place while the station
    // holds it open: what the station stores afterwards must be in the file at the path.
    const QString file = folder.filePath("labdata.db");
    labdb::Database old;
    old.open(file, false, 5000);
    old.script("PRAGMA wal_checkpoint(TRUNCATE)");
    old.close();
    ASSERT_TRUE(QFile::rename(file, folder.filePath("labdata.db.old")));
    ASSERT_TRUE(QFile::copy(folder.filePath("labdata.db.old"), file));

    countsAsUsual(lab, index, QStringLiteral("14/12"));
    expectWholeOrAbsent(lab);
}

TEST_F(DatabaseFaults, RerunLockedPastTheRetriesIsToldAndRegisteredWhenTriedAgain)
{
    const auto [lab, index] = sampleReadyAfterCheck();
    ShortLockWait wait(QStringLiteral("labtrack_inserttest"));
    std::unique_ptr<HelperProcess> other;
    const ui::ModalResponder yes = answering(Form_AlertYesNo::kYes);
    tapBath(index, {counting(catalogueLine("14/12")),
                    [&](QDialog* w) {
                        // Stored; another program takes the lock before the re-run is registered.
                        other = std::make_unique<HelperProcess>(QStringLiteral("lock"), folder.filePath("labdata.db"));
                        ASSERT_TRUE(other->waitFor(QStringLiteral("locked")));
                        yes(w);
                    },
                    [&](QDialog* w) {
                        EXPECT_EQ(wait.attempts(), 5);
                        EXPECT_EQ(readyTests(lab), 0) << "nothing registered";
                        ASSERT_TRUE(other->release()) << other->output().toStdString();
                        yes(w);
                    },
                    closing()});
    ASSERT_EQ(questions.size(), 2);
    EXPECT_EQ(questions[1], QStringLiteral("The re-run of sample %1 was not registered: the laboratory database did not answer. Its "
                                           "count is stored and the sample stays in the bath.\r\n\r\nDo you want to try again? If "
                                           "not, take the sample out with REMOVE FROM BATH and ask the laboratory for a new test.")
                                .arg(lab));
    EXPECT_EQ(runs.size(), 3) << "the dialog opened again for the re-run";
    EXPECT_EQ(readyTests(lab), 1);
    EXPECT_EQ(countsStored(lab), 1);
    EXPECT_EQ(inBath(lab), index);
}

TEST_F(DatabaseFaults, LockedWhileTheStoredSampleLeavesTheBathIsToldAndShownAgain)
{
    logIn();
    const auto [lab, index] = openSample();
    const auto [next, at] = openSample();
    ASSERT_GE(at, 0);
    bathTimeOver();
    passCheck(index);
    ShortLockWait wait(QStringLiteral("set_PC_Bath"));
    AlertRecorder alerts;
    std::unique_ptr<HelperProcess> other;
    const ui::ModalResponder no = answering(Form_AlertYesNo::kNo);
    tapBath(index, {counting(catalogueLine("14/12")), [&](QDialog* w) {
                        // Stored; another program takes the lock before the sample leaves the bath.
                        other = std::make_unique<HelperProcess>(QStringLiteral("lock"), folder.filePath("labdata.db"));
                        ASSERT_TRUE(other->waitFor(QStringLiteral("locked")));
                        no(w);
                    }});
    ASSERT_TRUE(other);
    EXPECT_EQ(wait.attempts(), 5);
    ASSERT_TRUE(other->release()) << other->output().toStdString();
    EXPECT_EQ(countsStored(lab), 1);
    EXPECT_TRUE(inOpenBatch(lab)) << "the laboratory still holds it in the bath";
    EXPECT_EQ(inBath(lab), index) << "and the bath, read again, shows it there";
    EXPECT_EQ(alerts.messages, QStringList({QStringLiteral("Sample %1 could not be taken out of the bath in the laboratory database; bath "
                                                           "position %2 is still taken there. A refresh of the bath shows it again.")
                                                .arg(lab)
                                                .arg(index + 1)}));
    expectWholeOrAbsent(lab);

    // The technician takes it out through the dialog.
    tapBath(index, {[](QDialog* w) {
                auto* d = qobject_cast<form_Action*>(w);
                ASSERT_NE(d, nullptr);
                QTest::mouseClick(d->img_remove, Qt::LeftButton);
            }});
    EXPECT_EQ(inBath(lab), -1);
    EXPECT_FALSE(inOpenBatch(lab));
    EXPECT_EQ(countsStored(lab), 1);
    expectWholeOrAbsent(lab);
    countsAsUsual(next, at);
}

}  // namespace

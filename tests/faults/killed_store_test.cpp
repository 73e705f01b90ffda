// A station killed (SIGKILL: no handler runs, nothing is closed) in the middle of
// storing a count: at every row the store changes, as it commits, and right after
// it was stored. The database afterwards holds the count wholly or not at all, a
// store after the kill puts it there once, and this station counts on.
#include "fault_fixture.h"

#include "qstring_printer.h"

namespace {

using KilledStation = FaultyDay;

TEST_F(KilledStation, KilledAnywhereInAStoreLeavesTheCountWhollyThereOrAbsent)
{
    logIn();
    const auto [lab, index] = openSample();
    const auto [next, other] = openSample();
    bathTimeOver();
    passCheck(index);
    const QString database = folder.filePath("labdata.db");

    // Killed as the store commits, and at its first, second, ... row change, until
    // a store goes through without reaching the row it was to stop at.
    int kills = 0;
    QString saved;
    for (int row = 0; row < 20 && saved.isEmpty(); ++row) {
        HelperProcess station(row == 0 ? QStringLiteral("store commit") : QStringLiteral("store row:%1").arg(row), database, lab);
        const bool stopped = station.waitFor(QStringLiteral("stopped"));
        if (!stopped) {
            saved = station.output();
            ASSERT_TRUE(station.finishedNormally()) << saved.toStdString();
        } else {
            station.killHard();
            ++kills;
        }
        SCOPED_TRACE(station.output().toStdString());
        ASSERT_EQ(countsStored(lab), stopped ? 0 : 1) << "stop at row " << row;
        expectWholeOrAbsent(lab);
    }
    EXPECT_TRUE(saved.contains("fault-helper: saved 1 after 2 rows")) << saved.toStdString();
    EXPECT_EQ(kills, 3) << "killed as it committed and at each of its two row changes";

    // Stored and killed right after: the count stays, and a second store of the
    // same report does not put it there twice.
    {
        HelperProcess station(QStringLiteral("store after"), database, next);
        ASSERT_TRUE(station.waitFor(QStringLiteral("stopped"))) << station.output().toStdString();
        station.killHard();
        EXPECT_TRUE(station.output().contains("saved 1")) << station.output().toStdString();
    }
    EXPECT_EQ(countsStored(next), 1);
    expectWholeOrAbsent(next);
    {
        HelperProcess station(QStringLiteral("store"), database, next);
        EXPECT_TRUE(station.waitFor(QStringLiteral("saved 0"))) << station.output().toStdString();
        EXPECT_TRUE(station.finishedNormally());
    }
    EXPECT_EQ(countsStored(next), 1);
    EXPECT_EQ(countsStored(lab), 1);

    // This station goes on: another sample of the rack is counted and stored once.
    const auto [third, at] = openSample();
    ASSERT_GE(at, 0);
    bathTimeOver();
    countsAsUsual(third, at, QStringLiteral("14/12"));
    expectWholeOrAbsent(third);
    EXPECT_EQ(scalar("PRAGMA integrity_check").toString(), "ok");
}

TEST_F(KilledStation, StoredThenKilledBeforeTheSampleLeftTheBathIsNotStoredTwice)
{
    logIn();
    const auto [lab, index] = openSample();
    const auto [next, other] = openSample();
    bathTimeOver();
    passCheck(index);
    {
        HelperProcess station(QStringLiteral("store after"), folder.filePath("labdata.db"), lab);
        ASSERT_TRUE(station.waitFor(QStringLiteral("stopped"))) << station.output().toStdString();
        station.killHard();
    }
    // The station comes back: its bath is what the laboratory holds.
    bench().img_refresh_Click();
    ASSERT_EQ(inBath(lab), index);

    AlertRecorder alerts;
    tapBath(index, {counting(catalogueLine("14/12"))});
    EXPECT_EQ(countsStored(lab), 1) << "not stored twice";
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(alerts.messages,
              QStringList({"The count of sample " + lab +
                           " was not stored: the laboratory database holds no outstanding particle count for it (its "
                           "count may be stored already). Its report is kept in PC_Active.csv. The sample stays in the bath."}));
    expectWholeOrAbsent(lab);

    // A store that fails for want of the database still says so, whatever the
    // laboratory answered to the store before.
    alerts.messages.clear();
    const QString station = dbModule::Conn_String;
    const ui::ModalResponder count = counting(catalogueLine("14/12"));
    tapBath(index, {[&](QDialog* w) {
                count(w);
                dbModule::Conn_String = QStringLiteral("EMBEDDED=") + folder.filePath("gone/labdata.db");
            }});
    dbModule::Conn_String = station;
    EXPECT_TRUE(std::any_of(alerts.messages.begin(), alerts.messages.end(), [&](const QString& m) {
        return m.startsWith("The count of sample " + lab + " could not be stored in the laboratory database.");
    })) << alerts.messages.join('\n').toStdString();

    // The technician takes it out; the station counts on.
    tapBath(index, {[](QDialog* w) {
                auto* d = qobject_cast<form_Action*>(w);
                ASSERT_NE(d, nullptr);
                QTest::mouseClick(d->img_remove, Qt::LeftButton);
            }});
    EXPECT_EQ(inBath(lab), -1);
    EXPECT_FALSE(inOpenBatch(lab));
    countsAsUsual(next, other);
    EXPECT_EQ(countsStored(lab), 1);
}

}  // namespace

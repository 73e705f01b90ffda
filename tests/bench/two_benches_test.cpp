// Two benches, each its own program, on one laboratory database file: the bath
// positions they fill never hold two samples, and neither screen shows a sample
// at a position the database gives to another.
#include "bench_fixture.h"

#include "qstring_printer.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace {

const char* const kSecondStation = "PCSTATION_SECOND_BENCH_DB";

// Offers the rack's ready samples one after another; after a refusal the bench is
// rebuilt from the database, as the technician does with the refresh picture.
// How many of them went in.
int offerRack(Form_Test& b, const QString& rackDesc, int offers)
{
    int entered = 0;
    Rack& rack = commonModule::Curr_Rack();
    rack.Initialize_pos();
    rack.Rack_Desc = rackDesc;
    rack.Rack_Load(rackDesc, QStringLiteral("PrtCount"));
    int made = 0;
    for (int p = 1; p <= 20 && made < offers; ++p) {
        const RackPositions& place = commonModule::Curr_Rack().Pos_Item(p);
        if (place.Status != QLatin1String("READY")) continue;
        ++made;
        if (b.Process_Sample(static_cast<std::int16_t>(p - 1), place.Sample_Desc, place.Status))
            ++entered;
        else
            b.img_refresh_Click();
    }
    return entered;
}

class SecondBench : public BenchTest {
public:
    using BenchTest::bathOnScreen;
    using BenchTest::bench;
};

// The other program: runs only when started by the test below.
TEST_F(SecondBench, OffersItsRackOnTheSharedDatabase)
{
    const QString connection = qEnvironmentVariable(kSecondStation);
    if (connection.isEmpty()) GTEST_SKIP() << "runs as the second bench of TwoBenches only";
    dbModule::Conn_String = connection;
    Form_Test& b = bench();
    std::printf("LOADED\n");
    std::fflush(stdout);
    const int entered = offerRack(b, QStringLiteral("R1004"), 8);
    std::printf("ENTERED %d\n", entered);
    const QMap<int, QString> shown = bathOnScreen();
    for (auto it = shown.begin(); it != shown.end(); ++it) std::printf("POS %d %s\n", it.key(), qPrintable(it.value()));
    std::fflush(stdout);
}

using TwoBenches = BenchTest;

TEST_F(TwoBenches, NeverHoldOnePositionTwice)
{
    Form_Test& b = bench();
    QProcess other;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kSecondStation), dbModule::Conn_String);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    other.setProcessEnvironment(env);
    other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=SecondBench.OffersItsRackOnTheSharedDatabase")});
    ASSERT_TRUE(other.waitForStarted(10000));
    // Both offer at once, from the moment the other bench has loaded.
    QByteArray early;
    while (!early.contains("LOADED") && other.waitForReadyRead(30000)) early += other.readAllStandardOutput();
    ASSERT_TRUE(early.contains("LOADED"));

    const int entered = offerRack(b, QStringLiteral("R1001"), 8);
    ASSERT_TRUE(other.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(early + other.readAllStandardOutput());
    ASSERT_EQ(other.exitCode(), 0) << output.toStdString();

    const QMap<int, QString> database = bathInDatabase();
    QMap<int, QString> second;
    int secondEntered = -1;
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("POS "))) second.insert(line.section(' ', 1, 1).toInt(), line.section(' ', 2, 2));
        if (line.startsWith(QLatin1String("ENTERED "))) secondEntered = line.section(' ', 1, 1).toInt();
    }
    ASSERT_FALSE(second.isEmpty()) << output.toStdString();

    const QList<QVariantList> counts = lab.rows("SELECT POSITION, count(*) FROM pc_batch_details GROUP BY POSITION HAVING count(*) > 1");
    EXPECT_TRUE(counts.isEmpty()) << "a position held twice";
    // What each screen shows at a position is what the database holds there.
    const QMap<int, QString> first = bathOnScreen();
    for (auto it = first.begin(); it != first.end(); ++it) EXPECT_EQ(database.value(it.key()), it.value()) << it.key();
    for (auto it = second.begin(); it != second.end(); ++it) EXPECT_EQ(database.value(it.key()), it.value()) << it.key();
    // Every entry a bench counted as made is in the database, beside the demo's three.
    EXPECT_GT(entered, 0);
    EXPECT_GT(secondEntered, 0);
    EXPECT_EQ(database.size(), 3 + entered + secondEntered);
    // A refusal is told to the technician.
    EXPECT_EQ(alerts.messages.size(), 8 - entered);
}

}  // namespace

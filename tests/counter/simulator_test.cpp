// The counter simulator: its command line, its report lines, how it takes commands,
// and the program that the demo station runs beside it.
#include "bench/report_catalogue.h"
#include "platform/serial/device_port.h"
#include "report_line.h"
#include "simulated_counter.h"
#include "simulator_options.h"

#include "qstring_printer.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

simulator::CommandLine parsed(const QStringList& arguments, QString* error = nullptr)
{
    simulator::CommandLine line;
    QString why;
    EXPECT_TRUE(simulator::parseCommandLine(arguments, &line, &why)) << why.toStdString();
    if (error) *error = why;
    return line;
}

QString refused(const QStringList& arguments)
{
    simulator::CommandLine line;
    QString why;
    EXPECT_FALSE(simulator::parseCommandLine(arguments, &line, &why)) << arguments.join(' ').toStdString();
    return why;
}

QList<QByteArray> fields(const QByteArray& line) { return line.split(','); }

TEST(SimulatorCommandLine, CatalogueCountsAndTheOtherOptions)
{
    const simulator::CommandLine plain = parsed({});
    EXPECT_EQ(plain.options.report, reportCatalogue::find("16/13")->line.toLatin1());
    EXPECT_EQ(plain.options.countingMs, 3000);
    EXPECT_EQ(plain.options.chunks, simulator::Chunks::Whole);

    const simulator::CommandLine bf = parsed({"--iso", "22/20", "--time", "0.25", "--chunks", "1", "--silent"});
    EXPECT_EQ(fields(bf.options.report)[2], "BF");
    EXPECT_EQ(bf.options.countingMs, 250);
    EXPECT_EQ(bf.options.chunks, simulator::Chunks::Single);
    EXPECT_TRUE(bf.options.silent);

    const simulator::CommandLine counted = parsed({"--counts", "4446,908,51,13,0,0,0", "--volume", "20"});
    const QList<QByteArray> f = fields(counted.options.report);
    ASSERT_EQ(f.size(), 33);
    EXPECT_EQ(f[0], "!LPR1");
    EXPECT_EQ(f.mid(16, 9), QList<QByteArray>({"4446", "908", "51", "13", "0", "0", "0", "0", "20.00"}));
    EXPECT_EQ(f[31], "ISO Code: 13/9");
    EXPECT_EQ(f[32], "");

    const simulator::CommandLine noIso = parsed({"--iso", "13/9", "--no-iso", "--chunks", "random", "--seed", "9"});
    EXPECT_EQ(fields(noIso.options.report).size(), 33);
    EXPECT_FALSE(noIso.options.report.contains("ISO"));
    EXPECT_EQ(noIso.options.chunks, simulator::Chunks::Random);
    EXPECT_EQ(noIso.options.seed, 9u);

    EXPECT_EQ(refused({"--iso", "15/13"}), "--iso: no report line for 15/13; the codes it knows: 13/9, 14/9, 14/11, 14/12, 15/11, 16/11, "
                                           "16/12, 16/13, 17/13, 17/14, 18/13, 18/14, 18/15, 19/14, 19/15, 19/16, 20/16, 20/17, 20/19, "
                                           "21/18, 21/19, 22/16, 22/19, 22/20, 22/21 (other codes with --counts)");
    EXPECT_FALSE(refused({"--counts", "1,2,3,4,5,6"}).isEmpty());
    EXPECT_FALSE(refused({"--counts", "1,2,x,4,5,6,7"}).isEmpty());
    EXPECT_FALSE(refused({"--counts", "1,999999999,3,4,5,6,7", "--volume", "0.001"}).isEmpty()) << "above the table";
    EXPECT_FALSE(refused({"--chunks", "2"}).isEmpty());
    EXPECT_FALSE(refused({"--time"}).isEmpty());
    EXPECT_FALSE(refused({"--volume", "0"}).isEmpty());
    EXPECT_FALSE(refused({"--loud"}).isEmpty());
}

// The catalogue's codes are the ISO 4406 codes of its own counts, so counts given on
// the command line are coded as the real counter codes them.
TEST(SimulatorCommandLine, CodesOfCountsAgreeWithTheCatalogue)
{
    for (const reportCatalogue::Entry& e : reportCatalogue::entries()) {
        const QList<QByteArray> f = fields(e.line.toLatin1());
        EXPECT_EQ(simulator::isoCodeOf(f[17].toDouble(), f[18].toDouble(), f[24].toDouble()).value_or("none"), e.code);
    }
    EXPECT_FALSE(simulator::isoCodeOf(10, 10, 0));
}

class SimulatorOnTheLine : public ::testing::Test {
protected:
    void start(const simulator::Options& options)
    {
        counter = std::make_unique<simulator::CounterSimulator>(options);
        ASSERT_TRUE(counter->start());
        port = std::make_unique<serial::DevicePort>(counter->devicePath());
        ASSERT_TRUE(port->open());
        QObject::connect(port.get(), &serial::Port::commEvent, [this](serial::CommEvent, const QByteArray& input) { received += input; });
    }

    std::unique_ptr<simulator::CounterSimulator> counter;
    std::unique_ptr<serial::DevicePort> port;
    QByteArray received;
};

TEST_F(SimulatorOnTheLine, TakesCommandsOnlyInRemoteModeAndStopsOnH)
{
    simulator::Options options = quickCounter();
    options.echo = true;
    start(options);
    port->write("S\r");
    ASSERT_TRUE(waitForCommands(*counter, 1));
    EXPECT_FALSE(counter->isCounting()) << "not in remote mode yet";
    port->write("remote+\rS\r");
    ASSERT_TRUE(waitForCommands(*counter, 3));
    EXPECT_TRUE(counter->isCounting());
    port->write("H\r");
    ASSERT_TRUE(waitForCommands(*counter, 4));
    QTest::qWait(150);
    EXPECT_EQ(counter->reportsSent(), 0);
    EXPECT_EQ(received, "OK\r\nOK\r\nOK\r\n");

    port->write("S\r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter->reportsSent() == 1; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.endsWith("\r\n") && received.contains("!LPR1"); }, 5000));
    EXPECT_EQ(received, "OK\r\nOK\r\nOK\r\nOK\r\n" + options.report + "\r\n");
}

TEST_F(SimulatorOnTheLine, SilentCounterSendsNothingAtAll)
{
    simulator::Options options = quickCounter();
    options.echo = true;
    options.silent = true;
    start(options);
    port->write("REMOTE+\rS\r");
    ASSERT_TRUE(waitForCommands(*counter, 2));
    QTest::qWait(150);
    EXPECT_FALSE(counter->isCounting());
    EXPECT_EQ(received, "");
}

TEST(SimulatorProgram, PrintsItsTerminalKeepsALinkAndEndsOnRequest)
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("counter-tty"));
    QProcess program;
    program.start(QStringLiteral(STATION_BINARY_DIR "/tools/counter_simulator/counter_simulator"),
                  {"--time", "0.05", "--iso", "13/9", "--link", link});
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.canReadLine(); }, 5000));
    const QString first = QString::fromLatin1(program.readLine()).trimmed();
    ASSERT_TRUE(first.startsWith("terminal: /dev/")) << first.toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), first.mid(10));

    serial::DevicePort port(link);
    ASSERT_TRUE(port.open());
    QByteArray received;
    QObject::connect(&port, &serial::Port::commEvent, [&](serial::CommEvent, const QByteArray& input) { received += input; });
    port.write("REMOTE+\rS\r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.endsWith("\r\n"); }, 5000));
    EXPECT_EQ(received, reportCatalogue::find("13/9")->line.toLatin1() + "\r\n");
    port.close();

    program.write("quit\n");
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitCode(), 0);
    const QString said = QString::fromLatin1(program.readAll());
    EXPECT_TRUE(said.contains("command: REMOTE+\ncommand: S\nreport: !LPR1")) << said.toStdString();
    EXPECT_FALSE(QFileInfo(link).isSymLink());

    QProcess wrong;
    wrong.start(QStringLiteral(STATION_BINARY_DIR "/tools/counter_simulator/counter_simulator"), {"--chunks", "2"});
    ASSERT_TRUE(wrong.waitForFinished(5000));
    EXPECT_EQ(wrong.exitCode(), 2);
}

}  // namespace

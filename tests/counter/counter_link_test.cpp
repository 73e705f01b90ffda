// The counter protocol on a recording port: commands, port resets and the rules by
// which the station recognises the counter's report.
#include "bench/counter_link.h"
#include "bench/report_catalogue.h"
#include "platform/serial/line_chunks.h"
#include "recording_port.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kReport = reportCatalogue::entries()[0].line.toLatin1();

class CounterLinkTest : public ::testing::Test {
protected:
    CounterLinkTest()
    {
        auto owned = std::make_unique<RecordingPort>(log);
        port = owned.get();
        link = std::make_unique<CounterLink>(std::move(owned), buffer);
        QObject::connect(link.get(), &CounterLink::reportReceived, [this] { ++reports; });
        QObject::connect(link.get(), &CounterLink::cannotConnect, [this](const QString& device, const QString&) { cannotConnect << device; });
        link->Reset_Port();
        // A report is taken only for a count the link started itself.
        link->Counter_Command(QStringLiteral("START"));
        log.calls.clear();
        log.writes.clear();
    }

    void feed(const QList<QByteArray>& chunks)
    {
        for (const QByteArray& c : chunks) port->receive(c);
    }

    RecordingPort::Log log;
    QString buffer;
    RecordingPort* port = nullptr;
    std::unique_ptr<CounterLink> link;
    int reports = 0;
    QStringList cannotConnect;
};

TEST_F(CounterLinkTest, CommandTableWritesOneCommandAndItsCarriageReturnPerWrite)
{
    EXPECT_TRUE(link->Counter_Command(QStringLiteral("INITIALIZE")));
    EXPECT_TRUE(link->Counter_Command(QStringLiteral("release")));
    EXPECT_TRUE(link->Counter_Command(QStringLiteral("Start")));
    EXPECT_TRUE(link->Counter_Command(QStringLiteral("STOP")));
    EXPECT_FALSE(link->Counter_Command(QStringLiteral("PAUSE")));
    EXPECT_EQ(log.writes, QByteArrayList({"REMOTE+\r", "REMOTE-\r", "S\r", "H\r"}));
    EXPECT_FALSE(log.calls.contains("open")) << "an open port is not reset";
}

TEST_F(CounterLinkTest, CounterStartTurnsRunRequestsIntoStartOrStop)
{
    struct Case {
        const char* type;
        const char* command;
        QByteArray sent;
    };
    const Case cases[] = {
        {"SAMPLE", "RUN SAMPLE", "S\r"},
        {"sample", "RUN SAMPLE", "S\r"},
        {"SAMPLE", "run sample", "H\r"},
        {"SAMPLE", "STOP", "H\r"},
        {"SAMPLE", "", "H\r"},
        {"FLUSH", "RUN SAMPLE", "H\r"},
        {"flush", "", "H\r"},
        {"CHECK", "RUN SAMPLE", ""},
        {"", "RUN SAMPLE", ""},
    };
    for (const Case& c : cases) {
        log.writes.clear();
        link->Counter_Start(QString::fromLatin1(c.type), QString::fromLatin1(c.command));
        EXPECT_EQ(log.writes.join(), c.sent) << c.type << " / " << c.command;
    }
}

TEST_F(CounterLinkTest, CommandOnAClosedPortThatStaysClosedWritesNothingResetsAndTells)
{
    buffer = QStringLiteral("earlier text");
    port->close();
    log.opens = false;
    log.calls.clear();
    EXPECT_FALSE(link->Counter_Command(QStringLiteral("START")));
    EXPECT_TRUE(log.writes.isEmpty());
    EXPECT_EQ(log.calls, QStringList({"close", "open"}));
    EXPECT_EQ(buffer, "");
    EXPECT_EQ(cannotConnect, QStringList({"/dev/recorded"}));
}

TEST_F(CounterLinkTest, CommandOnAPortThatOpensAgainPutsTheCounterInRemoteModeFirst)
{
    port->close();
    EXPECT_TRUE(link->Counter_Command(QStringLiteral("START")));
    EXPECT_EQ(log.writes, QByteArrayList({"REMOTE+\r", "S\r"}));
    EXPECT_TRUE(link->Counter_Command(QStringLiteral("STOP")));
    EXPECT_EQ(log.writes.last(), "H\r");
    EXPECT_TRUE(cannotConnect.isEmpty());
}

TEST_F(CounterLinkTest, OnlyAChunkThatBeginsALineTriggersTheSearch)
{
    link->Dialog_State = QStringLiteral("COUNTING");
    feed({"OK\r\n"});
    EXPECT_EQ(link->Dialog_State, "COUNTING") << "ends with a line end but does not begin with one";
    feed({""});
    EXPECT_EQ(link->Dialog_State, "COUNTING") << "an empty chunk";
    feed({"\nREADY"});
    EXPECT_EQ(link->Dialog_State, "IDLE");
    link->Dialog_State = QStringLiteral("COUNTING");
    feed({"\r"});
    EXPECT_EQ(link->Dialog_State, "IDLE");
    EXPECT_EQ(buffer, "OK\r\n\nREADY\r");
    EXPECT_EQ(reports, 0);
}

TEST_F(CounterLinkTest, CharactersOfAnotherEventAreDropped)
{
    link->Dialog_State = QStringLiteral("COUNTING");
    port->lineFault("\r\n" + kReport + "\r\n");
    EXPECT_EQ(buffer, "");
    EXPECT_EQ(link->Dialog_State, "COUNTING");
    EXPECT_EQ(reports, 0);
}

TEST_F(CounterLinkTest, MarkerAfterEarlierTextCountsButNotInSmallLetters)
{
    feed({"REMOTE OK", "\r\n", QByteArray(kReport).replace("!LPR1", "!lpr1"), "\r\n"});
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(link->Dialog_State, "IDLE");
    feed({"OK", kReport, "\r\n"});
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(buffer.endsWith(QString::fromLatin1(kReport) + "\r\n"));
}

TEST_F(CounterLinkTest, ReportIsTakenWholeAndOnce)
{
    // A chunk that begins with a line end and carries only the start of the report.
    feed({"\r\n" + kReport.left(20)});
    EXPECT_EQ(reports, 0);
    feed({kReport.mid(20)});
    EXPECT_EQ(reports, 0) << "the report's own line end has not come yet";
    feed({"\r\n"});
    EXPECT_EQ(reports, 1);
    feed({"\r\nOK", "\r\n"});
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(buffer, QString::fromLatin1("\r\n" + kReport + "\r\n"));
}

// Whatever the line delivers, cut by the port at its line ends, the report comes
// through whole (up to its line end; an LF after the CR may come too late to be
// kept): split at every byte boundary, and one byte at a time.
QString receivedThrough(const QList<QByteArray>& chunks, int* reports)
{
    RecordingPort::Log log;
    QString buffer;
    auto owned = std::make_unique<RecordingPort>(log);
    RecordingPort* port = owned.get();
    CounterLink link(std::move(owned), buffer);
    link.Counter_Command(QStringLiteral("START"));
    QString atReport;
    QObject::connect(&link, &CounterLink::reportReceived, [&] {
        ++*reports;
        atReport = buffer;
    });
    for (const QByteArray& c : chunks) port->receive(c);
    return atReport;
}

TEST(CounterReceive, ReportSplitAnywhereComesThroughWhole)
{
    for (const QByteArray& text : {"OK\r\n" + kReport + "\r\n", "\r\n" + kReport + "\r\n"}) {
        const QString whole = QString::fromLatin1(text.chopped(1));
        for (qsizetype cut = 0; cut <= text.size(); ++cut) {
            int reports = 0;
            const QString got = receivedThrough(serial::splitAtLineEnds(text.left(cut)) + serial::splitAtLineEnds(text.mid(cut)), &reports);
            ASSERT_EQ(reports, 1) << "cut at " << cut;
            ASSERT_EQ(got.left(whole.size()), whole) << "cut at " << cut;
        }
        QList<QByteArray> bytes;
        for (char c : text) bytes << QByteArray(1, c);
        int reports = 0;
        EXPECT_EQ(receivedThrough(bytes, &reports), whole);
        EXPECT_EQ(reports, 1);
    }
}

TEST(LineChunks, EveryLineEndBeginsAPieceAndNothingIsLost)
{
    EXPECT_EQ(serial::splitAtLineEnds("abc\r\ndef\rgh\n"), QList<QByteArray>({"abc", "\r\ndef", "\rgh", "\n"}));
    EXPECT_EQ(serial::splitAtLineEnds("\n\n\r\r\n"), QList<QByteArray>({"\n", "\n", "\r", "\r\n"}));
    EXPECT_EQ(serial::splitAtLineEnds("plain"), QList<QByteArray>({"plain"}));
    EXPECT_TRUE(serial::splitAtLineEnds("").isEmpty());
}

}  // namespace

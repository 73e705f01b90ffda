// The station's serial device over QSerialPort, against the counter simulator on a
// pseudo-terminal.
#include "platform/serial/device_port.h"
#include "simulated_counter.h"

#include "qstring_printer.h"

#include <QTemporaryDir>
#include <memory>

namespace {

class DevicePortTest : public ::testing::Test {
protected:
    void start(simulator::Chunks chunks = simulator::Chunks::Whole)
    {
        counter = std::make_unique<simulator::CounterSimulator>(quickCounter(chunks));
        QString error;
        ASSERT_TRUE(counter->start(&error)) << error.toStdString();
        ASSERT_TRUE(plugIn(*counter, device()));
        port = std::make_unique<serial::DevicePort>(device());
        QObject::connect(port.get(), &serial::Port::commEvent, [this](serial::CommEvent e, const QByteArray& input) {
            if (e == serial::CommEvent::Receive) chunks_ << input;
        });
    }

    QByteArray received() const { return chunks_.join(); }
    bool waitForReceived(const QByteArray& tail)
    {
        return QTest::qWaitFor([&] { return received().endsWith(tail); }, 5000);
    }
    // Every CR or LF that arrived begins its chunk (an LF right after a CR goes with it).
    void expectLineEndsBeginChunks() const
    {
        for (const QByteArray& c : chunks_) {
            ASSERT_FALSE(c.isEmpty());
            for (qsizetype i = 1; i < c.size(); ++i)
                if (c[i] == '\r' || (c[i] == '\n' && c[i - 1] != '\r')) ADD_FAILURE() << "line end inside " << c.constData();
        }
    }

    QString device() const { return folder_.filePath(QStringLiteral("ttyCounter")); }

    QTemporaryDir folder_;
    std::unique_ptr<simulator::CounterSimulator> counter;
    std::unique_ptr<serial::DevicePort> port;
    QList<QByteArray> chunks_;
};

TEST_F(DevicePortTest, CommandsReachTheCounterAndTheReportComesBackCutAtLineEnds)
{
    start();
    ASSERT_TRUE(port->open()) << port->errorText().toStdString();
    EXPECT_TRUE(port->write("REMOTE+\r"));
    EXPECT_TRUE(port->write("S\r"));
    ASSERT_TRUE(waitForCommands(*counter, 2));
    EXPECT_EQ(counter->commands(), QStringList({"REMOTE+", "S"}));
    EXPECT_EQ(counter->receivedBytes(), "REMOTE+\rS\r");
    ASSERT_TRUE(waitForReceived("ISO Code: 13/9,\r\n"));
    EXPECT_EQ(received(), counter->options().report + "\r\n");
    EXPECT_GE(chunks_.size(), 2);
    expectLineEndsBeginChunks();
}

TEST_F(DevicePortTest, ByteByByteAndRandomWritesArriveInOrder)
{
    for (simulator::Chunks mode : {simulator::Chunks::Single, simulator::Chunks::Random}) {
        chunks_.clear();
        start(mode);
        ASSERT_TRUE(port->open());
        counter->send("OK\rREADY\n\r\nLAST");
        ASSERT_TRUE(waitForReceived("LAST"));
        EXPECT_EQ(received(), "OK\rREADY\n\r\nLAST");
        expectLineEndsBeginChunks();
    }
}

TEST_F(DevicePortTest, AResetDropsWhatArrivedWhileThePortWasClosed)
{
    start();
    ASSERT_TRUE(port->open());
    port->close();
    counter->send("!LPR1,stale report,\r\n");
    QTest::qWait(50);
    ASSERT_TRUE(port->open());
    counter->send("fresh\r\n");
    ASSERT_TRUE(waitForReceived("fresh\r\n"));
    EXPECT_EQ(received(), "fresh\r\n");
}

TEST_F(DevicePortTest, MissingDeviceOrNoDeviceCannotOpen)
{
    for (const QString& device : {QStringLiteral("/dev/no-such-counter"), QString()}) {
        serial::DevicePort missing(device);
        EXPECT_FALSE(missing.open());
        EXPECT_FALSE(missing.isOpen());
        EXPECT_FALSE(missing.errorText().isEmpty());
        EXPECT_NE(missing.errorText(), "No error") << "the reason is told, not lost";
        EXPECT_FALSE(missing.write("S\r"));
    }
}

TEST_F(DevicePortTest, CounterSwitchedOffClosesThePortWithAnErrorEvent)
{
    start();
    ASSERT_TRUE(port->open());
    int errors = 0;
    QObject::connect(port.get(), &serial::Port::commEvent, [&](serial::CommEvent e, const QByteArray&) {
        if (e == serial::CommEvent::Error) ++errors;
    });
    unplug(*counter, device());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !port->isOpen(); }, 5000));
    EXPECT_GE(errors, 1);
    EXPECT_FALSE(port->write("S\r"));
}

}  // namespace

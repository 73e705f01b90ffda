#pragma once

// A counting day on which things go wrong: the counter is unplugged, the database
// is locked by another program or goes away, a log cannot be written, the station
// is killed. Besides the counting day's tools: another counter plugged in, a
// station program in a process of its own, and a gateway that waits only a second
// for a lock.
#include "../counting/counting_fixture.h"

#include "alert_recorder.h"
#include "labdb/embedded_connection.h"

#include <QElapsedTimer>
#include <QProcess>
#include <csignal>
#include <utility>

// The station's gateway on the embedded database, waiting one second for another
// program's lock instead of the station's twenty, and counting the statements that
// hold a text.
class ShortLockWait {
public:
    explicit ShortLockWait(QString watched) : watched_(std::move(watched))
    {
        dbModule::Set_Connection_Maker([this] { return std::make_unique<Waiting>(this); });
    }
    ~ShortLockWait() { dbModule::Set_Connection_Maker({}); }
    ShortLockWait(const ShortLockWait&) = delete;
    ShortLockWait& operator=(const ShortLockWait&) = delete;

    int attempts() const { return attempts_; }

private:
    class Waiting final : public db::Connection {
    public:
        explicit Waiting(ShortLockWait* owner) : owner_(owner) {}
        void setCommandTimeout(int) override { real_.setCommandTimeout(1); }
        void setConnectionTimeout(int) override { real_.setConnectionTimeout(1); }
        bool open(const QString& cs, const QString& u, const QString& p) override { return real_.open(cs, u, p); }
        bool isOpen() const override { return real_.isOpen(); }
        bool execute(const QString& sql, db::Recordset* result) override
        {
            if (sql.contains(owner_->watched_, Qt::CaseInsensitive)) ++owner_->attempts_;
            return real_.execute(sql, result);
        }
        const db::ErrorList& errors() const override { return real_.errors(); }
        void close() override { real_.close(); }

    private:
        ShortLockWait* owner_;
        labdb::EmbeddedConnection real_;
    };

    QString watched_;
    int attempts_ = 0;
};

// This test program run again as a helper (see fault_helper.cpp), told what to do
// through its environment; it tells how far it got in lines on its output.
class HelperProcess {
public:
    // extra: more of the helper's environment, taking the place of what it names.
    HelperProcess(const QString& mode, const QString& database, const QString& lab = QString(),
                  const QList<std::pair<QString, QString>>& extra = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FAULT_HELPER_MODE"), mode);
        env.insert(QStringLiteral("FAULT_HELPER_DB"), database);
        env.insert(QStringLiteral("FAULT_HELPER_LAB"), lab);
        for (const auto& [name, value] : extra) env.insert(name, value);
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--gtest_filter=DISABLED_FaultHelper.*"), QStringLiteral("--gtest_also_run_disabled_tests")});
    }
    ~HelperProcess()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // Waits for a line "fault-helper: <word>..."; false when the helper ended or
    // stayed silent first.
    bool waitFor(const QString& word, int ms = 10000)
    {
        const QString marker = QStringLiteral("fault-helper: ") + word;
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            while (process_.canReadLine()) {
                const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
                seen_ << line;
                if (line.startsWith(marker)) return true;
            }
            if (process_.state() == QProcess::NotRunning || clock.elapsed() > ms) return false;
            process_.waitForReadyRead(100);
        }
    }

    // SIGKILL: no handler, no clean-up, no closing of the database.
    void killHard()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }

    // SIGTERM, as a shutdown sends it.
    void terminate() { process_.terminate(); }
    // Any signal, at once.
    void signal(int number) { ::kill(static_cast<pid_t>(process_.processId()), number); }

    // A line on the helper's input.
    void send(const QByteArray& line)
    {
        process_.write(line + '\n');
        process_.waitForBytesWritten(5000);
    }

    // Closes the helper's input, which tells it to let go and end.
    bool release()
    {
        process_.closeWriteChannel();
        return finishedNormally();
    }

    // Waits until the helper has ended, however it ended.
    bool ended(int ms = 10000) { return process_.state() == QProcess::NotRunning || process_.waitForFinished(ms); }

    bool finishedNormally(int ms = 10000)
    {
        if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(ms)) return false;
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }

    // Every line the helper has said so far.
    QString output()
    {
        while (process_.canReadLine()) seen_ << QString::fromLocal8Bit(process_.readLine()).trimmed();
        return seen_.join(QLatin1Char('\n'));
    }
    QString errorOutput() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

private:
    QProcess process_;
    QStringList seen_;
};

class FaultyDay : public CountingDay {
protected:
    void SetUp() override
    {
        CountingDay::SetUp();
        if (HasFatalFailure()) return;
        plugInAnotherCounter();
    }

    // A counter is plugged in (again) under the one device name station.ini gives,
    // as a USB serial adapter comes back under its name: a link to a new terminal.
    // The station reads station.ini at login, so the name stays the same all day.
    void plugInAnotherCounter(simulator::Options options = quickCounter())
    {
        counter = std::make_unique<simulator::CounterSimulator>(options);
        QString error;
        ASSERT_TRUE(counter->start(&error)) << error.toStdString();
        const QString device = folder.filePath("ttyCounter");
        ASSERT_TRUE(plugIn(*counter, device));
        QFile ini(folder.filePath("station.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(QStringLiteral("[counter]\nserial_device = %1\n").arg(device).toUtf8());
        runs.clear();  // the new counter has seen none of them
    }

    // The station still counts: the sample at the position is counted, stored once,
    // and leaves the bath on "No".
    void countsAsUsual(const QString& lab, int index, const QString& code = QStringLiteral("14/12"))
    {
        const int stored = countsStored(lab);
        tapBath(index, {counting(catalogueLine(code)), answering(Form_AlertYesNo::kNo)});
        EXPECT_EQ(countsStored(lab), stored + 1) << lab.toStdString();
        EXPECT_EQ(inBath(lab), -1);
        EXPECT_FALSE(inOpenBatch(lab));
    }

    // The database is whole and the count of the sample's latest run is wholly there
    // (the run done) or wholly absent (the run still waiting); never there twice.
    void expectWholeOrAbsent(const QString& lab)
    {
        EXPECT_EQ(scalar("PRAGMA integrity_check").toString(), "ok");
        const QVariant latest = scalar("SELECT t.TEST_ID FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID"
                                       " WHERE s.LAB_NUMBER = ? AND t.TEST_GROUP = 'PrtCount' ORDER BY t.RUN_NO DESC LIMIT 1",
                                       {lab});
        const int stored = scalar("SELECT count(*) FROM pc_counts WHERE TEST_ID = ?", {latest}).toInt();
        const QString status = scalar("SELECT STATUS FROM lab_tracking WHERE TEST_ID = ?", {latest}).toString();
        EXPECT_LE(stored, 1) << lab.toStdString();
        EXPECT_EQ(status, stored == 0 ? "READY" : "DONE") << lab.toStdString();
    }

    int activeLogLines(const QString& line) { return int(contents("PC_Active.csv").count(line.toUtf8() + "\r\n")); }

    // An ordinary sample ready in the bath after a passed check.
    std::pair<QString, int> sampleReadyAfterCheck()
    {
        logIn();
        const auto sample = openSample();
        bathTimeOver();
        passCheck(sample.second);
        return sample;
    }
};

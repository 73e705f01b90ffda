// The station's own call texts, damaged at random, read by the embedded database.
// Whatever the text, the statement reader answers or refuses it without crashing
// or hanging; a refused statement reports an error, leaves every table as it was
// and holds no lock on the file.
//
// CTest runs a few thousand inputs. A long run by hand sets the number of inputs
// (and, to replay another sequence, the seed) in the environment:
//   STATION_FUZZ_INPUTS=1000000 STATION_FUZZ_SEED=7 build/tests/test_labdb --gtest_filter='StatementFuzz.*'
#include "station_call_texts.h"

#include "labdb/connection_pool.h"
#include "text_mutator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <iostream>

namespace {

constexpr int kCiInputs = 3000;
constexpr int kResetEvery = 1000;  // inputs between fresh copies of the demo laboratory
constexpr qint64 kHangMs = 10000;  // one statement running longer than this is a hang

qlonglong fromEnvironment(const char* name, qlonglong fallback)
{
    bool ok = false;
    const qlonglong v = qEnvironmentVariable(name).toLongLong(&ok);
    return ok && v > 0 ? v : fallback;
}

// The input as printable text: other characters as \uXXXX.
std::string printable(const QString& s)
{
    std::string out;
    for (QChar c : s) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            out += char(c.unicode());
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toStdString();
    }
    return out;
}

class StatementFuzz : public WithStationCalls {
protected:
    void SetUp() override
    {
        WithStationCalls::SetUp();
        pristine = dir.filePath(QStringLiteral("pristine.db"));
        QString error;
        ASSERT_TRUE(labdb::createDatabase(pristine, true, &error)) << error.toStdString();
        cn.setCommandTimeout(3);
        openObserver();
        expected = snapshot(observer);
    }

    void TearDown() override
    {
        cn.close();
        observer.close();
        labdb::ConnectionPool::clear();
    }

    // The file again as the demo laboratory made it.
    void reset()
    {
        cn.close();
        observer.close();
        labdb::ConnectionPool::clear();
        for (const char* suffix : {"", "-wal", "-shm"}) QFile::remove(path + QString::fromLatin1(suffix));
        ASSERT_TRUE(QFile::copy(pristine, path));
        ASSERT_TRUE(cn.open(connectionString(), QString(), QString()));
        cn.setCommandTimeout(3);
        openObserver();
        expected = snapshot(observer);
    }

    // A second handle on the file: its data version moves only when another
    // connection commits, and it can take the write lock only when nobody holds it.
    void openObserver()
    {
        observer.open(path, false, 0);
        dataVersion = observer.scalar("PRAGMA data_version").toLongLong();
    }
    bool committedSinceLastLook()
    {
        const qlonglong v = observer.scalar("PRAGMA data_version").toLongLong();
        const bool moved = v != dataVersion;
        dataVersion = v;
        return moved;
    }
    bool fileIsFree()
    {
        try {
            observer.script("BEGIN IMMEDIATE; ROLLBACK;");
            return true;
        } catch (const labdb::SqliteError&) {
            return false;
        }
    }

    static QStringList dialectPieces()
    {
        return {QStringLiteral("'"),
                QStringLiteral("''"),
                QStringLiteral("\""),
                QStringLiteral("N'"),
                QStringLiteral("["),
                QStringLiteral("]"),
                QStringLiteral("@"),
                QStringLiteral("@x = "),
                QStringLiteral(", "),
                QStringLiteral(";"),
                QStringLiteral("("),
                QStringLiteral(")"),
                QStringLiteral("--"),
                QStringLiteral("/*"),
                QStringLiteral("*/"),
                QStringLiteral(" null"),
                QStringLiteral(" default"),
                QStringLiteral("exec "),
                QStringLiteral(" select "),
                QStringLiteral(" union all select * from sop.dbo.documents"),
                QStringLiteral(" or 1=1"),
                QStringLiteral(" where "),
                QStringLiteral(" and not "),
                QStringLiteral(" is not null"),
                QStringLiteral(" in (select lab_code from travomi.dbo.view_employees)"),
                QStringLiteral(" like '%'"),
                QStringLiteral("; drop table racks"),
                QStringLiteral("; delete from samples --"),
                QStringLiteral("top 1 "),
                QStringLiteral("distinct "),
                QStringLiteral(" order by 1 desc"),
                QStringLiteral("len("),
                QStringLiteral("isnull("),
                QStringLiteral("sqlite_version()"),
                QStringLiteral(".."),
                QStringLiteral("..."),
                QStringLiteral("dbo."),
                QStringLiteral("1e309"),
                QStringLiteral("0x1F"),
                QStringLiteral(" with (nolock)"),
                QStringLiteral("\U0001D518"),
                QStringLiteral("\r\n"),
                QStringLiteral("\\"),
                QStringLiteral("?"),
                QStringLiteral("?1"),
                QStringLiteral(":name"),
                QStringLiteral("$1")};
    }

    QString pristine;
    labdb::Database observer;
    qlonglong dataVersion = 0;
    QString expected;  // every table as it stands after the last accepted statement
};

TEST_F(StatementFuzz, DamagedCallTextsAreAnsweredOrRefusedWithoutHarm)
{
    const qlonglong inputs = fromEnvironment("STATION_FUZZ_INPUTS", kCiInputs);
    const auto seed = std::uint64_t(fromEnvironment("STATION_FUZZ_SEED", 20261207));
    const QStringList calls = stationCalls();
    // Undamaged, every call is accepted: the damage alone makes the refusals.
    for (const QString& c : calls) {
        db::Recordset rs;
        ASSERT_TRUE(cn.execute(c, &rs)) << c.toStdString() << "\n" << errorText().toStdString();
    }
    reset();

    // Every refusal is checked on the data version; every refusal of a CTest run,
    // and every tenth of a long run, also on every row of every table.
    const qlonglong fullCheckEvery = inputs <= kCiInputs ? 1 : 10;
    TextMutator mutator(calls, dialectPieces(), seed);
    QMap<long, qlonglong> refusedBy;
    QList<std::string> unworded;  // refused by SQLite itself rather than by the reader
    qlonglong accepted = 0;
    qlonglong refused = 0;
    qint64 slowestMs = 0;
    QElapsedTimer total;
    total.start();
    for (qlonglong i = 0; i < inputs; ++i) {
        if (i > 0 && i % kResetEvery == 0) reset();
        const QString text = mutator.next();
        const auto where = [&] { return "input " + std::to_string(i) + " of seed " + std::to_string(seed) + ": " + printable(text); };
        QElapsedTimer clock;
        clock.start();
        db::Recordset rs;
        const bool done = cn.execute(text, &rs);
        const qint64 ms = clock.elapsed();
        slowestMs = qMax(slowestMs, ms);
        ASSERT_LT(ms, kHangMs) << where();
        ASSERT_TRUE(fileIsFree()) << "the statement left the file locked; " << where();
        if (done) {
            ++accepted;
            ASSERT_TRUE(cn.errors().isEmpty()) << where();
            if (committedSinceLastLook()) expected = snapshot(observer);
            continue;
        }
        ++refused;
        ASSERT_FALSE(cn.errors().isEmpty()) << where();
        ASSERT_FALSE(cn.errors().first().description.isEmpty()) << where();
        ASSERT_FALSE(rs.isOpen()) << where();
        ++refusedBy[cn.errors().first().number];
        if (cn.errors().first().number == 50000 && unworded.size() < 5)
            unworded << printable(text) + " -> " + cn.errors().first().description.toStdString();
        ASSERT_FALSE(committedSinceLastLook()) << "a refused statement committed; " << where();
        if (refused % fullCheckEvery == 0) {
            ASSERT_EQ(snapshot(observer), expected) << where();
        }
    }

    std::cout << inputs << " inputs (seed " << seed << ") in " << total.elapsed() / 1000.0 << " s: " << accepted << " accepted, " << refused
              << " refused; slowest " << slowestMs << " ms\n  refusals by error number:";
    for (auto it = refusedBy.cbegin(); it != refusedBy.cend(); ++it) std::cout << ' ' << it.key() << '=' << it.value();
    std::cout << std::endl;
    for (const std::string& u : unworded) std::cout << "  refused by SQLite: " << u << '\n';
    // The damage reaches every layer: some inputs still run, most are refused.
    EXPECT_GT(accepted, inputs / 50);
    EXPECT_GT(refused, inputs / 2);
}

}  // namespace

TEST_F(StatementFuzz, DeeplyNestedStatementsAreRefusedWithoutExhaustingTheStack)
{
    const qsizetype depth = 200000;
    const QString open(depth, QLatin1Char('('));
    const QString close(depth, QLatin1Char(')'));
    for (const QString& text :
         {QStringLiteral("select * from sop.dbo.documents where ") + open + QStringLiteral("doc_id = 1") + close,
          QStringLiteral("select * from sop.dbo.documents where ") + QStringLiteral("not ").repeated(depth) + QStringLiteral("doc_id = 1"),
          QStringLiteral("select * from sop.dbo.documents where doc_id = ") + QStringLiteral("len(").repeated(depth) + QStringLiteral("1") +
              close,
          QStringLiteral("select * from sop.dbo.documents where ") +
              QStringLiteral("doc_id in (select doc_id from sop.dbo.documents where ").repeated(depth / 10) + QStringLiteral("doc_id = 1") +
              QString(depth / 10, QLatin1Char(')'))}) {
        const db::DbError e = fails(text);
        EXPECT_EQ(e.number, 191) << e.description.toStdString();
        EXPECT_EQ(e.sqlState, QStringLiteral("42000"));
    }
    EXPECT_EQ(snapshot(), expected);
    // Nesting as deep as a person writes it still answers.
    EXPECT_EQ(ok(QStringLiteral("select * from sop.dbo.documents where ") + QString(30, QLatin1Char('(')) +
                 QStringLiteral("not not upper(ltrim(rtrim(lower(doc_type)))) like '%'") + QString(30, QLatin1Char(')')))
                  .rowCount(),
              3);
}

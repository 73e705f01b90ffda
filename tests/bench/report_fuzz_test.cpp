// The counter's report reading under rubbish: the 25 real report lines mutated at
// random (seeded, so every input can be made again) and handed to the bench as a
// sample's, a check's or a flush's report, against the demo laboratory. Nothing may
// crash or hang, a check or flush stores nothing, and a sample's count is stored only
// from a text that is a report: the marker, an ISO code that is not an invalid
// count, counts and a volume that are numbers, stored as the report gives them.
//
// CTest runs a few thousand inputs. By hand, for a million:
//   STATION_FUZZ_INPUTS=1000000 QT_QPA_PLATFORM=offscreen build/tests/test_bench --gtest_filter='ReportFuzz.*'
// STATION_FUZZ_SEED picks another sequence; a failure names the seed and the input.
#include "bench_fixture.h"

#include "bench/count_report.h"
#include "bench/report_catalogue.h"
#include "common_ui/form_alert_yes_no.h"
#include "laboratory_tap.h"
#include "records/prt_count.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <optional>
#include <random>

namespace {

int fromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v > 0 ? v : fallback;
}

// Mutates catalogue lines: characters flipped, inserted, deleted or repeated, fields
// swapped, dropped or replaced by awkward values, lines cut or spliced.
class ReportMutator {
public:
    explicit ReportMutator(quint32 seed) : random_(seed) {}

    QString next()
    {
        QString text = line();
        const int steps = 1 + pick(4);
        for (int s = 0; s < steps; ++s) mutate(text);
        return text;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    QString line() { return reportCatalogue::entries()[pick(reportCatalogue::Line_Count)].line; }

    QString awkward()
    {
        static const char* const values[] = {"",
                                             " ",
                                             "0",
                                             "-1",
                                             "-0",
                                             "2",
                                             "20.00",
                                             "0.4",
                                             "0.5",
                                             "1.5",
                                             "32767",
                                             "32768",
                                             "-32769",
                                             "1e308",
                                             "1e309",
                                             "inf",
                                             "-inf",
                                             "nan",
                                             "NaN",
                                             "+7",
                                             "0x1F",
                                             "1,5",
                                             "٣",
                                             "ü",
                                             "ISO",
                                             "ISO Code: ",
                                             "ISO Code: 2/2",
                                             "ISO Code: 99/99",
                                             "ISO Code: 13/9/4",
                                             "ISO Code: /",
                                             "ISO Code: 13/",
                                             ": ",
                                             "/",
                                             "!LPR1",
                                             "!lpr1",
                                             "\r",
                                             "\n",
                                             "\r\n!LPR1",
                                             "9999999999999999999999",
                                             "4446 ",
                                             " 908",
                                             "'",
                                             "';DROP TABLE pc_counts;--",
                                             "\"",
                                             "\t",
                                             "\0"};
        const int n = static_cast<int>(std::size(values));
        const int i = pick(n);
        return i == n - 1 ? QString(QChar(0)) : QString::fromUtf8(values[i]);
    }

    QChar character()
    {
        static const QString alphabet = QStringLiteral("0123456789,./:- ISOCode!LPR\r\n+eE'\"\t\u00b5\u0663");
        return pick(8) == 0 ? QChar(static_cast<char16_t>(pick(0x3000))) : alphabet.at(pick(alphabet.size()));
    }

    void mutate(QString& text)
    {
        const int at = text.isEmpty() ? 0 : pick(static_cast<int>(text.size()));
        switch (pick(10)) {
        case 0:
            if (!text.isEmpty()) text[at] = character();
            break;
        case 1:
            text.insert(at, character());
            break;
        case 2:
            text.remove(at, 1 + pick(4));
            break;
        case 3:
            text.insert(at, text.mid(at, 1 + pick(12)));
            break;
        case 4:
            text.truncate(at);
            break;
        case 5:
            text = text.left(at) + line().mid(pick(200));
            break;
        case 6:
            text.insert(pick(2) ? 0 : text.size(), pick(2) ? QStringLiteral("\r\n") : awkward());
            break;
        default: {
            QStringList fields = text.split(QLatin1Char(','));
            const int f = pick(static_cast<int>(fields.size()));
            const int g = pick(static_cast<int>(fields.size()));
            switch (pick(4)) {
            case 0:
                fields.swapItemsAt(f, g);
                break;
            case 1:
                fields.removeAt(f);
                break;
            case 2:
                fields.insert(f, awkward());
                break;
            default:
                fields[f] = awkward();
                break;
            }
            text = fields.join(QLatin1Char(','));
        }
        }
    }

    std::mt19937 random_;
};

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

// What a report must hold for a sample's count to be stored, read apart from the
// bench's own reading.
struct Expected {
    double volume = 0;
    std::array<double, 5> counts{};
};

std::optional<Expected> storable(const QString& received)
{
    const qsizetype start = received.lastIndexOf(QLatin1String("!LPR1"));
    if (start < 0) return std::nullopt;
    QString report = received.mid(start);
    const qsizetype end = report.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (end >= 0) report.truncate(end);
    const QStringList fields = report.split(QLatin1Char(','));

    qsizetype iso = fields.size() - 1;
    while (iso >= 0 && !fields[iso].contains(QLatin1String("ISO"))) --iso;
    if (iso < 0) return std::nullopt;
    const QString& isoField = fields[iso];
    const qsizetype colon = isoField.indexOf(QLatin1String(": "));
    const QString code = colon >= 0 ? isoField.mid(colon + 2) : isoField.mid(1);
    const qsizetype slash = code.indexOf(QLatin1Char('/'));
    const auto c5 = number(slash >= 0 ? code.left(slash) : code);
    const auto c15 = number(slash >= 0 ? code.mid(slash + 1) : QString());
    if (c5 && c15 && std::nearbyint(*c5) <= 2 && std::nearbyint(*c15) <= 2) return std::nullopt;

    if (fields.size() <= 24) return std::nullopt;
    Expected e;
    const auto volume = number(fields[24]);
    if (!volume || std::nearbyint(*volume) < 1 || std::nearbyint(*volume) > 32767) return std::nullopt;
    e.volume = std::nearbyint(*volume);
    for (int i = 0; i < 5; ++i) {
        const auto c = number(fields[16 + i]);
        if (!c || *c < 0) return std::nullopt;
        e.counts[i] = *c;
    }
    return e;
}

class ReportFuzz : public BenchTest {
protected:
    void SetUp() override
    {
        BenchTest::SetUp();
        sample = bench().lbl_wo[0]->caption().trimmed();
        ASSERT_FALSE(sample.isEmpty()) << "the demo bath holds a sample at position 1";
        tapStores();
    }
    void TearDown() override
    {
        tap.reset();
        BenchTest::TearDown();
    }

    // A fresh tap that notes the stores; the old one's list of statements goes with it.
    void tapStores()
    {
        tap.reset();
        tap = std::make_unique<LaboratoryTap>();
        tap->alter([this](const QString& sql, db::Recordset& answer) {
            if (!sql.contains(QLatin1String("import_PC002"), Qt::CaseInsensitive)) return;
            ++storeCalls;
            stored = !answer.eof() && answer.value(QStringLiteral("STATUS")).toString() == QLatin1String("DONE");
        });
    }

    // The bench handles one received text as the run's report; the re-run question,
    // when it comes, is answered "yes" so that the sample stays in the bath.
    void handle(const QString& run, const QString& received)
    {
        commonModule::Curr_Lab_Number = run;
        bench().Count_Index = 0;
        stored = false;
        ui::ModalResponders responders;
        responders.add([](QDialog* w) {
            auto* box = qobject_cast<Form_AlertYesNo*>(w);
            ASSERT_NE(box, nullptr) << w->objectName().toStdString();
            QTest::mouseClick(box->lbl_Yes, Qt::LeftButton);
        });
        bench().process_data(received);
        questionAsked = responders.pending() == 0;
    }

    // After a store: the row as the laboratory holds it, then the sample made ready
    // for its next count.
    QVariantList takeBackStore()
    {
        const QVariantList row = lab.rows("SELECT SAMPLE_VOLUME, PC2M, PC5M, PC15M, PC25M, PC50M, TEST_ID FROM pc_counts"
                                          " ORDER BY COUNT_ID DESC LIMIT 1")
                                     .value(0);
        lab.change("DELETE FROM pc_counts WHERE TEST_ID = ?", {row.value(6)});
        lab.change("UPDATE lab_tracking SET STATUS = 'READY', DATE_COMPLETED = NULL WHERE TEST_ID = ?", {row.value(6)});
        return row;
    }

    QString sample;
    std::unique_ptr<LaboratoryTap> tap;
    int storeCalls = 0;
    bool stored = false;
    bool questionAsked = false;
};

TEST_F(ReportFuzz, EveryRealLineIsStoredAsReported)
{
    for (const reportCatalogue::Entry& e : reportCatalogue::entries()) {
        handle(sample, e.line + QStringLiteral("\r\n"));
        ASSERT_TRUE(stored) << e.code.toStdString();
        const std::optional<Expected> expected = storable(e.line);
        ASSERT_TRUE(expected);
        const QVariantList row = takeBackStore();
        EXPECT_EQ(row.value(0).toDouble(), expected->volume) << e.code.toStdString();
        for (int i = 0; i < 5; ++i) EXPECT_EQ(row.value(1 + i).toDouble(), expected->counts[i]) << e.code.toStdString();
    }
}

TEST_F(ReportFuzz, MutatedReportsNeitherCrashHangNorStoreWhatIsNoReport)
{
    const int inputs = fromEnvironment("STATION_FUZZ_INPUTS", 3000);
    const quint32 seed = static_cast<quint32>(fromEnvironment("STATION_FUZZ_SEED", 15));
    ReportMutator mutator(seed);
    std::mt19937 runs(seed + 1);
    int samples = 0, controls = 0, storedCounts = 0, refusedByLaboratory = 0;
    qint64 slowestMs = 0;
    QElapsedTimer total;
    total.start();
    for (int n = 0; n < inputs; ++n) {
        // What a long run would pile up: the log, the events and unloaded boxes the
        // station leaves to its event loop, the tap's list.
        if (n % 1000 == 0) {
            QFile::remove(QStringLiteral("PC_Active.csv"));
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            alerts.messages.clear();
            tapStores();
        }
        const QString received = mutator.next();
        const int kind = std::uniform_int_distribution<int>(0, 9)(runs);
        const QString run = kind == 0 ? QStringLiteral("CHECK") : kind == 1 ? QStringLiteral("FLUSH") : sample;
        const auto where = [&] {
            return QStringLiteral("seed %1, input %2 (%3): ").arg(seed).arg(n).arg(run).toStdString() +
                   QString::fromLatin1(received.toUtf8().toPercentEncoding(" ,:/!.")).toStdString();
        };
        const int callsBefore = storeCalls;
        QElapsedTimer one;
        one.start();
        handle(run, received);
        slowestMs = std::max(slowestMs, one.elapsed());
        ASSERT_LT(one.elapsed(), 2000) << "hangs on " << where();

        if (run != sample) {
            ++controls;
            ASSERT_EQ(storeCalls, callsBefore) << "a control run reached the laboratory on " << where();
            continue;
        }
        ++samples;
        ASSERT_EQ(questionAsked, stored) << where();
        const std::optional<Expected> expected = storable(received);
        if (!stored) {
            if (expected && storeCalls > callsBefore) ++refusedByLaboratory;
            continue;
        }
        ASSERT_TRUE(expected) << "stored from a text that is no report: " << where();
        ++storedCounts;
        const QVariantList row = takeBackStore();
        ASSERT_EQ(row.value(0).toDouble(), expected->volume) << where();
        for (int i = 0; i < 5; ++i) ASSERT_EQ(row.value(1 + i).toDouble(), expected->counts[i]) << where();
    }
    // The mutations leave enough real reports for the store to be tried at all.
    EXPECT_GT(storedCounts, samples / 20);
    std::printf("%d inputs (seed %u) in %.1f s, slowest %lld ms: %d samples, %d checks or flushes; "
                "%d counts stored, %d report-like texts refused by the laboratory\n",
                inputs, seed, total.elapsed() / 1000.0, static_cast<long long>(slowestMs), samples, controls, storedCounts,
                refusedByLaboratory);
}

}  // namespace

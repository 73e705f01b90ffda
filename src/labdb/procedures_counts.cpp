// Particle counts: storing a count of the counter (Lab.dbo.import_PC002) and a
// sample's count history for the bath (labrack.dbo.get_pc_history).
#include "labdb/iso4406.h"
#include "labdb/lab_records.h"
#include "labdb/procedure.h"

#include <cmath>

namespace labdb {

namespace {

const QString kParticleCount = QStringLiteral("PrtCount");
const char* const kChannels[] = {"@pc2m", "@pc5m", "@pc15m", "@pc25m", "@pc50m", "@pc100m", "@pc200m"};

db::Recordset importReply(const QString& status, const QVariantList& sampleValues, const QString& message, const QVariantList& codes = {})
{
    QVariantList row{status};
    row << sampleValues;
    while (row.size() < 4) row << QVariant();
    row << codes;
    while (row.size() < 8) row << QVariant();
    row << message;
    return answer({QStringLiteral("STATUS"), QStringLiteral("LAB_ID"), QStringLiteral("LAB_CODE"), QStringLiteral("RUN_NO"),
                   QStringLiteral("ISO_2"), QStringLiteral("ISO_5"), QStringLiteral("ISO_15"), QStringLiteral("ISO"),
                   QStringLiteral("MESSAGE")},
                  {row});
}

// A count or volume as the counter reported it: a number, 0 or more.
std::optional<double> reading(const Args& a, const char* name)
{
    bool ok = false;
    const double v = a.trimmed(QString::fromLatin1(name)).toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0) return std::nullopt;
    return v;
}

// Stores the counts and volume for the sample's outstanding particle-count test,
// with the ISO 4406 codes of the counts per mL, and marks the test DONE.
db::Recordset importPc002(ProcContext& c, const Args& a)
{
    const QString labNumber = a.trimmed(QStringLiteral("@labnumber"));
    const std::optional<SampleRow> sample = findSample(c.db, a.text(QStringLiteral("@labcode")), labNumber);
    if (!sample) return importReply(QStringLiteral("NOT_FOUND"), {}, QStringLiteral("Lab number %1 is not known.").arg(labNumber));
    const std::optional<TestRow> test = latestTest(c.db, sample->labId, kParticleCount);
    const QVariantList known{sample->labId, sample->labCode, test ? QVariant(test->runNo) : QVariant()};
    if (!test || test->status != QLatin1String("READY"))
        return importReply(QStringLiteral("NO_TEST"), known,
                           QStringLiteral("Lab number %1 has no outstanding particle-count test.").arg(labNumber));

    const auto invalid = [&](const QString& why) { return importReply(QStringLiteral("INVALID"), known, why); };
    if (a.trimmed(QStringLiteral("@method")).compare(QLatin1String("ISO4406"), Qt::CaseInsensitive) != 0)
        return invalid(QStringLiteral("Method '%1' is not known; counts are coded by ISO4406.").arg(a.text(QStringLiteral("@method"))));
    const QString trial = a.trimmed(QStringLiteral("@test")).toUpper();
    if (!trial.isEmpty() && trial != QLatin1String("N") && trial != QLatin1String("0"))
        return invalid(QStringLiteral("Trial calls (@test other than 'N') are not supported; nothing was stored."));
    const qlonglong empNum = a.integer(QStringLiteral("@empnum"));
    if (!activeEmployee(c.db, empNum)) return invalid(QStringLiteral("Employee %1 is not an active employee.").arg(empNum));
    const std::optional<double> volume = reading(a, "@sampleVolume");
    if (!volume || *volume <= 0)
        return invalid(QStringLiteral("Sample volume '%1' is not a volume above 0.").arg(a.text(QStringLiteral("@sampleVolume"))));
    const double factor = a.isNull(QStringLiteral("@factorVolume")) ? 1.0 : a.value(QStringLiteral("@factorVolume")).toDouble();
    if (!(factor > 0)) return invalid(QStringLiteral("Volume factor '%1' is not above 0.").arg(a.text(QStringLiteral("@factorVolume"))));

    Params counts;
    for (const char* channel : kChannels) {
        const std::optional<double> v = reading(a, channel);
        if (!v)
            return invalid(
                QStringLiteral("Count %1 = '%2' is not a count.").arg(QString::fromLatin1(channel), a.text(QString::fromLatin1(channel))));
        // Whole counts are kept as integers as far as an integer holds them.
        const bool whole = *v == std::trunc(*v) && *v < 9.0e18;
        counts << (whole ? QVariant(qlonglong(*v)) : QVariant(*v));
    }
    // Counts per mL: the counter counts the sample volume; a volume factor above 1
    // stands for a diluted sample.
    QVariantList codes;
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> code = isoScaleNumber(counts[i].toDouble() * factor / *volume);
        if (!code)
            return invalid(
                QStringLiteral("Count %1 = %2 is beyond the ISO 4406 table.").arg(QString::fromLatin1(kChannels[i]), counts[i].toString()));
        codes << qlonglong(*code);
    }
    c.db.exec("INSERT INTO pc_counts (TEST_ID, LAB_ID, RUN_NO, INSTRUMENT_ID, FILENAME, METHOD, SAMPLE_VOLUME, FACTOR_VOLUME,"
              " PC2M, PC5M, PC15M, PC25M, PC50M, PC100M, PC200M, ISO_2, ISO_5, ISO_15, EMP_NUM, COUNT_DATETIME)"
              " VALUES (?, ?, ?, ?, ?, 'ISO4406', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
              Params{test->testId, sample->labId, test->runNo, a.trimmed(QStringLiteral("@instrumentid")),
                     a.trimmed(QStringLiteral("@filename")), *volume, factor}
                  << counts << codes << Params{empNum, c.now});
    c.db.exec("UPDATE lab_tracking SET STATUS = 'DONE', DATE_COMPLETED = ?, EMP_NUM = ? WHERE TEST_ID = ?", {c.now, empNum, test->testId});
    const QString iso = codes[1].toString() + QLatin1Char('/') + codes[2].toString();
    return importReply(QStringLiteral("DONE"), known,
                       QStringLiteral("Count stored for lab number %1, run %2.").arg(labNumber).arg(test->runNo), codes << iso);
}

// The sample's latest stored count; NOT_ENTERED when an earlier particle-count
// test of it ended without a count; no row when it has neither.
db::Recordset getPcHistory(ProcContext& c, const Args& a)
{
    const QStringList columns = {QStringLiteral("STATUS"), QStringLiteral("ISO"),           QStringLiteral("ISO_2"),
                                 QStringLiteral("ISO_5"),  QStringLiteral("ISO_15"),        QStringLiteral("LAB_ID"),
                                 QStringLiteral("RUN_NO"), QStringLiteral("COUNT_DATETIME")};
    const std::optional<SampleRow> sample = findSample(c.db, a.text(QStringLiteral("@labCode")), a.text(QStringLiteral("@labNumber")));
    if (!sample) return answer(columns);
    const QVariantList last =
        c.db.firstRow("SELECT t.STATUS, k.ISO_5 || '/' || k.ISO_15, k.ISO_2, k.ISO_5, k.ISO_15, k.LAB_ID, k.RUN_NO, k.COUNT_DATETIME"
                      " FROM pc_counts k JOIN lab_tracking t ON t.TEST_ID = k.TEST_ID WHERE k.LAB_ID = ? ORDER BY k.COUNT_ID DESC LIMIT 1",
                      {sample->labId});
    if (!last.isEmpty()) return answer(columns, {last});
    const QVariant closedRun = c.db.scalar("SELECT max(RUN_NO) FROM lab_tracking WHERE LAB_ID = ? AND TEST_GROUP = ? AND STATUS <> 'READY'",
                                           {sample->labId, kParticleCount});
    if (db::isNull(closedRun)) return answer(columns);
    return answer(columns,
                  {{QStringLiteral("NOT_ENTERED"), QVariant(), QVariant(), QVariant(), QVariant(), sample->labId, closedRun, QVariant()}});
}

}  // namespace

void addCountProcedures(QList<Procedure>& out)
{
    QList<ParamSpec> import = {
        required(textParam("@labnumber")),       textParam("@instrumentid", QStringLiteral("PC002")), textParam("@filename"),
        textParam("@labcode", defaultLabCode()), textParam("@method", QStringLiteral("ISO4406")),     required(textParam("@sampleVolume")),
        decimalParam("@factorVolume", 1.0)};
    for (const char* channel : kChannels) import << required(textParam(channel));
    import << required(integerParam("@empnum")) << textParam("@test", QStringLiteral("N"));
    out << Procedure{QStringLiteral("Lab.dbo.import_PC002"), import, true, importPc002};
    out << Procedure{QStringLiteral("labrack.dbo.get_pc_history"),
                     {required(textParam("@labCode")), required(textParam("@labNumber"))},
                     false,
                     getPcHistory};
}

}  // namespace labdb

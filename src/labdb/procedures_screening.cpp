// The screening bench's results: the ratings of a sample's screening test
// (lab.dbo.tgrp_query) and their update (lab.dbo.tgrp_Screen_upd).
#include "labdb/lab_records.h"
#include "labdb/procedure.h"
#include "labdb/server_errors.h"

namespace labdb {

namespace {

struct Rating {
    const char* column;
    const char* parameter;
    const char* words;  // the words a rating may take, separated by "~"
};

const char* const kDefaultWords = "NONE~VLITE~LIGHT~LTMOD~MODER~MDHVY~HEAVY";
const Rating kRatings[] = {
    {"APPEARANCE", "@appearance", "NORML~LAYRD~MILKY~HAZY~GLYCL"},
    {"BABBITT", "@babbitt", kDefaultWords},
    {"DEBRIS", "@debris", kDefaultWords},
    {"DIRT", "@dirt", kDefaultWords},
    {"H2O_EMUL", "@h2o_emul", "NEG~0.1%~0.5%~1.0%~2.0%~5.0%~>10%"},
    {"H2O_FREE", "@h2o_free", "NEG~0.1%~0.5%~1.0%~2.0%~5.0%~>10%"},
    {"ODOR", "@odor", "NORML~AMMON~BURNT~FREON~SOLVT~OTHER"},
    {"PRECIPITATE", "@precipitate", kDefaultWords},
    {"SILT", "@silt", kDefaultWords},
    {"WHITE_METAL", "@white_metal", kDefaultWords},
};

db::Recordset tgrpQuery(ProcContext& c, const Args& a)
{
    QStringList columns = {QStringLiteral("LAB_ID"), QStringLiteral("RUN_NO"), QStringLiteral("STATUS"), QStringLiteral("TEST_GROUP")};
    QByteArray sql = "SELECT t.LAB_ID, t.RUN_NO, t.STATUS, t.TEST_GROUP";
    for (const Rating& r : kRatings) {
        columns << QString::fromLatin1(r.column);
        sql += QByteArray(", sr.") + r.column;
    }
    columns << QStringLiteral("STATUS_IMAGE") << QStringLiteral("STATUS_VISUAL") << QStringLiteral("STATUS_SPAT");
    sql += ", ifnull(sr.STATUS_IMAGE, 0), ifnull(sr.STATUS_VISUAL, -1), ifnull(sr.STATUS_SPAT, -1)"
           " FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID LEFT JOIN screen_results sr ON sr.TEST_ID = t.TEST_ID"
           " WHERE t.LAB_ID = ? AND t.TEST_GROUP = ?";
    Params params{a.integer(QStringLiteral("@labid")), a.trimmed(QStringLiteral("@testgroup"))};
    if (!a.trimmed(QStringLiteral("@labcode")).isEmpty()) {
        sql += " AND s.LAB_CODE = ?";
        params << a.trimmed(QStringLiteral("@labcode"));
    }
    const bool histories = a.trimmed(QStringLiteral("@histories")).compare(QLatin1String("Y"), Qt::CaseInsensitive) == 0;
    sql += " ORDER BY t.RUN_NO DESC";
    QList<QVariantList> rows = c.db.rows(sql, params);
    if (!histories) {
        if (rows.size() > 1) rows = rows.mid(0, 1);
        if (!rows.isEmpty() && !a.isNull(QStringLiteral("@status")) && rows[0][2].toString() != a.trimmed(QStringLiteral("@status")))
            rows.clear();
    }
    return answer(columns, rows);
}

db::Recordset screenReply(const QString& status, const QVariant& priority, const QVariant& labId, const QVariant& runNo,
                          const QString& message)
{
    return answer({QStringLiteral("LAB_STATUS"), QStringLiteral("SAMPLE_PRIORITY"), QStringLiteral("LAB_ID"), QStringLiteral("RUN_NO"),
                   QStringLiteral("MESSAGE")},
                  {{status, priority, labId, runNo, message}});
}

// Saves the ratings of the outstanding screening run; a completed screening
// waits for review (PENDING). A save that cannot be taken is refused with its reason.
db::Recordset screenUpdate(ProcContext& c, const Args& a)
{
    const std::optional<SampleRow> sample = findSampleById(c.db, a.integer(QStringLiteral("@labid")));
    if (a.isNull(QStringLiteral("@labid")) || !sample)
        refuse(QStringLiteral("Lab id %1 is not known.").arg(a.text(QStringLiteral("@labid"))));
    if (a.trimmed(QStringLiteral("@saveaction")).compare(QLatin1String("UPDATE"), Qt::CaseInsensitive) != 0)
        refuse(QStringLiteral("Save action '%1' is not taken here; only UPDATE.").arg(a.text(QStringLiteral("@saveaction"))));
    const QString group = a.trimmed(QStringLiteral("@testgroup"));
    const QVariantList test = c.db.firstRow(
        "SELECT TEST_ID, RUN_NO FROM lab_tracking WHERE LAB_ID = ? AND TEST_GROUP = ? AND STATUS = 'READY' AND (? IS NULL OR RUN_NO = ?)",
        {sample->labId, group, a.value(QStringLiteral("@runno")), a.value(QStringLiteral("@runno"))});
    if (test.isEmpty()) refuse(QStringLiteral("Sample %1 has no outstanding %2 run to save.").arg(sample->labNumber, group));
    Params values{test[0]};
    for (const Rating& r : kRatings) {
        const QVariant v = a.value(QString::fromLatin1(r.parameter));
        const QString word = db::textOf(v).trimmed();
        if (!db::isNull(v) && !QString::fromLatin1(r.words).split(QLatin1Char('~')).contains(word))
            refuse(QStringLiteral("'%1' is not a rating of %2.").arg(word, QString::fromLatin1(r.column)));
        values << (db::isNull(v) ? QVariant() : QVariant(word));
    }
    values << a.value(QStringLiteral("@status_visual")) << a.value(QStringLiteral("@status_spat"))
           << a.value(QStringLiteral("@status_image")) << a.value(QStringLiteral("@empnum")) << c.now;
    c.db.exec("INSERT OR REPLACE INTO screen_results (TEST_ID, APPEARANCE, BABBITT, DEBRIS, DIRT, H2O_EMUL, H2O_FREE, ODOR,"
              " PRECIPITATE, SILT, WHITE_METAL, STATUS_VISUAL, STATUS_SPAT, STATUS_IMAGE, EMP_NUM, DATE_UPDATED)"
              " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ifnull(?, -1), ifnull(?, -1), ifnull(?, 0), ?, ?)",
              values);
    const bool completed = a.trimmed(QStringLiteral("@completed")).compare(QLatin1String("Y"), Qt::CaseInsensitive) == 0;
    if (completed) c.db.exec("UPDATE lab_tracking SET STATUS = 'PENDING', DATE_COMPLETED = ? WHERE TEST_ID = ?", {c.now, test[0]});
    return screenReply(completed ? QStringLiteral("PENDING") : QStringLiteral("READY"), sample->priority, sample->labId, test[1],
                       completed ? QStringLiteral("Screening complete; waiting for review.") : QStringLiteral("Screening saved."));
}

}  // namespace

void addScreeningProcedures(QList<Procedure>& out)
{
    out << Procedure{QStringLiteral("lab.dbo.tgrp_query"),
                     {textParam("@testgroup", QStringLiteral("SCREEN")), required(integerParam("@labid")), textParam("@labcode"),
                      textParam("@status", QStringLiteral("READY")), textParam("@histories", QStringLiteral("N"))},
                     false,
                     tgrpQuery};
    QList<ParamSpec> update = {required(integerParam("@labid")), textParam("@saveaction", QStringLiteral("UPDATE")),
                               textParam("@testgroup", QStringLiteral("SCREEN"))};
    for (const Rating& r : kRatings) update << textParam(r.parameter);
    update << textParam("@completed", QStringLiteral("N")) << integerParam("@runno") << integerParam("@status_visual")
           << integerParam("@status_spat") << integerParam("@status_image") << integerParam("@empnum");
    out << Procedure{QStringLiteral("lab.dbo.tgrp_Screen_upd"), update, true, screenUpdate};
}

}  // namespace labdb

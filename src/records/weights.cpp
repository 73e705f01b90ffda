#include "records/weights.h"

#include "common/alert.h"
#include "common/common_module.h"
#include "common/db_module.h"
#include "common/sql_text.h"
#include "records/value_reading.h"

namespace {

bool isNumber(const QString& text) { return records::isNumeric(QVariant(text)); }

// The table suffix of the weighed test groups; empty for any other group.
QString tableSuffix(const QString& testGroup)
{
    const QString group = testGroup.toUpper();
    if (group == QLatin1String("KF")) return QStringLiteral("kf");
    if (group == QLatin1String("TAN MAN")) return QStringLiteral("tanman");
    if (group == QLatin1String("TAN AUTO")) return QStringLiteral("tanauto");
    if (group == QLatin1String("TBN")) return QStringLiteral("tbn");
    if (group == QLatin1String("SPECGRAVITY")) return QStringLiteral("SpecGravity");
    return QString();
}

}  // namespace

Weights::Weights()
{
    SetValues();
    dflt_Weight = Weight;
}

bool Weights::Weight_Assigned(const QVariant& vWeight)
{
    if (db::isNull(vWeight)) return false;
    QString text = db::textOf(vWeight);
    if (text.isEmpty()) {
        Weight.clear();
        return true;
    }
    text = text.trimmed();
    if (!isNumber(text)) {
        // A unit in small letters may follow the number.
        const qsizetype unit = text.indexOf(QLatin1Char('g'));
        if (unit < 0) return false;
        text = text.left(unit).trimmed();
        if (!isNumber(text)) return false;
    }
    if (text.toDouble() <= 0) {
        commonModule::Show_Alert(QStringLiteral("A negative weight value is not a valid"));
        return false;
    }
    Weight = text;
    return true;
}

bool Weights::Save_Weight(const QVariant&)
{
    if (!isChanged()) return false;
    const QString suffix = tableSuffix(commonModule::Curr_Test_Group);

    const QString oldWeight = Weight;
    const QString written = Weight.trimmed().left(5);
    const QString labId = Lab_Id.trimmed();
    // Weight and lab id go into the statements as numbers; anything else is refused
    // before a statement is built, and the record keeps what it holds.
    if ((!oldWeight.isEmpty() && !isNumber(written)) || (!suffix.isEmpty() && !isNumber(labId))) return false;

    Weight = oldWeight.isEmpty() ? QStringLiteral(" null ") : QStringLiteral(" '") + sqlText(written) + QStringLiteral("' ");
    if (suffix.isEmpty()) return false;

    const QString toTest = QStringLiteral("update lab.dbo.testgroup_") + suffix + QStringLiteral(" ") + QStringLiteral("set    weight = ") +
                           Weight + QStringLiteral(" ") + QStringLiteral("where  lab_id = ") + labId + QStringLiteral(" ") +
                           QStringLiteral("and    run_no = ") + QString::number(Run_No) + QStringLiteral(" ") +
                           QStringLiteral("and    date_completed is null ");
    if (!dbModule::Execute_SQL(toTest, true)) {
        // Nothing written: the entry stays as typed, so that the save can be tried again.
        Weight = oldWeight;
        return false;
    }

    const QString toTracking = QStringLiteral("update lab.dbo.lab_tracking ") + QStringLiteral("set    weight = ") + Weight +
                               QStringLiteral(" ") + QStringLiteral("where  lab_id = ") + labId + QStringLiteral(" ") +
                               QStringLiteral("and    test_group = '") + sqlText(commonModule::Curr_Test_Group.trimmed()) +
                               QStringLiteral("' ") + QStringLiteral("and    status = 'READY' ") +
                               QStringLiteral("and    isNumeric(weight) = 0 ");
    if (!dbModule::Execute_SQL(toTracking, true)) {
        Weight = oldWeight;
        return false;
    }

    Status = oldWeight.isEmpty() ? QStringLiteral("READY") : QStringLiteral("DONE");
    dflt_Weight = Weight;
    return true;
}

QString Weights::Rating_Strings(const QString&) const { return QString(); }

QString Weights::Get_Rating_String(const QString&) const { return QString(); }

std::int16_t Weights::Field_Value_Get(const QString&) const { return 0; }

void Weights::Field_Value_Set(const QString&, std::int16_t) {}

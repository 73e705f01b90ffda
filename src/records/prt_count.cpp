#include "records/prt_count.h"

#include "common/db_module.h"
#include "common/laboratory.h"
#include "common/sql_text.h"
#include "records/employee.h"
#include "records/value_reading.h"

#include <QLocale>
#include <cmath>
#include <optional>

namespace {

// A count as the counter sent it: text trimmed, a number written out in full (a
// count of 100000 kept as a floating-point number is "100000", never "1e+05").
QString countText(const QVariant& value)
{
    const int type = value.typeId();
    if (type == QMetaType::Double || type == QMetaType::Float) {
        const double d = value.toDouble();
        if (std::isfinite(d)) return QString::number(d, 'f', QLocale::FloatingPointShortest);
    }
    return db::textOf(value).trimmed();
}

QString quotedCount(const QString& name, const QVariant& value)
{
    return QStringLiteral("@") + name + QStringLiteral(" = ") + sqlQuoted(countText(value)) + QStringLiteral(", ");
}

// The first answer row's column, trimmed, equals the expected word.
bool firstRowSays(db::Recordset& rs, const QString& column, const QString& word)
{
    if (rs.eof()) return false;
    const QVariant v = rs.value(column);
    const bool says = !db::isNull(v) && db::textOf(v).trimmed() == word;
    rs.close();
    return says;
}

}  // namespace

db::Recordset PrtCount::Get_PC_History(const QString& Lab_Number)
{
    // The laboratory of every particle-count call is the station's, not the record's own Lab_Code.
    const QString sql = QStringLiteral("exec labrack.dbo.get_PC_History @labCode = ") + sqlQuoted(laboratory::Lab_Code) +
                        QStringLiteral(", @labNumber = ") + sqlQuoted(Lab_Number.trimmed());
    return dbModule::Get_Recordset(sql, true);
}

bool PrtCount::Redo_Sample(const QString& Lab_Number, const QString&)
{
    const QString technician = commonModule::Curr_Employee().Full_name.trimmed();
    const QString sql = QStringLiteral("exec Lab.dbo.labtrack_inserttest  @labnumber = ") + sqlQuoted(Lab_Number) +
                        QStringLiteral(", @labcode = ") + sqlQuoted(laboratory::Lab_Code) +
                        QStringLiteral(", @testgrp = 'PrtCount', @class = 'REDO', @comments = ") +
                        sqlQuoted(QStringLiteral("Test inserted by technician (") + technician + QStringLiteral(")")) +
                        QStringLiteral(",@return_status = 'Y'");
    db::Recordset rs = dbModule::Get_Recordset(sql, true);
    return firstRowSays(rs, QStringLiteral("STATUS"), QStringLiteral("READY"));
}

void PrtCount::Save_Results(const QString& Lab_Number, std::int16_t Emp_Num, const QVariant& sample_Volume, const QVariant& PC2,
                            const QVariant& PC5, const QVariant& PC15, const QVariant& PC25, const QVariant& PC50, const QVariant& PC100,
                            const QVariant& PC200, const QString&)
{
    const QString sql = QStringLiteral("exec Lab.dbo.import_PC002 @labnumber = ") + sqlQuoted(Lab_Number.trimmed()) +
                        QStringLiteral(", @instrumentid = 'PC002', @filename = 'USER_INTERFACE', @labcode = ") +
                        sqlQuoted(laboratory::Lab_Code) + QStringLiteral(", @method = 'ISO4406', ") +
                        quotedCount(QStringLiteral("sampleVolume"), sample_Volume) + QStringLiteral("@factorVolume = 1, ") +
                        quotedCount(QStringLiteral("pc2m"), PC2) + quotedCount(QStringLiteral("pc5m"), PC5) +
                        quotedCount(QStringLiteral("pc15m"), PC15) + quotedCount(QStringLiteral("pc25m"), PC25) +
                        quotedCount(QStringLiteral("pc50m"), PC50) + quotedCount(QStringLiteral("pc100m"), PC100) +
                        quotedCount(QStringLiteral("pc200m"), PC200) + QStringLiteral("@empnum = ") + QString::number(Emp_Num) +
                        QStringLiteral(", ") + QStringLiteral("@test = 'N' ");
    db::Recordset rs = dbModule::Get_Recordset(sql, true);

    bool outcome = false;
    if (!rs.eof()) {
        const QVariant status = rs.value(QStringLiteral("STATUS"));
        const QVariant labId = rs.value(QStringLiteral("LAB_ID"));
        const QVariant labCode = rs.value(QStringLiteral("LAB_CODE"));
        const std::optional<std::int16_t> runNo = records::int16Of(rs.value(QStringLiteral("RUN_NO")));
        // An answer that cannot be read in full is no confirmation of the store:
        // the record keeps its fields and the save counts as failed.
        if (!db::isNull(status) && !db::isNull(labId) && !db::isNull(labCode) && runNo) {
            Status = db::textOf(status).trimmed();
            outcome = Status == QLatin1String("DONE");
            Lab_Id = db::textOf(labId);
            Lab_Code = db::textOf(labCode);
            Run_No = *runNo;
        }
        rs.close();
    }
    saveOk = outcome;
}

bool PrtCount::Remove_Sample(const QString& Lab_Number, const QString& Action)
{
    const QString sql = QStringLiteral("exec lab.dbo.labtrack_testaction @labnumber = ") + sqlQuoted(Lab_Number) +
                        QStringLiteral(", @empnum = ") + QString::number(commonModule::Curr_Employee().Emp_Num) +
                        QStringLiteral(", @labcode = ") + sqlQuoted(laboratory::Lab_Code) +
                        QStringLiteral(", @testgrp = 'PrtCount', @testaction = ") + sqlQuoted(Action) + QStringLiteral(" ");
    db::Recordset rs = dbModule::Get_Recordset(sql, true);
    return firstRowSays(rs, QStringLiteral("LAB_STATUS"), QStringLiteral("DONE"));
}

namespace commonModule {

PrtCount& Curr_PrtCount()
{
    static PrtCount record;
    return record;
}

}  // namespace commonModule

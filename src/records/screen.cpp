#include "records/screen.h"

#include "common/db_module.h"
#include "common/sql_quote.h"
#include "common/sql_text.h"
#include "records/value_reading.h"

using screenRatings::Field;

namespace {

bool isNumber(const QString& text) { return records::isNumeric(QVariant(text)); }

// A column's text when the laboratory gave one; the member keeps its value for NULL.
void takeText(const db::Recordset& rs, const char* column, QString& member)
{
    const QVariant v = rs.value(QString::fromLatin1(column));
    if (!db::isNull(v)) member = db::textOf(v);
}

void takeFlag(const db::Recordset& rs, const char* column, std::int16_t& member)
{
    if (const std::optional<std::int16_t> v = records::int16Of(rs.value(QString::fromLatin1(column)))) member = *v;
}

}  // namespace

Screen::Screen()
{
    Insert_Code = QStringLiteral("Default test package");
    SetValues(QStringLiteral("VISUAL"), false);
    SetValues(QStringLiteral("WATER"), false);
    takeDefaults();
}

QString& Screen::rating(Field field) { return const_cast<QString&>(static_cast<const Screen*>(this)->rating(field)); }

const QString& Screen::rating(Field field) const
{
    switch (field) {
    case Field::White_Metal:
        return White_Metal;
    case Field::Babbitt:
        return Babbitt;
    case Field::Appearance:
        return Appearance;
    case Field::Precipitate:
        return Precipitate;
    case Field::Dirt:
        return Dirt;
    case Field::Debris:
        return Debris;
    case Field::Silt:
        return Silt;
    case Field::Odor:
        return Odor;
    case Field::H2O_Emul:
        return H2O_Emul;
    case Field::H2O_Free:
        break;
    }
    return H2O_Free;
}

void Screen::takeDefaults()
{
    dflt_Appearance = Appearance;
    dflt_Odor = Odor;
    dflt_Babbitt = Babbitt;
    dflt_Debris = Debris;
    dflt_Dirt = Dirt;
    dflt_Precipitate = Precipitate;
    dflt_Silt = Silt;
    dflt_White_Metal = White_Metal;
    dflt_H2O_Emul = H2O_Emul;
    dflt_H2O_Free = H2O_Free;
    dflt_status_Image = 0;
}

QString Screen::Rating_Strings(const QString& sType) const
{
    if (sType == QLatin1String("APPEARANCE")) return QString::fromLatin1(screenRatings::kAppearance);
    if (sType == QLatin1String("ODOR")) return QString::fromLatin1(screenRatings::kOdor);
    if (sType == QLatin1String("H2O FREE") || sType == QLatin1String("WATER") || sType == QLatin1String("H2O EMUL"))
        return QString::fromLatin1(screenRatings::kWater);
    return QString::fromLatin1(screenRatings::kDefault);
}

std::int16_t Screen::Field_Value_Get(const QString& sField) const
{
    Field field;
    if (!screenRatings::fieldOf(sField, &field)) return 0;
    const QString& word = rating(field);
    if (word.isEmpty()) return 0;
    const qsizetype index = screenRatings::wordsOf(screenRatings::listOf(field)).indexOf(word);
    return index < 0 ? 0 : static_cast<std::int16_t>(index);
}

void Screen::Field_Value_Set(const QString& sField, std::int16_t iValue)
{
    Field field;
    if (!screenRatings::fieldOf(sField, &field)) return;
    const QStringList words = screenRatings::wordsOf(screenRatings::listOf(field));
    // An index outside the list leaves the rating as it was.
    if (iValue < 0 || iValue >= words.size()) return;
    rating(field) = words.at(iValue);
}

QString Screen::Get_Rating_String(const QString& sField) const
{
    Field field;
    if (!screenRatings::fieldOf(sField, &field)) return screenRatings::wordsOf(Rating_Strings(sField)).first();
    if (rating(field).isEmpty()) return QString();
    // Index and word both from the field's own list, whatever the spelling of its name.
    return screenRatings::wordsOf(screenRatings::listOf(field)).at(Field_Value_Get(sField));
}

bool Screen::isChanged() const
{
    return Appearance != dflt_Appearance || Odor != dflt_Odor || Babbitt != dflt_Babbitt || Debris != dflt_Debris || Dirt != dflt_Dirt ||
           Precipitate != dflt_Precipitate || Silt != dflt_Silt || White_Metal != dflt_White_Metal || H2O_Emul != dflt_H2O_Emul ||
           H2O_Free != dflt_H2O_Free;
}

void Screen::SetValues(const QString& sType, bool toNormal)
{
    if (sType == QLatin1String("VISUAL")) {
        const QString normal = toNormal ? QStringLiteral("NORML") : QString();
        const QString none = toNormal ? QStringLiteral("NONE") : QString();
        Appearance = normal;
        Odor = normal;
        Babbitt = none;
        Debris = none;
        Dirt = none;
        Precipitate = none;
        Silt = none;
        White_Metal = none;
    } else {
        const QString neg = toNormal ? QStringLiteral("NEG") : QString();
        H2O_Emul = neg;
        H2O_Free = neg;
    }
    Edited = toNormal;
}

QString Screen::Get_Field_Status(const QString& sType) const
{
    bool complete = false;
    if (sType == QLatin1String("VISUAL")) {
        complete = !Appearance.isEmpty() && !Odor.isEmpty() && !Babbitt.isEmpty() && !Debris.isEmpty() && !Dirt.isEmpty() &&
                   !Precipitate.isEmpty() && !Silt.isEmpty() && !White_Metal.isEmpty();
    } else if (sType == QLatin1String("SPAT")) {
        complete = !H2O_Emul.isEmpty() && !H2O_Free.isEmpty();
    } else if (sType == QLatin1String("IMAGE")) {
        complete = status_Image == 0;
    }
    // Any other kind of part is never complete.
    return complete ? QStringLiteral("0") : QStringLiteral("-1");
}

void Screen::Get_Current_Results()
{
    wasViewed = true;
    const QString labId = Lab_Id.trimmed();
    // The lab id goes into the call as a number.
    if (!isNumber(labId)) return;
    const QString sql = QStringLiteral("exec lab.dbo.tgrp_query @testgroup = 'SCREEN', ") + QStringLiteral("@labid = ") + labId +
                        QStringLiteral(", ") + QStringLiteral("@labcode = '") + sqlText(Lab_Code.trimmed()) + QStringLiteral("', ") +
                        QStringLiteral("@status = 'READY', ") + QStringLiteral("@histories = 'N'");
    db::Recordset rs = dbModule::Get_Recordset(sql, true);
    if (rs.eof()) return;
    takeText(rs, "APPEARANCE", Appearance);
    takeText(rs, "BABBITT", Babbitt);
    takeText(rs, "DEBRIS", Debris);
    takeText(rs, "DIRT", Dirt);
    takeText(rs, "H2O_EMUL", H2O_Emul);
    takeText(rs, "H2O_FREE", H2O_Free);
    takeText(rs, "ODOR", Odor);
    takeText(rs, "PRECIPITATE", Precipitate);
    takeText(rs, "SILT", Silt);
    takeText(rs, "WHITE_METAL", White_Metal);
    takeFlag(rs, "STATUS_IMAGE", status_Image);
    takeFlag(rs, "STATUS_VISUAL", status_Visual);
    takeFlag(rs, "STATUS_SPAT", status_Spat);
    rs.close();
}

bool Screen::Save_Screen(const QVariant& Emp_Num, const QString& Station)
{
    const QString station = Station.isEmpty() || isNumber(Station) ? QStringLiteral("SCREENING") : Station;
    if (!isChanged()) return false;

    const QString labId = Lab_Id.trimmed();
    const QString visual = Get_Field_Status(QStringLiteral("VISUAL"));
    const QString spot = Get_Field_Status(QStringLiteral("SPAT"));
    const QString image = Get_Field_Status(QStringLiteral("IMAGE"));
    const bool emptyPosition = labId == QLatin1String("0");

    QString sql;
    if (!Test_Action.isEmpty()) {
        const QString empNum = db::textOf(Emp_Num).trimmed();
        // The employee number goes in as a number: anything else is refused unsent.
        if (!emptyPosition && !records::isNumeric(Emp_Num)) return false;
        sql = QStringLiteral("exec lab.dbo.labtrack_testaction ") + QStringLiteral("@empnum = ") + empNum + QStringLiteral(", ") +
              QStringLiteral("@labId = '") + sqlText(labId) + QStringLiteral("', ") + QStringLiteral("@testgrp = 'SCREEN', ") +
              QStringLiteral("@testAction = '") + sqlText(Test_Action.trimmed()) + QStringLiteral("'");
    } else {
        // The lab id goes in as a number: anything else is refused unsent.
        if (!emptyPosition && !isNumber(labId)) return false;
        const auto quoted = [](const QString& name, const QString& value) {
            return QStringLiteral("@") + name + QStringLiteral(" = ") + commonModule::Sql_Quote(value, QStringLiteral("null"));
        };
        const QString completed = visual != QLatin1String("-1") && spot != QLatin1String("-1") && image != QLatin1String("-1")
                                      ? QStringLiteral("'Y'")
                                      : QStringLiteral("'N'");
        const QString sep = QStringLiteral(", ");
        sql = QStringLiteral("exec lab.dbo.tgrp_Screen_upd ") + QStringLiteral("@labid = ") + labId + sep +
              QStringLiteral("@saveaction = 'UPDATE', ") + QStringLiteral("@testgroup = 'SCREEN', ") +
              quoted(QStringLiteral("white_metal"), White_Metal) + sep + quoted(QStringLiteral("babbitt"), Babbitt) + sep +
              quoted(QStringLiteral("precipitate"), Precipitate) + sep + quoted(QStringLiteral("silt"), Silt) + sep +
              quoted(QStringLiteral("debris"), Debris) + sep + quoted(QStringLiteral("dirt"), Dirt) + sep +
              quoted(QStringLiteral("appearance"), Appearance) + sep + quoted(QStringLiteral("odor"), Odor) + sep +
              quoted(QStringLiteral("h2o_emul"), H2O_Emul) + sep + quoted(QStringLiteral("h2o_free"), H2O_Free) + sep +
              QStringLiteral("@completed = ") + completed + sep + QStringLiteral("@runno = ") + QString::number(Run_No) + sep +
              QStringLiteral("@status_visual = ") + visual + sep + QStringLiteral("@status_spat = ") + spot + sep +
              QStringLiteral("@status_image = ") + image;
    }

    bool saved = false;
    if (!emptyPosition) {
        db::Recordset rs = dbModule::Get_Recordset(sql, true);
        // No answer row: nothing confirms the save, so the record stays as it was.
        if (rs.eof()) return false;
        saved = true;
        const QVariant labStatus = rs.value(QStringLiteral("LAB_STATUS"));
        const QVariant priority = rs.value(QStringLiteral("SAMPLE_PRIORITY"));
        if (!db::isNull(labStatus)) Status = db::textOf(labStatus).trimmed();
        if (!db::isNull(priority)) Priority = db::textOf(priority).trimmed();
        rs.close();
        if (Status == QLatin1String("PENDING")) Status = QStringLiteral("DONE");
        if (station == QLatin1String("SPAT") && spot == QLatin1String("0")) Status = QStringLiteral("DONE");
        if (station == QLatin1String("VISUAL") && visual == QLatin1String("0")) Status = QStringLiteral("DONE");
        takeDefaults();
    }
    Edited = false;
    wasViewed = false;
    return saved;
}

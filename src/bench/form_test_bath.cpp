// The bath: a sample from the rack screen goes into the lowest free of the 30
// positions, is recorded in the laboratory's open batch, and counts down its shake
// and bath time to "START".
#include "bench/form_test.h"

#include "common/alert.h"
#include "common/common_module.h"
#include "common/db_module.h"
#include "common/laboratory.h"
#include "common/sql_text.h"
#include "platform/clock/clock.h"
#include "platform/db/recordset.h"
#include "records/batch.h"
#include "records/employee.h"
#include "records/rack.h"
#include "records/value_reading.h"

#include <optional>

namespace {

const QString kStart = QStringLiteral("START");

bool isPosition(int index) { return index >= 0 && index < Form_Test::Bath_Size; }

// Whole seconds on the station's clock, so that a difference counts the second
// boundaries passed.
qint64 wholeSeconds(const QDateTime& t) { return t.toSecsSinceEpoch(); }

}  // namespace

bool Form_Test::Process_Sample(std::int16_t Index, const QString& sampleId, const QString& sStatus)
{
    if (sampleId.trimmed().isEmpty()) return false;
    if (!Timer1->isActive()) Timer1->start();
    const QString status = sStatus.trimmed();
    if (status.isEmpty() || status == QLatin1String("DONE")) return false;
    return Bath_Add_Sample(sampleId, false, Index);
}

bool Form_Test::Bath_Add_Sample(const QString& sSampleId, bool bReload, int vPosition)
{
    int position = vPosition;
    if (!bReload) {
        position = Bath_Free_Position();
        if (position < 0) return false;
    }
    if (!isPosition(position)) return false;
    if (Sample_In_Bath(sSampleId)) return false;
    // The limit holds for samples the technician puts in; a reload shows what the
    // laboratory holds, however many racks that is.
    if (!bReload && !Is_Loading && Bath_Rack_Count() > MAX_RACKS_IN_BATH) {
        commonModule::Show_Alert(QStringLiteral("Maximum of ") + QString::number(MAX_RACKS_IN_BATH).trimmed() +
                                 QStringLiteral(" racks are allowed in the bath at any time"));
        return false;
    }

    const Rack& rack = commonModule::Curr_Rack();
    const QString sampleId = sSampleId.trimmed();

    // The sample's history; without one it keeps the colours of a sample without history.
    QString history = QStringLiteral("No Hist ");
    QColor back = Iso_History_Color(true, QString(), QString(), QString());
    QColor fore = Iso_History_Color(false, QString(), QString(), QString());
    db::Recordset hist = dbModule::Get_Recordset(QStringLiteral("exec labrack.dbo.get_pc_history '") + laboratory::Lab_Code +
                                                     QStringLiteral("', '") + sqlText(sampleId) + QStringLiteral("'"),
                                                 true);
    if (hist.columnCount() > 0 && !hist.eof()) {
        if (db::textOf(hist.value(QStringLiteral("STATUS"))).trimmed() == QLatin1String("NOT_ENTERED")) {
            history = QStringLiteral("Not Entered ");
        } else {
            history = db::textOf(hist.value(QStringLiteral("ISO"))) + QStringLiteral(" ");
            const QString c2 = db::textOf(hist.value(QStringLiteral("ISO_2")));
            const QString c5 = db::textOf(hist.value(QStringLiteral("ISO_5")));
            const QString c15 = db::textOf(hist.value(QStringLiteral("ISO_15")));
            back = Iso_History_Color(true, c2, c5, c15);
            fore = Iso_History_Color(false, c2, c5, c15);
        }
    }
    hist.close();

    if (!bReload) {
        const QString sql = QStringLiteral("exec labrack.dbo.set_PC_Bath ") + QStringLiteral("@sampleId = '") + sqlText(sampleId) +
                            QStringLiteral("', ") + QStringLiteral("@extra = 'RD=") + sqlText(rack.Rack_Desc.trimmed()) +
                            QStringLiteral("RID=") + sqlText(rack.Rack_id.trimmed()) + QStringLiteral("', ") +
                            QStringLiteral("@empNum = ") + QString::number(commonModule::Curr_Employee().Emp_Num) + QStringLiteral(", ") +
                            QStringLiteral("@position = ") + QString::number(position + 1) + QStringLiteral(", ") +
                            QStringLiteral("@action = 'ADD', ") + QStringLiteral("@test = 0");
        db::Recordset rs = dbModule::Get_Recordset(sql, true);
        const bool recorded = !rs.eof() && records::int16Of(rs.value(QStringLiteral("ERROR"))) == std::int16_t(0);
        const QString message = db::textOf(rs.value(QStringLiteral("MESSAGE"))).trimmed();
        const bool answered = rs.isOpen();
        rs.close();
        if (!recorded) {
            // A position the database does not hold stays free on the screen, so
            // that it never shows a sample another station may put there.
            commonModule::Show_Alert(!message.isEmpty() ? message
                                                        : QStringLiteral("Sample %1 was not recorded in the bath; the bath position "
                                                                         "stays free.")
                                                              .arg(sampleId));
            // A refusal the laboratory gave (the position taken meanwhile, by another
            // station or by a removal that never reached it): the bath is read again.
            if (answered) Bath_Follow_Laboratory();
            return false;
        }
    }

    QString priority;
    if (bReload) {
        const QList<Samples>& samples = commonModule::Curr_Batch().Sample;
        if (position < samples.size()) priority = samples[position].Priority;
    } else if (vPosition >= 0 && vPosition < static_cast<int>(rack.Pos.size())) {
        const RackPositions& place = rack.Pos[static_cast<std::size_t>(vPosition)];
        priority = place.Priority;
        if (priority.trimmed() == QLatin1String("NORMAL") && place.Run_No >= 2) priority = QStringLiteral("RETEST");
    }

    const QDateTime entered = stationClock::now();
    lbl_wo[position]->setCaption(QStringLiteral(" ") + sSampleId);
    ui::setTag(lbl_wo[position], entered);
    ui::Label* countdown = lbl_inBath[position];
    ui::setTag(countdown, entered.addSecs(Bath_Time));
    countdown->setBorder(true);
    countdown->setOpaque(true);
    countdown->setBackColor(back);
    countdown->setForeColor(fore);
    lbl_isoCode[position]->setCaption(history);
    ui::setTag(lbl_isoCode[position], rack.Rack_Desc.trimmed());
    lbl_isoCode[position]->setForeColor(commonModule::Color_White);
    img_bath[position]->loadPicture(Bath_Image_Name(priority));

    // While the bath follows the laboratory after an entry or removal it did not
    // take, the rack in hand stays as it was.
    if (Bath_Reading != Batch_Read::Follow) Rack_Header_Show(true, rack.Rack_Desc, rack.Rack_id);
    Bath_Refresh(position);
    return true;
}

std::int16_t Form_Test::Bath_Free_Position() const
{
    for (int i = 0; i < Bath_Size; ++i)
        if (lbl_wo[i]->caption().trimmed().isEmpty()) return static_cast<std::int16_t>(i);
    return -1;
}

bool Form_Test::Sample_In_Bath(const QString& sSampleId) const
{
    const QString wanted = sSampleId.trimmed();
    for (const ui::Label* wo : lbl_wo)
        if (wo->caption().trimmed() == wanted) return true;
    return false;
}

std::int16_t Form_Test::Bath_Rack_Count() const
{
    // Racks are told apart by their whole description (R1 is not R12); a position
    // without a rack description counts as the bench's own rack.
    QStringList racks{commonModule::Curr_Rack().Rack_Desc.trimmed()};
    std::int16_t others = 0;
    for (int i = 0; i < Bath_Size; ++i) {
        if (lbl_wo[i]->caption().trimmed().isEmpty()) continue;
        const QString desc = ui::tag(lbl_isoCode[i]).toString().trimmed();
        if (desc.isEmpty() || racks.contains(desc)) continue;
        racks << desc;
        ++others;
    }
    return others;
}

QString Form_Test::Bath_Image_Name(const QVariant& sPriority) const
{
    QString suffix;
    const QString priority = db::textOf(sPriority).trimmed();
    if (!db::isNull(sPriority) && !records::isNumeric(sPriority) && !priority.isEmpty()) suffix = QStringLiteral("_") + priority;
    return commonModule::Image_Dir + QStringLiteral("bttn_bath") + suffix + QStringLiteral(".gif");
}

void Form_Test::Timer1_Timer()
{
    const QDateTime now = stationClock::now();
    for (int i = 0; i < Bath_Size; ++i) {
        ui::Label* countdown = lbl_inBath[i];
        if (countdown->caption() == kStart) continue;
        const std::optional<QDateTime> end = records::dateTimeOf(ui::tag(countdown));
        if (!end) continue;
        const qint64 d = wholeSeconds(now) - wholeSeconds(*end);
        if (d >= 0) {
            countdown->setCaption(kStart);
            continue;
        }
        const std::optional<QDateTime> entered = records::dateTimeOf(ui::tag(lbl_wo[i]));
        if (entered && now < entered->addSecs(Shake_Time))
            countdown->setCaption(QStringLiteral("SHAKE"));
        else
            countdown->setCaption(QString::number(-d));
    }
}

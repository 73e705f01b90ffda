// Rebuilding the bath from the laboratory's open batch, freeing positions, and the
// marker of the rack that has waited longest.
#include "bench/form_test.h"

#include "common/alert.h"
#include "common/common_module.h"
#include "common/db_module.h"
#include "common/laboratory.h"
#include "common/sql_text.h"
#include "platform/db/recordset.h"
#include "records/batch.h"
#include "records/employee.h"
#include "records/value_reading.h"

#include <QScopedValueRollback>
#include <array>
#include <cmath>
#include <optional>

namespace {

// A batch row's POSITION as a bath index (0 to 29); nothing for NULL, text that is
// no whole number, and places the bath does not have.
std::optional<int> bathIndexOf(const QVariant& position)
{
    if (!records::isNumeric(position)) return std::nullopt;
    const double p = db::textOf(position).trimmed().toDouble();
    if (p != std::floor(p) || p < 1 || p > Form_Test::Bath_Size) return std::nullopt;
    return static_cast<int>(p) - 1;
}

// A batch row's lab number, trimmed; empty when the row has no sample type or no
// sample id, which the bath does not show.
QString sampleIdOf(const db::Recordset& rs)
{
    if (db::textOf(rs.value(QStringLiteral("SAMPLE_TYPE"))).trimmed().isEmpty()) return QString();
    return db::textOf(rs.value(QStringLiteral("SAMPLE_ID"))).trimmed();
}

// The lab number the batch holds at each bath position (the first row of a place);
// the recordset is left on its first row.
std::array<QString, Form_Test::Bath_Size> heldPositions(db::Recordset& rs)
{
    std::array<QString, Form_Test::Bath_Size> held;
    for (; !rs.eof(); rs.moveNext()) {
        const std::optional<int> position = bathIndexOf(rs.value(QStringLiteral("POSITION")));
        if (position && held[*position].isEmpty()) held[*position] = sampleIdOf(rs);
    }
    rs.moveFirst();
    return held;
}

}  // namespace

void Form_Test::Bath_Load_Content() { Load_Open_Batch(Batch_Read::Load); }

bool Form_Test::Load_Open_Batch(Batch_Read how)
{
    using namespace commonModule;
    const QScopedValueRollback reading(Bath_Reading, how);
    db::Recordset rs = Curr_Batch().Get_Batch_Samples(Curr_Batch_Id, Curr_Instrument_Id, laboratory::Lab_Code, Curr_Test_Group);
    const bool follow = how == Batch_Read::Follow;
    if (how != Batch_Read::Load) {
        // A batch that cannot be read leaves the bath as it is; the gateway has said why.
        if (!rs.isOpen()) return false;
        if (follow) {
            // Only positions whose sample changed are freed; the others keep their
            // countdown, so that no sample becomes ready before its bath time.
            const std::array<QString, Bath_Size> held = heldPositions(rs);
            for (int i = 0; i < Bath_Size; ++i)
                if (lbl_wo[i]->caption().trimmed() != held[static_cast<std::size_t>(i)]) Clear_Bath_Position(i);
        } else {
            for (int i = 0; i < Bath_Size; ++i) Clear_Bath_Position(i);
        }
    }
    const QString oldest = Get_Oldest_Rack();
    Batch_Fill_Positions();

    QString rackDesc;
    QString rackId;
    bool rackRead = false;
    int lastPosition = -1;
    for (; !rs.eof(); rs.moveNext()) {
        // A row at a place the bath does not have is left alone: it may belong to
        // another station's bath and is not deleted from here.
        const std::optional<int> position = bathIndexOf(rs.value(QStringLiteral("POSITION")));
        if (!position) continue;
        lastPosition = *position;
        const QString sampleId = sampleIdOf(rs);
        if (sampleId.isEmpty()) continue;

        const bool kept = follow && lbl_wo[*position]->caption().trimmed() == sampleId;
        if (!kept && !Bath_Add_Sample(sampleId, true, *position)) {
            Remove_From_Bath(*position);
            continue;
        }
        const QString extra = db::textOf(rs.value(QStringLiteral("EXTRA"))).trimmed();
        if (!extra.isEmpty()) {
            // "RD=" description "RID=" id.
            const qsizetype rid = extra.indexOf(QLatin1String("RID="), 3);
            rackDesc = (rid < 0 ? extra.mid(3) : extra.mid(3, rid - 3)).trimmed();
            rackId = rid < 0 ? QString() : extra.mid(rid + 4).trimmed();
            rackRead = true;
        }
        if (kept) continue;
        lbl_inBath[*position]->setCaption(QStringLiteral("START"));
        img_bath[*position]->loadPicture(Bath_Image_Name(rs.value(QStringLiteral("PRIORITY"))));
        if (!extra.isEmpty()) ui::setTag(lbl_isoCode[*position], rackDesc);
        img_oldRack[*position]->setVisible(rackDesc == oldest);
    }
    if (rackRead) {
        if (!follow) Rack_Header_Show(true, rackDesc, rackId);
        Color_ISO_Labels(lastPosition);
    }
    const bool read = rs.isOpen();
    rs.close();
    return read;
}

void Form_Test::Batch_Fill_Positions()
{
    QList<Samples>& samples = commonModule::Curr_Batch().Sample;
    qsizetype running = samples.size() + 1;
    while (samples.size() < Bath_Size) {
        commonModule::Curr_Batch().Add_New_Batch_Sample(commonModule::Curr_Batch_Id, running++, QVariant(), QVariant(), QVariant(),
                                                        QVariant(), QVariant(), QVariant(), QVariant(), QVariant());
    }
}

void Form_Test::Bath_Reload() { Load_Open_Batch(Batch_Read::Refresh); }

bool Form_Test::Bath_Follow_Laboratory()
{
    if (Bath_Reading != Batch_Read::None) return false;
    return Load_Open_Batch(Batch_Read::Follow);
}

void Form_Test::Clear_Bath_Position(int Index)
{
    ui::Label* countdown = lbl_inBath[Index];
    ui::setTag(countdown, QString());
    countdown->setCaption(QString());
    countdown->setOpaque(false);
    countdown->setBorder(false);
    ui::Label* iso = lbl_isoCode[Index];
    iso->setCaption(QString());
    ui::setTag(iso, QString());
    iso->setOpaque(false);
    iso->setBorder(false);
    lbl_wo[Index]->setCaption(QString());
    ui::setTag(lbl_wo[Index], QString());
    img_bath[Index]->loadPicture(commonModule::Image_Dir + QStringLiteral("bttn_bath_idle.gif"));
    img_oldRack[Index]->hide();
}

void Form_Test::Remove_From_Bath(int Index)
{
    const QString sql = QStringLiteral("exec labrack.dbo.set_PC_Bath ") + QStringLiteral("@sampleId = '") +
                        sqlText(lbl_wo[Index]->caption().trimmed()) + QStringLiteral("', ") + QStringLiteral("@extra = null, ") +
                        QStringLiteral("@empNum = ") + QString::number(commonModule::Curr_Employee().Emp_Num) + QStringLiteral(", ") +
                        QStringLiteral("@position = ") + QString::number(Index + 1) + QStringLiteral(", ") +
                        QStringLiteral("@action = 'DELETE', ") + QStringLiteral("@test = 0");
    db::Recordset rs = dbModule::Get_Recordset(sql, true);
    const bool reached = rs.isOpen();
    const bool refused = reached && !rs.eof() && records::int16Of(rs.value(QStringLiteral("ERROR"))) != std::int16_t(0);
    if (!reached) {
        // The call never reached the laboratory (locked past its time-out, gone): the
        // laboratory still holds the sample there, so the bath is read again from it.
        const QString sample = lbl_wo[Index]->caption().trimmed();
        commonModule::Show_Alert(QStringLiteral("Sample %1 could not be taken out of the bath in the laboratory database; "
                                                "bath position %2 is still taken there. A refresh of the bath shows it again.")
                                     .arg(sample.isEmpty() ? QStringLiteral("(none)") : sample)
                                     .arg(Index + 1));
    } else if (refused) {
        commonModule::Show_Alert(db::textOf(rs.value(QStringLiteral("MESSAGE"))));
    }
    rs.close();
    // What the laboratory did not take out stays in its bath: the screen follows it,
    // and a sample it still holds at this place keeps its countdown.
    if ((!reached || refused) && Bath_Follow_Laboratory()) return;
    Clear_Bath_Position(Index);
}

QString Form_Test::Get_Oldest_Rack()
{
    db::Recordset rs = dbModule::Get_Recordset(QStringLiteral("exec labrack.dbo.Get_PC_Bath_OldestRack @labcode = '") +
                                                   laboratory::Lab_Code + QStringLiteral("'"),
                                               true);
    QString oldest;
    if (!rs.eof()) oldest = db::textOf(rs.value(QStringLiteral("RACK_DESC"))).trimmed();
    rs.close();
    return oldest;
}

void Form_Test::Show_Oldest_Rack()
{
    const QString oldest = Get_Oldest_Rack();
    if (oldest.isEmpty()) return;
    for (int i = 0; i < Bath_Size; ++i) img_oldRack[i]->setVisible(ui::tag(lbl_isoCode[i]).toString().trimmed() == oldest);
}

void Form_Test::Bath_Refresh(int Index)
{
    Show_Oldest_Rack();
    Color_ISO_Labels(Index);
}

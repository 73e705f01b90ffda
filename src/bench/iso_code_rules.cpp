#include "bench/iso_code_rules.h"

#include "common/common_module.h"
#include "platform/db/recordset.h"
#include "records/value_reading.h"

#include <optional>

namespace isoRules {

namespace {

const QString No_Hist = QStringLiteral("No Hist");
const QString Not_Entered = QStringLiteral("Not Entered");

bool isWithoutHistory(const QString& sampleHistory)
{
    const QString text = sampleHistory.trimmed();
    return text == No_Hist || text == Not_Entered;
}

std::optional<int> wholeNumber(const QString& text)
{
    const std::optional<std::int16_t> n = records::int16Of(QVariant(text));
    if (!n) return std::nullopt;
    return *n;
}

// A piece taken after a one-digit number still holds the "/" that followed it.
QString cutAtSlash(const QString& piece)
{
    const qsizetype slash = piece.indexOf(QLatin1Char('/'));
    if (slash < 0) return piece;
    if (slash == 0) return piece.mid(1);
    return piece.left(slash);
}

}  // namespace

QString Get_ISO_Channel_Code(int size, const QVariant& code)
{
    if (db::isNull(code)) return QString();
    // The first "/" must stand past the code's first character.
    if (db::textOf(code).indexOf(QLatin1Char('/')) < 1) return QString();

    const QString text = db::textOf(code).trimmed();
    QList<qsizetype> slashes;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('/')) slashes << i;

    QString piece;
    if (slashes.size() == 1) {
        if (size == 5)
            piece = text.left(slashes[0]);
        else if (size == 15)
            piece = text.mid(slashes[0] + 1, 2);
        else
            return QString();
    } else if (slashes.size() == 2) {
        if (size == 2)
            piece = text.left(slashes[0]);
        else if (size == 5)
            piece = text.mid(slashes[0] + 1, 2);
        else if (size == 15)
            piece = text.mid(slashes[1] + 1, 2);
        else
            return QString();
    } else {
        // Three "/" or more is no ISO code.
        return QString();
    }
    return cutAtSlash(piece);
}

bool Is_Valid_ISO_Code(const QVariant& code)
{
    if (db::isNull(code)) return false;
    const QString text = db::textOf(code).trimmed();
    if (text.isEmpty() || !text.contains(QLatin1Char('/'))) return false;
    return text.count(QLatin1Char('/')) == 2;
}

bool Compare_ISO_Limits(const QString& last5, const QString& sample5, int iso5Sample)
{
    const std::optional<int> x = wholeNumber(last5);
    const std::optional<int> y = wholeNumber(sample5);
    if (!x || !y) return false;
    return *x == *y || (*x < iso5Sample && *y < iso5Sample) || *x < *y;
}

bool Check_ISO_History(const QString& newestIso, const QString& sampleHistory, int iso5Sample)
{
    if (newestIso.isEmpty()) return true;
    if (!newestIso.contains(QLatin1Char('/'))) return false;
    const QString newest = newestIso.trimmed();
    const QString last = newest.left(newest.indexOf(QLatin1Char('/'))).trimmed();
    const QString sample = isWithoutHistory(sampleHistory) ? QString::number(iso5Sample - 1) : Get_ISO_Channel_Code(5, sampleHistory);
    return Compare_ISO_Limits(last, sample, iso5Sample);
}

QColor Iso_History_Color(bool bBack, const QString&, const QString& iso5, const QString& iso15, int iso5Sample, int iso15Sample)
{
    const QColor black(0, 0, 0);
    const QColor yellow(255, 255, 0);
    QColor back(255, 140, 0);
    QColor fore = black;
    const std::optional<int> c5 = wholeNumber(iso5);
    const std::optional<int> c15 = wholeNumber(iso15);
    if (c5 && c15) {
        if (*c15 < iso15Sample && *c5 < iso5Sample) {
            back = QColor(0, 223, 14);
        } else if (*c15 < 20 && *c5 < 20) {
            back = yellow;
        } else if (*c15 >= 18 && *c5 > 19) {
            back = QColor(255, 0, 0);
            fore = QColor(255, 255, 255);
        } else {
            back = yellow;
        }
    }
    return bBack ? back : fore;
}

Iso_Label_Look Iso_Label_Colors(const QString& newestIso, const QString& sampleHistory, int iso5Sample)
{
    Iso_Label_Look look;
    if (Check_ISO_History(newestIso, sampleHistory, iso5Sample)) {
        const bool grey = !isWithoutHistory(sampleHistory) && !Is_Valid_ISO_Code(sampleHistory);
        look.back = grey ? QColor(175, 175, 175) : commonModule::Color_White;
        look.opaque = true;
        look.border = true;
        look.fore = QColor(0, 0, 0);
        look.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    } else {
        look.opaque = false;
        look.border = false;
        look.fore = commonModule::Color_White;
        look.alignment = Qt::AlignRight | Qt::AlignVCenter;
    }
    return look;
}

}  // namespace isoRules

#include "bench/count_report.h"

#include <cmath>
#include <optional>

namespace countReport {

namespace {

const QString kMarker = QStringLiteral("!LPR1");

std::optional<double> numberOf(const QVariant& value)
{
    if (!value.isValid() || value.isNull()) return std::nullopt;
    bool ok = false;
    const double d = value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok) : value.toDouble(&ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

// A whole number as the station shows and sends it; beyond the range of a 64-bit
// integer it stays a (rounded) floating-point value.
QVariant wholeValue(double d)
{
    const double rounded = std::nearbyint(d);
    if (std::fabs(rounded) < 9.0e18) return QVariant(static_cast<qlonglong>(rounded));
    return QVariant(rounded);
}

QString fieldAt(const QStringList& fields, int i) { return i < fields.size() ? fields.at(i) : QString(); }

QVariant codeOf(const QString& part)
{
    const std::optional<double> d = numberOf(part);
    return d ? wholeValue(*d) : QVariant(part);
}

}  // namespace

QString Report_Text(const QString& received)
{
    const qsizetype start = received.lastIndexOf(kMarker);
    if (start < 0) return received;
    QString text = received.mid(start);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\r') || text.at(i) == QLatin1Char('\n')) {
            text.truncate(i);
            break;
        }
    }
    return text;
}

QStringList Earlier_Report_Lines(const QString& received)
{
    QStringList lines;
    const qsizetype last = received.lastIndexOf(kMarker);
    for (qsizetype at = received.indexOf(kMarker); at >= 0 && at < last;) {
        const qsizetype next = received.indexOf(kMarker, at + kMarker.size());
        lines << Report_Line(Report_Text(received.mid(at, next - at)).split(QLatin1Char(',')));
        at = next;
    }
    return lines;
}

QString Report_Line(const QStringList& fields)
{
    QString line;
    const qsizetype last = fields.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        line += fields.at(i);
        if (i != last - 1) line += QLatin1Char(',');
    }
    return line;
}

int Iso_Field(const QStringList& fields)
{
    for (qsizetype i = fields.size() - 1; i >= 0; --i) {
        if (fields.at(i).contains(QLatin1String("ISO"), Qt::CaseSensitive)) return static_cast<int>(i);
    }
    return -1;
}

QString Iso_Text(const QString& iso_field)
{
    const qsizetype colon = iso_field.indexOf(QLatin1String(": "));
    return colon >= 0 ? iso_field.mid(colon + 2) : iso_field.mid(1);
}

void Split_Iso_Codes(const QString& iso_text, QVariant& code5, QVariant& code15)
{
    // A text without "/" is all 5 µm code and no 15 µm code.
    const qsizetype slash = iso_text.indexOf(QLatin1Char('/'));
    code5 = codeOf(slash >= 0 ? iso_text.left(slash) : iso_text);
    code15 = codeOf(slash >= 0 ? iso_text.mid(slash + 1) : QString());
}

bool Is_Invalid(const QVariant& code5, const QVariant& code15)
{
    const std::optional<double> c5 = numberOf(code5);
    const std::optional<double> c15 = numberOf(code15);
    return c5 && c15 && *c5 <= 2 && *c15 <= 2;
}

Count_Report Read_Report(const QString& received)
{
    Count_Report r;
    r.has_marker = received.contains(kMarker);
    r.fields = Report_Text(received).split(QLatin1Char(','));
    r.report_line = Report_Line(r.fields);
    r.earlier_lines = Earlier_Report_Lines(received);

    const int iso = Iso_Field(r.fields);
    r.has_iso = iso >= 0;
    if (r.has_iso) {
        r.iso_text = Iso_Text(r.fields.at(iso));
        Split_Iso_Codes(r.iso_text, r.code5, r.code15);
        r.invalid = Is_Invalid(r.code5, r.code15);
    }

    const std::optional<double> volume = numberOf(fieldAt(r.fields, Volume_Field));
    if (volume && std::fabs(std::nearbyint(*volume)) <= 32767) r.volume = static_cast<std::int16_t>(std::nearbyint(*volume));

    for (int i = 0; i < 5; ++i) r.counts[i] = fieldAt(r.fields, First_Count_Field + i);

    // Fewer than 10 particles of 50 µm per unit volume: the larger channels are noise.
    double per_volume_50 = 0;
    const std::optional<double> c50 = numberOf(fieldAt(r.fields, First_Count_Field + 4));
    if (c50 && r.volume != 0) per_volume_50 = std::nearbyint(*c50) / r.volume;
    if (per_volume_50 < 10) {
        r.counts[5] = QStringLiteral("0");
        r.counts[6] = 0;
    } else {
        r.counts[5] = fieldAt(r.fields, First_Count_Field + 5);
        const std::optional<double> c200 = numberOf(fieldAt(r.fields, First_Count_Field + 6));
        r.counts[6] = c200 ? QVariant(*c200) : QVariant(QString());
    }
    return r;
}

std::array<QVariant, Channel_Count> Per_Volume(const std::array<QVariant, Channel_Count>& counts, std::int16_t volume)
{
    std::array<QVariant, Channel_Count> out = counts;
    if (volume == 0) return out;
    for (QVariant& v : out) {
        const std::optional<double> d = numberOf(v);
        if (d) v = wholeValue(*d / volume);
    }
    return out;
}

}  // namespace countReport

#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <cstdint>

// The particle counter's report taken apart: the fields the bench reads, the two
// ISO codes, the volume and the seven channel counts. Only the report itself counts:
// whatever the counter sent before its last "!LPR1" (its answers to the commands)
// and the line end after it are left out, so the fields keep their numbers and the
// log line stays one clean CSV line.
namespace countReport {

inline constexpr int Channel_Count = 7;  // 2, 5, 15, 25, 50, 100 and 200 µm
inline constexpr int First_Count_Field = 16;
inline constexpr int Volume_Field = 24;

struct Count_Report {
    QStringList fields;         // field 0 is "!LPR1"
    QString report_line;        // the line written to the logs
    QStringList earlier_lines;  // reports received before this one, for the active log
    bool has_marker = false;    // the text holds "!LPR1": without it, it is no report
    bool has_iso = false;       // some field holds "ISO"
    QString iso_text;           // "13/9"
    // The 5 and 15 µm codes: whole numbers, or text that is not a number ("16/13").
    QVariant code5;
    QVariant code15;
    bool invalid = false;     // both codes are numbers of 2 or less
    std::int16_t volume = 0;  // 0 when missing or unreadable
    // As received, with the 100 and 200 µm counts 0 below 10 per unit volume at
    // 50 µm; a missing field gives an empty value.
    std::array<QVariant, Channel_Count> counts;

    bool has_counts() const { return fields.size() > First_Count_Field; }
};

// The report out of everything received: from the last "!LPR1" up to the line end
// that follows it. A text without the marker is taken whole.
QString Report_Text(const QString& received);

// The reports that came before the last one in the same text (two reports read at
// once), each from its "!LPR1" up to its line end or the next "!LPR1", as log lines.
QStringList Earlier_Report_Lines(const QString& received);

// The fields written back for the logs: every field followed by a comma, except the
// one before the last. For a report that ends in a comma this is the report itself.
QString Report_Line(const QStringList& fields);

// The number of the highest field that holds "ISO" (letter case as written), -1 for none.
int Iso_Field(const QStringList& fields);

// The ISO text of the ISO field: what follows its first ": ", or the field from its
// second character on when it has none.
QString Iso_Text(const QString& iso_field);

// Splits the ISO text at its first "/"; each part that is a number becomes that
// number rounded to a whole one, any other part stays text.
void Split_Iso_Codes(const QString& iso_text, QVariant& code5, QVariant& code15);

bool Is_Invalid(const QVariant& code5, const QVariant& code15);

Count_Report Read_Report(const QString& received);

// Each count divided by the volume and rounded to a whole number (a half to the even
// neighbour). A volume of 0, or a count that is not a number, leaves the count as
// received.
std::array<QVariant, Channel_Count> Per_Volume(const std::array<QVariant, Channel_Count>& counts, std::int16_t volume);

}  // namespace countReport

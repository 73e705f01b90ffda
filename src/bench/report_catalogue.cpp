#include "bench/report_catalogue.h"

#include <QStringList>

namespace reportCatalogue {
namespace {

struct Row {
    const char* code;
    const char* duration;
    const char* kind;
    const char* counts;  // the eight counts, blank-separated
    const char* volume;
    const char* date;
    const char* time;
    const char* sample;
};

constexpr Row kRows[Line_Count] = {
    {"13/9", "00:00:28.76", "BP", "4446 908 51 13 0 0 0 0", "20.00", "03/26/04", "12:05:03", "CHECK"},
    {"14/9", "00:00:39.14", "BP", "9739 2122 79 11 1 0 0 0", "20.00", "03/29/04", "15:45:47", "CHECK"},
    {"14/11", "00:00:30.14", "BP", "7757 2246 256 76 11 0 0 0", "20.00", "03/26/04", "11:05:55", "CHECK"},
    {"14/12", "00:00:27.75", "BP", "6785 2818 408 133 18 0 0 0", "20.00", "03/29/04", "13:15:22", "01100663"},
    {"15/11", "00:00:25.74", "BP", "15462 4735 388 71 11 2 2 2", "20.00", "03/26/04", "15:01:13", "CHECK"},
    {"16/11", "00:00:19.09", "BP", "166655 10424 394 64 4 0 0 0", "20.00", "03/29/04", "12:34:36", "01100652"},
    {"16/12", "00:00:23.34", "BP", "21919 7120 560 117 12 1 1 1", "20.00", "03/29/04", "10:16:03", "01100625"},
    {"16/13", "00:00:25.70", "BP", "27730 9265 1093 193 21 2 2 2", "20.00", "03/26/04", "15:00:10", "CHECK"},
    {"17/13", "00:00:35.78", "BP", "39748 15590 1453 320 23 0 0 0", "20.00", "03/29/04", "13:12:47", "01100662"},
    {"17/14", "00:00:31.67", "BP", "41131 16842 1966 320 14 0 0 0", "20.00", "03/29/04", "10:12:57", "01100624"},
    {"18/13", "00:00:24.00", "BP", "104229 13195 604 103 10 0 0 0", "8.00", "03/30/04", "14:55:18", "01100985"},
    {"18/14", "00:00:19.98", "BP", "221860 37823 2319 353 14 0 0 0", "20.00", "03/29/04", "12:22:27", "01100649"},
    {"18/15", "00:01:05.39", "BP", "102214 33927 4181 890 77 0 0 0", "20.00", "03/26/04", "15:09:30", "CHECK"},
    {"19/14", "00:00:29.97", "BP", "384618 72973 2429 454 29 3 3 3", "20.00", "03/29/04", "15:43:38", "01100896"},
    {"19/15", "00:00:20.40", "BP", "100959 53978 5934 1004 23 1 1 1", "20.00", "03/29/04", "12:27:48", "CHECK"},
    {"19/16", "00:01:04.53", "BP", "215861 68976 4998 468 32 3 3 3", "15.00", "03/26/04", "14:48:13", "CHECK"},
    {"20/16", "00:01:45.35", "BP", "271082 101981 6798 367 24 0 0 0", "20.00", "03/30/04", "12:26:35", "01100937"},
    {"20/17", "00:00:15.44", "BP", "331743 169430 13625 2480 207 13 13 13", "20.00", "03/29/04", "10:31:02", "CHECK"},
    {"20/19", "00:00:30.70", "BP", "303744 197922 66849 23500 760 3 3 3", "20.00", "03/29/04", "12:54:00", "CHECK"},
    {"21/18", "00:00:30.40", "BP", "575185 387067 46533 4317 17 2 2 2", "20.00", "03/29/04", "10:28:19", "CHECK"},
    {"21/19", "00:00:24.00", "BP", "211944 108685 21900 6530 601 13 13 13", "8.00", "03/30/04", "14:52:59", "01100964"},
    {"22/16", "00:00:24.00", "BP", "308474 186994 5106 299 25 3 3 3", "8.00", "03/30/04", "15:02:00", "01100995"},
    {"22/19", "00:00:24.00", "BP", "336376 249809 21768 1492 65 1 1 1", "8.00", "04/01/04", "10:32:31", "01101718"},
    {"22/20", "00:00:24.00", "BF", "309401 242586 57372 15907 1670 11 11 11", "8.00", "03/30/04", "15:26:15", "01101025"},
    {"22/21", "00:01:53.80", "BP", "865387 742251 347342 83167 6483 145 145 145", "20.00", "03/26/04", "14:57:57", "CHECK"},
};

// Fields 0 to 32 of one line; field 32 is the empty field after the closing comma.
QString buildLine(const Row& row)
{
    QStringList fields;
    fields << QStringLiteral("!LPR1") << QString::fromLatin1(row.duration) << QString::fromLatin1(row.kind);
    fields << QStringLiteral("RP") << QStringLiteral("GP") << QStringLiteral("LP") << QStringLiteral("8") << QStringLiteral("C");
    fields << QStringLiteral("2.00") << QStringLiteral("5.00") << QStringLiteral("15.00") << QStringLiteral("25.00")
           << QStringLiteral("50.00") << QStringLiteral("100.00") << QStringLiteral("100.00") << QStringLiteral("100.00");
    fields << QString::fromLatin1(row.counts).split(QLatin1Char(' '));
    fields << QString::fromLatin1(row.volume) << QString::fromLatin1(row.date) << QString::fromLatin1(row.time);
    fields << QStringLiteral("LAB.TECH") << QStringLiteral("22222222") << QString::fromLatin1(row.sample) << QString();
    fields << QStringLiteral("ISO Code: ") + QString::fromLatin1(row.code) << QString();
    return fields.join(QLatin1Char(','));
}

}  // namespace

const std::array<Entry, Line_Count>& entries()
{
    static const std::array<Entry, Line_Count> all = [] {
        std::array<Entry, Line_Count> built;
        for (int i = 0; i < Line_Count; ++i) {
            built[i] = Entry{QString::fromLatin1(kRows[i].code), buildLine(kRows[i])};
        }
        return built;
    }();
    return all;
}

const Entry* find(const QString& code)
{
    for (const Entry& entry : entries()) {
        if (entry.code == code) return &entry;
    }
    return nullptr;
}

}  // namespace reportCatalogue

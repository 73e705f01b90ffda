#include "simulator_options.h"

#include "report_line.h"

#include "bench/report_catalogue.h"

namespace simulator {

namespace {

bool wholeNumber(const QString& text, qint64 min, qint64 max, qint64* value)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v < min || v > max) return false;
    *value = v;
    return true;
}

// The codes of the catalogue, in its order: "13/9, 14/9, ..., 22/21"; with a width,
// cut into lines of at most that width, each after the first indented by indent.
QString catalogueCodes(qsizetype width = 0, const QString& indent = QString())
{
    QString text;
    qsizetype lineStart = 0;
    for (const reportCatalogue::Entry& entry : reportCatalogue::entries()) {
        if (!text.isEmpty()) {
            text += QLatin1Char(',');
            if (width > 0 && text.size() - lineStart + 2 + entry.code.size() > width) {
                text += QLatin1Char('\n') + indent;
                lineStart = text.size();
            } else {
                text += QLatin1Char(' ');
            }
        }
        text += entry.code;
    }
    return text;
}

}  // namespace

QString usage()
{
    return QStringLiteral("counter_simulator [options]: a particle counter on a pseudo-terminal.\n"
                          "Prints \"terminal: PATH\" once the terminal is open; the station opens PATH as its\n"
                          "serial device. Ends on SIGTERM or SIGINT, or when \"quit\" is typed on its input.\n"
                          "\n"
                          "  --iso CODE          report the catalogue's line of this ISO code (default 16/13):\n"
                          "                      %1\n"
                          "  --counts LIST       report these counts instead: seven (or eight) whole numbers\n"
                          "                      for 2,5,15,25,50,100,200 um, the ISO code by the ISO 4406 table\n"
                          "  --volume ML         sample volume of --counts (default 20)\n"
                          "  --time SECONDS      counting time from \"S\" to the report (default 3; fractions allowed)\n"
                          "  --chunks MODE       whole | 1 | random: how the counter's text is cut into writes\n"
                          "  --chunk-delay MS    pause between two writes (default 2)\n"
                          "  --seed N            of the random chunk sizes (default 4406)\n"
                          "  --lead-line-end     a line end before the report\n"
                          "  --no-iso            the report's ISO field is left empty\n"
                          "  --no-counts         the report stops before its counts, its ISO field kept\n"
                          "  --echo              answer every command taken with \"OK\" and a line end\n"
                          "  --silent            never send anything (a counter switched off)\n"
                          "  --link PATH         make PATH a symbolic link to the terminal while running\n"
                          "  --help              this text\n")
        .arg(catalogueCodes(60, QString(22, QLatin1Char(' '))));
}

bool parseCommandLine(const QStringList& arguments, CommandLine* out, QString* error)
{
    CommandLine c;
    QString iso = QStringLiteral("16/13");
    QString counts;
    double volume = 20;
    bool noIso = false;
    bool noCounts = false;
    auto fail = [error](const QString& why) {
        *error = why;
        return false;
    };

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        auto value = [&](QString* v) {
            if (i + 1 >= arguments.size()) return false;
            *v = arguments[++i];
            return true;
        };
        QString v;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            c.help = true;
        } else if (a == QLatin1String("--lead-line-end")) {
            c.options.leadLineEnd = true;
        } else if (a == QLatin1String("--no-iso")) {
            noIso = true;
        } else if (a == QLatin1String("--no-counts")) {
            noCounts = true;
        } else if (a == QLatin1String("--echo")) {
            c.options.echo = true;
        } else if (a == QLatin1String("--silent")) {
            c.options.silent = true;
        } else if (a == QLatin1String("--iso")) {
            if (!value(&iso)) return fail(QStringLiteral("--iso needs a code"));
        } else if (a == QLatin1String("--counts")) {
            if (!value(&counts)) return fail(QStringLiteral("--counts needs a list"));
        } else if (a == QLatin1String("--volume")) {
            bool ok = false;
            if (!value(&v) || (volume = v.toDouble(&ok), !ok) || !(volume > 0))
                return fail(QStringLiteral("--volume needs a volume above 0"));
        } else if (a == QLatin1String("--time")) {
            bool ok = false;
            const double seconds = value(&v) ? v.toDouble(&ok) : -1;
            if (!ok || seconds < 0 || seconds > 3600) return fail(QStringLiteral("--time needs 0 to 3600 seconds"));
            c.options.countingMs = int(seconds * 1000 + 0.5);
        } else if (a == QLatin1String("--chunks")) {
            if (!value(&v)) return fail(QStringLiteral("--chunks needs whole, 1 or random"));
            if (v == QLatin1String("whole"))
                c.options.chunks = Chunks::Whole;
            else if (v == QLatin1String("1"))
                c.options.chunks = Chunks::Single;
            else if (v == QLatin1String("random"))
                c.options.chunks = Chunks::Random;
            else
                return fail(QStringLiteral("--chunks needs whole, 1 or random, not %1").arg(v));
        } else if (a == QLatin1String("--chunk-delay")) {
            qint64 ms = 0;
            if (!value(&v) || !wholeNumber(v, 0, 10000, &ms)) return fail(QStringLiteral("--chunk-delay needs 0 to 10000 ms"));
            c.options.chunkDelayMs = int(ms);
        } else if (a == QLatin1String("--seed")) {
            qint64 seed = 0;
            if (!value(&v) || !wholeNumber(v, 0, 0xffffffffLL, &seed)) return fail(QStringLiteral("--seed needs a number"));
            c.options.seed = quint32(seed);
        } else if (a == QLatin1String("--link")) {
            if (!value(&c.link)) return fail(QStringLiteral("--link needs a path"));
        } else {
            return fail(QStringLiteral("unknown option %1").arg(a));
        }
    }

    if (!counts.isEmpty()) {
        QList<qint64> numbers;
        for (const QString& part : counts.split(QLatin1Char(','))) {
            qint64 n = 0;
            if (!wholeNumber(part, 0, 999999999, &n)) return fail(QStringLiteral("--counts: %1 is not a count").arg(part));
            numbers << n;
        }
        const std::optional<QByteArray> line = countsReport(numbers, volume, c.options.countingMs);
        if (!line) return fail(QStringLiteral("--counts needs 7 or 8 counts whose ISO code lies in the table"));
        c.options.report = *line;
    } else {
        const std::optional<QByteArray> line = catalogueReport(iso);
        if (!line)
            return fail(
                QStringLiteral("--iso: no report line for %1; the codes it knows: %2 (other codes with --counts)").arg(iso, catalogueCodes()));
        c.options.report = *line;
    }
    if (noCounts) c.options.report = withoutCounts(c.options.report);
    if (noIso) c.options.report = withoutIsoField(c.options.report);
    *out = c;
    return true;
}

}  // namespace simulator

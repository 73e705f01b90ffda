// labdb: makes the laboratory database file of a new station and runs statements on it.
//
//   labdb init [--demo] FILE
//   labdb exec [--tsv] FILE "statement"
#include "labdb/embedded_connection.h"
#include "labdb/labdb.h"
#include "labdb/table_text.h"
#include "platform/db/station_connection.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const char* const kUsage = "usage: labdb init [--demo] FILE\n"
                           "       labdb exec [--tsv] FILE \"statement\"\n"
                           "init makes the laboratory database of a new station (with the demo laboratory when --demo is\n"
                           "given); a station's database that has gone missing is restored from its backup, not made anew;\n"
                           "exec runs one statement as the station sends it and prints its answer.\n";

int usage(QTextStream& err)
{
    err << kUsage;
    return 2;
}

int init(const QStringList& args, QTextStream& out, QTextStream& err)
{
    bool demo = false;
    QStringList files;
    for (const QString& a : args) {
        if (a == QLatin1String("--demo"))
            demo = true;
        else
            files << a;
    }
    if (files.size() != 1) return usage(err);
    QString error;
    if (!labdb::createDatabase(files[0], demo, &error)) {
        err << error << '\n';
        return 1;
    }
    out << "Created " << files[0] << (demo ? " with the demo laboratory.\n" : ".\n");
    return 0;
}

int exec(const QStringList& args, QTextStream& out, QTextStream& err)
{
    bool tsv = false;
    QStringList rest;
    for (const QString& a : args) {
        if (a == QLatin1String("--tsv"))
            tsv = true;
        else
            rest << a;
    }
    if (rest.size() != 2) return usage(err);
    labdb::EmbeddedConnection connection;
    connection.setCommandTimeout(20);
    if (!connection.open(QString::fromLatin1(db::kEmbeddedPrefix) + rest[0], QString(), QString())) {
        for (const db::DbError& e : connection.errors()) err << e.description << '\n';
        return 1;
    }
    db::Recordset answer;
    const bool ok = connection.execute(rest[1], &answer);
    for (const db::DbError& e : connection.errors()) err << "Error[" << e.number << "] (" << e.sqlState << "): " << e.description << '\n';
    if (!ok) return 1;
    if (answer.isOpen())
        out << (tsv ? labdb::tabSeparated(answer) : labdb::alignedTable(answer));
    else if (!tsv)
        out << "Done; the statement answered no rows.\n";
    return connection.errors().isEmpty() ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usage(err);
    if (args[0] == QLatin1String("init")) return init(args.mid(1), out, err);
    if (args[0] == QLatin1String("exec")) return exec(args.mid(1), out, err);
    return usage(err);
}

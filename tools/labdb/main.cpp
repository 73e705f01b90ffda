// labdb: makes the laboratory database file of a new station and runs statements on it.
//
//   labdb init [--demo] FILE
//   labdb exec [--tsv] FILE "statement"
//   labdb --help
#include "labdb/embedded_connection.h"
#include "labdb/labdb.h"
#include "labdb/table_text.h"
#include "platform/db/station_connection.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const char* const kUsage = "usage: labdb init [--demo] FILE\n"
                           "       labdb exec [--tsv] FILE \"statement\"\n"
                           "       labdb --help\n";

const char* const kHelp = "init makes a new laboratory database file for a new station (with the demo laboratory\n"
                          "when --demo is given); it never overwrites a file. A station whose file is missing\n"
                          "gets it back from its backup, not from init.\n"
                          "\n"
                          "exec runs one statement on FILE as the station sends it to the laboratory's SQL Server\n"
                          "and prints the answer as a table (--tsv: tab-separated, NULL written as NULL); it exits\n"
                          "1 when the statement left an error. It takes the station's own calls, e.g.\n"
                          "  exec labrack.dbo.get_pc_history 'ZIVIRUZEZ', '04250019'   (a sample's newest count)\n"
                          "  exec lab.dbo.validate_password @UserPassword = 'demo1'\n"
                          "and the station's queries of sop.dbo.documents, labrack.dbo.lab_software,\n"
                          "labrack.dbo.lab_software_settings and travomi.dbo.view_employees, e.g.\n"
                          "  select * from labrack.dbo.lab_software_settings\n"
                          "Any other statement is refused. FILE is an SQLite database: sqlite3 -readonly FILE\n"
                          "reads all of it.\n";

int usage(QTextStream& err)
{
    err << kUsage << "labdb --help tells what init and exec do.\n";
    return 2;
}

int help(QTextStream& out)
{
    out << kUsage << '\n' << kHelp;
    return 0;
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
    if (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") || args[0] == QLatin1String("help")) return help(out);
    if (args[0] == QLatin1String("init")) return init(args.mid(1), out, err);
    if (args[0] == QLatin1String("exec")) return exec(args.mid(1), out, err);
    return usage(err);
}

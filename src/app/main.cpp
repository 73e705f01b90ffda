#include "labdb/labdb.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    labdb::registerEmbeddedBackend();
    QTextStream(stdout) << "pcstation: the login screen is not built yet; nothing to show." << Qt::endl;
    return 0;
}

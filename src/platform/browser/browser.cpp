#include "platform/browser/browser.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace browser {

bool openAddress(const QString& program, const QString& address, QString* error)
{
    QStringList words = QProcess::splitCommand(program);
    if (words.isEmpty()) {
        if (error) *error = QStringLiteral("No browser program is set for this station.");
        return false;
    }
    const QString command = words.takeFirst();
    if (QStandardPaths::findExecutable(command).isEmpty() && !QFileInfo(command).isExecutable()) {
        if (error) *error = QStringLiteral("The browser program \"%1\" was not found.").arg(command);
        return false;
    }
    words << address;
    if (!QProcess::startDetached(command, words)) {
        if (error) *error = QStringLiteral("The browser program \"%1\" could not be started.").arg(command);
        return false;
    }
    return true;
}

}  // namespace browser

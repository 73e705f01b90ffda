#include "platform/browser/browser.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace browser {

bool openAddress(const QString& program, const QString& address, QString* error, LateFailure failedLater)
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

    // Watched until it ends, so that a program that gives up is told. The station's
    // exits end the process at once, which leaves a browser opened from it running.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(command);
    process->setArguments(words << address);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, [process, command, failedLater](int exitCode, QProcess::ExitStatus status) {
        process->deleteLater();
        if ((status == QProcess::NormalExit && exitCode == 0) || !failedLater) return;
        failedLater(status == QProcess::NormalExit
                        ? QStringLiteral("The browser program \"%1\" could not show it (exit code %2); this desktop may have no web browser.")
                              .arg(command)
                              .arg(exitCode)
                        : QStringLiteral("The browser program \"%1\" stopped before showing it.").arg(command));
    });
    process->start();
    if (!process->waitForStarted(5000)) {
        if (error) *error = QStringLiteral("The browser program \"%1\" could not be started.").arg(command);
        process->disconnect();
        delete process;
        return false;
    }
    return true;
}

}  // namespace browser

#include "XdgOpen.h"

#include <QCoreApplication>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>

namespace desktop {

std::optional<bool> OpenWithXdgOpen(const QUrl& url, int waitMs) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return std::nullopt;
    auto* process = new QProcess;
    process->setProgram(opener);
    // One argument, no shell: nothing in the address is interpreted.
    process->setArguments({url.toString(QUrl::FullyEncoded)});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    if (process->waitForFinished(waitMs)) {
        const bool opened =
            process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        delete process;
        return opened;
    }
    // Still running: let it run and free the object when it ends, or with the
    // application, whichever comes first.
    process->setParent(QCoreApplication::instance());
    QObject::connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), process,
                     &QObject::deleteLater);
    return true;
}

} // namespace desktop

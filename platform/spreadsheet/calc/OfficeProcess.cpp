#include "OfficeProcess.h"

#include "UnoSupport.h"
#include "automation/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace spreadsheet::calc {

namespace {

[[noreturn]] void cannotStart(const QString& reason) {
    throw automation::Error(automation::errors::CannotCreateObject,
                            QStringLiteral("LibreOffice Calc cannot be started: %1").arg(reason));
}

QString findProgram(const QString& program) {
    if (program.contains(u'/'))
        return QFileInfo(program).isExecutable() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

bool writeAll(int fd, const void* data, size_t size) {
    return ::write(fd, data, size) == ssize_t(size);
}

// Variables only the host's own UNO runtime needs; in Calc's environment they would
// replace Calc's own bootstrap settings.
bool hostOnly(const char* entry) {
    static const char* const names[] = {"URE_BOOTSTRAP=", "UNO_TYPES=", "UNO_SERVICES="};
    for (const char* name : names)
        if (std::strncmp(entry, name, std::strlen(name)) == 0)
            return true;
    return false;
}

} // namespace

pid_t StartOffice(const Options& options, const QString& pipeName) {
    const QString program = findProgram(options.program);
    if (program.isEmpty())
        cannotStart(
            QStringLiteral("\"%1\" was not found. Install LibreOffice Calc.").arg(options.program));
    if (!QDir().mkpath(options.profileDir))
        cannotStart(
            QStringLiteral("its profile folder \"%1\" cannot be created.").arg(options.profileDir));
    // Nothing of ours answers on the profile's pipe (the caller tried), so a lock file
    // left by a Calc that was killed is stale; without it Calc asks no questions.
    QFile::remove(options.profileDir + QStringLiteral("/.lock"));

    QStringList arguments = {
        program,
        QStringLiteral("-env:UserInstallation=") +
            QUrl::fromLocalFile(options.profileDir).toString(QUrl::FullyEncoded),
        QStringLiteral("--norestore"),
        QStringLiteral("--nologo"),
        QStringLiteral("--nodefault"),
        QStringLiteral("--nolockcheck"),
        QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipeName)};
    if (options.headless)
        arguments << QStringLiteral("--headless") << QStringLiteral("--invisible");
    std::vector<QByteArray> bytes;
    for (const QString& argument : arguments)
        bytes.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const QByteArray log = QFile::encodeName(options.profileDir + QStringLiteral("/calc.log"));
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry)
        if (!hostOnly(*entry))
            environment.push_back(*entry);
    environment.push_back(nullptr);

    // The grandchild reports its pid, then either execs (closing the pipe) or reports
    // why it could not.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        cannotStart(QString::fromLocal8Bit(std::strerror(errno)));
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        cannotStart(QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (child == 0) {
        // Only async-signal-safe calls from here on.
        ::close(report[0]);
        if (::fork() != 0)
            ::_exit(0);
        ::setsid();
        ::umask(077); // Calc's pipe and files are the user's alone
        std::signal(SIGPIPE, SIG_DFL);
        // Above the standard three, whatever the host left open there.
        int reportFd = ::fcntl(report[1], F_DUPFD_CLOEXEC, 3);
        const int null = ::open("/dev/null", O_RDONLY);
        const int out = ::open(log.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (null >= 0)
            ::dup2(null, STDIN_FILENO);
        if (out >= 0) {
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
        }
        // Nothing of the host's but the report pipe (closed by the exec) reaches Calc.
        if (reportFd != 3 && ::dup2(reportFd, 3) == 3) {
            reportFd = 3;
            ::fcntl(reportFd, F_SETFD, FD_CLOEXEC);
        }
        ::close_range(4, ~0U, 0);
        const pid_t self = ::getpid();
        writeAll(reportFd, &self, sizeof self);
        ::execve(argv[0], argv.data(), environment.data());
        const int error = errno;
        writeAll(reportFd, &error, sizeof error);
        ::_exit(127);
    }
    ::close(report[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    pid_t group = 0;
    int error = 0;
    const bool gotPid = ::read(report[0], &group, sizeof group) == ssize_t(sizeof group);
    const bool failed = ::read(report[0], &error, sizeof error) == ssize_t(sizeof error);
    ::close(report[0]);
    if (!gotPid)
        cannotStart(QStringLiteral("the process could not be created."));
    if (failed)
        cannotStart(QStringLiteral("\"%1\": %2")
                        .arg(program, QString::fromLocal8Bit(std::strerror(error))));
    return group;
}

bool GroupRunning(pid_t group) {
    return group > 0 && ::kill(-group, 0) == 0;
}

} // namespace spreadsheet::calc

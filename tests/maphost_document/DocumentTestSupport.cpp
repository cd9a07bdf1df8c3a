#include "DocumentTestSupport.h"

#include "automation/Error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace doctest {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(text), text.size());
}

QString writeIn(const QString& folder, const QString& name, const QByteArray& text) {
    const QString path = QDir(folder).filePath(name);
    writeText(path, text);
    return path;
}

void runSql(const QString& path, const QByteArray& statements) {
    GDALAllRegister();
    GDALDataset* ds = GDALDataset::Open(path.toUtf8().constData(), GDAL_OF_VECTOR | GDAL_OF_UPDATE);
    ASSERT_NE(ds, nullptr) << path.toStdString();
    for (const QByteArray& sql : statements.split(';'))
        if (!sql.trimmed().isEmpty())
            ds->ReleaseResultSet(ds->ExecuteSQL(sql.constData(), nullptr, nullptr));
    GDALClose(ds);
}

QString errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const automation::Error& e) {
        EXPECT_EQ(e.number(), automation::errors::FileError) << e.what();
        return e.description().isEmpty() ? QStringLiteral("(empty description)") : e.description();
    }
    return {};
}

QString errorWithin(int seconds, const std::function<void()>& call) {
    int fds[2];
    if (::pipe(fds) != 0)
        return QStringLiteral("(no result: no pipe)");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        QByteArray text;
        try {
            call();
        } catch (const automation::Error& e) {
            text = e.description().toUtf8();
        } catch (const std::exception& e) {
            text = QByteArray("(other exception: ") + e.what() + ')';
        }
        const ssize_t written = ::write(fds[1], text.constData(), size_t(text.size()));
        ::_exit(written == text.size() ? 0 : 1);
    }
    ::close(fds[1]);
    QByteArray text;
    bool finished = false;
    pollfd pfd{fds[0], POLLIN, 0};
    while (::poll(&pfd, 1, seconds * 1000) > 0) {
        char buffer[4096];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0) {
            finished = true;
            break;
        }
        text.append(buffer, n);
    }
    ::close(fds[0]);
    if (!finished)
        ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!finished)
        return QStringLiteral("(no result: still running after %1 s)").arg(seconds);
    if (WIFSIGNALED(status))
        return QStringLiteral("(no result: killed by signal %1)").arg(WTERMSIG(status));
    return QString::fromUtf8(text);
}

int runTool(const QString& program, const QStringList& arguments, QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return -1;
    if (output)
        *output = QString::fromUtf8(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

} // namespace doctest

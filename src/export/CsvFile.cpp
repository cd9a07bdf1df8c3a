#include "CsvFile.h"

#include "automation/Error.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace exporting {

namespace {

// Lines are collected up to this size before they go to the file.
constexpr qsizetype BufferSize = 1024 * 1024;

[[noreturn]] void fail(const QString& what, const QString& path, const QString& reason) {
    throw automation::Error(automation::errors::FileError,
                            QStringLiteral("%1 \"%2\": %3").arg(what, path, reason));
}

// Why path cannot be the target of a rename, or empty when it can.
QString unusableTarget(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("no file name given");
    const QFileInfo info(path); // follows symbolic links
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (info.exists() && !info.isFile())
        return QStringLiteral("it is not a regular file");
    return {};
}

QString systemReason(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

// Writes all of bytes to fd; the system's reason when it cannot. QFile is not used for
// this because it reports a write that fails after a partial one as "Unknown error".
QString writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return systemReason(errno);
        if (written == 0)
            return systemReason(EIO);
        data += written;
        left -= written;
    }
    return {};
}

} // namespace

CsvFile::CsvFile(const QString& path) : path_(path), file_(path) {
    if (const QString reason = unusableTarget(path); !reason.isEmpty())
        fail(QStringLiteral("Cannot open the file"), path, reason);
    if (!file_.open(QIODevice::WriteOnly))
        fail(QStringLiteral("Cannot open the file"), path, file_.errorString());
}

CsvFile::~CsvFile() {
    // QSaveFile removes its temporary file when it is destroyed uncommitted.
    if (file_.isOpen() && !writeFailed_ && writePending(true).isEmpty())
        file_.commit();
}

QString CsvFile::writePending(bool sync) {
    QString reason = writeAll(file_.handle(), pending_);
    pending_.resize(0); // keeps the buffer for the next lines
    if (reason.isEmpty() && sync && ::fsync(file_.handle()) != 0)
        reason = systemReason(errno);
    return reason;
}

void CsvFile::failWriting(const QString& reason) {
    writeFailed_ = true;
    fail(QStringLiteral("Cannot write to the file"), path_, reason);
}

void CsvFile::writeLine(const QByteArray& line) {
    pending_ += line;
    pending_ += "\r\n";
    if (pending_.size() >= BufferSize)
        if (const QString reason = writePending(false); !reason.isEmpty())
            failWriting(reason);
}

void CsvFile::close() {
    if (!file_.isOpen())
        return;
    if (const QString reason = writePending(true); !reason.isEmpty())
        failWriting(reason);
    if (!file_.commit())
        failWriting(file_.errorString());
}

} // namespace exporting

#include "AtomicFileWriter.h"

#include "automation/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace maphost {

namespace {

[[noreturn]] void fail(const QString& target, const QString& reason) {
    throw automation::Error(automation::errors::FileError,
                            QStringLiteral("Cannot save \"%1\": %2").arg(target, reason));
}

QString errnoText(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

// fsync of a file or folder by path.
int syncPath(const QByteArray& path, int flags) {
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = 0;
    if (::fsync(fd) != 0)
        err = errno;
    ::close(fd);
    return err;
}

// SQLite side files that a crash during writing may leave beside the temporary file.
const char* const SideSuffixes[] = {"-journal", "-wal", "-shm"};

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString& target) {
    if (target.isEmpty())
        fail(target, QStringLiteral("no file name given"));
    QFileInfo info(target);
    // Saving through a symbolic link replaces the file it points to, not the link.
    if (info.isSymLink())
        info = QFileInfo(info.symLinkTarget());
    target_ = info.absoluteFilePath();
    if (info.isDir())
        fail(target, QStringLiteral("it is a folder"));
    if (info.exists() && !info.isWritable())
        fail(target, QStringLiteral("the file is read-only"));

    // mkstemp proves the folder takes a new file and reserves a unique name; the file
    // is removed again because GDAL creates its GeoPackage itself.
    QByteArray pattern = QFile::encodeName(info.absolutePath() + QLatin1String("/.") +
                                           info.fileName() + QLatin1String(".XXXXXX.tmp"));
    const int fd = ::mkstemps(pattern.data(), 4);
    if (fd < 0) {
        const int err = errno;
        fail(target, QStringLiteral("cannot create a temporary file in \"%1\": %2")
                         .arg(QDir::toNativeSeparators(info.absolutePath()), errnoText(err)));
    }
    ::close(fd);
    ::unlink(pattern.constData());
    tempPath_ = QFile::decodeName(pattern);
}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

void AtomicFileWriter::discard() {
    if (done_)
        return;
    done_ = true;
    const QByteArray temp = QFile::encodeName(tempPath_);
    ::unlink(temp.constData());
    for (const char* suffix : SideSuffixes)
        ::unlink((temp + suffix).constData());
}

void AtomicFileWriter::commit() {
    if (done_)
        fail(target_, QStringLiteral("the temporary file is already gone"));
    const QByteArray temp = QFile::encodeName(tempPath_);
    const QByteArray target = QFile::encodeName(target_);

    // Keep the permissions of the document being replaced.
    struct stat old {};
    if (::stat(target.constData(), &old) == 0)
        ::chmod(temp.constData(), old.st_mode & 07777);

    if (const int err = syncPath(temp, O_RDONLY); err != 0) {
        discard();
        fail(target_,
             QStringLiteral("cannot flush the temporary file to disk: %1").arg(errnoText(err)));
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int err = errno;
        discard();
        fail(target_, QStringLiteral("cannot replace the file: %1").arg(errnoText(err)));
    }
    done_ = true;
    for (const char* suffix : SideSuffixes)
        ::unlink((temp + suffix).constData());
    // Make the rename durable. The new document is in place already, so a folder that
    // cannot be synced (some file systems refuse) is not a failed save.
    syncPath(QFile::encodeName(QFileInfo(target_).absolutePath()), O_RDONLY | O_DIRECTORY);
}

} // namespace maphost

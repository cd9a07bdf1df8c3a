#include "AtomicFileWriter.h"

#include "automation/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
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

// Removes the file at path and its SQLite side files.
void removeWithSideFiles(const QByteArray& path) {
    ::unlink(path.constData());
    for (const char* suffix : SideSuffixes)
        ::unlink((path + suffix).constData());
}

// The file a chain of symbolic links ends at; the name itself when it is no link.
QString endOfLinks(const QString& target) {
    QFileInfo info(target);
    for (int hops = 0; info.isSymLink(); ++hops) {
        if (hops == 40)
            fail(target, QStringLiteral("too many levels of symbolic links"));
        info = QFileInfo(info.symLinkTarget());
    }
    return info.absoluteFilePath();
}

QString temporaryPrefix(const QFileInfo& target) {
    return QLatin1Char('.') + target.fileName() + QLatin1String(".saving-");
}

// Removes the temporary folders of earlier saves of target that were killed mid-way: those
// no live writer holds locked. Earlier versions wrote ".<name>.XXXXXX.tmp" files beside
// the target; a left-over of those goes too.
void removeStaleTemporaries(const QFileInfo& target) {
    const QDir folder = target.absoluteDir();
    const QString legacy = QLatin1Char('.') + target.fileName() + QLatin1String(".??????.tmp");
    for (const QString& entry : folder.entryList({legacy}, QDir::Files | QDir::Hidden)) {
        if (!QFileInfo(folder.filePath(entry)).isSymLink())
            removeWithSideFiles(QFile::encodeName(folder.filePath(entry)));
    }
    const QString prefix = temporaryPrefix(target);
    for (const QString& entry :
         folder.entryList({prefix + QLatin1String("??????")}, QDir::Dirs | QDir::Hidden)) {
        const QByteArray path = QFile::encodeName(folder.filePath(entry));
        const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            removeWithSideFiles(path + '/' + QFile::encodeName(target.fileName()));
            ::rmdir(path.constData());
        }
        ::close(fd);
    }
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString& target) {
    if (target.isEmpty())
        fail(target, QStringLiteral("no file name given"));
    target_ = endOfLinks(target);
    const QFileInfo info(target_);
    if (info.isDir())
        fail(target, QStringLiteral("it is a folder"));
    if (info.exists() && !info.isWritable())
        fail(target, QStringLiteral("the file is read-only"));
    removeStaleTemporaries(info);

    QByteArray pattern =
        QFile::encodeName(info.absolutePath() + u'/' + temporaryPrefix(info) + "XXXXXX");
    if (!::mkdtemp(pattern.data())) {
        const int err = errno;
        fail(target, QStringLiteral("cannot create a temporary file in \"%1\": %2")
                         .arg(QDir::toNativeSeparators(info.absolutePath()), errnoText(err)));
    }
    lock_ = ::open(pattern.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock_ >= 0)
        ::flock(lock_, LOCK_EX);
    tempFolder_ = QFile::decodeName(pattern);
    tempPath_ = tempFolder_ + u'/' + info.fileName();
}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

void AtomicFileWriter::removeTemporaries() {
    removeWithSideFiles(QFile::encodeName(tempPath_));
    ::rmdir(QFile::encodeName(tempFolder_).constData());
    if (lock_ >= 0)
        ::close(lock_);
    lock_ = -1;
}

void AtomicFileWriter::discard() {
    if (done_)
        return;
    done_ = true;
    removeTemporaries();
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
    removeTemporaries();
    // Make the rename durable. The new document is in place already, so a folder that
    // cannot be synced (some file systems refuse) is not a failed save.
    syncPath(QFile::encodeName(QFileInfo(target_).absolutePath()), O_RDONLY | O_DIRECTORY);
}

} // namespace maphost

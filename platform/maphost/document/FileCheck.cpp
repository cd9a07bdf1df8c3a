#include "FileCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace maphost {

namespace {

// What an entry is when it is not a regular file; empty for a regular file.
QString kindOfNonRegular(const struct stat& st) {
    if (S_ISREG(st.st_mode))
        return {};
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("a named pipe (FIFO)");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return QStringLiteral("a device");
    return QStringLiteral("not a regular file");
}

QString sideFileReason(const QFileInfo& info) {
    const QString name = info.fileName();
    const QString base = info.completeBaseName() + u'.';
    const QDir folder = info.absoluteDir();
    for (const QString& entry :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry == name || !(entry.startsWith(base, Qt::CaseInsensitive) ||
                               entry.startsWith(name + u'-', Qt::CaseInsensitive)))
            continue;
        struct stat st {};
        // A dangling link is never opened, and a folder cannot block a reader.
        if (::stat(QFile::encodeName(folder.filePath(entry)).constData(), &st) != 0 ||
            S_ISDIR(st.st_mode))
            continue;
        if (const QString kind = kindOfNonRegular(st); !kind.isEmpty())
            return QStringLiteral("its side file \"%1\" is %2, not a regular file")
                .arg(entry, kind);
    }
    return {};
}

} // namespace

QString unreadableReason(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("no file name given");
    const QByteArray local = QFile::encodeName(path);
    struct stat st {};
    if (::stat(local.constData(), &st) != 0) {
        if (path.contains(QChar::ReplacementCharacter))
            return QStringLiteral("the file name is not valid UTF-8 text (the bytes that are "
                                  "not are shown as \uFFFD), so it cannot be opened; rename "
                                  "the file");
        return QStringLiteral("the file does not exist");
    }
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("it is a folder");
    if (const QString kind = kindOfNonRegular(st); !kind.isEmpty())
        return QStringLiteral("it is %1, not a regular file").arg(kind);
    if (::access(local.constData(), R_OK) != 0)
        return QStringLiteral("the file cannot be read (permission denied)");
    return sideFileReason(QFileInfo(path));
}

} // namespace maphost

#include "CalcPipe.h"

#include "automation/Error.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <sys/stat.h>
#include <unistd.h>

namespace spreadsheet::calc {

namespace {

QString nameFile(const QString& folder) {
    return folder + QStringLiteral("/pipe-name");
}

bool validName(const QString& name) {
    if (name.size() < 16 || name.size() > 64)
        return false;
    for (QChar c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'_')
            return false;
    return true;
}

} // namespace

bool SecureProfileFolder(const QString& folder, QString& reason) {
    const QByteArray path = QFile::encodeName(folder);
    struct stat info {};
    if (!QDir().mkpath(folder) || ::lstat(path.constData(), &info) != 0) {
        reason = QStringLiteral("its profile folder \"%1\" cannot be created.").arg(folder);
        return false;
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) {
        reason = QStringLiteral("its profile folder \"%1\" is not a folder of this user's own.")
                     .arg(folder);
        return false;
    }
    if ((info.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0) {
        reason = QStringLiteral("its profile folder \"%1\" cannot be closed to other users.")
                     .arg(folder);
        return false;
    }
    return true;
}

QString MakePipeName(const QString& folder) {
    quint64 bits[2];
    QRandomGenerator::system()->fillRange(bits);
    const QString name = QStringLiteral("locastra_%1%2")
                             .arg(bits[0], 16, 16, QLatin1Char('0'))
                             .arg(bits[1], 16, 16, QLatin1Char('0'));
    QSaveFile file(nameFile(folder));
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(name.toLatin1()) != name.size() || !file.commit())
        throw automation::Error(
            automation::errors::CannotCreateObject,
            QStringLiteral("LibreOffice Calc cannot be started: \"%1\" cannot be written.")
                .arg(nameFile(folder)));
    return name;
}

std::optional<QString> SavedPipeName(const QString& folder) {
    QFile file(nameFile(folder));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString name = QString::fromLatin1(file.read(80)).trimmed();
    if (!validName(name))
        return std::nullopt;
    return name;
}

QString SocketPath(const QString& pipeName) {
    return QStringLiteral("/tmp/OSL_PIPE_%1_%2").arg(::getuid()).arg(pipeName);
}

SocketTrust CheckSocket(const QString& pipeName) {
    struct stat info {};
    if (::lstat(QFile::encodeName(SocketPath(pipeName)).constData(), &info) != 0)
        return SocketTrust::Missing;
    const bool trusted = S_ISSOCK(info.st_mode) && info.st_uid == ::getuid() &&
                         (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    return trusted ? SocketTrust::Trusted : SocketTrust::Untrusted;
}

} // namespace spreadsheet::calc

#include "ChmFile.h"

#include "ChmCheck.h"

#include <QFile>
#include <QFileInfo>
#include <chm_lib.h>
#include <cstring>

namespace desktop::help {

namespace {

// Larger objects than this are not read: a damaged length must not take all memory.
constexpr qint64 MaxObjectSize = 64 * 1024 * 1024;

QByteArray objectPath(const QString& path) {
    QByteArray bytes = path.toUtf8();
    if (!bytes.startsWith('/'))
        bytes.prepend('/');
    return bytes;
}

int collectFile(chmFile*, chmUnitInfo* unit, void* context) {
    static_cast<QStringList*>(context)->append(QString::fromUtf8(unit->path));
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

ChmFile::ChmFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        error_ = QStringLiteral("The help file \"%1\" does not exist.").arg(path);
        return;
    }
    if (!info.isFile()) {
        error_ = QStringLiteral("\"%1\" is not a help file.").arg(path);
        return;
    }
    // chmlib trusts the file's structure: a damaged one must not reach it.
    if (!ChmFileProblem(path).isEmpty()) {
        error_ = QStringLiteral("The help file \"%1\" is damaged or not a compiled help file.")
                     .arg(path);
        return;
    }
    file_ = chm_open(QFile::encodeName(path).constData());
    if (!file_) {
        error_ = QStringLiteral("The help file \"%1\" is damaged or not a compiled help file.")
                     .arg(path);
        return;
    }
    readSystemFile();
    if (defaultTopic_.isEmpty() || !contains(defaultTopic_)) {
        error_ = QStringLiteral("The help file \"%1\" is damaged: its first topic cannot be read.")
                     .arg(path);
        chm_close(file_);
        file_ = nullptr;
    }
}

ChmFile::~ChmFile() {
    if (file_)
        chm_close(file_);
}

bool ChmFile::contains(const QString& path) const {
    chmUnitInfo unit;
    return file_ &&
           chm_resolve_object(file_, objectPath(path).constData(), &unit) == CHM_RESOLVE_SUCCESS;
}

QByteArray ChmFile::read(const QString& path) const {
    chmUnitInfo unit;
    if (!file_ ||
        chm_resolve_object(file_, objectPath(path).constData(), &unit) != CHM_RESOLVE_SUCCESS ||
        unit.length > LONGUINT64(MaxObjectSize))
        return {};
    QByteArray data(qsizetype(unit.length), Qt::Uninitialized);
    const LONGINT64 got = chm_retrieve_object(
        file_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0, LONGINT64(unit.length));
    return got == LONGINT64(unit.length) ? data : QByteArray();
}

QStringList ChmFile::files() const {
    QStringList paths;
    if (file_)
        chm_enumerate(file_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectFile, &paths);
    return paths;
}

// "#SYSTEM": a version, then records of (code, length, data); code 0 names the contents
// file, 1 the index file, 2 the default topic, 3 the title.
void ChmFile::readSystemFile() {
    const QByteArray system = read(QStringLiteral("/#SYSTEM"));
    qsizetype at = 4;
    while (at + 4 <= system.size()) {
        quint16 code = 0;
        quint16 length = 0;
        std::memcpy(&code, system.constData() + at, 2);
        std::memcpy(&length, system.constData() + at + 2, 2);
        at += 4;
        if (at + length > system.size())
            break;
        QByteArray value = system.mid(at, length);
        value.truncate(qsizetype(qstrnlen(value.constData(), size_t(value.size()))));
        const QString text = QString::fromUtf8(value);
        switch (code) {
        case 0:
            contentsFile_ = text;
            break;
        case 1:
            indexFile_ = text;
            break;
        case 2:
            defaultTopic_ = text;
            break;
        case 3:
            title_ = text;
            break;
        default:
            break;
        }
        at += length;
    }
}

} // namespace desktop::help

#include "ProjFileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>
#include <dlfcn.h>
#include <proj.h>

namespace maphost::gdal {

namespace {

// PROJ's data folders (its search path and the user's PROJ folder), resolved.
QStringList dataFolders(PJ_CONTEXT* ctx) {
    QStringList folders;
    const QString searchPath = QString::fromLocal8Bit(proj_info().searchpath);
    for (const QString& folder :
         searchPath.split(QRegularExpression(QStringLiteral("[;:]")), Qt::SkipEmptyParts))
        folders << folder;
    if (const char* user = proj_context_get_user_writable_directory(ctx, false))
        folders << QString::fromLocal8Bit(user);
    QStringList resolved;
    for (const QString& folder : folders) {
        const QString real = QFileInfo(folder).canonicalFilePath();
        if (!real.isEmpty())
            resolved << real + u'/';
    }
    return resolved;
}

QStringList& allowedFolders() {
    static QStringList folders;
    return folders;
}

bool mayOpen(const char* filename) {
    return filename && projMayOpen(QString::fromLocal8Bit(filename));
}

// The file interface: stdio on the files PROJ may open, nothing on any other.
PROJ_FILE_HANDLE* openFile(PJ_CONTEXT*, const char* filename, PROJ_OPEN_ACCESS access, void*) {
    if (!mayOpen(filename))
        return nullptr;
    const char* mode = access == PROJ_OPEN_ACCESS_READ_ONLY     ? "rb"
                       : access == PROJ_OPEN_ACCESS_READ_UPDATE ? "r+b"
                                                                : "w+b";
    return reinterpret_cast<PROJ_FILE_HANDLE*>(std::fopen(filename, mode));
}
FILE* stream(PROJ_FILE_HANDLE* handle) {
    return reinterpret_cast<FILE*>(handle);
}
size_t readFile(PJ_CONTEXT*, PROJ_FILE_HANDLE* handle, void* buffer, size_t size, void*) {
    return std::fread(buffer, 1, size, stream(handle));
}
size_t writeFile(PJ_CONTEXT*, PROJ_FILE_HANDLE* handle, const void* buffer, size_t size, void*) {
    return std::fwrite(buffer, 1, size, stream(handle));
}
int seekFile(PJ_CONTEXT*, PROJ_FILE_HANDLE* handle, long long offset, int whence, void*) {
    return fseeko(stream(handle), static_cast<off_t>(offset), whence) == 0;
}
unsigned long long tellFile(PJ_CONTEXT*, PROJ_FILE_HANDLE* handle, void*) {
    return static_cast<unsigned long long>(ftello(stream(handle)));
}
void closeFile(PJ_CONTEXT*, PROJ_FILE_HANDLE* handle, void*) {
    std::fclose(stream(handle));
}
int fileExists(PJ_CONTEXT*, const char* filename, void*) {
    return mayOpen(filename) && QFileInfo::exists(QString::fromLocal8Bit(filename));
}
int makeFolder(PJ_CONTEXT*, const char* path, void*) {
    return mayOpen(path) && QDir().mkpath(QString::fromLocal8Bit(path));
}
int removeFile(PJ_CONTEXT*, const char* filename, void*) {
    return mayOpen(filename) && std::remove(filename) == 0;
}
int renameFile(PJ_CONTEXT*, const char* from, const char* to, void*) {
    return mayOpen(from) && mayOpen(to) && std::rename(from, to) == 0;
}

const PROJ_FILE_API fileApi = {1,         openFile,   readFile,   writeFile,  seekFile,  tellFile,
                               closeFile, fileExists, makeFolder, removeFile, renameFile};

} // namespace

void limitProjFileAccess() {
    // Read once, before any context is in use: the file interface is called from
    // inside PROJ.
    allowedFolders() = dataFolders(nullptr);
    proj_context_set_fileapi(nullptr, &fileApi, nullptr);
}

bool projMayOpen(const QString& path) {
    // Links and ".." are resolved first, so neither leads out of the data folders; a
    // file that does not exist yet is placed by its resolved folder.
    const QFileInfo info(path);
    if (!info.isAbsolute())
        return false;
    QString resolved = info.canonicalFilePath();
    if (resolved.isEmpty()) {
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        if (folder.isEmpty())
            return false;
        resolved = folder + u'/' + info.fileName();
    }
    for (const QString& allowed : allowedFolders())
        if ((resolved + u'/').startsWith(allowed))
            return true;
    return false;
}

} // namespace maphost::gdal

// Takes the place of PROJ's own function for the whole process (the executable's
// definition comes first): the context is made by PROJ and then gets the file interface.
extern "C" PJ_CONTEXT* proj_context_create(void) {
    using Create = PJ_CONTEXT* (*)();
    static const auto create = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "proj_context_create"));
    if (!create)
        return nullptr;
    PJ_CONTEXT* ctx = create();
    if (ctx)
        proj_context_set_fileapi(ctx, &maphost::gdal::fileApi, nullptr);
    return ctx;
}

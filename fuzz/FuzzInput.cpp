#include "FuzzInput.h"

#include "automation/Error.h"

#include <QDir>
#include <QFile>
#include <cpl_error.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace fuzzing {

namespace {

[[noreturn]] void die(const char* what, const QString& path) {
    std::perror(what);
    std::fprintf(stderr, "fuzz input: %s\n", qPrintable(path));
    std::abort();
}

} // namespace

FuzzInput::FuzzInput(const QString& extension) {
    QByteArray pattern = QFile::encodeName(QDir::tempPath() + "/locastra-fuzz-XXXXXX");
    if (!::mkdtemp(pattern.data()))
        die("mkdtemp", QFile::decodeName(pattern));
    folder_ = QFile::decodeName(pattern);
    path_ = folder_ + "/input." + extension;
}

FuzzInput::~FuzzInput() {
    QDir(folder_).removeRecursively();
}

void FuzzInput::write(const uint8_t* data, size_t size) {
    QDir folder(folder_);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        folder.remove(name);
    const QByteArray path = QFile::encodeName(path_);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        die("open", path_);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            die("write", path_);
        done += size_t(n);
    }
    ::close(fd);
}

void FuzzInput::read(const uint8_t* data, size_t size,
                     const std::function<void(const QString&)>& reader) {
    write(data, size);
    try {
        reader(path_);
    } catch (const automation::Error&) {
    }
}

} // namespace fuzzing

// GDAL's messages for rejected inputs would flood the fuzzer's output; the host turns
// the ones that matter into errors itself.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CPLSetErrorHandler(CPLQuietErrorHandler);
    return 0;
}

#include "CsvFile.h"

#include "automation/Error.h"

namespace exporting {

namespace {
[[noreturn]] void fail(const QString& what, const QString& path, const QString& reason) {
    throw automation::Error(automation::errors::FileError,
                            QStringLiteral("%1 \"%2\": %3").arg(what, path, reason));
}
} // namespace

CsvFile::CsvFile(const QString& path) : file_(path) {
    if (path.isEmpty())
        fail(QStringLiteral("Cannot open the file"), path, QStringLiteral("no file name given"));
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("Cannot open the file"), path, file_.errorString());
}

void CsvFile::writeLine(const QString& line) {
    const QByteArray bytes = line.toUtf8() + QByteArrayLiteral("\r\n");
    if (file_.write(bytes) != bytes.size())
        fail(QStringLiteral("Cannot write to the file"), file_.fileName(), file_.errorString());
}

void CsvFile::close() {
    if (!file_.isOpen())
        return;
    const bool flushed = file_.flush();
    const QString reason = file_.errorString();
    file_.close();
    if (!flushed)
        fail(QStringLiteral("Cannot write to the file"), file_.fileName(), reason);
}

} // namespace exporting

#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace exporting {

// The export's output file. Lines (UTF-8 text ending in CR LF) go to a temporary file
// in the target's folder, in writes of a megabyte; close() writes out the rest, syncs it to disk
// and renames it over the target in one step, so until then an existing file stays exactly as it
// was. Failures throw automation::Error naming the file and the system's reason; a failed write or
// close leaves the old file untouched and removes the temporary one.
//
// Destroyed without close() (the export ended on a failure of the map), the lines
// written so far replace the target all the same, as the export promises, unless
// writing itself failed.
class CsvFile {
public:
    // Refuses an empty name and a target that exists but is no regular file (a folder,
    // a device, a pipe), which a rename would replace.
    explicit CsvFile(const QString& path);
    ~CsvFile();
    CsvFile(const CsvFile&) = delete;
    CsvFile& operator=(const CsvFile&) = delete;

    // Appends the line's UTF-8 bytes and CR LF.
    void writeLine(const QByteArray& line);
    void close();

private:
    // Writes the buffered lines and syncs the file; the system's reason on failure.
    QString writePending(bool sync);
    [[noreturn]] void failWriting(const QString& reason);

    QString path_;
    QSaveFile file_;
    QByteArray pending_;
    bool writeFailed_ = false;
};

} // namespace exporting

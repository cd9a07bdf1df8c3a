#pragma once

#include <QString>

namespace maphost {

// Replaces a file atomically: the new contents are written to a temporary file in the
// target's folder, which commit() flushes to disk and renames over the target (then
// syncs the folder, so the rename itself survives a crash). Until commit() succeeds the
// old file is untouched; a writer destroyed without a commit removes its temporary file.
class AtomicFileWriter {
public:
    // Throws automation::Error (FileError) when no temporary file can be made beside target.
    explicit AtomicFileWriter(const QString& target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // The file to write; it does not exist yet when the writer is made.
    const QString& tempPath() const { return tempPath_; }
    const QString& targetPath() const { return target_; }

    // Throws automation::Error (FileError); the temporary file is gone afterwards either way.
    void commit();
    void discard();

private:
    QString target_;
    QString tempPath_;
    bool done_ = false;
};

} // namespace maphost

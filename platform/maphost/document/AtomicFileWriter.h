#pragma once

#include <QString>

namespace maphost {

// Replaces a file atomically: the new contents are written to a temporary file in a
// private folder made beside the target, which commit() flushes to disk and renames
// over the target (then syncs the folder, so the rename itself survives a crash). Until
// commit() succeeds the old file is untouched; a writer destroyed without a commit
// removes its temporary file and folder.
//
// The private folder is created exclusively (mode 0700) and kept, locked, until the end,
// so nobody else can put a link where the temporary file goes. A writer first removes
// the temporary folders of earlier saves of the same file that were killed mid-way
// (those no live writer holds locked). Saving through a chain of symbolic links
// replaces the file at its end and leaves the links in place.
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
    void removeTemporaries();

    QString target_;
    QString tempFolder_;
    QString tempPath_;
    int lock_ = -1;
    bool done_ = false;
};

} // namespace maphost

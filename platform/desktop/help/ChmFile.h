#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

struct chmFile;

namespace desktop::help {

// A compiled help file, read through chmlib: its topics and pictures by path, and what
// its system file names (title, default topic, contents and index files).
class ChmFile {
public:
    // Opens path; error() says why when it cannot (missing, not a help file, damaged).
    explicit ChmFile(const QString& path);
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    const QString& error() const { return error_; }

    // An object by its path inside the file ("/index.html" or "index.html"); empty
    // when there is none or it cannot be read whole.
    QByteArray read(const QString& path) const;
    bool contains(const QString& path) const;
    // Every normal file of the archive, as "/path".
    QStringList files() const;

    QString title() const { return title_; }
    QString defaultTopic() const { return defaultTopic_; }
    QString contentsFile() const { return contentsFile_; }
    QString indexFile() const { return indexFile_; }

private:
    void readSystemFile();

    chmFile* file_ = nullptr;
    QString error_;
    QString title_;
    QString defaultTopic_;
    QString contentsFile_;
    QString indexFile_;
};

} // namespace desktop::help

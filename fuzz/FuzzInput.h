#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace fuzzing {

// The file a fuzz input is handed to the host in: "input.<extension>" in a private
// temporary folder that is emptied before every input (so side files a reader leaves,
// such as a SQLite journal, never carry over) and removed at exit.
class FuzzInput {
public:
    explicit FuzzInput(const QString& extension);
    ~FuzzInput();
    FuzzInput(const FuzzInput&) = delete;
    FuzzInput& operator=(const FuzzInput&) = delete;

    // Replaces the file with data and hands its path to reader. A clear refusal
    // (automation::Error) is a good outcome; a crash, a sanitizer report, a hang or any
    // other exception is a finding.
    void read(const uint8_t* data, size_t size, const std::function<void(const QString&)>& reader);

private:
    // Replaces the file with data. Aborts when it cannot, since every later result
    // would be meaningless.
    void write(const uint8_t* data, size_t size);

    QString folder_;
    QString path_;
};

} // namespace fuzzing

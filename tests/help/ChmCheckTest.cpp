// The structure check that stands before chmlib: the built help file passes it, and
// each kind of damage that makes chmlib read or write out of bounds, divide by zero
// or loop forever is refused, so the help viewer reports a damaged file instead.
#include "desktop/help/ChmCheck.h"
#include "desktop/help/ChmFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray builtHelpFile() {
    QFile file(QStringLiteral(LOCASTRA_HELP_FILE));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 u32(const QByteArray& bytes, qsizetype at) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | quint8(bytes.constData()[at + i]);
    return value;
}

void putU32(QByteArray& bytes, qsizetype at, quint32 value) {
    for (int i = 0; i < 4; ++i, value >>= 8)
        bytes.data()[at + i] = char(value & 0xFF);
}

void putU64(QByteArray& bytes, qsizetype at, quint64 value) {
    putU32(bytes, at, quint32(value));
    putU32(bytes, at + 4, quint32(value >> 32));
}

// A directory entry as the file holds it: where its three numbers start, and the
// offset of its data in the file (uncompressed section).
struct Entry {
    qsizetype numbers = -1;
    qsizetype data = -1;
};

quint64 encint(const QByteArray& bytes, qsizetype& at) {
    quint64 value = 0;
    quint8 byte = 0;
    do {
        byte = quint8(bytes.constData()[at++]);
        value = (value << 7) | (byte & 0x7F);
    } while (byte & 0x80);
    return value;
}

Entry entry(const QByteArray& bytes, const char* name) {
    Entry found;
    const qsizetype at = bytes.indexOf(QByteArray(name));
    if (at < 0)
        return found;
    found.numbers = at + qsizetype(qstrlen(name));
    qsizetype cur = found.numbers;
    encint(bytes, cur); // section
    const quint64 start = encint(bytes, cur);
    const quint64 dataOffset = quint64(u32(bytes, 0x58)) | (quint64(u32(bytes, 0x5C)) << 32);
    found.data = qsizetype(dataOffset + start);
    return found;
}

const char* const ControlData = "::DataSpace/Storage/MSCompressed/ControlData";
const char* const ResetTable = "InstanceData/ResetTable";
const char* const Content = "::DataSpace/Storage/MSCompressed/Content";

qsizetype directoryHeader(const QByteArray& bytes) {
    return qsizetype(u32(bytes, 0x48));
}
qsizetype firstChunk(const QByteArray& bytes) {
    return directoryHeader(bytes) + qsizetype(u32(bytes, directoryHeader(bytes) + 8));
}

struct Damage {
    const char* what;
    std::function<void(QByteArray&)> apply;
};

TEST(ChmCheck, TheBuiltHelpFilePasses) {
    const QByteArray bytes = builtHelpFile();
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(desktop::help::ChmStructureProblem(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                 uint64_t(bytes.size())),
              QString());
    EXPECT_TRUE(desktop::help::ChmFile(QStringLiteral(LOCASTRA_HELP_FILE)).isOpen());
}

TEST(ChmCheck, DamageChmlibWouldTrustIsRefused) {
    const QByteArray original = builtHelpFile();
    ASSERT_FALSE(original.isEmpty());
    ASSERT_GE(entry(original, ControlData).data, 0);
    ASSERT_GE(entry(original, ResetTable).data, 0);
    ASSERT_GE(entry(original, Content).numbers, 0);
    const std::vector<Damage> damages = {
        // LZXinit refuses the window, and chmlib then resets a decoder it does not have.
        {"window of 3 frames",
         [](QByteArray& b) {
             putU32(b, entry(b, ControlData).data + 16, 3);
         }},
        {"window of 2^30 bytes",
         [](QByteArray& b) {
             putU32(b, entry(b, ControlData).data + 16, 0x8000);
         }},
        // Reset block count 0: a division by zero.
        {"reset interval 0",
         [](QByteArray& b) {
             putU32(b, entry(b, ControlData).data + 12, 0);
         }},
        {"no LZXC signature",
         [](QByteArray& b) {
             b.data()[entry(b, ControlData).data + 4] = 'X';
         }},
        // Frames larger than the decoder's output buffer.
        {"frames of 1 MB",
         [](QByteArray& b) {
             putU64(b, entry(b, ResetTable).data + 32, 0x100000);
         }},
        {"frame length 0",
         [](QByteArray& b) {
             putU64(b, entry(b, ResetTable).data + 32, 0);
         }},
        // A compressed block longer than chmlib's block buffer.
        {"first block 1 MB long",
         [](QByteArray& b) {
             const qsizetype table = entry(b, ResetTable).data;
             putU64(b, table + qsizetype(u32(b, table + 12)) + 8, 0x100000);
         }},
        {"more blocks than the table holds",
         [](QByteArray& b) {
             putU32(b, entry(b, ResetTable).data + 4, 0x10000);
         }},
        {"compressed length past the content",
         [](QByteArray& b) {
             putU64(b, entry(b, ResetTable).data + 24, quint64(1) << 40);
         }},
        // An object past the end of the file (every payload bit of its length set).
        {"content longer than the file",
         [](QByteArray& b) {
             qsizetype at = entry(b, Content).numbers;
             encint(b, at); // section
             encint(b, at); // start
             for (; quint8(b.data()[at]) & 0x80; ++at)
                 b.data()[at] = char(0xFF);
             b.data()[at] = char(0x7F);
         }},
        {"unknown section",
         [](QByteArray& b) {
             b.data()[entry(b, Content).numbers] = 5;
         }},
        // The listing chain points back at itself: chm_enumerate would never end.
        {"listing chain in a circle",
         [](QByteArray& b) {
             putU32(b, firstChunk(b) + 16, 0);
         }},
        {"chunk overfull",
         [](QByteArray& b) {
             putU32(b, firstChunk(b) + 4, u32(b, directoryHeader(b) + 0x10));
         }},
        {"root chunk past the directory",
         [](QByteArray& b) {
             putU32(b, directoryHeader(b) + 0x1C, 7);
         }},
        {"chunk length 0",
         [](QByteArray& b) {
             putU32(b, directoryHeader(b) + 0x10, 0);
         }},
        {"directory past the end",
         [](QByteArray& b) {
             putU64(b, 0x50, quint64(b.size()) * 2);
         }},
        {"name longer than chmlib copies",
         [](QByteArray& b) {
             // 0xFF then the name's first byte: a length of over 16000.
             b.data()[firstChunk(b) + 20] = char(0xFF);
         }},
        {"not a help file",
         [](QByteArray& b) {
             b[0] = 'X';
         }},
        {"cut in half",
         [](QByteArray& b) {
             b.truncate(b.size() / 2);
         }},
    };
    QTemporaryDir dir;
    for (const Damage& damage : damages) {
        QByteArray bytes = original;
        damage.apply(bytes);
        ASSERT_NE(bytes, original) << damage.what;
        EXPECT_NE(desktop::help::ChmStructureProblem(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                     uint64_t(bytes.size())),
                  QString())
            << damage.what;
        const QString path = dir.filePath(QStringLiteral("damaged.chm"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        const desktop::help::ChmFile help(path);
        EXPECT_FALSE(help.isOpen()) << damage.what;
        EXPECT_TRUE(help.error().contains(QStringLiteral("damaged"))) << damage.what;
    }
}

} // namespace

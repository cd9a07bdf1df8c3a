#include "ChmCheck.h"

#include <QFile>
#include <QStringList>

#include <optional>
#include <set>
#include <vector>

namespace desktop::help {

namespace {

// Limits chmlib works within: the longest object path it copies, the largest control
// data it reads (into a buffer of 256 bytes), the LZX frame, the extra room of its
// compressed-block buffer, and the window sizes its LZX decoder accepts.
constexpr uint64_t MaxPathLength = 512;
constexpr uint64_t MaxControlDataLength = 256;
constexpr uint64_t LzxFrameLength = 0x8000;
constexpr uint64_t CompressedBlockSlack = 6144;
constexpr uint32_t MinWindowBits = 15;
constexpr uint32_t MaxWindowBits = 21;
// Larger directory chunks than this are not made by any compiler.
constexpr uint32_t MaxChunkLength = 1u << 20;
// Help files larger than this are not read.
constexpr qint64 MaxFileSize = qint64(256) << 20;

constexpr uint32_t NoChunk = 0xFFFFFFFFu;
constexpr uint64_t PmglHeaderLength = 20;
constexpr uint64_t PmgiHeaderLength = 8;

const char* const ContentName = "::DataSpace/Storage/MSCompressed/Content";
const char* const ControlDataName = "::DataSpace/Storage/MSCompressed/ControlData";
const char* const ResetTableName = "::DataSpace/Storage/MSCompressed/Transform/"
                                   "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

// offset + length lies within size, without overflow.
bool within(uint64_t offset, uint64_t length, uint64_t size) {
    return offset <= size && length <= size - offset;
}

struct Unit {
    QByteArray name;
    uint64_t space = 0;
    uint64_t start = 0;
    uint64_t length = 0;
};

// Little-endian reads that fail instead of reading past the end.
class Bytes {
public:
    Bytes(const uint8_t* data, uint64_t size) : data_(data), size_(size) {}
    uint64_t size() const { return size_; }
    bool has(uint64_t at, uint64_t length) const { return within(at, length, size_); }
    bool marker(uint64_t at, const char* four) const {
        return has(at, 4) && std::equal(four, four + 4, data_ + at);
    }
    std::optional<uint32_t> u32(uint64_t at) const {
        if (!has(at, 4))
            return std::nullopt;
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | data_[at + uint64_t(i)];
        return value;
    }
    std::optional<uint64_t> u64(uint64_t at) const {
        const auto low = u32(at);
        const auto high = u32(at + 4);
        if (!low || !high)
            return std::nullopt;
        return (uint64_t(*high) << 32) | *low;
    }
    // A directory number: seven bits a byte, high bit set on all but the last; at most
    // 63 bits, and not past end.
    std::optional<uint64_t> encint(uint64_t& at, uint64_t end) const {
        uint64_t value = 0;
        for (int count = 0; count < 9 && at < end; ++count) {
            const uint8_t byte = data_[at++];
            value = (value << 7) | (byte & 0x7F);
            if (!(byte & 0x80))
                return value;
        }
        return std::nullopt;
    }
    QByteArray text(uint64_t at, uint64_t length) const {
        return QByteArray(reinterpret_cast<const char*>(data_ + at), qsizetype(length));
    }

private:
    const uint8_t* data_;
    uint64_t size_;
};

class Check {
public:
    explicit Check(const Bytes& bytes) : b_(bytes) {}

    QString run() {
        if (!header() || !directory() || !chunks() || !chains() || !sections())
            return problem_;
        return QString();
    }

private:
    bool fail(const QString& why) {
        problem_ = why;
        return false;
    }

    bool header() {
        if (!b_.marker(0, "ITSF"))
            return fail(QStringLiteral("no compiled help file header"));
        const auto version = b_.u32(4);
        const auto headerLength = b_.u32(8);
        if (!version || (*version != 2 && *version != 3))
            return fail(QStringLiteral("unknown file version"));
        const uint64_t least = *version == 2 ? 0x58 : 0x60;
        if (!headerLength || *headerLength < least || !b_.has(0, *headerLength))
            return fail(QStringLiteral("the file header is cut short"));
        dirOffset_ = *b_.u64(0x48);
        dirLength_ = *b_.u64(0x50);
        if (!within(dirOffset_, dirLength_, b_.size()))
            return fail(QStringLiteral("the directory lies outside the file"));
        dataOffset_ = *version == 3 ? *b_.u64(0x58) : dirOffset_ + dirLength_;
        if (dataOffset_ > b_.size())
            return fail(QStringLiteral("the content lies outside the file"));
        return true;
    }

    bool directory() {
        if (dirLength_ < 0x54 || !b_.marker(dirOffset_, "ITSP"))
            return fail(QStringLiteral("no directory header"));
        const uint32_t headerLength = *b_.u32(dirOffset_ + 8);
        chunkLength_ = *b_.u32(dirOffset_ + 0x10);
        const uint32_t root = *b_.u32(dirOffset_ + 0x1C);
        head_ = *b_.u32(dirOffset_ + 0x20);
        if (headerLength < 0x54 || headerLength > dirLength_)
            return fail(QStringLiteral("the directory header is cut short"));
        if (chunkLength_ < PmglHeaderLength || chunkLength_ > MaxChunkLength)
            return fail(QStringLiteral("unusable directory chunk length"));
        chunksOffset_ = dirOffset_ + headerLength;
        chunkCount_ = (dirLength_ - headerLength) / chunkLength_;
        // chmlib takes a negative root as "start at the first listing chunk".
        root_ = int32_t(root) <= -1 ? head_ : root;
        if (head_ >= chunkCount_ || root_ >= chunkCount_)
            return fail(QStringLiteral("the directory names chunks it does not hold"));
        children_.assign(chunkCount_, {});
        next_.assign(chunkCount_, NoChunk);
        listing_.assign(chunkCount_, false);
        return true;
    }

    uint64_t chunkAt(uint64_t index) const { return chunksOffset_ + index * chunkLength_; }

    // Every entry of every listing (PMGL) and index (PMGI) chunk lies whole inside its
    // chunk's used part, with names chmlib can copy and children that exist.
    bool chunks() {
        for (uint64_t index = 0; index < chunkCount_; ++index) {
            const uint64_t at = chunkAt(index);
            const bool listing = b_.marker(at, "PMGL");
            if (!listing && !b_.marker(at, "PMGI"))
                continue; // chmlib stops at a chunk of another kind
            listing_[index] = listing;
            const uint64_t headerLength = listing ? PmglHeaderLength : PmgiHeaderLength;
            const uint32_t freeSpace = *b_.u32(at + 4);
            if (freeSpace > chunkLength_ - headerLength)
                return fail(QStringLiteral("a directory chunk is overfull"));
            if (listing)
                next_[index] = *b_.u32(at + 16);
            uint64_t cur = at + headerLength;
            const uint64_t end = at + chunkLength_ - freeSpace;
            while (cur < end) {
                const auto nameLength = b_.encint(cur, end);
                if (!nameLength || *nameLength > MaxPathLength || *nameLength > end - cur)
                    return fail(QStringLiteral("a directory entry has a damaged name"));
                Unit unit;
                unit.name = b_.text(cur, *nameLength);
                cur += *nameLength;
                if (listing) {
                    const auto space = b_.encint(cur, end);
                    const auto start = space ? b_.encint(cur, end) : std::nullopt;
                    const auto length = start ? b_.encint(cur, end) : std::nullopt;
                    if (!length)
                        return fail(QStringLiteral("a directory entry is cut short"));
                    unit.space = *space;
                    unit.start = *start;
                    unit.length = *length;
                    units_.push_back(unit);
                } else {
                    const auto child = b_.encint(cur, end);
                    if (!child || *child >= chunkCount_)
                        return fail(QStringLiteral("a directory index names a missing chunk"));
                    children_[index].push_back(uint32_t(*child));
                }
            }
        }
        return true;
    }

    // The listing chain from the head and the index tree from the root end: chmlib
    // follows both without counting.
    bool chains() {
        std::set<uint32_t> seen;
        for (uint32_t page = head_; page != NoChunk && listing_[page]; page = next_[page]) {
            if (!seen.insert(page).second)
                return fail(QStringLiteral("the directory listing runs in a circle"));
            if (next_[page] != NoChunk && next_[page] >= chunkCount_)
                return fail(QStringLiteral("the directory names chunks it does not hold"));
        }
        std::vector<int> state(chunkCount_, 0); // 0 new, 1 on the path, 2 done
        return descend(root_, state, 0);
    }

    bool descend(uint32_t page, std::vector<int>& state, int depth) {
        if (state[page] == 1 || depth > 64)
            return fail(QStringLiteral("the directory index runs in a circle"));
        if (state[page] == 2)
            return true;
        state[page] = 1;
        for (const uint32_t child : children_[page])
            if (!descend(child, state, depth + 1))
                return false;
        state[page] = 2;
        return true;
    }

    // The objects of the uncompressed section lie inside the file; those of the
    // compressed one inside what the reset table decompresses to, in blocks whose
    // compressed bounds fit chmlib's buffers.
    bool sections() {
        const uint64_t content = b_.size() - dataOffset_;
        for (const Unit& unit : units_) {
            if (unit.space > 1)
                return fail(QStringLiteral("an object names an unknown section"));
            if (unit.space == 0 && !within(unit.start, unit.length, content))
                return fail(QStringLiteral("an object lies outside the file"));
        }
        const auto resetTables = uncompressed(ResetTableName);
        const auto contents = uncompressed(ContentName);
        const auto controls = uncompressed(ControlDataName);
        // Without all three chmlib reads nothing of the compressed section.
        compression_ = !resetTables.empty() && !contents.empty() && !controls.empty();
        if (!compression_)
            return true;
        for (const Unit* control : controls)
            if (!controlData(*control))
                return false;
        for (const Unit* table : resetTables)
            for (const Unit* data : contents)
                if (!resetTable(*table, *data))
                    return false;
        for (const Unit& unit : units_)
            if (unit.space == 1 && !within(unit.start, unit.length, decompressedLength_))
                return fail(QStringLiteral("an object lies outside the compressed content"));
        return true;
    }

    // The entries of the uncompressed section carrying name (chmlib ignores the case);
    // every one is checked, whichever chmlib's lookup finds.
    std::vector<const Unit*> uncompressed(const char* name) const {
        std::vector<const Unit*> found;
        for (const Unit& unit : units_)
            if (unit.space == 0 && unit.name.compare(name, Qt::CaseInsensitive) == 0)
                found.push_back(&unit);
        return found;
    }

    // The LZXC control data, with chmlib's own 32-bit arithmetic: a window of 2^15 to
    // 2^21 bytes and a reset interval of at least one block.
    bool controlData(const Unit& unit) {
        const uint64_t at = dataOffset_ + unit.start;
        if (unit.length < 0x18 || unit.length > MaxControlDataLength || !b_.marker(at + 4, "LZXC"))
            return fail(QStringLiteral("the compression settings are damaged"));
        const uint32_t version = *b_.u32(at + 8);
        uint32_t resetInterval = *b_.u32(at + 12);
        uint32_t windowSize = *b_.u32(at + 16);
        const uint32_t windowsPerReset = *b_.u32(at + 20);
        if (version == 2) {
            resetInterval *= 0x8000u;
            windowSize *= 0x8000u;
        }
        const bool powerOfTwo = windowSize != 0 && (windowSize & (windowSize - 1)) == 0;
        const bool windowFits = powerOfTwo && windowSize >= (1u << MinWindowBits) &&
                                windowSize <= (1u << MaxWindowBits);
        const uint32_t resetBlocks =
            windowFits ? resetInterval / (windowSize / 2) * windowsPerReset : 0;
        if (!windowFits || resetBlocks == 0)
            return fail(QStringLiteral("the compression settings are damaged"));
        return true;
    }

    // The LZXC reset table: 32 KB frames, one ascending entry per frame inside the
    // compressed content, each frame's compressed length within chmlib's buffer.
    bool resetTable(const Unit& table, const Unit& data) {
        const uint64_t at = dataOffset_ + table.start;
        if (table.length < 0x28)
            return fail(QStringLiteral("the compression table is damaged"));
        const uint32_t version = *b_.u32(at);
        const uint64_t blockCount = *b_.u32(at + 4);
        const uint64_t tableOffset = *b_.u32(at + 12);
        const uint64_t uncompressedLength = *b_.u64(at + 16);
        const uint64_t compressedLength = *b_.u64(at + 24);
        const uint64_t frameLength = *b_.u64(at + 32);
        if (version != 2 || frameLength != LzxFrameLength || compressedLength > data.length ||
            !within(tableOffset, blockCount * 8, table.length) ||
            uncompressedLength > blockCount * frameLength)
            return fail(QStringLiteral("the compression table is damaged"));
        uint64_t previous = 0;
        for (uint64_t block = 0; block < blockCount; ++block) {
            const uint64_t start = *b_.u64(at + tableOffset + block * 8);
            const uint64_t end = block + 1 < blockCount ? *b_.u64(at + tableOffset + block * 8 + 8)
                                                        : compressedLength;
            if (start < previous || end < start || end > compressedLength ||
                end - start > frameLength + CompressedBlockSlack)
                return fail(QStringLiteral("the compression table is damaged"));
            previous = start;
        }
        // Several tables (a damaged directory) leave the smallest length usable.
        if (!haveLength_ || uncompressedLength < decompressedLength_)
            decompressedLength_ = uncompressedLength;
        haveLength_ = true;
        return true;
    }

    const Bytes& b_;
    QString problem_;
    uint64_t dirOffset_ = 0;
    uint64_t dirLength_ = 0;
    uint64_t dataOffset_ = 0;
    uint64_t chunksOffset_ = 0;
    uint64_t chunkCount_ = 0;
    uint32_t chunkLength_ = 0;
    uint32_t head_ = 0;
    uint32_t root_ = 0;
    std::vector<Unit> units_;
    std::vector<std::vector<uint32_t>> children_;
    std::vector<uint32_t> next_;
    std::vector<bool> listing_;
    bool compression_ = false;
    // What the compressed section decompresses to.
    uint64_t decompressedLength_ = 0;
    bool haveLength_ = false;
};

} // namespace

QString ChmStructureProblem(const uint8_t* data, uint64_t size) {
    const Bytes bytes(data, size);
    return Check(bytes).run();
}

QString ChmFileProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    if (file.size() > MaxFileSize)
        return QStringLiteral("the file is too large for a help file");
    const QByteArray bytes = file.readAll();
    return ChmStructureProblem(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               uint64_t(bytes.size()));
}

} // namespace desktop::help

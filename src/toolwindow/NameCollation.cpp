#include "NameCollation.h"

#include "addin/LowerCaseMatch.h"

#include <QHash>
#include <QMutex>
#include <algorithm>
#include <cstring>
#include <numeric>

namespace toolwindow {

namespace {

struct AsciiTable {
    std::array<uint8_t, 128> rank{};
    bool valid = false;
};

// The collator's order of the 128 ASCII characters as ranks (0: ignored).
std::array<uint8_t, 128> ranksOf(const QCollator& collator) {
    std::array<QString, 128> text;
    std::vector<int> order(128);
    for (int c = 0; c < 128; ++c)
        text[static_cast<size_t>(c)] = QString(QChar(static_cast<char16_t>(c)));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return collator.compare(text[static_cast<size_t>(a)], text[static_cast<size_t>(b)]) < 0;
    });
    std::array<uint8_t, 128> rank{};
    uint8_t next = 0;
    int previous = -1;
    const QString empty;
    for (const int c : order) {
        const QString& t = text[static_cast<size_t>(c)];
        if (collator.compare(t, empty) == 0)
            continue; // ignorable
        if (previous < 0 || collator.compare(text[static_cast<size_t>(previous)], t) != 0)
            ++next;
        rank[static_cast<size_t>(c)] = next;
        previous = c;
    }
    return rank;
}

int compareRanks(const std::array<uint8_t, 128>& rank, const QString& a, const QString& b) {
    const char16_t* pa = reinterpret_cast<const char16_t*>(a.constData());
    const char16_t* pb = reinterpret_cast<const char16_t*>(b.constData());
    const qsizetype na = a.size();
    const qsizetype nb = b.size();
    qsizetype i = 0;
    qsizetype j = 0;
    for (;;) {
        uint8_t ra = 0;
        uint8_t rb = 0;
        while (i < na && (ra = rank[pa[i]]) == 0)
            ++i;
        while (j < nb && (rb = rank[pb[j]]) == 0)
            ++j;
        if (i == na || j == nb)
            return (i == na ? 0 : 1) - (j == nb ? 0 : 1);
        if (ra != rb)
            return ra < rb ? -1 : 1;
        ++i;
        ++j;
    }
}

// Whether comparing ASCII texts character by character through the ranks gives the
// collator's order: checked on every text of one or two printable characters.
bool ranksHold(const QCollator& collator, const std::array<uint8_t, 128>& rank) {
    std::vector<QString> texts;
    texts.reserve(95 + 95 * 95);
    for (char16_t a = 32; a < 127; ++a) {
        texts.push_back(QString(QChar(a)));
        for (char16_t b = 32; b < 127; ++b) {
            const QChar pair[2] = {QChar(a), QChar(b)};
            texts.push_back(QString(pair, 2));
        }
    }
    std::stable_sort(texts.begin(), texts.end(), [&](const QString& x, const QString& y) {
        return compareRanks(rank, x, y) < 0;
    });
    for (size_t i = 1; i < texts.size(); ++i) {
        const int byRanks = compareRanks(rank, texts[i - 1], texts[i]);
        const int byCollator = collator.compare(texts[i - 1], texts[i]);
        if ((byRanks < 0) != (byCollator < 0) || (byRanks == 0) != (byCollator == 0))
            return false;
    }
    return true;
}

// Built once per locale: the check costs a few milliseconds.
AsciiTable tableFor(const QCollator& collator) {
    static QMutex mutex;
    static QHash<QString, AsciiTable> tables;
    const QString name = collator.locale().name() + u'|' + collator.locale().bcp47Name();
    const QMutexLocker lock(&mutex);
    auto it = tables.constFind(name);
    if (it != tables.constEnd())
        return *it;
    AsciiTable table;
    table.rank = ranksOf(collator);
    table.valid = ranksHold(collator, table.rank);
    tables.insert(name, table);
    return table;
}

} // namespace

NameCollation::NameCollation(const QLocale& locale) : collator_(locale) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    collator_.setNumericMode(false);
    collator_.setIgnorePunctuation(false);
    const AsciiTable table = tableFor(collator_);
    rank_ = table.rank;
    asciiTable_ = table.valid;
}

NameCollation::Key NameCollation::key(const QString& name) const {
    Key key;
    if (!asciiTable_ || !locastra::IsAscii(name))
        return key;
    key.ascii = true;
    const char16_t* p = reinterpret_cast<const char16_t*>(name.constData());
    int packed = 0;
    for (qsizetype c = 0; c < name.size() && packed < 4; ++c) {
        const uint8_t r = rank_[p[c]];
        if (r == 0)
            continue;
        key.prefix |= uint32_t(r) << (24 - 8 * packed);
        ++packed;
    }
    return key;
}

int NameCollation::compare(const QString& a, Key aKey, const QString& b, Key bKey) const {
    if (!aKey.ascii || !bKey.ascii)
        return collator_.compare(a, b);
    if (aKey.prefix != bKey.prefix)
        return aKey.prefix < bKey.prefix ? -1 : 1;
    return compareRanks(rank_, a, b);
}

int NameCollation::compare(const QString& a, const QString& b) const {
    if (asciiTable_ && locastra::IsAscii(a) && locastra::IsAscii(b))
        return compareRanks(rank_, a, b);
    return collator_.compare(a, b);
}

std::vector<uint32_t> NameCollation::sortedOrder(const std::vector<const QString*>& names,
                                                 bool ascending) const {
    const size_t count = names.size();
    // ASCII names become their rank strings, kept in one buffer, with the first
    // eight ranks packed into an integer so most comparisons touch no text at all.
    struct Key {
        uint64_t prefix;
        uint32_t offset; // into ranks
        uint32_t length;
        uint32_t index;
        bool ascii;
    };
    std::vector<Key> keys(count);
    std::vector<uint8_t> ranks;
    for (size_t i = 0; i < count; ++i) {
        const QString& name = *names[i];
        Key& key = keys[i];
        key.index = static_cast<uint32_t>(i);
        key.ascii = asciiTable_ && locastra::IsAscii(name);
        key.prefix = 0;
        key.offset = static_cast<uint32_t>(ranks.size());
        key.length = 0;
        if (!key.ascii)
            continue;
        const char16_t* p = reinterpret_cast<const char16_t*>(name.constData());
        int packed = 0;
        for (qsizetype c = 0; c < name.size(); ++c) {
            const uint8_t r = rank_[p[c]];
            if (r == 0)
                continue;
            ranks.push_back(r);
            if (packed < 8) {
                key.prefix |= uint64_t(r) << (56 - 8 * packed);
                ++packed;
            }
        }
        key.length = static_cast<uint32_t>(ranks.size()) - key.offset;
    }
    const auto compareKeys = [&](const Key& a, const Key& b) -> int {
        if (!a.ascii || !b.ascii)
            return collator_.compare(*names[a.index], *names[b.index]);
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix ? -1 : 1;
        if (a.length <= 8 || b.length <= 8)
            return a.length == b.length ? 0 : (a.length < b.length ? -1 : 1);
        const uint32_t common = std::min(a.length, b.length) - 8;
        const int c = std::memcmp(ranks.data() + a.offset + 8, ranks.data() + b.offset + 8, common);
        if (c != 0)
            return c;
        return a.length == b.length ? 0 : (a.length < b.length ? -1 : 1);
    };
    std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        const int c = compareKeys(a, b);
        return ascending ? c < 0 : c > 0;
    });
    std::vector<uint32_t> order(count);
    for (size_t i = 0; i < count; ++i)
        order[i] = keys[i].index;
    return order;
}

} // namespace toolwindow

#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace toolwindow {

// The Result list's sort order: names compared as the user's locale orders them,
// ignoring letter case (QCollator, case-insensitive), so "Äpfel" sorts beside "Apfel"
// and "éclair" beside "Eclair".
//
// Names of plain ASCII are compared through a table of the collator's own order for
// each ASCII character, where the locale allows it: a locale whose order of ASCII
// texts is not the order of their characters one by one (contractions such as "ch"
// in Czech or "aa" in Danish) compares every name with the collator. Whether the
// table holds is checked once per locale against the collator, on every pair of
// printable ASCII characters.
class NameCollation {
public:
    explicit NameCollation(const QLocale& locale = QLocale());

    // < 0, 0 or > 0 as a sorts before, with or after b.
    int compare(const QString& a, const QString& b) const;

    // The positions of names in sorted order, ascending or descending; names that
    // compare equal keep their order (a stable sort).
    std::vector<uint32_t> sortedOrder(const std::vector<const QString*>& names,
                                      bool ascending) const;

    // A name's key for repeated comparisons, made once per name: whether the name
    // takes the ASCII table, and then its first four ranks packed big-endian (integer
    // order is the ranks' order). compare(a, aKey, b, bKey) gives compare(a, b).
    struct Key {
        uint32_t prefix = 0;
        bool ascii = false;
    };
    Key key(const QString& name) const;
    int compare(const QString& a, Key aKey, const QString& b, Key bKey) const;

    // Whether ASCII names take the table (for the tests).
    bool asciiTable() const { return asciiTable_; }

private:
    QCollator collator_;
    // Rank of each ASCII character in the collator's order, 1-based; 0 where the
    // collator ignores the character.
    std::array<uint8_t, 128> rank_{};
    bool asciiTable_ = false;
};

} // namespace toolwindow

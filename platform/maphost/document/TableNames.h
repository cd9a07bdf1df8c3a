#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace maphost {

// Hands out table or column names for user-given names (which can be anything:
// duplicates, quotes, spaces, non-ASCII). A name that is a plain identifier, not
// reserved and not yet taken (SQLite compares names case-insensitively) is kept;
// anything else gets a generated name "<prefix><n>_<ASCII remnant>", made unique.
class TableNames {
public:
    // reservedPrefixes and reservedNames are compared case-insensitively.
    TableNames(QStringList reservedPrefixes, const QStringList& reservedNames);

    // n is the 1-based position of the item, used in generated names.
    QString allocate(const QString& wanted, const QString& generatedPrefix, int n);

    static bool isPlainIdentifier(const QString& name);

private:
    bool isFree(const QString& name) const;

    QStringList reservedPrefixes_;
    QSet<QString> taken_; // lower case
};

} // namespace maphost

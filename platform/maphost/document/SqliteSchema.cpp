#include "SqliteSchema.h"

#include <QFile>
#include <QRegularExpression>
#include <memory>
#include <sqlite3.h>

namespace maphost {

namespace {

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

QString columnText(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

bool isSpatialIndex(const QString& sql) {
    static const QRegularExpression rtree(QStringLiteral("\\bUSING\\s+rtree\\s*\\("),
                                          QRegularExpression::CaseInsensitiveOption);
    return rtree.match(sql).hasMatch();
}

} // namespace

QString unsafeSchemaReason(const QString& path) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    const std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
    if (opened != SQLITE_OK)
        return {};
    sqlite3_stmt* rawStatement = nullptr;
    if (sqlite3_prepare_v2(db.get(), "SELECT type, name, sql FROM sqlite_master", -1, &rawStatement,
                           nullptr) != SQLITE_OK)
        return {};
    const std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(rawStatement);
    static const QRegularExpression virtualTable(QStringLiteral("^\\s*CREATE\\s+VIRTUAL\\s"),
                                                 QRegularExpression::CaseInsensitiveOption);
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        const QString type = columnText(statement.get(), 0);
        const QString name = columnText(statement.get(), 1);
        const QString sql = columnText(statement.get(), 2);
        if (type == QLatin1String("view"))
            return QStringLiteral("it contains the SQL view \"%1\"").arg(name);
        if (virtualTable.match(sql).hasMatch() && !isSpatialIndex(sql))
            return QStringLiteral("it contains the virtual table \"%1\"").arg(name);
    }
    return {};
}

} // namespace maphost
